// What happened during the runs, with local time stamps (ISO 8601, to the millisecond), bounded
// in memory.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

namespace monitor {

using WallTime = std::chrono::system_clock::time_point;

// "2026-12-07T23:04:05.678+01:00": local time with its offset from UTC.
std::string LocalTimeStamp(WallTime when);

class EventLog {
  public:
    // A day of seconds with errors and then some.
    static constexpr std::size_t kDefaultCapacity = 100000;
    explicit EventLog(std::size_t capacity = kDefaultCapacity) : capacity_(capacity) {}

    // Adds "STAMP  text"; the oldest line goes when the log is full.
    void add(WallTime when, const std::string& text);
    std::size_t size() const { return lines_.size(); }
    const std::string& operator[](std::size_t i) const { return lines_[i]; }
    // Lines added since the log began, dropped ones included: where a reader left off.
    std::uint64_t added() const { return added_; }
    // Every kept line, each ending in a newline; a first line says how many were dropped.
    std::string text() const;

  private:
    std::size_t capacity_;
    std::deque<std::string> lines_;
    std::uint64_t added_ = 0;
};

} // namespace monitor
