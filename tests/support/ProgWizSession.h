// Test fixture: a Kestrel session on one simulated board, with the wizard's pages at hand and
// the erase pause recorded instead of slept.
#pragma once

#include "tests/support/KestrelSession.h"

#include "platform/uirt/model/state.h"
#include "platform/uirt/model/uirt.h"
#include "progwiz/Eeprom.h"
#include "progwiz/ProgWiz.h"
#include "ui/KestrelUIR.h"
#include "ui/ProgWizUIR.h"

#include <regex>

// The erase pauses asked for: (milliseconds, wait cursor shown).
inline std::vector<std::pair<int, int>> pauses;

class ProgWizSession : public KestrelSession {
  protected:
    void SetUp() override {
        KestrelSession::SetUp();
        pauses.clear();
        SetEepromPause([](int ms) { pauses.push_back({ms, GetWaitCursor()}); });
    }
    void TearDown() override {
        SetEepromPause(nullptr);
        KestrelSession::TearDown();
    }

    // Runs `step` in Kestrel on one simulated board, then quits.
    void RunOnBoard(std::function<void()> step) {
        AddBoard("Simulated Corvo Board", "SIM00001");
        Then(std::move(step));
        Run();
    }
    // Checks that the popups shown are exactly the given (title, text) pairs.
    static void ExpectPopups(const std::vector<std::pair<std::string, std::string>>& expected) {
        std::vector<std::pair<std::string, std::string>> shown;
        for (const auto& p : hl::Popups())
            shown.emplace_back(p.title, p.text);
        EXPECT_EQ(shown, expected);
    }

    // What the user sees of the connected board, and whether board 0 is open under which serial:
    // "description/serial, list: labels, lamp L, open|closed serial".
    static std::string Identity() {
        std::string labels;
        for (const auto& label : hl::ListLabels(SetupHandle(), SETUPPANEL_LSTDEVICES))
            labels += label + ";";
        return std::string(GetDevDesc()) + "/" + GetSerNum() + ", list: " + labels + " lamp " +
               std::to_string(static_cast<int>(hl::Value(SetupHandle(), SETUPPANEL_LED))) +
               (bus::Board(0).open ? ", open " : ", closed ") + bus::Board(0).serial;
    }

    // Handle of wizard page 1 to 6, -1 when it is not loaded.
    static int Page(int page) {
        return hl::PanelNamed(page == 1 ? "PANEL" : "PANEL_" + std::to_string(page));
    }
    // The visible wizard pages, by number.
    static std::vector<int> VisiblePages() {
        std::vector<int> shown;
        for (int page = 1; page <= 6; ++page)
            if (Page(page) > 0 && hl::IsPanelVisible(Page(page))) shown.push_back(page);
        return shown;
    }
    static void OpenWizard() { hl::Press(SetupHandle(), SETUPPANEL_PROGRAMBTN); }
    // Presses Next from page `from` up to page `to`.
    static void NextTo(int from, int to) {
        for (int page = from; page < to; ++page)
            hl::Press(Page(page), PANEL_NEXTBTN);
    }
    static void Finish(bool yes) {
        hl::AnswerNextConfirm(yes);
        hl::Press(Page(6), PANEL_6_FINISHBTN);
    }

    // The calls of a log that change the EEPROM, in order.
    static std::vector<std::string> EepromCalls(const std::vector<std::string>& calls) {
        static const std::regex changing("USB_(Set(DescStr|SerialNumber|PowerSource|MaxPower|"
                                         "DriveCurrent)|WriteEEpromData|EraseEEpromData)\\(.*");
        std::vector<std::string> out;
        std::ranges::copy_if(calls, std::back_inserter(out),
                             [](const std::string& c) { return std::regex_match(c, changing); });
        return out;
    }
    // The six calls that program a record, in their order.
    static std::vector<std::string> ProgramCalls(int h, const std::string& desc,
                                                 const std::string& serial, int source, int mA,
                                                 int drive) {
        const std::string H = std::to_string(h), to = "(" + H + ", ";
        return {"USB_SetDescStr" + to + "\"" + desc + "\")",
                "USB_SetSerialNumber" + to + "\"" + serial + "\")",
                "USB_SetPowerSource" + to + std::to_string(source) + ")",
                "USB_SetMaxPower" + to + std::to_string(mA) + ")",
                "USB_SetDriveCurrent" + to + std::to_string(drive) + ")",
                "USB_WriteEEpromData(" + H + ")"};
    }

    static std::vector<unsigned char> FileBytes(const char* name) {
        const std::string bytes = ReadFile(name);
        return {bytes.begin(), bytes.end()};
    }
    // An 80-byte Conf.tmp record: the two text fields as given, then three 16-bit values.
    static std::vector<unsigned char> Record(const std::string& desc, const std::string& serial,
                                             unsigned mA, unsigned source, unsigned drive) {
        std::vector<unsigned char> bytes(80, 0);
        std::ranges::copy(desc, bytes.begin());
        std::ranges::copy(serial, bytes.begin() + 65);
        size_t at = 74;
        for (unsigned value : {mA, source, drive}) {
            bytes[at++] = static_cast<unsigned char>(value & 0xFF);
            bytes[at++] = static_cast<unsigned char>(value >> 8);
        }
        return bytes;
    }
};
