// Opening and reading the library's files safely: no links followed, no blocking, bounded reads.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace corvousb {

// Opens `path` for writing, truncated, creating it with mode 0666 less the umask. Refuses a
// symbolic link (not followed), and anything that is not a regular file (a FIFO or a device
// never blocks the call). Returns the descriptor, or -1 with errno set.
int OpenForWriting(const char* path);

enum class ReadResult { Ok, Missing, Refused };

// Reads a whole regular file of at most `limit` bytes into `text`. Missing: the file does not
// exist. Refused: anything else that stops the read (not a regular file, too large, no
// permission), with `problem` saying why: "cannot be read (REASON)".
ReadResult ReadTextFile(const std::string& path, std::size_t limit, std::string& text,
                        std::string& problem);

// The text with every byte outside printable ASCII written as \xNN, so that a line copied to a
// terminal cannot drive it.
std::string Printable(std::string_view text);

// Prints "CorvoUsb: PATH: PROBLEM (ignored)" on the standard error, both made printable.
void ReportFileProblem(std::string_view path, std::string_view problem);

} // namespace corvousb
