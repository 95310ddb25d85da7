// Test data generation: the example blocks, wrap-around, byte order, pattern mode.
#include "core/Kestrel_core.h"
#include "engine/TestData.h"
#include "tests/engine/Settings.h"

#include <gtest/gtest.h>

#include <vector>

// Fails when a word is built with the wrong value, width or byte order, the increment does not
// wrap as 32-bit two's complement, the words do not wrap at their width, a negative increment
// does not count down, a start value wider than the word leaks into the next byte, pattern mode
// keeps the word size or the increment, byte order changes 8-bit words, or a count of 0 or a
// trailing partial word writes bytes (the block sits in 0xEE bytes so that any such byte shows).
TEST(FillBuffer, Blocks) {
    using Bytes = std::vector<unsigned char>;
    const struct {
        int wordSize, start, increment, msbFirst, pattern, byteCount;
        Bytes block;
    } cases[] = {
        {1, 0x1234, 1, 0, 0, 4, {0x34, 0x12, 0x35, 0x12}},
        {1, 0x1234, 1, 1, 0, 4, {0x12, 0x34, 0x12, 0x35}},
        {2, 0x00AA00AA, 0x10, 1, 0, 8, {0x00, 0xAA, 0x00, 0xAA, 0x00, 0xAA, 0x00, 0xBA}},
        {2, static_cast<int>(0xFF00FF00), 7, 0, 1, 8, {0, 0xFF, 0, 0xFF, 0, 0xFF, 0, 0xFF}},
        {0, 0x01, -1, 0, 0, 4, {0x01, 0x00, 0xFF, 0xFE}},
        // clang-format off
        {2, 0x7FFFFFFF, 0x7FFFFFFF, 1, 0, 12,
         {0x7F, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0x7F, 0xFF, 0xFF, 0xFD}},
        // clang-format on
        {0, 0x55AA55AA, 3, 0, 1, 8, {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55}},
        {1, 0x55AA55AA, 3, 1, 1, 8, {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA}},
        {0, 0x10, 2, 1, 0, 3, {0x10, 0x12, 0x14}},
        {0, 0x10, 1, 0, 0, 0, {}},
        // 5 bytes of 16-bit words: two words, the fifth byte left alone; 6 bytes of 32-bit
        // words: one word.
        {1, 0x0102, 1, 0, 0, 5, {0x02, 0x01, 0x03, 0x01, 0xEE}},
        {2, 0x01020304, 1, 0, 0, 6, {4, 3, 2, 1, 0xEE, 0xEE}},
        // A word size outside 0 to 2 makes 32-bit words.
        {3, 0x01020304, 1, 0, 0, 4, {4, 3, 2, 1}},
    };
    for (const auto& c : cases) {
        InitTestBoard();
        Apply(SetWordSize, c.wordSize, SetStartVal, c.start, SetIncrement, c.increment, SetMSBFirst,
              c.msbFirst, SetPatternMode, c.pattern, SetWordCount, c.byteCount);
        Bytes block(static_cast<size_t>(c.byteCount) + 4, 0xEE);
        FillBuffer(block.data());
        Bytes expected = c.block;
        expected.insert(expected.end(), 4, 0xEE);
        EXPECT_EQ(block, expected) << "word size " << c.wordSize << ", start " << c.start;
    }
}
