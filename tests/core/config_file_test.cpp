// kestrel.cfg: exact bytes written, values read back, and bad files handled safely.
#include "config_dir.h"

#include "core/Kestrel_core.h"

#include <string>
#include <tuple>

// A settings file in which every value differs from its default.
static const std::string FULL =
    "Dev\nS1\n5\n3\n1\n00000009\n4\n10\n1\n14\n3\n9\n64\n64\n800\n400\n1\n0\n1\n0\n";

class ConfigFile : public ConfigDir {
  protected:
    // Writes `bytes` as kestrel.cfg over a record left away from its defaults, reads it and
    // saves the record again: the saved bytes show every value the reader kept.
    static std::string ReadBack(const std::string& bytes) {
        WriteFile(bytes);
        SetDevDesc("stale");
        SetLatTimer(77);
        ReadConfig();
        EXPECT_NE(SaveConfig(), 0);
        return ReadFile();
    }
    // The text after its first `lines` lines.
    static std::string After(const std::string& text, int lines) {
        size_t at = 0;
        for (int i = 0; i < lines; ++i)
            at = text.find('\n', at) + 1;
        return text.substr(at);
    }
};

// Fails when a default differs from the record's documented defaults, the defaults record is not
// written byte for byte as the 20 default lines, or a missing, empty or truncated file changes a
// value it does not hold (junk bytes: fuzz/config_fuzz.cpp).
TEST_F(ConfigFile, DefaultsTheirLinesAndFilesThatHoldFewOrNone) {
    SetUsbId(7), SetPatternMode(1), SetLoopState(1), SetTotalBytes(5);
    InitTestBoard();
    EXPECT_EQ(std::tuple(GetUsbId(), GetInterfaceBuffer(), GetPatternMode(), GetLoopState(),
                         GetInt_State(), GetFakeError(), GetTotalBytes(), GetNFrames(),
                         std::string(GetSerNum())),
              std::tuple(-1, nullptr, 0, 0, 1, 1, 0, 0, std::string()));
    EXPECT_NE(SaveConfig(), 0);
    EXPECT_EQ(ReadFile(), DEFAULT_FILE);
    fs::remove("kestrel.cfg");

    SetLatTimer(77);
    EXPECT_EQ(ReadConfig(), 0);
    EXPECT_EQ(GetLatTimer(), 2);
    EXPECT_EQ(ReadBack(""), DEFAULT_FILE);

    // Truncated after each line.
    for (int kept = 1; kept < 20; ++kept) {
        const std::string head = FULL.substr(0, FULL.size() - After(FULL, kept).size());
        EXPECT_EQ(ReadBack(head), head + After(DEFAULT_FILE, kept)) << "lines kept: " << kept;
    }

    // Fails when a non-default record does not survive a write and a read, or a field's
    // conversion (sign-extended hex, upper-case start value, decimal latency) changes.
    const std::string bytes =
        "Forty character description of the board\nA1B2C3\nffffffc8\n4\n2\n"
        "0000001F\n100\n10000\naa55aa55\n3e8\n8\n255\n2710\n1\n200\n10000\n1\n0\n1\n0\n";
    EXPECT_EQ(ReadBack(bytes), bytes);
    EXPECT_EQ(GetSubAddress(), -56);

    // The pattern start value and an empty serial number.
    SetStartVal(0x55AA55AA);
    SetSerNum("");
    ASSERT_NE(SaveConfig(), 0);
    EXPECT_EQ(After(ReadFile(), 1).substr(0, 5), "NONE\n");
    ReadConfig();
    EXPECT_EQ(std::tuple(GetStartVal(), std::string(GetSerNum())), std::tuple(0x55AA55AA, ""));
}

// Fails when reading does not start from the defaults, or a line is misread: a value some
// later code relies on (word size, word count, loop time, time-outs, transfer sizes) taken
// outside its range or an end of its range refused, a value only its control limits (latency,
// I/O mode) checked after all, an unreadable value stored as garbage or shifting the next
// lines, the first line spilling into the serial number, a serial number with spaces cut to its
// first word or white space around it kept, a CRLF kept, the last character of a
// line without a line end lost, or a long serial number overflowing its field.
TEST_F(ConfigFile, EachLineIsReadOrKeepsItsDefault) {
    const std::string tail3 = After(DEFAULT_FILE, 3), tail2 = After(DEFAULT_FILE, 2);
    const std::string ends =
        "Dev\nS1\n0\n0\n2\n00000000\n1\n10000\n0\n1\n0\n2\n1\n1\n1\n1\n0\n1\n0\n1\n";
    const struct {
        std::string file, saved;
    } cases[] = {
        {"Dev\nS1\n0\n7\n3\n00000000\n1\n10001\n0\n0\n0\n300\n0\nffffffff\n0\n-4\n0\n1\n0\n1\n",
         "Dev\nS1\n0\n7\n0\n00000000\n1\n1\n0\n2\n0\n300\n3e8\n3e8\n1000\n8000\n0\n1\n0\n1\n"},
        {ends, ends},
        {"Dev\nS1\nzz\n3\n\n00000009\n-\n10\n1\n14\n3\nxyz\n64\n64\n800\n400\n1\n0\n1\n0\n",
         "Dev\nS1\n0\n3\n0\n00000009\n1\n10\n1\n14\n3\n2\n64\n64\n800\n400\n1\n0\n1\n0\n"},
        {std::string(100, 'x') + "\nSER1\n", std::string(64, 'x') + "\nSER1\n" + tail2},
        {std::string(63, 'y') + "\nSER2\n", std::string(63, 'y') + "\nSER2\n" + tail2},
        {"Windows Board\r\nWIN1\r\n1f\r\n", "Windows Board\nWIN1\n1f\n" + tail3},
        {"One line only", "One line only\nNONE\n" + tail2},
        {"Dev\nABCDEFGHIJKLMNOP rest\n", "Dev\nABCDEFGHI\n" + tail2},
        {FULL.substr(0, FULL.size() - 1), FULL},
        // Serial numbers: whole with spaces, trimmed, NONE trimmed.
        {"Dev\nAB 12\n", "Dev\nAB 12\n" + tail2},
        {"Dev\n  A1B2C3 \t\n", "Dev\nA1B2C3\n" + tail2},
        {"Dev\n NONE \n", "Dev\nNONE\n" + tail2},
        {"Dev\n   \n", "Dev\nNONE\n" + tail2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadBack(c.file), c.saved) << c.file;

    SetUsbId(5), SetPatternMode(1), SetLoopState(1);
    ASSERT_NE(ReadConfig(), 0);
    EXPECT_EQ(
        std::tuple(GetUsbId(), GetPatternMode(), GetLoopState(), std::string(GetConfigProblem())),
        std::tuple(-1, 0, 0, ""));
}
