// The data dump: line layout, short print, word widths and byte order, as the information box
// shows them.
#include "tests/support/EngineSession.h"

#include "engine/DataDump.h"
#include "tests/engine/Settings.h"

#include <numeric>

namespace {

// A dump line of the bytes from..to (inclusive) of a block counting from 0.
std::string ByteLine(int from, int to) {
    char text[16];
    std::snprintf(text, sizeof text, "\n%08X> ", from);
    std::string line = text;
    for (int v = from; v <= to; ++v, line += text)
        std::snprintf(text, sizeof text, "%02X ", v);
    return line;
}

} // namespace

// Fails when a dump differs by one character from the documented layout: the 40-byte
// short-print example, short print with 16, 17 to 32 and 48 words, 16- and 32-bit words in
// either byte order, pattern mode and an unknown word size as 32-bit words, a trailing partial
// word, an empty block; or when printing off or a null block prints anything.
TEST_F(EngineSession, DumpLayouts) {
    unsigned char counting[48];
    std::iota(std::begin(counting), std::end(counting), 0);
    const unsigned char words[12] = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0, 1, 2, 3, 4};
    const unsigned char *const n = counting, *const w = words;
    const struct {
        int wordSize, bytes, shortPrint, msbFirst, pattern, print;
        const unsigned char* block;
        std::string text;
    } cases[] = {
        {0, 40, 1, 0, 0, 1, n,
         "\n**** Start of dump\n00000000> 00 01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F "
         "\n...18 19 1A 1B 1C 1D 1E 1F \n00000020> 20 21 22 23 24 25 26 27 \n**** End of dump\n\n"},
        {0, 40, 0, 0, 0, 1, n, Dump(ByteLine(0, 15) + ByteLine(16, 31) + ByteLine(32, 39))},
        {0, 20, 1, 0, 0, 1, n, Dump(ByteLine(0, 15) + "\n..." + ByteLine(16, 19))},
        {0, 48, 1, 0, 0, 1, n, Dump(ByteLine(0, 15) + "\n..." + ByteLine(32, 47))},
        {0, 16, 1, 0, 0, 1, n, Dump(ByteLine(0, 15))},
        {1, 11, 0, 1, 0, 1, w, Dump("\n00000000> 1234 5678 9ABC DEF0 0102 ")},
        {2, 12, 0, 1, 0, 1, w, Dump("\n00000000> 12345678 9ABCDEF0 01020304 ")},
        {2, 20, 0, 0, 0, 1, n,
         Dump("\n00000000> 03020100 07060504 0B0A0908 0F0E0D0C \n00000004> 13121110 ")},
        {0, 8, 0, 0, 1, 1, w, Dump("\n00000000> 78563412 F0DEBC9A ")},
        {7, 8, 0, 0, 0, 1, w, Dump("\n00000000> 78563412 F0DEBC9A ")},
        {2, 3, 0, 0, 0, 1, w, Dump("")},
        {0, 16, 0, 0, 0, 1, nullptr, ""},
        {0, 16, 0, 0, 0, 0, w, ""},
    };
    RunStep([&] {
        for (const auto& c : cases) {
            SCOPED_TRACE(c.text);
            Apply(SetPrintState, c.print, SetWordSize, c.wordSize, SetWordCount, c.bytes,
                  SetShortPrint, c.shortPrint, SetMSBFirst, c.msbFirst, SetPatternMode, c.pattern);
            ClearInfo();
            PrintData(c.block);
            EXPECT_EQ(Info(), c.text);
        }
    });
}
