// The Edit menu, its pop-up in the information box, and File > Print, on a running Kestrel.
#include "tests/support/KestrelSession.h"

#include "platform/uirt/model/frontend.h"
#include "platform/uirt/model/uirt.h"
#include "ui/KestrelUIR.h"

#include <string>
#include <tuple>

namespace {

class EditPrint : public KestrelSession {
  protected:
    // Replaces the information box's text and gives the box the focus, as a click in it does.
    static void ShowText(const std::string& text) {
        ResetTextBox(MainHandle(), MAINPANEL_INFOTEXTBOX, text.c_str());
        hl::Focus(MainHandle(), MAINPANEL_INFOTEXTBOX);
    }
    // Opens the Edit menu (the dimmer runs) and reads the dimmed state of its four items.
    static std::string DimmedEditItems() {
        hl::OpenMenu(MenuBar(), MENUBAR_EDIT);
        std::string dimmed;
        for (int item :
             {MENUBAR_EDIT_PASTE, MENUBAR_EDIT_CUT, MENUBAR_EDIT_COPY, MENUBAR_EDIT_SELALL})
            dimmed += hl::IsMenuItemDimmed(MenuBar(), item) ? 'D' : '-';
        return dimmed;
    }
};

// Fails when an Edit item is dimmed by the wrong condition (clipboard, text, selection),
// Select all, Copy, Cut or Paste do not act on the information box's text, or a right click
// does not open the Edit menu at the mouse, its Copy does not copy, or an edit opens it.
TEST_F(EditPrint, EditMenuFollowsAndActsOnTheInformationBox) {
    AddBoard("Lab board", "LAB00001");
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += "00000000> 00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F line " +
                std::to_string(i) + "\n";
    Then([&] {
        // Dimmed items in the order Paste, Cut, Copy, Select all.
        ShowText("");
        hl::SetClipboardText("");
        EXPECT_EQ(DimmedEditItems(), "DDDD");
        hl::SetClipboardText("from elsewhere");
        EXPECT_EQ(DimmedEditItems(), "-DDD");
        ShowText("abcdefgh");
        hl::SelectText(MainHandle(), MAINPANEL_INFOTEXTBOX, 2, 3);
        EXPECT_EQ(DimmedEditItems(), "----");
        hl::SelectText(MainHandle(), MAINPANEL_INFOTEXTBOX, 2, 0);
        hl::SetClipboardText("");
        EXPECT_EQ(DimmedEditItems(), "DDD-");

        ShowText(std::string(120, 'k'));
        hl::SelectText(MainHandle(), MAINPANEL_INFOTEXTBOX, 7, 2);
        hl::ChooseMenuItem(MenuBar(), MENUBAR_EDIT_SELALL);
        hl::ChooseMenuItem(MenuBar(), MENUBAR_EDIT_COPY);
        const std::string all = hl::ClipboardText();
        ShowText("0123456789");
        hl::SelectText(MainHandle(), MAINPANEL_INFOTEXTBOX, 3, 4);
        hl::ChooseMenuItem(MenuBar(), MENUBAR_EDIT_CUT);
        EXPECT_EQ(std::tuple(all, InfoText(), hl::ClipboardText()),
                  std::tuple(std::string(120, 'k'), "012789", "3456"));
        hl::SetClipboardText("note ");
        hl::SelectText(MainHandle(), MAINPANEL_INFOTEXTBOX, 0, 0);
        hl::ChooseMenuItem(MenuBar(), MENUBAR_EDIT_PASTE);
        EXPECT_EQ(InfoText(), "note 012789");

        // A right click opens the Edit menu at the mouse; its Copy copies.
        ShowText("first line\nsecond line\n");
        hl::SelectText(MainHandle(), MAINPANEL_INFOTEXTBOX, 11, 6);
        hl::ClearPopups();
        hl::ChooseNextPopupItem(MENUBAR_EDIT_COPY);
        hl::RightClick(MainHandle(), MAINPANEL_INFOTEXTBOX, 140, 60);
        ASSERT_EQ(hl::Popups().size(), 1u);
        const hl::Popup& menu = hl::Popups()[0];
        EXPECT_EQ(
            std::tuple(hl::ClipboardText(), menu.kind, menu.text, menu.top, menu.left, menu.answer),
            std::tuple("second", hl::Popup::Kind::Menu, "__Edit", 140, 60, int{MENUBAR_EDIT_COPY}));

        // Only the right click opens it: not a typed edit, not a paste.
        hl::ClearPopups();
        uirt::input::editText(MainHandle(), MAINPANEL_INFOTEXTBOX, 0, 0, "typed");
        FakeKeystroke(VAL_MENUKEY_MODIFIER | 'V');
        EXPECT_EQ(InfoText().substr(0, 11), "typedsecond");
        EXPECT_TRUE(hl::Popups().empty());

        // Print: fails when an empty box reaches the printer, or the box's text reaches it
        // changed or cut.
        ShowText("");
        hl::ChooseMenuItem(MenuBar(), MENUBAR_FILEMENU_PRINT); // not a job
        ShowText(text);
        // Settings left by an earlier print job must not cut this one.
        SetPrintAttribute(ATTR_PRINT_LINE_WIDTH, 40);
        SetPrintAttribute(ATTR_PRINT_WRAP_LINES, 0);
        hl::ChooseMenuItem(MenuBar(), MENUBAR_FILEMENU_PRINT);
    });
    Run();
    ASSERT_EQ(hl::PrintJobs().size(), 1u);
    const auto& job = hl::PrintJobs()[0];
    EXPECT_EQ(std::tuple(job.text, job.lineWidth, job.wrapLines),
              std::tuple(text, int{VAL_USE_PAGE_WIDTH}, true));
}

} // namespace
