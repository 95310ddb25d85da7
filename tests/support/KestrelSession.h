// Test fixture: runs Kestrel's start-up in a fresh directory on an in-memory bus, headless.
#pragma once

#include "app/Kestrel.h"
#include "core/Kestrel_core.h"
#include "platform/corvousb/CorvoUsb.h"
#include "platform/corvousb/CorvoUsbTesting.h"
#include "platform/uirt/headless/headless.h"
#include "platform/uirt/model/uirt.h"
#include "tests/support/ScratchDir.h"
#include "ui/KestrelUIR.h"
#include "ui/Panels.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace hl = uirt::headless;
namespace bus = corvousb::testing;

class KestrelSession : public InScratchDir {
  protected:
    void SetUp() override {
        InScratchDir::SetUp();
        bus::ResetBus();
        hl::Reset();
        SetInterfaceBufferAllocator(nullptr);
    }
    void TearDown() override {
        SetInterfaceBufferAllocator(nullptr);
        bus::ResetBus();
        InScratchDir::TearDown();
    }

    // A board with its own description and serial number.
    static int AddBoard(const std::string& description, const std::string& serial) {
        corvousb::BoardSetup setup;
        setup.description = description;
        setup.serial = serial;
        return bus::AddBoard(setup);
    }

    static void WriteConfig(const std::string& text) { WriteFile("kestrel.cfg", text); }
    static std::vector<std::string> ConfigLines() {
        std::vector<std::string> lines{""};
        for (char c : ReadFile("kestrel.cfg"))
            c == '\n' ? lines.push_back("") : lines.back().push_back(c);
        if (lines.back().empty()) lines.pop_back();
        return lines;
    }

    // Queues a step for the event loop.
    static void Then(std::function<void()> step) { hl::Script(std::move(step)); }

    // Runs Kestrel until its script ends (a final step chooses File > Exit).
    int Run() {
        hl::Script([] { hl::ChooseMenuItem("MENUBAR_FILEMENU_EXIT"); });
        return KestrelMain();
    }

    static int SetupHandle() { return GetSetupPanelHandle(); }
    static int MainHandle() { return GetMainPanelHandle(); }
    static int MenuBar() { return hl::MenuBarOf(GetMainPanelHandle()); }
    static std::string InfoText() { return hl::Text(MainHandle(), 2 /* MAINPANEL_INFOTEXTBOX */); }

    // The setup panel's controls and the menu items that need a board: offered with the lamp
    // lit, or dimmed with the lamp off and "Connect and initialize" offered instead.
    static void ExpectTestsOffered(bool offered) {
        const int s = SetupHandle();
        EXPECT_EQ(hl::Value(s, SETUPPANEL_LED), offered ? 1 : 0);
        for (int control : {SETUPPANEL_APPLYBTN, SETUPPANEL_DISCONNECT, SETUPPANEL_LOOPCHECKBOX,
                            SETUPPANEL_PROGRAMBTN, SETUPPANEL_RDEEPROMBTN})
            EXPECT_EQ(hl::IsDimmed(s, control), !offered) << "control " << control;
        EXPECT_EQ(hl::IsDimmed(s, SETUPPANEL_RESETBTN), offered);
        EXPECT_EQ(hl::IsMenuItemDimmed(MenuBar(), MENUBAR_TESTMENU_ERASE), !offered);
        EXPECT_EQ(hl::IsMenuItemDimmed(MenuBar(), MENUBAR_TESTMENU_PROGRAM), !offered);
        EXPECT_FALSE(hl::IsMenuItemDimmed(MenuBar(), MENUBAR_FILEMENU_PRINT));
    }

    static std::vector<std::string> CallsSince(size_t from) {
        const auto log = bus::CallLog();
        return {log.begin() + static_cast<long>(std::min(from, log.size())), log.end()};
    }
    static bool Contains(const std::vector<std::string>& calls, const std::string& call) {
        return Count(calls, call) > 0;
    }
    static size_t Count(const std::vector<std::string>& calls, const std::string& call) {
        return static_cast<size_t>(std::ranges::count(calls, call));
    }
    static size_t Popups(const std::string& title) {
        return static_cast<size_t>(std::ranges::count(hl::Popups(), title, &hl::Popup::title));
    }
};
