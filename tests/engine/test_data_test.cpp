// Test data generation: the example blocks, wrap-around, byte order, pattern mode.
#include "core/Kestrel_core.h"
#include "engine/TestData.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

struct Settings {
    int wordSize;
    int start;
    int increment;
    int msbFirst;
    int pattern;
    int byteCount;
};

// The block FillBuffer writes for the settings, in a buffer of byteCount + 4 bytes of 0xEE so
// that bytes written beyond the count show.
Bytes Generate(const Settings& s) {
    InitTestBoard();
    SetWordSize(s.wordSize);
    SetStartVal(s.start);
    SetIncrement(s.increment);
    SetMSBFirst(s.msbFirst);
    SetPatternMode(s.pattern);
    SetWordCount(s.byteCount);
    Bytes block(static_cast<size_t>(s.byteCount) + 4, 0xEE);
    FillBuffer(block.data());
    return block;
}

Bytes Padded(Bytes b) {
    b.insert(b.end(), 4, 0xEE);
    return b;
}

} // namespace

// Fails when a word is built with the wrong value, width or byte order, or the increment does
// not wrap as 32-bit two's complement.
TEST(FillBuffer, ExampleBlocks) {
    EXPECT_EQ(Generate({0, 0xFE, 1, 0, 0, 4}), Padded({0xFE, 0xFF, 0x00, 0x01}));
    EXPECT_EQ(Generate({1, 0x1234, 1, 0, 0, 4}), Padded({0x34, 0x12, 0x35, 0x12}));
    EXPECT_EQ(Generate({1, 0x1234, 1, 1, 0, 4}), Padded({0x12, 0x34, 0x12, 0x35}));
    EXPECT_EQ(Generate({2, 0x00AA00AA, 0x10, 1, 0, 8}),
              Padded({0x00, 0xAA, 0x00, 0xAA, 0x00, 0xAA, 0x00, 0xBA}));
    EXPECT_EQ(Generate({2, static_cast<int>(0xFF00FF00), 7, 0, 1, 8}),
              Padded({0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0xFF}));
}

// Fails when the words do not wrap at their width, a negative increment does not count down,
// or a start value wider than the word leaks into the next byte.
TEST(FillBuffer, WrapAroundAndNarrowing) {
    EXPECT_EQ(Generate({1, 0xFFFF, 1, 0, 0, 4}), Padded({0xFF, 0xFF, 0x00, 0x00}));
    EXPECT_EQ(Generate({0, 0xFF, 1, 0, 0, 2}), Padded({0xFF, 0x00}));
    EXPECT_EQ(Generate({0, 0x01, -1, 0, 0, 4}), Padded({0x01, 0x00, 0xFF, 0xFE}));
    EXPECT_EQ(Generate({0, 0x1234, 1, 0, 0, 2}), Padded({0x34, 0x35}));
    EXPECT_EQ(Generate({2, -1, 1, 0, 0, 8}), Padded({0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0}));
    EXPECT_EQ(Generate({2, 0x7FFFFFFF, 0x7FFFFFFF, 1, 0, 12}),
              Padded({0x7F, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0x7F, 0xFF, 0xFF, 0xFD}));
}

// Fails when pattern mode keeps the word size or the increment, when byte order changes 8-bit
// words, or when a count of 0 or a trailing partial word writes bytes.
TEST(FillBuffer, PatternModeByteOrderAndCounts) {
    const Bytes pattern = Padded({0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55});
    EXPECT_EQ(Generate({0, 0x55AA55AA, 3, 0, 1, 8}), pattern);
    EXPECT_EQ(Generate({1, 0x55AA55AA, 3, 0, 1, 8}), pattern);
    EXPECT_EQ(Generate({1, 0x55AA55AA, 3, 1, 1, 8}),
              Padded({0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA}));
    EXPECT_EQ(Generate({0, 0x10, 2, 1, 0, 3}), Generate({0, 0x10, 2, 0, 0, 3}));
    EXPECT_EQ(Generate({0, 0x10, 1, 0, 0, 0}), Bytes(4, 0xEE));
    // 5 bytes of 16-bit words: two words, the fifth byte left alone; 6 bytes of 32-bit words:
    // one word.
    EXPECT_EQ(Generate({1, 0x0102, 1, 0, 0, 5}), Padded({0x02, 0x01, 0x03, 0x01, 0xEE}));
    EXPECT_EQ(Generate({2, 0x01020304, 1, 0, 0, 6}), Padded({4, 3, 2, 1, 0xEE, 0xEE}));
    // A word size outside 0 to 2 makes 32-bit words.
    EXPECT_EQ(Generate({3, 0x01020304, 1, 0, 0, 4}), Padded({4, 3, 2, 1}));
}
