// The wizard's serial number entry: what the EEPROM cannot hold is refused, with the reason.
#include "tests/support/ProgWizSession.h"

// Fails when an entry longer than 8 characters, or with a space or a control character, reaches
// the record (cut or whole) or is refused without the reason beside the field, or when a good
// entry after a refused one is not taken and programmed or leaves the reason shown.
TEST_F(ProgWizSession, SerialNumberTheEepromCannotHoldIsRefused) {
    RunOnBoard([&] {
        OpenWizard();
        NextTo(1, 3);
        const std::pair<std::string, std::string> refused[] = {
            {"ABCDEFGHI", "at most 8 characters"},
            {"AB CD", "no spaces"},
            {"AB\tCD", "no control characters"},
            {"AB\x1b[2J", "no control characters"},
        };
        for (const auto& [entry, reason] : refused) {
            SCOPED_TRACE(entry);
            hl::EnterText(Page(3), PANEL_3_SERNUMSTR, entry);
            EXPECT_STREQ(Conf.SerialNumber, "SERNUM1");
            EXPECT_EQ(hl::Text(Page(3), PANEL_3_SERNUMNOTE),
                      "Not taken: " + reason + ".\nThe serial number stays \"SERNUM1\".");
        }
        hl::EnterText(Page(3), PANEL_3_SERNUMSTR, "LAB-0042");
        EXPECT_STREQ(Conf.SerialNumber, "LAB-0042");
        EXPECT_EQ(hl::Text(Page(3), PANEL_3_SERNUMNOTE), "");
        NextTo(3, 6);
        const int h = GetUsbId();
        const size_t mark = bus::CallLog().size();
        Finish(true);
        EXPECT_EQ(EepromCalls(CallsSince(mark)),
                  ProgramCalls(h, "New board", "LAB-0042", 0, 100, 8));
    });
}
