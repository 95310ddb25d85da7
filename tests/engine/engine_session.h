// Test fixture for the test engine: Kestrel started headless on one simulated board.
#pragma once

#include "tests/app/kestrel_session.h"

#include "core/Kestrel_core.h"
#include "platform/uirt/model/uirt.h"
#include "ui/KestrelUIR.h"

#include <string>
#include <vector>

class EngineSession : public KestrelSession {
  protected:
    void SetUp() override {
        KestrelSession::SetUp();
        board_ = AddBoard("Simulated Corvo Board", "SIM00001");
    }

    // Runs `step` inside Kestrel's event loop after start-up, then quits.
    void RunStep(std::function<void()> step) {
        Then(std::move(step));
        Run();
    }

    static void ClearInfo() { ResetTextBox(MainHandle(), MAINPANEL_INFOTEXTBOX, ""); }
    // The information box's text since the last ClearInfo.
    static std::string Info() { return InfoText(); }

    // The bytes "%02X " would print for each value from..to (inclusive).
    static std::string HexBytes(int from, int to) {
        std::string s;
        char item[8];
        for (int v = from; v <= to; ++v) {
            std::snprintf(item, sizeof item, "%02X ", v & 0xFF);
            s += item;
        }
        return s;
    }

    int board_ = -1;
};
