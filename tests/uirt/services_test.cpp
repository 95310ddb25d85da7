// Services and the headless front end: popups, clipboard keystrokes, printing, help, mouse,
// the scripted event loop, resetting and callback binding reports.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "TestPanel.h"
#include "platform/uirt/headless/headless.h"
#include "platform/uirt/model/state.h"

namespace hl = uirt::headless;
using Strings = std::vector<std::string>;

class Services : public ::testing::Test {
  protected:
    void SetUp() override { panel = StartTestPanel(); }
    void TearDown() override { hl::Reset(); }
    int panel = 0;
};

// Fails if popups are not recorded with their title and text or answers are not consumed.
TEST_F(Services, PopupsAreRecordedAndConfirmationsAnswered) {
    EXPECT_EQ(MessagePopup("USB Error", "Device not opened"), 0);
    hl::AnswerNextConfirm(true);
    EXPECT_EQ(ConfirmPopup("Kestrel", " Do you really want to exit this wizard ?"), 1);
    EXPECT_EQ(ConfirmPopup("Kestrel", "again"), 0); // nothing queued: No
    const auto& popups = hl::Popups();
    ASSERT_EQ(popups.size(), 3u);
    EXPECT_EQ(popups[0].kind, hl::Popup::Kind::Message);
    EXPECT_EQ(popups[0].title, "USB Error");
    EXPECT_EQ(popups[0].text, "Device not opened");
    EXPECT_EQ(popups[1].kind, hl::Popup::Kind::Confirm);
    EXPECT_EQ(popups[1].text, " Do you really want to exit this wizard ?");
    EXPECT_EQ(popups[1].answer, 1);
    EXPECT_EQ(popups[2].answer, 0);
}

// Fails if printing loses the text or the print attributes, or an output file is not written.
TEST_F(Services, PrintingUsesThePrintAttributes) {
    EXPECT_EQ(SetPrintAttribute(ATTR_PRINT_LINE_WIDTH, -1), 0);
    EXPECT_EQ(SetPrintAttribute(ATTR_PRINT_WRAP_LINES, 1), 0);
    EXPECT_EQ(SetPrintAttribute(1234, 1), UIE_BAD_ATTRIBUTE);
    EXPECT_EQ(PrintTextBuffer("line 1\nline 2\n", ""), 0);
    ASSERT_EQ(hl::PrintJobs().size(), 1u);
    EXPECT_EQ(hl::PrintJobs()[0].text, "line 1\nline 2\n");
    EXPECT_EQ(hl::PrintJobs()[0].lineWidth, -1);
    EXPECT_TRUE(hl::PrintJobs()[0].wrapLines);
    EXPECT_EQ(PrintTextBuffer(nullptr, ""), UIE_NULL_POINTER);
    const char* file = "uirt_print_test.txt";
    EXPECT_EQ(PrintTextBuffer("to file", file), 0);
    std::ifstream in(file);
    std::stringstream content;
    content << in.rdbuf();
    EXPECT_EQ(content.str(), "to file");
    std::remove(file);
    EXPECT_EQ(hl::PrintJobs().size(), 1u);
}

// Fails if the help window or the mouse position are not passed through the front end.
TEST_F(Services, HelpWindowAndMouseState) {
    EXPECT_GT(ShowHelpWindow("Help/KestrelHelp.html"), 0);
    hl::SetHelpAvailable(false);
    EXPECT_EQ(ShowHelpWindow("Help/CorvoUsbHelp.html"), 0);
    EXPECT_EQ(hl::HelpRequests(), (Strings{"Help/KestrelHelp.html", "Help/CorvoUsbHelp.html"}));
    InstallCtrlCallback(
        panel, T_TEXT,
        [](int p, int c, int event, void*, int top, int left) {
            int x = 0, y = 0;
            GetRelativeMouseState(p, c, &x, &y, nullptr, nullptr, nullptr);
            Events().push_back(std::to_string(event) + "@" + std::to_string(top) + "," +
                               std::to_string(left) + "=" + std::to_string(x) + "," +
                               std::to_string(y));
            return 0;
        },
        nullptr);
    EXPECT_EQ(hl::RightClick(panel, T_TEXT, 40, 25), 0);
    EXPECT_EQ(Events(), Strings{"5@40,25=25,40"});
}

// Fails if RunUserInterface hangs, ignores a quit, or runs steps after the quit.
TEST_F(Services, EventLoopRunsTheScriptUntilQuit) {
    hl::Script([&] { hl::Press(panel, T_BTN); });
    hl::Script([] { QuitUserInterface(3); });
    hl::Script([] { Events().push_back("after quit"); });
    EXPECT_EQ(RunUserInterface(), 3);
    EXPECT_EQ(Events(), Strings{"c3:1"});
    EXPECT_TRUE(hl::EventLoopRan());
    // The rest of the script runs in the next loop; an exhausted script quits with 0.
    EXPECT_EQ(RunUserInterface(), 0);
    EXPECT_EQ(Events().back(), "after quit");
}

// Fails if a reset leaves panels, callbacks, records or unbound names behind, so start-up cannot
// run again, or a callback name without a function is dropped silently or a named one not bound.
TEST_F(Services, ResetAllowsStartingAgainAndUnboundNamesAreReported) {
    MessagePopup("t", "x");
    const int bar = GetPanelMenuBar(panel);
    hl::Reset();
    EXPECT_EQ(uirt::PanelHandles().size(), 0u);
    EXPECT_EQ(hl::Popups().size(), 0u);
    EXPECT_EQ(MessagePopup("t", "x"), UIE_NOT_INITIALIZED);
    EXPECT_EQ(RunUserInterface(), UIE_NOT_INITIALIZED);
    EXPECT_EQ(uirt::FindMenuBar(bar), nullptr);
    for (int run = 0; run < 3; ++run) {
        const int p = StartTestPanel();
        EXPECT_GT(p, 0);
        EXPECT_EQ(hl::PanelNamed("TESTPANEL"), p);
        const auto unbound = uirt::UnboundCallbacks();
        ASSERT_EQ(unbound.size(), 1u);
        EXPECT_EQ(unbound[0].panel, "TESTPANEL");
        EXPECT_EQ(unbound[0].owner, "T_MISSING");
        EXPECT_EQ(unbound[0].callback, "NoSuchFunction");
        EXPECT_EQ(hl::Press(p, T_MISSING), 0); // pressing it does nothing
        EXPECT_EQ(hl::Press(p, T_BTN), 0);
        EXPECT_EQ(Events(), Strings{"c3:1"});
    }
}
