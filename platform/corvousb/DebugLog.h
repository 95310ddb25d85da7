// The debug log: a text file of library calls and a binary capture of the framed stream.
#pragma once

#include "platform/corvousb/CorvoUsb.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string_view>

namespace corvousb {

inline constexpr const char* kTextLogName = "USB_LogFile.txt";
inline constexpr const char* kCaptureName = "USB_LogFile2.bin";
// Both files stop growing at these sizes per opening, so a long loop cannot fill the disk.
inline constexpr std::size_t kTextLogLimit = std::size_t{64} << 20;
inline constexpr std::size_t kCaptureLimit = CORVOUSB_CAPTURE_MAX_BYTES;
// The text log's last line when it reaches its limit.
inline constexpr std::string_view kTextLogFull = "(log full: later calls are not logged)";

class DebugLog {
  public:
    // Opens (truncating) both files in the working directory; true when they are open. A
    // non-empty previous file is first renamed "<name>.1" (replacing the older one). A name
    // that is a symbolic link or not a regular file is refused (nothing is truncated through it).
    bool open();
    void close();
    bool isOpen() const { return text_ != nullptr; }
    // Appends one line to the text log; whole lines only, up to the limit.
    void line(std::string_view text);
    void capture(std::span<const std::uint8_t> bytes);
    // Changes the limits (test seam; the defaults are kTextLogLimit and kCaptureLimit).
    void setLimits(std::size_t textBytes, std::size_t captureBytes);

  private:
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> text_, capture_;
    std::size_t written_ = 0, captured_ = 0;
    bool full_ = false;
    std::size_t textLimit_ = kTextLogLimit, captureLimit_ = kCaptureLimit;
};

} // namespace corvousb
