// The event log and its time stamps.
#include "monitor/EventLog.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace monitor {

std::string LocalTimeStamp(WallTime when) {
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(when.time_since_epoch()).count();
    // Whole seconds rounded down, so that times before 1970 keep a positive millisecond part.
    const std::time_t seconds = static_cast<std::time_t>(ms >= 0 ? ms / 1000 : (ms - 999) / 1000);
    std::tm local{};
    localtime_r(&seconds, &local);
    char date[32];
    std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &local);
    const long offset = local.tm_gmtoff / 60, magnitude = std::labs(offset);
    char stamp[96];
    std::snprintf(stamp, sizeof stamp, "%s.%03d%c%02ld:%02ld", date,
                  static_cast<int>(ms - static_cast<long long>(seconds) * 1000),
                  offset < 0 ? '-' : '+', magnitude / 60, magnitude % 60);
    return stamp;
}

void EventLog::add(WallTime when, const std::string& text) {
    if (capacity_ == 0) return;
    if (lines_.size() == capacity_) lines_.pop_front();
    lines_.push_back(LocalTimeStamp(when) + "  " + text);
    ++added_;
}

std::string EventLog::text() const {
    std::string all;
    if (added_ > lines_.size())
        all = "(" + std::to_string(added_ - lines_.size()) + " earlier lines dropped)\n";
    for (const std::string& line : lines_)
        all.append(line).push_back('\n');
    return all;
}

} // namespace monitor
