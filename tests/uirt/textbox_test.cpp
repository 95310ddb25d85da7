// Text boxes in the model: the line cap, and the user's edits applied as changes.
#include <gtest/gtest.h>

#include "TestPanel.h"
#include "platform/uirt/headless/headless.h"
#include "platform/uirt/model/frontend.h"
#include "platform/uirt/model/state.h"

namespace hl = uirt::headless;

namespace {

class TextBoxModel : public OnTestPanel {
  protected:
    std::pair<int, int> Selection() {
        std::pair<int, int> s{-1, -1};
        GetCtrlAttribute(panel, T_TEXT, ATTR_TEXT_SELECTION_START, &s.first);
        GetCtrlAttribute(panel, T_TEXT, ATTR_TEXT_SELECTION_LENGTH, &s.second);
        return s;
    }
};

// Fails if text box appends, selections or bounded reads go wrong, or when the cap keeps too many
// or too few lines, drops anything but whole oldest lines, leaves the selection pointing at other
// text, or loses text while its storage is reclaimed.
TEST_F(TextBoxModel, LineCapDropsTheOldestLinesAndMovesTheSelection) {
    SetCtrlVal(panel, T_TEXT, "abc");
    SetCtrlVal(panel, T_TEXT, "def\n");
    char small[4], big[16];
    EXPECT_EQ(GetCtrlVal(panel, T_TEXT, small), UIE_BUFFER_TOO_SMALL);
    EXPECT_EQ(GetCtrlVal(panel, T_TEXT, big), 0);
    EXPECT_EQ(std::string(small) + "|" + big, "abc|abcdef\n");
    SetCtrlAttribute(panel, T_TEXT, ATTR_TEXT_SELECTION_START, 5);
    SetCtrlAttribute(panel, T_TEXT, ATTR_TEXT_SELECTION_LENGTH, 100);
    EXPECT_EQ(Selection(), (std::pair{5, 2})); // kept inside the text

    ResetTextBox(panel, T_TEXT, "");
    uirt::SetTextBoxLineCap(3);
    SetCtrlVal(panel, T_TEXT, "a\nbb\ncc");
    SetCtrlAttribute(panel, T_TEXT, ATTR_TEXT_SELECTION_START, 2);
    SetCtrlAttribute(panel, T_TEXT, ATTR_TEXT_SELECTION_LENGTH, 4); // "bb\nc"
    SetCtrlVal(panel, T_TEXT, "c\n");                               // 3 line breaks: kept
    SetCtrlVal(panel, T_TEXT, "unfinished");
    EXPECT_EQ(hl::Text(panel, T_TEXT), "a\nbb\nccc\nunfinished");
    SetCtrlVal(panel, T_TEXT, "\n"); // a fourth break: "a\n" goes
    EXPECT_EQ(hl::Text(panel, T_TEXT), "bb\nccc\nunfinished\n");
    EXPECT_EQ(Selection(), (std::pair{0, 4})); // still "bb\nc"
    SetCtrlVal(panel, T_TEXT, "x\n");          // "bb\n" goes, with the start of the selection
    EXPECT_EQ(Selection(), (std::pair{0, 1})); // what is left of it: "c"

    // A reset keeps the last lines too, and the storage is reclaimed without losing text.
    ResetTextBox(panel, T_TEXT, "1\n2\n3\n4\n5\n");
    EXPECT_EQ(hl::Text(panel, T_TEXT), "3\n4\n5\n");
    for (int i = 0; i < 2000; ++i)
        SetCtrlVal(panel, T_TEXT, ("line " + std::to_string(i) + "\n").c_str());
    EXPECT_EQ(hl::Text(panel, T_TEXT), "line 1997\nline 1998\nline 1999\n");
    uirt::ResetModel();
    EXPECT_EQ(uirt::TextBoxLineCap(), uirt::kTextBoxLineCap);
}

// Fails when an edit replaces the wrong bytes, miscounts the line breaks it adds or removes
// (the cap then drops too early or too late), misplaces the caret, or raises no value changed.
TEST_F(TextBoxModel, UserEditsApplyAsChangesUnderTheCap) {
    uirt::SetTextBoxLineCap(2);
    SetCtrlVal(panel, T_TEXT, "one\ntwo\n");
    Events().clear();
    EXPECT_EQ(uirt::input::editText(panel, T_TEXT, 3, 1, " and "), 0); // joins the lines
    EXPECT_EQ(hl::Text(panel, T_TEXT), "one and two\n");
    EXPECT_EQ(Selection(), (std::pair{8, 0}));
    EXPECT_EQ(Events().at(0), "c" + std::to_string(T_TEXT) + ":2");
    SetCtrlVal(panel, T_TEXT, "three\n");                 // two breaks again: nothing dropped
    uirt::input::editText(panel, T_TEXT, 0, 0, "zero\n"); // a third break: the oldest goes
    EXPECT_EQ(hl::Text(panel, T_TEXT), "one and two\nthree\n");
    EXPECT_EQ(Selection(), (std::pair{0, 0}));
    uirt::input::editText(panel, T_TEXT, 100, 5, "!"); // past the end: appended
    EXPECT_EQ(hl::Text(panel, T_TEXT), "one and two\nthree\n!");

    // Pasting lines is an edit under the same cap.
    hl::SetClipboardText("p\nq\n");
    SetActiveCtrl(panel, T_TEXT);
    SetCtrlAttribute(panel, T_TEXT, ATTR_TEXT_SELECTION_START, 12);
    SetCtrlAttribute(panel, T_TEXT, ATTR_TEXT_SELECTION_LENGTH, 5); // "three"
    FakeKeystroke(VAL_MENUKEY_MODIFIER | 'V');
    EXPECT_EQ(hl::Text(panel, T_TEXT), "q\n\n!");
    hl::EnterText(panel, T_TEXT, "whole\ntext\nentered\n"); // so is a whole text entered
    EXPECT_EQ(hl::Text(panel, T_TEXT), "text\nentered\n");
}

} // namespace
