// The default button of the Qt Yes/No box.
#include "QtPanelTest.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace {

// Presses Enter's button of the next modal box: its default one.
void AcceptDefault() {
    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        ASSERT_NE(box->defaultButton(), nullptr);
        box->defaultButton()->click();
    });
}

} // namespace

// Fails when a box asked to default to No lets Enter answer Yes, or the usual box stops
// defaulting to Yes.
TEST_F(QtPanelTest, ConfirmBoxDefaultsToTheButtonAskedFor) {
    AcceptDefault();
    EXPECT_EQ(ConfirmPopup("Warning", "Erase?", 0), 0);
    AcceptDefault();
    EXPECT_EQ(ConfirmPopup("Kestrel", "Exit?"), 1);
}
