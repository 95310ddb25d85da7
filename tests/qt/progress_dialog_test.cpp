// The Qt front end's progress box: a modal box that Esc stops.
#include <gtest/gtest.h>

#include <QApplication>
#include <QProgressDialog>
#include <QTest>
#include <tuple>

#include "platform/uirt/model/progressbox.h"
#include "platform/uirt/model/state.h"
#include "platform/uirt/model/uirt.h"

static std::int64_t nowMs = 0;

// Fails when long work shows no modal box after a second, Esc in it does not stop the work, or the
// box stays after the work. (SIGTERM in the Qt front end: tests/app/qt_window_test.cpp.)
TEST(QtProgress, ModalBoxThatEscStops) {
    uirt::ResetModel();
    ASSERT_EQ(InitCVIRTE(nullptr, nullptr, nullptr), 1);
    uirt::SetProgressClock([] { return nowMs; });
    BeginProgress("Kestrel", "Writing one byte per call...");
    EXPECT_EQ(UpdateProgress(1, 4), 0);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    nowMs = 1000;
    EXPECT_EQ(UpdateProgress(2, 4), 0);
    auto* box = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(std::tuple(box->labelText().toStdString(), box->value()),
              std::tuple("Writing one byte per call...", 50));
    QTest::keyClick(box, Qt::Key_Escape);
    nowMs = 1050;
    EXPECT_EQ(UpdateProgress(3, 4), 1);
    EndProgress();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    uirt::SetProgressClock(nullptr);
    uirt::ResetModel();
}
