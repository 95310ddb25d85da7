// The setup panel's "Data check" group: shown from kestrel.ini at start-up, saved at exit.
#include "tests/support/KestrelSession.h"

// Fails when the group does not show the saved settings, a change is not saved to kestrel.ini
// at exit, kestrel.cfg stops being its 20 lines, or the sequence is not dimmed while unused.
TEST_F(KestrelSession, DataCheckGroupShowsAndSavesItsSettings) {
    AddBoard("Simulated Corvo Board", "SIM00001");
    std::ofstream("kestrel.ini") << "version = 1\nverify = 1\nprbs-order = 15\n";
    Then([] {
        EXPECT_EQ((std::vector<double>{hl::Value(SetupHandle(), SETUPPANEL_VERIFYCHK),
                                       hl::Value(SetupHandle(), SETUPPANEL_PRBSCHK),
                                       hl::Value(SetupHandle(), SETUPPANEL_PRBSRING)}),
                  (std::vector<double>{1, 0, 15}));
        EXPECT_FALSE(hl::IsDimmed(SetupHandle(), SETUPPANEL_PRBSRING));
        hl::Toggle(SetupHandle(), SETUPPANEL_VERIFYCHK, 0);
        EXPECT_TRUE(hl::IsDimmed(SetupHandle(), SETUPPANEL_PRBSRING));
        hl::Toggle(SetupHandle(), SETUPPANEL_PRBSCHK, 1);
        EXPECT_FALSE(hl::IsDimmed(SetupHandle(), SETUPPANEL_PRBSRING));
        hl::ChooseRingItem(SetupHandle(), SETUPPANEL_PRBSRING, 2);
    });
    EXPECT_EQ(Run(), 0);
    EXPECT_EQ(ReadFile("kestrel.ini"), "version = 1\nprbs-data = 1\nprbs-order = 23\nverify = 0\n");
    EXPECT_EQ(ConfigLines().size(), 20u);
}
