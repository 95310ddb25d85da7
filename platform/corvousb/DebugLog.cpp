// The debug log files.
#include "platform/corvousb/DebugLog.h"

#include <algorithm>

namespace corvousb {

bool DebugLog::open() {
    if (isOpen()) return true;
    std::unique_ptr<std::FILE, Closer> text(std::fopen(kTextLogName, "w"));
    std::unique_ptr<std::FILE, Closer> capture(std::fopen(kCaptureName, "wb"));
    if (!text || !capture) return false;
    text_ = std::move(text);
    capture_ = std::move(capture);
    captured_ = 0;
    return true;
}

void DebugLog::close() {
    text_.reset();
    capture_.reset();
}

void DebugLog::line(std::string_view text) {
    if (!text_) return;
    std::fwrite(text.data(), 1, text.size(), text_.get());
    std::fputc('\n', text_.get());
    std::fflush(text_.get());
}

void DebugLog::capture(std::span<const std::uint8_t> bytes) {
    if (!capture_) return;
    const std::size_t n = std::min(bytes.size(), kCaptureLimit - captured_);
    if (n == 0) return;
    std::fwrite(bytes.data(), 1, n, capture_.get());
    std::fflush(capture_.get());
    captured_ += n;
}

} // namespace corvousb
