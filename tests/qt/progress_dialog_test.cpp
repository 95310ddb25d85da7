// The Qt front end's progress box and signals: the box Esc stops, and the recorded quit signal.
#include <gtest/gtest.h>

#include <QApplication>
#include <QProgressDialog>
#include <QTest>
#include <csignal>

#include "platform/uirt/model/progressbox.h"
#include "platform/uirt/model/quitsignal.h"
#include "platform/uirt/model/state.h"
#include "platform/uirt/model/uirt.h"

namespace {

std::int64_t nowMs = 0;

class QtProgress : public ::testing::Test {
  protected:
    void SetUp() override {
        uirt::ResetModel();
        ASSERT_EQ(InitCVIRTE(nullptr, nullptr, nullptr), 1);
        nowMs = 0;
        uirt::SetProgressClock([] { return nowMs; });
    }
    void TearDown() override {
        uirt::SetProgressClock(nullptr);
        uirt::ResetModel();
    }
};

} // namespace

// Fails when long work shows no modal box with a Stop button after a second, Esc in it does not
// stop the work, or the box stays after the work ends.
TEST_F(QtProgress, ModalBoxThatEscStops) {
    BeginProgress("Kestrel", "Writing one byte per call...");
    EXPECT_EQ(UpdateProgress(1, 4), 0);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    nowMs = 1000;
    EXPECT_EQ(UpdateProgress(2, 4), 0);
    auto* box = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->labelText().toStdString(), "Writing one byte per call...");
    EXPECT_EQ(box->value(), 50);
    QTest::keyClick(box, Qt::Key_Escape);
    nowMs = 1050;
    EXPECT_EQ(UpdateProgress(3, 4), 1);
    EndProgress();
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// Fails when SIGTERM does not reach the record of quit signals that stops long work.
TEST_F(QtProgress, SignalIsRecorded) {
    EXPECT_EQ(uirt::QuitSignal(), 0);
    std::raise(SIGTERM);
    EXPECT_EQ(uirt::QuitSignal(), SIGTERM);
    BeginProgress("Kestrel", "Writing");
    EXPECT_EQ(UpdateProgress(1, 4), 1);
    EndProgress();
    QApplication::processEvents(); // the event loop's part of the signal
}
