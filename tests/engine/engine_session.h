// Test fixture for the test engine: Kestrel started headless on one simulated board.
#pragma once

#include "tests/app/kestrel_session.h"

#include "core/Kestrel_core.h"
#include "core/time_utils.h"
#include "platform/uirt/model/uirt.h"
#include "ui/KestrelUIR.h"
#include "ui/Output.h"

#include <cstdarg>
#include <cstdio>
#include <regex>
#include <string>
#include <vector>

class EngineSession : public KestrelSession {
  protected:
    void SetUp() override {
        KestrelSession::SetUp();
        board_ = AddBoard("Simulated Corvo Board", "SIM00001");
        Seen().clear();
    }

    // Runs `step` inside Kestrel's event loop after start-up, then quits.
    void RunStep(std::function<void()> step) {
        bool ran = false;
        Then([&] {
            step();
            ran = true;
        });
        Run();
        EXPECT_TRUE(ran) << "the step never ran";
    }

    static void ClearInfo() { ResetTextBox(MainHandle(), MAINPANEL_INFOTEXTBOX, ""); }
    static std::string Info() { return InfoText(); }
    // The library calls made since the last MarkCalls.
    void MarkCalls() { mark_ = bus::CallLog().size(); }
    std::vector<std::string> Calls() const { return CallsSince(mark_); }

    // What the settings and the activity lamp held each time the library printed or reported
    // an error during a run: "wordCount=N led=L".
    static std::vector<std::string>& Seen() {
        static std::vector<std::string> seen;
        return seen;
    }
    static void Observe() {
        Seen().push_back(
            "wordCount=" + std::to_string(GetWordCount()) + " led=" +
            std::to_string(static_cast<int>(hl::Value(GetSetupPanelHandle(), SETUPPANEL_LED_2))));
    }
    static int ObservingPrintf(const char* format, ...) {
        Observe();
        char text[512];
        va_list args;
        va_start(args, format);
        vsnprintf(text, sizeof text, format, args);
        va_end(args);
        return InfoPrintf("%s", text);
    }
    static void ObservingPerror(const char* text) {
        Observe();
        Kestrel_PrintError(text);
    }
    // Makes the library's output and error reports record what a run holds while it runs.
    static void ObserveLibraryOutput() {
        USB_SetPrintfFunc(ObservingPrintf);
        USB_SetPerrorFunc(ObservingPerror);
    }

    // Where the rate line that ends `text` begins (its padding included), npos when none does.
    static size_t RateLineAt(const std::string& text) {
        std::smatch m;
        return std::regex_search(text, m, RateLine()) ? static_cast<size_t>(m.position(0))
                                                      : std::string::npos;
    }
    // The byte figure behind the last rate line: the rate printed times the stopwatch's time.
    static double RateFigure(const std::string& text) {
        std::smatch m;
        if (!std::regex_search(text, m, RateLine())) return -1e300;
        return std::stod(m[1]) * (m[2] == "K" ? 1024.0 : 1.0) * ElapsedTimeDouble();
    }
    static const std::regex& RateLine() {
        static const std::regex line(R"( *(-?[0-9.]+) (K?)Bytes/s - +[-0-9.e+]+ s\n$)");
        return line;
    }
    static size_t Occurrences(const std::string& text, const std::string& part) {
        size_t n = 0;
        for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
            ++n;
        return n;
    }

    int board_ = -1;
    size_t mark_ = 0;
};
