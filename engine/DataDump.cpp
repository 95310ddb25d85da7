// PrintData: the hexadecimal dump of a test block, line by line through InfoPrintf.
#include "engine/DataDump.h"

#include "core/Kestrel_core.h"
#include "engine/TestData.h"
#include "ui/Output.h"

#include <cstring>

namespace {

// The line being built: at most one line start and a line's worth of words (59 characters).
struct DumpLine {
    char text[256];
    size_t used;
    int items;
};

void Append(DumpLine* line, const char* text, size_t length) {
    if (length >= sizeof line->text - line->used) return; // never happens: a line is short
    memcpy(line->text + line->used, text, length);
    line->used += length;
    line->text[line->used] = '\0';
}

// Appends `digits` upper-case hexadecimal digits of value followed by `tail`, as "%0<digits>X"
// would print them.
void AppendHex(DumpLine* line, unsigned value, int digits, const char* tail) {
    static const char kDigits[] = "0123456789ABCDEF";
    char text[8];
    for (int d = digits - 1; d >= 0; --d, value >>= 4)
        text[d] = kDigits[value & 0xF];
    Append(line, text, static_cast<size_t>(digits));
    Append(line, tail, strlen(tail));
}

void Flush(DumpLine* line) {
    InfoPrintf("%s", line->text);
    line->text[0] = '\0';
    line->used = 0;
    line->items = 0;
}

// The word of `width` bytes at index i, read most significant byte first when asked.
unsigned WordAt(const unsigned char* block, int i, int width, int msbFirst) {
    unsigned char word[4] = {0, 0, 0, 0};
    memcpy(word, block + static_cast<size_t>(i) * static_cast<size_t>(width),
           static_cast<size_t>(width));
    if (msbFirst && width == 2) SwapShort(word);
    if (msbFirst && width == 4) SwapLong(word);
    return word[0] | word[1] << 8 | word[2] << 16 | static_cast<unsigned>(word[3]) << 24;
}

} // namespace

void PrintData(const unsigned char* block) {
    if (GetPrintState() == 0 || block == nullptr) return;

    // Words are as wide as the bytes-per-word rule says: pattern mode and any word size other
    // than 8 or 16 bits show 32-bit words.
    const int width = BytesPerWord();
    const int perLine = 16 / width;
    const int words = GetWordCount() / width;
    const int msbFirst = IsMSBFirst();
    const int shortPrint = GetShortPrint();
    DumpLine line = {{'\0'}, 0, 0};

    InfoPrintf("\n**** Start of dump");
    for (int i = 0; i < words; ++i) {
        if (shortPrint) {
            if (i == 16) InfoPrintf("\n...");
            if (i > 15 && i < words - 16) continue;
        }
        // A line opens at each index that is a multiple of the words per line; the address is
        // the word index, not a byte offset.
        if (i % perLine == 0) {
            Append(&line, "\n", 1);
            AppendHex(&line, static_cast<unsigned>(i), 8, "> ");
        }
        AppendHex(&line, WordAt(block, i, width, msbFirst), 2 * width, " ");
        // Lines are flushed by the number of words they hold, so after the short-print gap the
        // words shown continue the "..." line until the next line start.
        if (++line.items == perLine) Flush(&line);
    }
    Flush(&line);
    InfoPrintf("\n**** End of dump\n\n");
}
