// The Qt front end's progress box and signals: a modal box that Esc stops, and SIGTERM recorded.
#include <gtest/gtest.h>

#include <QApplication>
#include <QProgressDialog>
#include <QTest>
#include <csignal>

#include "platform/uirt/model/progressbox.h"
#include "platform/uirt/model/quitsignal.h"
#include "platform/uirt/model/state.h"
#include "platform/uirt/model/uirt.h"

static std::int64_t nowMs = 0;

// Fails when long work shows no modal box after a second, Esc in it does not stop the work, the
// box stays after the work, or SIGTERM does not reach the record of quit signals.
TEST(QtProgress, ModalBoxThatEscStopsAndSignalRecorded) {
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
    EXPECT_EQ(box->labelText().toStdString(), "Writing one byte per call...");
    EXPECT_EQ(box->value(), 50);
    QTest::keyClick(box, Qt::Key_Escape);
    nowMs = 1050;
    EXPECT_EQ(UpdateProgress(3, 4), 1);
    EndProgress();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    EXPECT_EQ(uirt::QuitSignal(), 0);
    std::raise(SIGTERM);
    EXPECT_EQ(uirt::QuitSignal(), SIGTERM);
    QApplication::processEvents(); // the event loop's part of the signal
    uirt::SetProgressClock(nullptr);
    uirt::ResetModel();
}
