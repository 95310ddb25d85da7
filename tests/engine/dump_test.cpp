// The data dump: line layout, short print, word widths and byte order, as the information box
// shows them.
#include "engine_session.h"

#include "engine/DataDump.h"

#include <numeric>

namespace {

std::vector<unsigned char> Counting(int bytes) {
    std::vector<unsigned char> block(static_cast<size_t>(bytes));
    std::iota(block.begin(), block.end(), 0);
    return block;
}

// Sets the dump's settings; `bytes` is the byte count of the block (word-count convention).
void DumpSettings(int wordSize, int bytes, int shortPrint, int msbFirst = 0) {
    SetPrintState(1);
    SetPatternMode(0);
    SetWordSize(wordSize);
    SetWordCount(bytes);
    SetShortPrint(shortPrint);
    SetMSBFirst(msbFirst);
}

const std::string kStart = "\n**** Start of dump";
const std::string kEnd = "\n**** End of dump\n\n";

} // namespace

// Fails when the short print of 40 bytes differs by one byte from the documented text: the
// gap's words continue the "..." line until the next address.
TEST_F(EngineSession, ShortPrintOfFortyBytes) {
    RunStep([] {
        auto block = Counting(40);
        DumpSettings(0, 40, 1);
        ClearInfo();
        PrintData(block.data());
        EXPECT_EQ(Info(), "\n**** Start of dump"
                          "\n00000000> 00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F "
                          "\n..."
                          "18 19 1A 1B 1C 1D 1E 1F "
                          "\n00000020> 20 21 22 23 24 25 26 27 "
                          "\n**** End of dump\n\n");

        DumpSettings(0, 40, 0);
        ClearInfo();
        PrintData(block.data());
        EXPECT_EQ(Info(), kStart + "\n00000000> " + HexBytes(0x00, 0x0F) + "\n00000010> " +
                              HexBytes(0x10, 0x1F) + "\n00000020> " + HexBytes(0x20, 0x27) + kEnd);
    });
}

// Fails when short print skips words it should show, or misses the "..." line, for 17 to 32
// words and for 48 bytes; or when 16 words or fewer differ from the full dump.
TEST_F(EngineSession, ShortPrintBoundaries) {
    RunStep([] {
        auto block = Counting(48);
        DumpSettings(0, 20, 1);
        ClearInfo();
        PrintData(block.data());
        EXPECT_EQ(Info(), kStart + "\n00000000> " + HexBytes(0x00, 0x0F) + "\n..." +
                              "\n00000010> " + HexBytes(0x10, 0x13) + kEnd);

        DumpSettings(0, 32, 1);
        ClearInfo();
        PrintData(block.data());
        EXPECT_EQ(Info(), kStart + "\n00000000> " + HexBytes(0x00, 0x0F) + "\n..." +
                              "\n00000010> " + HexBytes(0x10, 0x1F) + kEnd);

        DumpSettings(0, 48, 1);
        ClearInfo();
        PrintData(block.data());
        EXPECT_EQ(Info(), kStart + "\n00000000> " + HexBytes(0x00, 0x0F) + "\n..." +
                              "\n00000020> " + HexBytes(0x20, 0x2F) + kEnd);

        DumpSettings(0, 16, 1);
        ClearInfo();
        PrintData(block.data());
        const std::string shortSixteen = Info();
        DumpSettings(0, 16, 0);
        ClearInfo();
        PrintData(block.data());
        EXPECT_EQ(shortSixteen, Info());
        EXPECT_EQ(shortSixteen, kStart + "\n00000000> " + HexBytes(0x00, 0x0F) + kEnd);
    });
}

// Fails when 16- or 32-bit words are read in the wrong byte order, numbered by byte offset
// instead of word index, or a trailing partial word is shown.
TEST_F(EngineSession, WordWidthsAndByteOrder) {
    RunStep([] {
        const unsigned char block[20] = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0, 1,  2,
                                         3,    4,    5,    6,    7,    8,    9,    10,   11, 12};
        DumpSettings(1, 19, 0, 1);
        ClearInfo();
        PrintData(block);
        EXPECT_EQ(Info(), kStart +
                              "\n00000000> 1234 5678 9ABC DEF0 0102 0304 0506 0708 "
                              "\n00000008> 090A " +
                              kEnd);
        DumpSettings(1, 4, 0, 0);
        ClearInfo();
        PrintData(block);
        EXPECT_EQ(Info(), kStart + "\n00000000> 3412 7856 " + kEnd);

        DumpSettings(2, 20, 0, 1);
        ClearInfo();
        PrintData(block);
        EXPECT_EQ(Info(), kStart +
                              "\n00000000> 12345678 9ABCDEF0 01020304 05060708 "
                              "\n00000004> 090A0B0C " +
                              kEnd);
        // Pattern mode shows 32-bit words whatever the word size, as does a word size
        // outside 0 to 2.
        DumpSettings(0, 8, 0, 0);
        SetPatternMode(1);
        ClearInfo();
        PrintData(block);
        EXPECT_EQ(Info(), kStart + "\n00000000> 78563412 F0DEBC9A " + kEnd);
        DumpSettings(7, 8, 0, 0);
        ClearInfo();
        PrintData(block);
        EXPECT_EQ(Info(), kStart + "\n00000000> 78563412 F0DEBC9A " + kEnd);
        // The block itself is not changed by a dump in MSB-first order.
        EXPECT_EQ(block[0], 0x12);
        EXPECT_EQ(block[3], 0x78);
    });
}

// Fails when printing off or a null block prints anything, or an empty block lacks the
// markers.
TEST_F(EngineSession, NothingPrintedAndEmptyBlocks) {
    RunStep([] {
        auto block = Counting(16);
        DumpSettings(0, 16, 0);
        SetPrintState(0);
        ClearInfo();
        PrintData(block.data());
        SetPrintState(1);
        PrintData(nullptr);
        EXPECT_EQ(Info(), "");

        DumpSettings(0, 0, 0);
        PrintData(block.data());
        DumpSettings(2, 3, 0);
        PrintData(block.data());
        EXPECT_EQ(Info(), kStart + kEnd + kStart + kEnd);
    });
}
