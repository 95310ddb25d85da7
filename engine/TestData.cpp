// Test data generation and the byte reversals of 16- and 32-bit words.
#include "engine/TestData.h"

#include "core/Kestrel_core.h"
#include "engine/DataCheck.h"

#include <cstring>

int BytesPerWord(void) {
    if (GetPatternMode() != 0) return 4;
    switch (GetWordSize()) {
    case 0:
        return 1;
    case 1:
        return 2;
    default:
        return 4;
    }
}

void SwapShort(unsigned char* bytes) {
    unsigned char b = bytes[0];
    bytes[0] = bytes[1];
    bytes[1] = b;
}

void SwapLong(unsigned char* bytes) {
    unsigned char b = bytes[0];
    bytes[0] = bytes[3];
    bytes[3] = b;
    b = bytes[1];
    bytes[1] = bytes[2];
    bytes[2] = b;
}

void FillBuffer(unsigned char* buffer) {
    const int count = GetWordCount();
    if (FillCheckData(buffer, count)) return;
    // Unsigned arithmetic gives the 32-bit two's-complement wrap-around without overflow.
    const unsigned start = static_cast<unsigned>(GetStartVal());
    const unsigned step = GetPatternMode() != 0 ? 0u : static_cast<unsigned>(GetIncrement());
    const int width = BytesPerWord();
    const int msbFirst = IsMSBFirst();

    for (int i = 0; i + width <= count; i += width) {
        const unsigned value = start + static_cast<unsigned>(i / width) * step;
        unsigned char word[4] = {
            static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
            static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
        if (msbFirst && width == 2) SwapShort(word);
        if (msbFirst && width == 4) SwapLong(word);
        memcpy(buffer + i, word, static_cast<size_t>(width));
    }
}
