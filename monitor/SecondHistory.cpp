// The bounded store of seconds.
#include "monitor/SecondHistory.h"

namespace monitor {

Counts Counts::operator-(const Counts& e) const {
    return {bytes - e.bytes,
            lost - e.lost,
            headerErrors - e.headerErrors,
            trailerErrors - e.trailerErrors,
            checked - e.checked,
            wrongBytes - e.wrongBytes,
            wrongBits - e.wrongBits};
}

double SecondRecord::megabytesPerSecond() const {
    return lengthMs == 0 ? 0.0 : static_cast<double>(counts.bytes) / 1000.0 / lengthMs;
}

void SecondHistory::add(const SecondRecord& second) {
    if (capacity_ == 0) return;
    if (seconds_.size() == capacity_) {
        seconds_.pop_front();
        ++dropped_;
    }
    seconds_.push_back(second);
}

void SecondHistory::clear() {
    seconds_.clear();
    dropped_ = 0;
}

} // namespace monitor
