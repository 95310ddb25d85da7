// The debug log files.
#include "platform/corvousb/DebugLog.h"

#include "platform/corvousb/Files.h"

#include <algorithm>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace corvousb {

namespace {

// Opens a log file without following a link; null when refused.
std::FILE* OpenLogFile(const char* name) {
    const int fd = OpenForWriting(name);
    if (fd < 0) return nullptr;
    std::FILE* file = ::fdopen(fd, "w");
    if (file == nullptr) ::close(fd);
    return file;
}

// Keeps the previous log as "<name>.1", one older generation, so that reconnecting after a
// failure does not wipe the evidence. Only a regular file with something in it is kept: an
// empty one would push out the older evidence for nothing.
void KeepPrevious(const char* name) {
    struct stat st;
    if (::lstat(name, &st) != 0 || !S_ISREG(st.st_mode) || st.st_size == 0) return;
    ::rename(name, (std::string(name) + ".1").c_str());
}

} // namespace

bool DebugLog::open() {
    if (isOpen()) return true;
    KeepPrevious(kTextLogName);
    KeepPrevious(kCaptureName);
    std::unique_ptr<std::FILE, Closer> text(OpenLogFile(kTextLogName));
    if (!text) return false;
    std::unique_ptr<std::FILE, Closer> capture(OpenLogFile(kCaptureName));
    if (!capture) return false;
    text_ = std::move(text);
    capture_ = std::move(capture);
    written_ = 0;
    captured_ = 0;
    full_ = false;
    return true;
}

void DebugLog::close() {
    text_.reset();
    capture_.reset();
}

void DebugLog::line(std::string_view text) {
    if (!text_ || full_) return;
    // Room is kept for the closing line, so the file never passes its limit.
    if (written_ + text.size() + 1 + kTextLogFull.size() + 1 > textLimit_) {
        full_ = true;
        text = kTextLogFull;
    }
    std::fwrite(text.data(), 1, text.size(), text_.get());
    std::fputc('\n', text_.get());
    std::fflush(text_.get());
    written_ += text.size() + 1;
}

void DebugLog::capture(std::span<const std::uint8_t> bytes) {
    if (!capture_) return;
    const std::size_t n =
        std::min(bytes.size(), captureLimit_ - std::min(captured_, captureLimit_));
    if (n == 0) return;
    std::fwrite(bytes.data(), 1, n, capture_.get());
    std::fflush(capture_.get());
    captured_ += n;
}

void DebugLog::setLimits(std::size_t textBytes, std::size_t captureBytes) {
    textLimit_ = textBytes;
    captureLimit_ = captureBytes;
}

} // namespace corvousb
