// Test fixture for the test engine: Kestrel started headless on one simulated board.
#pragma once

#include "tests/support/KestrelSession.h"

#include "core/Kestrel_core.h"
#include "core/time_utils.h"
#include "platform/uirt/model/uirt.h"
#include "ui/KestrelUIR.h"
#include "ui/Output.h"

#include <regex>
#include <string>
#include <utility>
#include <vector>

// A dump as the information box shows it, around its lines.
inline std::string Dump(const std::string& lines) {
    return "\n**** Start of dump" + lines + "\n**** End of dump\n\n";
}

// The four counter lines that open the frame statistics.
inline std::string Counters(const std::string& frames, int lost, int headers, int trailers) {
    return "Processed frames = " + frames + "\nLost frames = " + std::to_string(lost) +
           "\nHeader errors = " + std::to_string(headers) +
           "\nTrailer errors = " + std::to_string(trailers) + "\n";
}

class EngineSession : public KestrelSession {
  protected:
    void SetUp() override {
        KestrelSession::SetUp();
        board_ = AddBoard("Simulated Corvo Board", "SIM00001");
        Seen().clear();
    }

    // Runs `step` inside Kestrel's event loop after start-up (with the maintenance buttons
    // when asked), then quits.
    void RunStep(std::function<void()> step, int maintenance = 0) {
        bool ran = false;
        Then([&] {
            step();
            ran = true;
        });
        hl::Script([] { hl::ChooseMenuItem("MENUBAR_FILEMENU_EXIT"); });
        KestrelMain(maintenance);
        EXPECT_TRUE(ran) << "the step never ran";
    }
    void RunMaintenanceStep(std::function<void()> step) { RunStep(std::move(step), 1); }

    static void ClearInfo() { ResetTextBox(MainHandle(), MAINPANEL_INFOTEXTBOX, ""); }
    static std::string Info() { return InfoText(); }
    // The library calls made since the last MarkCalls.
    void MarkCalls() { mark_ = bus::CallLog().size(); }
    std::vector<std::string> Calls() const { return CallsSince(mark_); }

    // What the settings and the activity lamp held each time the library reported an error
    // during a run: "wordCount=N led=L".
    static std::vector<std::string>& Seen() {
        static std::vector<std::string> seen;
        return seen;
    }
    static void ObserveErrorReports() {
        USB_SetPerrorFunc([](const char* text) {
            Seen().push_back("wordCount=" + std::to_string(GetWordCount()) + " led=" +
                             std::to_string(static_cast<int>(
                                 hl::Value(GetSetupPanelHandle(), SETUPPANEL_LED_2))));
            Kestrel_PrintError(text);
        });
    }

    // The rate line that ends `text`: where it begins, its padding included (npos when none
    // does), and the byte figure behind it (the rate printed times the stopwatch's time).
    static std::pair<size_t, double> RateLine(const std::string& text) {
        static const std::regex line(R"( *(-?[0-9.]+) (K?)Bytes/s - +[-0-9.e+]+ s\n$)");
        std::smatch m;
        if (!std::regex_search(text, m, line)) return {std::string::npos, 0};
        return {m.position(0),
                std::stod(m[1]) * (m[2] == "K" ? 1024.0 : 1.0) * ElapsedTimeDouble()};
    }

    int board_ = -1;
    size_t mark_ = 0;
};
