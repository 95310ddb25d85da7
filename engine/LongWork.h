// What the engine's long work (byte writes, offline diagnostics) shares: the progress box's
// title and the line that reports a stop.
#pragma once

// Title of the progress box of long work.
inline constexpr char PROGRESS_TITLE[] = "Kestrel";

// After the user (or a quit signal) stopped long work: "Stopped after DONE of TOTAL bytes\n".
void ReportStop(long long done, long long total);
