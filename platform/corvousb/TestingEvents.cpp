// The test seam's device events: a pipe the seam writes one byte into per event.
#include "platform/corvousb/CorvoUsbTesting.h"
#include "platform/corvousb/Library.h"

#include <fcntl.h>
#include <unistd.h>

namespace corvousb {

namespace {

// The write end of the open seam source, -1 when there is none or it was broken.
int& WriteEnd() {
    static int fd = -1;
    return fd;
}

void CloseWriteEnd() {
    if (WriteEnd() >= 0) ::close(WriteEnd());
    WriteEnd() = -1;
}

class PipeEvents final : public DeviceEvents {
  public:
    explicit PipeEvents(int readEnd) : read_(readEnd) {}
    ~PipeEvents() override {
        ::close(read_);
        CloseWriteEnd();
    }
    PipeEvents(const PipeEvents&) = delete;
    PipeEvents& operator=(const PipeEvents&) = delete;

    int fd() const override { return read_; }
    int take() override {
        char bytes[64];
        int changed = 0;
        for (;;) {
            const ssize_t n = ::read(read_, bytes, sizeof bytes);
            if (n > 0) {
                changed = 1;
                continue;
            }
            return n == 0 ? -1 : changed; // end of file: the source broke
        }
    }

  private:
    int read_;
};

} // namespace

std::unique_ptr<DeviceEvents> SeamEvents() {
    int ends[2];
    if (::pipe2(ends, O_NONBLOCK | O_CLOEXEC) != 0) return nullptr;
    CloseWriteEnd();
    WriteEnd() = ends[1];
    return std::make_unique<PipeEvents>(ends[0]);
}

namespace testing {

void SendDeviceEvent() {
    if (WriteEnd() >= 0) (void)!::write(WriteEnd(), "e", 1);
}

void BreakDeviceEvents() {
    CloseWriteEnd();
}

void RefuseDeviceEvents() {
    Lib().events.reset();
    Lib().eventSource = nullptr;
}

} // namespace testing

} // namespace corvousb
