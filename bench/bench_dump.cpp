// Data dump into the Qt information box: PrintData of 65,536 8-bit words, full print, against
// one insert of the same text into the same widget.
//
// Both runs end with the text laid out and painted (the event loop turned), offscreen unless
// QT_QPA_PLATFORM says otherwise. Prints the ratio dump / insert of each run and their
// minimum, median and maximum; the target is at most 1.5.
#include <QApplication>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "core/Kestrel_core.h"
#include "engine/DataDump.h"
#include "platform/uirt/model/state.h"
#include "platform/uirt/model/uirt.h"
#include "platform/uirt/qt/uirt_qt.h"
#include "ui/KestrelUIR.h"
#include "ui/Panels.h"
#include "ui/Resources.h"

namespace {

constexpr int kBytes = 65536;
constexpr int kRuns = 7;

using Clock = std::chrono::steady_clock;

// Has the front end insert what is queued (as it does at its interval), lay it out and paint
// it.
void Settle() {
    uirt::qt::FlushTextBoxes();
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

double Milliseconds(Clock::time_point since) {
    return std::chrono::duration<double, std::milli>(Clock::now() - since).count();
}

} // namespace

int main() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    RegisterKestrelResources();
    if (!InitCVIRTE(nullptr, nullptr, nullptr)) return 1;
    const int panel = LoadPanel(0, "KestrelUIR.uir", MAINPANEL);
    if (panel < 0) return 1;
    SetPanelHandles(panel, -1, -1);
    DisplayPanel(panel);
    auto* box =
        qobject_cast<QPlainTextEdit*>(uirt::qt::ControlWidget(panel, MAINPANEL_INFOTEXTBOX));
    if (!box) return 1;

    InitTestBoard();
    SetPrintState(1);
    SetShortPrint(0);
    SetWordSize(0);
    SetWordCount(kBytes); // the byte count, as during a transfer test
    std::vector<unsigned char> block(kBytes);
    for (int i = 0; i < kBytes; ++i)
        block[static_cast<size_t>(i)] = static_cast<unsigned char>(i);

    std::vector<double> dumps, inserts, ratios;
    for (int run = 0; run < kRuns; ++run) {
        ResetTextBox(panel, MAINPANEL_INFOTEXTBOX, "");
        Settle();
        auto t0 = Clock::now();
        PrintData(block.data());
        Settle();
        dumps.push_back(Milliseconds(t0));
        const QString text = box->toPlainText();

        ResetTextBox(panel, MAINPANEL_INFOTEXTBOX, "");
        Settle();
        t0 = Clock::now();
        QTextCursor cursor(box->document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(text);
        Settle();
        inserts.push_back(Milliseconds(t0));
        ratios.push_back(dumps.back() / inserts.back());
    }

    std::sort(dumps.begin(), dumps.end());
    std::sort(inserts.begin(), inserts.end());
    std::sort(ratios.begin(), ratios.end());
    std::printf("dump of %d 8-bit words, full print, Qt information box (%d runs, offscreen)\n",
                kBytes, kRuns);
    std::printf("  PrintData:                    median %8.2f ms\n", dumps[kRuns / 2]);
    std::printf("  one insert of the same text:  median %8.2f ms\n", inserts[kRuns / 2]);
    std::printf("  ratio dump / insert: min %.2f, median %.2f, max %.2f (target <= 1.5)\n",
                ratios.front(), ratios[kRuns / 2], ratios.back());
    uirt::ResetModel();
    return 0;
}
