// Information box in the Qt front end: 4,096 appends of 60-character lines against one insert.
//
// Both runs end with the text laid out and painted (the event loop turned), in the same
// widget of the main panel, offscreen. Prints the median of several runs and the ratio
// appends / single insert; the target is at most 1.5.
#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

#include "platform/uirt/model/state.h"
#include "platform/uirt/model/uirt.h"
#include "platform/uirt/qt/uirt_qt.h"
#include "ui/KestrelUIR.h"
#include "ui/Resources.h"

namespace {

constexpr int kLines = 4096;
constexpr int kRuns = 7;

using Clock = std::chrono::steady_clock;

// 59 visible characters and a line break, like a line of the hex dump.
std::vector<std::string> MakeLines() {
    std::vector<std::string> lines;
    for (int i = 0; i < kLines; ++i) {
        char line[61];
        std::snprintf(line, sizeof line, "%08X :", i * 16);
        std::string s = line;
        for (int b = 0; s.size() < 59; ++b) {
            std::snprintf(line, sizeof line, " %02X", (i * 16 + b) & 0xFF);
            s += line;
        }
        s.resize(59);
        lines.push_back(s + "\n");
    }
    return lines;
}

// Has the front end insert what is queued (as it does at its interval), lay it out and
// paint it.
void Settle() {
    uirt::qt::FlushTextBoxes();
    for (int i = 0; i < 3; ++i)
        QApplication::processEvents();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Resident memory of the process in MB.
double ResidentMb() {
    long pages = 0, resident = 0;
    if (FILE* f = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1e6;
}

// Median milliseconds of one typed character at `position` of the box.
double TypingMs(QPlainTextEdit* box, int position) {
    QTextCursor cursor(box->document());
    cursor.setPosition(position);
    box->setTextCursor(cursor);
    std::vector<double> times;
    for (int i = 0; i < 101; ++i) {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_X, Qt::NoModifier, QStringLiteral("x"));
        const auto t0 = Clock::now();
        QApplication::sendEvent(box, &key);
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
    }
    return Median(times);
}

// Fills the box to its line cap, then as much again, and types into it.
void FullBox(int panel, QPlainTextEdit* box, const std::string& chunk) {
    ResetTextBox(panel, MAINPANEL_INFOTEXTBOX, "");
    Settle();
    const double before = ResidentMb();
    const int chunks = uirt::kTextBoxLineCap / kLines + 1;
    for (int i = 0; i < chunks; ++i) {
        SetCtrlVal(panel, MAINPANEL_INFOTEXTBOX, chunk.c_str());
        Settle();
    }
    const double full = ResidentMb();
    for (int i = 0; i < chunks; ++i) {
        SetCtrlVal(panel, MAINPANEL_INFOTEXTBOX, chunk.c_str());
        Settle();
    }
    int length = 0;
    GetCtrlAttribute(panel, MAINPANEL_INFOTEXTBOX, ATTR_STRING_TEXT_LENGTH, &length);
    std::printf("info box at its cap of %d lines (%d characters kept)\n", uirt::kTextBoxLineCap,
                length);
    std::printf("  memory: +%.0f MB when full, +%.0f MB after as many lines again\n", full - before,
                ResidentMb() - before);
    const double atEnd = TypingMs(box, box->document()->characterCount() - 1);
    const double inMiddle = TypingMs(box, box->document()->characterCount() / 2);
    std::printf("  one typed character: %.3f ms at the end, %.3f ms in the middle (median)\n",
                atEnd, inMiddle);
}

} // namespace

int main() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    RegisterKestrelResources();
    if (!InitCVIRTE(nullptr, nullptr, nullptr)) return 1;
    const int panel = LoadPanel(0, "KestrelUIR.uir", 1);
    if (panel < 0) return 1;
    DisplayPanel(panel);
    auto* box =
        qobject_cast<QPlainTextEdit*>(uirt::qt::ControlWidget(panel, MAINPANEL_INFOTEXTBOX));
    if (!box) return 1;

    const std::vector<std::string> lines = MakeLines();
    std::string all;
    for (const std::string& l : lines)
        all += l;
    const QString allText = QString::fromStdString(all);

    std::vector<double> appends, single;
    for (int run = 0; run < kRuns; ++run) {
        ResetTextBox(panel, MAINPANEL_INFOTEXTBOX, "");
        Settle();
        auto t0 = Clock::now();
        for (const std::string& l : lines)
            SetCtrlVal(panel, MAINPANEL_INFOTEXTBOX, l.c_str());
        Settle();
        appends.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
        if (box->toPlainText().size() != allText.size()) {
            std::fprintf(stderr, "appends lost text\n");
            return 1;
        }

        ResetTextBox(panel, MAINPANEL_INFOTEXTBOX, "");
        Settle();
        t0 = Clock::now();
        QTextCursor cursor(box->document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(allText);
        Settle();
        single.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
    }

    const double a = Median(appends), s = Median(single);
    std::printf("info box, %d lines of 60 characters (median of %d runs, offscreen)\n", kLines,
                kRuns);
    std::printf("  %d appends through SetCtrlVal: %8.2f ms\n", kLines, a);
    std::printf("  one insert of the same text:    %8.2f ms\n", s);
    std::printf("  ratio appends / insert: %.2f (target <= 1.5)\n", a / s);
    FullBox(panel, box, all);
    uirt::ResetModel();
    return 0;
}
