// The hexadecimal dump of a test block into the information box.
#pragma once

// Dumps the first GetWordCount() bytes of `block` (the byte count during a transfer test) as
// 8-, 16- or 32-bit words in the chosen byte order, one address-prefixed line per 16, 8 or 4
// words; short print shows only the first and the last 16 words. Prints nothing when printing
// is off or the block is null. The block is left unchanged.
void PrintData(const unsigned char* block);
