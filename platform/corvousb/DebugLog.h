// The debug log: a text file of library calls and a binary capture of the framed stream.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string_view>

namespace corvousb {

inline constexpr const char* kTextLogName = "USB_LogFile.txt";
inline constexpr const char* kCaptureName = "USB_LogFile2.bin";
// The capture stops growing at this size, so a long loop cannot fill the disk.
inline constexpr std::size_t kCaptureLimit = std::size_t{64} << 20;

class DebugLog {
  public:
    // Opens (truncating) both files in the working directory; true when they are open.
    bool open();
    void close();
    bool isOpen() const { return text_ != nullptr; }
    void line(std::string_view text);
    void capture(std::span<const std::uint8_t> bytes);

  private:
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> text_, capture_;
    std::size_t captured_ = 0;
};

} // namespace corvousb
