// Reading a small input file whole without blocking on a FIFO or device, up to a size bound.
#pragma once

#include <cstddef>
#include <string>

namespace batch {

// Reads `path` into `text` when it is a regular file of at most `maxBytes`. Returns "" or why
// it cannot be read.
std::string ReadBoundedFile(const std::string& path, std::size_t maxBytes, std::string& text);

} // namespace batch
