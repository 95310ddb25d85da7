// kestrel.cfg: exact bytes written, values read back, and bad files handled safely.
#include "config_dir.h"

#include "core/Kestrel_core.h"

#include <vector>

class ConfigFile : public ConfigDir {
  protected:
    static void ExpectDefaultsFromLine(int firstDefaultLine) {
        // Line number of each persisted value, with the default the record starts with.
        if (firstDefaultLine <= 1) {
            EXPECT_STREQ(GetDevDesc(), "New Corvo Board");
        }
        if (firstDefaultLine <= 2) {
            EXPECT_STREQ(GetSerNum(), "");
        }
        const std::vector<std::pair<int (*)(), int>> values = {
            {GetSubAddress, 0},  {GetIOMode, 0},       {GetWordSize, 0},       {GetStartVal, 0},
            {GetIncrement, 1},   {GetWordCount, 1},    {GetPatternPos, 0},     {GetLoopTime, 2},
            {GetLoopTimePos, 0}, {GetLatTimer, 2},     {GetTxTimeout, 1000},   {GetRxTimeout, 1000},
            {GetTxBuffer, 4096}, {GetRxBuffer, 32768}, {GetShowEpromState, 0}, {GetPrintState, 1},
            {IsMSBFirst, 0},     {GetShortPrint, 1}};
        for (size_t i = 0; i < values.size(); ++i) {
            int line = static_cast<int>(i) + 3;
            if (line >= firstDefaultLine) {
                EXPECT_EQ(values[i].first(), values[i].second) << "line " << line;
            }
        }
    }
};

// Fails when the defaults record is not written byte for byte as the 20 default lines.
TEST_F(ConfigFile, DefaultsWriteTheDefaultLines) {
    InitTestBoard();
    EXPECT_NE(SaveConfig(), 0);
    EXPECT_EQ(ReadFile(), DEFAULT_FILE);
    EXPECT_FALSE(fs::exists("kestrel.cfg.tmp"));
}

// Fails when a non-default record does not survive a write and a read, or a field's
// conversion (sign-extended hex, upper-case start value, decimal latency) changes.
TEST_F(ConfigFile, NonDefaultRecordRoundTrips) {
    InitTestBoard();
    SetDevDesc("Forty character description of the board");
    SetSerNum("A1B2C3");
    SetSubAddress(0xC8);
    SetIOMode(4);
    SetWordSize(2);
    SetStartVal(0x1F);
    SetIncrement(256);
    SetWordCount(65536);
    SetPatternPos(static_cast<int>(0xAA55AA55u));
    SetLoopTime(1000);
    SetLoopTimePos(8);
    SetLatTimer(255);
    SetTxTimeout(10000);
    SetRxTimeout(1);
    SetTxBuffer(512);
    SetRxBuffer(65536);
    SetShowEpromState(1);
    SetPrintState(0);
    SetMSBFirst(1);
    SetShortPrint(0);
    ASSERT_NE(SaveConfig(), 0);
    EXPECT_EQ(ReadFile(),
              "Forty character description of the board\nA1B2C3\nffffffc8\n4\n2\n"
              "0000001F\n100\n10000\naa55aa55\n3e8\n8\n255\n2710\n1\n200\n10000\n1\n0\n1\n0\n");

    InitTestBoard();
    ASSERT_NE(ReadConfig(), 0);
    EXPECT_STREQ(GetDevDesc(), "Forty character description of the board");
    EXPECT_STREQ(GetSerNum(), "A1B2C3");
    EXPECT_EQ(GetSubAddress() & 0xFF, 0xC8);
    EXPECT_EQ(GetIOMode(), 4);
    EXPECT_EQ(GetWordSize(), 2);
    EXPECT_EQ(GetStartVal(), 0x1F);
    EXPECT_EQ(GetIncrement(), 256);
    EXPECT_EQ(GetWordCount(), 65536);
    EXPECT_EQ(GetPatternPos(), static_cast<int>(0xAA55AA55u));
    EXPECT_EQ(GetLoopTime(), 1000);
    EXPECT_EQ(GetLoopTimePos(), 8);
    EXPECT_EQ(GetLatTimer(), 255);
    EXPECT_EQ(GetTxTimeout(), 10000);
    EXPECT_EQ(GetRxTimeout(), 1);
    EXPECT_EQ(GetTxBuffer(), 512);
    EXPECT_EQ(GetRxBuffer(), 65536);
    EXPECT_EQ(GetShowEpromState(), 1);
    EXPECT_EQ(GetPrintState(), 0);
    EXPECT_EQ(IsMSBFirst(), 1);
    EXPECT_EQ(GetShortPrint(), 0);

    // The pattern start value and an empty serial number.
    SetStartVal(0x55AA55AA);
    SetSerNum("");
    ASSERT_NE(SaveConfig(), 0);
    EXPECT_NE(ReadFile().find("\nNONE\n"), std::string::npos);
    EXPECT_NE(ReadFile().find("\n55AA55AA\n"), std::string::npos);
    ReadConfig();
    EXPECT_EQ(GetStartVal(), 0x55AA55AA);
    EXPECT_STREQ(GetSerNum(), "");
}

// Fails when reading does not start from the defaults, or a value some later code relies on
// (word size, word count, loop time, time-outs, transfer sizes) is taken outside its range,
// or a value that only its control limits (latency, I/O mode) is checked after all.
TEST_F(ConfigFile, ReadResetsFirstAndKeepsDefaultsForValuesOutOfRange) {
    InitTestBoard();
    SetUsbId(5);
    SetPatternMode(1);
    SetLoopState(1);
    WriteFile(
        "Dev\nS1\n0\n7\n3\n00000000\n1\n10001\n0\n0\n0\n300\n0\nffffffff\n0\n-4\n0\n1\n0\n1\n");
    ASSERT_NE(ReadConfig(), 0);
    EXPECT_EQ(GetUsbId(), -1);
    EXPECT_EQ(GetPatternMode(), 0);
    EXPECT_EQ(GetLoopState(), 0);
    EXPECT_EQ(GetIOMode(), 7);
    EXPECT_EQ(GetLatTimer(), 300);
    EXPECT_EQ(GetWordSize(), 0);
    EXPECT_EQ(GetWordCount(), 1);
    EXPECT_EQ(GetLoopTime(), 2);
    EXPECT_EQ(GetTxTimeout(), 1000);
    EXPECT_EQ(GetRxTimeout(), 1000);
    EXPECT_EQ(GetTxBuffer(), 4096);
    EXPECT_EQ(GetRxBuffer(), 32768);
    EXPECT_STREQ(GetConfigProblem(), "");

    // The ends of each range are taken.
    WriteFile("Dev\nS1\n0\n0\n2\n00000000\n1\n10000\n0\n1\n0\n2\n1\n1\n1\n1\n0\n1\n0\n1\n");
    ReadConfig();
    EXPECT_EQ(GetWordSize(), 2);
    EXPECT_EQ(GetWordCount(), 65536);
    EXPECT_EQ(GetLoopTime(), 1);
    EXPECT_EQ(GetTxTimeout(), 1);
    EXPECT_EQ(GetRxTimeout(), 1);
    EXPECT_EQ(GetTxBuffer(), 1);
    EXPECT_EQ(GetRxBuffer(), 1);
    WriteFile("Dev\nS1\n0\n0\n1\n00000000\n1\n0\n");
    ReadConfig();
    EXPECT_EQ(GetWordSize(), 1);
    EXPECT_EQ(GetWordCount(), 0);
}

// Fails when a missing, empty or truncated file changes a value it does not hold.
TEST_F(ConfigFile, MissingEmptyOrTruncatedFileKeepsDefaults) {
    SetLatTimer(77);
    EXPECT_EQ(ReadConfig(), 0);
    ExpectDefaultsFromLine(1);

    WriteFile("");
    ReadConfig();
    ExpectDefaultsFromLine(1);

    // Truncated after each line, with and without the last line end.
    const std::string full =
        "Dev\nS1\n5\n3\n1\n00000009\n4\n10\n1\n14\n3\n9\n64\n64\n800\n400\n1\n0\n1\n0\n";
    std::vector<size_t> lineEnds;
    for (size_t i = 0; i < full.size(); ++i)
        if (full[i] == '\n') lineEnds.push_back(i);
    for (int kept = 1; kept < 20; ++kept) {
        size_t end = lineEnds[static_cast<size_t>(kept) - 1];
        WriteFile(full.substr(0, end + 1));
        ReadConfig();
        SCOPED_TRACE("lines kept: " + std::to_string(kept));
        ExpectDefaultsFromLine(kept + 1);
        EXPECT_STREQ(GetDevDesc(), "Dev");
        if (kept >= 2) {
            EXPECT_STREQ(GetSerNum(), "S1");
        }
        if (kept >= 12) {
            EXPECT_EQ(GetLatTimer(), 9);
        }
    }
    WriteFile(full.substr(0, full.size() - 1));
    ReadConfig();
    EXPECT_EQ(GetShortPrint(), 0);
}

// Fails when an unreadable value is stored as garbage instead of keeping its default, or a
// bad line shifts the following values.
TEST_F(ConfigFile, MalformedLinesKeepTheirDefaults) {
    WriteFile("Dev\nS1\nzz\n3\n\n00000009\n-\n10\n1\n14\n3\nxyz\n64\n64\n800\n400\n1\n0\n1\n0\n");
    ReadConfig();
    EXPECT_EQ(GetSubAddress(), 0);
    EXPECT_EQ(GetIOMode(), 3);
    EXPECT_EQ(GetWordSize(), 0);
    EXPECT_EQ(GetStartVal(), 9);
    EXPECT_EQ(GetIncrement(), 1);
    EXPECT_EQ(GetWordCount(), 0x10);
    EXPECT_EQ(GetLatTimer(), 2);
    EXPECT_EQ(GetTxTimeout(), 0x64);
    EXPECT_EQ(GetShortPrint(), 0);
}

// Fails when the first line is cut wrongly: an overlong line spilling into the serial
// number, a CRLF line end kept, or the last character of a line without a line end lost.
TEST_F(ConfigFile, FirstLineIsTakenWholeAndCut) {
    std::string longLine(100, 'x');
    WriteFile(longLine + "\nSER1\n");
    ReadConfig();
    EXPECT_EQ(std::string(GetDevDesc()), std::string(64, 'x'));
    EXPECT_STREQ(GetSerNum(), "SER1");

    std::string line63(63, 'y');
    WriteFile(line63 + "\nSER2\n");
    ReadConfig();
    EXPECT_EQ(std::string(GetDevDesc()), line63);
    EXPECT_STREQ(GetSerNum(), "SER2");

    WriteFile("Windows Board\r\nWIN1\r\n1f\r\n");
    ReadConfig();
    EXPECT_STREQ(GetDevDesc(), "Windows Board");
    EXPECT_STREQ(GetSerNum(), "WIN1");
    EXPECT_EQ(GetSubAddress(), 0x1F);

    WriteFile("One line only");
    ReadConfig();
    EXPECT_STREQ(GetDevDesc(), "One line only");
    EXPECT_STREQ(GetSerNum(), "");
}

// Fails when a long serial-number word overflows its field or junk bytes crash the reader.
TEST_F(ConfigFile, LongSerialAndBinaryJunkStayInBounds) {
    WriteFile("Dev\nABCDEFGHIJKLMNOP rest\n");
    ReadConfig();
    EXPECT_STREQ(GetSerNum(), "ABCDEFGHI");

    std::string junk;
    for (int i = 0; i < 4096; ++i)
        junk.push_back(static_cast<char>((i * 7919) & 0xFF));
    WriteFile(junk);
    ReadConfig();
    EXPECT_LE(std::string(GetDevDesc()).size(), 64u);
    EXPECT_LE(std::string(GetSerNum()).size(), 9u);
}
