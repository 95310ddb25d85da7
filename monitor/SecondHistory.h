// The loop's figures per second, kept in memory for the last 24 hours.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>

namespace monitor {

// What the library's and the data checks' counters hold, or added up to within a span.
struct Counts {
    std::uint64_t bytes = 0, lost = 0, headerErrors = 0, trailerErrors = 0;
    std::uint64_t checked = 0, wrongBytes = 0, wrongBits = 0;

    // What counts as an error for the totals and the soak limit.
    std::uint64_t errors() const { return lost + headerErrors + trailerErrors + wrongBytes; }
    Counts operator-(const Counts& earlier) const;
    bool operator==(const Counts&) const = default;
};

// One second of the loop; the last second of a stopped loop may be shorter.
struct SecondRecord {
    std::uint32_t endMs = 0;    // its end, in milliseconds from the loop's start
    std::uint32_t lengthMs = 0; // 1000 but for that last one
    Counts counts;

    double megabytesPerSecond() const;
};

inline constexpr std::size_t kDaySeconds = 86400;

// The newest `capacity` seconds; older ones are dropped as new ones come.
class SecondHistory {
  public:
    explicit SecondHistory(std::size_t capacity = kDaySeconds) : capacity_(capacity) {}

    void add(const SecondRecord& second);
    void clear();
    std::size_t size() const { return seconds_.size(); }
    // From the oldest kept (0) to the newest.
    const SecondRecord& operator[](std::size_t i) const { return seconds_[i]; }
    // How many seconds were dropped to keep the bound.
    std::uint64_t dropped() const { return dropped_; }

  private:
    std::size_t capacity_;
    std::deque<SecondRecord> seconds_;
    std::uint64_t dropped_ = 0;
};

} // namespace monitor
