// Descriptors watched in Qt's event loop.
#include "QtPanelTest.h"

#include "platform/uirt/model/watch.h"

#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <fcntl.h>
#include <unistd.h>

// Fails when a watched descriptor's callback does not run from Qt's event loop, runs again inside
// the modal box of a running callback instead of once the box is closed, or runs after its watch
// ended.
TEST_F(QtPanelTest, WatchedDescriptorWaitsOutARunningCallback) {
    int ends[2];
    ASSERT_EQ(pipe2(ends, O_NONBLOCK), 0);
    int calls = 0, callsWhileBoxOpen = -1;
    const int id = uirt::WatchDescriptor(ends[0], [&] {
        for (char c; read(ends[0], &c, 1) > 0;) {
        }
        if (++calls > 1) return;
        QTimer::singleShot(0, [&] { (void)!write(ends[1], "y", 1); });
        QTimer::singleShot(150, [&] {
            callsWhileBoxOpen = calls;
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            box->accept();
        });
        MessagePopup("Kestrel", "A callback runs");
    });
    ASSERT_GT(id, 0);
    (void)!write(ends[1], "x", 1);
    for (int i = 0; i < 100 && calls < 2; ++i)
        QTest::qWait(10);
    const int before = calls;
    uirt::UnwatchDescriptor(id);
    (void)!write(ends[1], "z", 1);
    QTest::qWait(30);
    EXPECT_EQ(std::tuple(callsWhileBoxOpen, before, calls), std::tuple(1, 2, 2));
    close(ends[0]);
    close(ends[1]);
}
