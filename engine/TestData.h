// Test data: the generated block of a transfer test and the byte reversals that give words
// their byte order.
#pragma once

// Bytes per word of the current settings: 4 in pattern mode, else 1, 2 or 4 for word size 0, 1
// or any other value. The transfer tests size their blocks by it and the dump shows words of it.
int BytesPerWord(void);

// Fills `buffer` with GetWordCount() bytes (the byte count during a transfer test): the start
// value plus i times the increment for word i, 8, 16 or 32 bits wide, in the chosen byte order;
// in pattern mode the 32-bit start value repeated. A count that is not a multiple of the word
// width leaves the trailing bytes untouched.
void FillBuffer(unsigned char* buffer);

// Exchanges the two bytes in place.
void SwapShort(unsigned char* bytes);
// Reverses the four bytes in place.
void SwapLong(unsigned char* bytes);
