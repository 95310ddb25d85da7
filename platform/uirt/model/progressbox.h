// The progress box of long work as a front end shows it, and the pacing of its updates.
#pragma once

#include <cstdint>
#include <string_view>

namespace uirt {

// No box for work shorter than this; then at most one update of the box per interval.
inline constexpr std::int64_t kProgressDelayMs = 1000;
inline constexpr std::int64_t kProgressIntervalMs = 50;

class ProgressBox {
  public:
    virtual ~ProgressBox() = default;
    // Shows the box, modal to the program's other windows: text, a bar and a Stop button.
    virtual void open(std::string_view title, std::string_view text) = 0;
    // Shows `percent` (0 to 100), repaints and handles the pending events; true once the user
    // pressed Stop (or Esc, or closed the box).
    virtual bool update(int percent) = 0;
    virtual void close() = 0;
};

// Installs the front end's box; null removes it (long work then runs without a box, and stops
// only on a quit signal). The box must stay alive while installed.
void SetProgressBox(ProgressBox* box);

// Test seam: the clock, in milliseconds, that paces the box; null restores the monotonic clock.
void SetProgressClock(std::int64_t (*nowMs)());

} // namespace uirt
