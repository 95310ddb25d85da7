// "Save history...": the run's seconds as CSV for a spreadsheet, and the event log beside it.
#pragma once

#include "monitor/EventLog.h"
#include "monitor/SecondHistory.h"

#include <string>

namespace monitor {

// A header line, then one row per kept second: its end as a local time stamp, the seconds from
// the start, bytes, MB/s, lost frames, header and trailer errors and, `withChecks`, the data
// checks' checked bytes, wrong bytes and wrong bits.
std::string HistoryCsv(const SecondHistory& history, WallTime start, bool withChecks);

// Where the event log goes beside the CSV file: "run.csv" gives "run.log", "run" "run.log",
// "run.log" "run.log.log".
std::string EventLogPath(const std::string& csvPath);

// Writes the CSV text and the log text, each replacing its file whole (a failure leaves the old
// file as it was). Returns the problem for the user, empty when both were written.
std::string SaveHistory(const std::string& csvPath, const std::string& csv, const std::string& log);

} // namespace monitor
