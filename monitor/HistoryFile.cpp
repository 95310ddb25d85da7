// CSV rows of the seconds and the atomic writing of both files.
#include "monitor/HistoryFile.h"

#include "platform/files/AtomicFile.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>

namespace monitor {

std::string HistoryCsv(const SecondHistory& history, WallTime start, bool withChecks) {
    std::string csv = "time,elapsed s,bytes,MB/s,lost frames,header errors,trailer errors";
    csv += withChecks ? ",checked bytes,wrong bytes,wrong bits\n" : "\n";
    for (std::size_t i = 0; i < history.size(); ++i) {
        const SecondRecord& s = history[i];
        const Counts& c = s.counts;
        char row[256];
        std::snprintf(row, sizeof row, "%s,%.3f,%" PRIu64 ",%.6f,%" PRIu64 ",%" PRIu64 ",%" PRIu64,
                      LocalTimeStamp(start + std::chrono::milliseconds(s.endMs)).c_str(),
                      s.endMs / 1000.0, c.bytes, s.megabytesPerSecond(), c.lost, c.headerErrors,
                      c.trailerErrors);
        csv += row;
        if (withChecks) {
            std::snprintf(row, sizeof row, ",%" PRIu64 ",%" PRIu64 ",%" PRIu64, c.checked,
                          c.wrongBytes, c.wrongBits);
            csv += row;
        }
        csv += '\n';
    }
    return csv;
}

std::string EventLogPath(const std::string& csvPath) {
    const std::size_t slash = csvPath.rfind('/');
    const std::size_t dot = csvPath.rfind('.');
    const bool hasExtension =
        dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
    const std::string log = (hasExtension ? csvPath.substr(0, dot) : csvPath) + ".log";
    // A CSV file named *.log keeps its data: the log goes after it.
    return log == csvPath ? csvPath + ".log" : log;
}

namespace {

std::string Written(const std::string& path, const std::string& text) {
    const int error = files::Replace(path, text);
    return error == 0 ? "" : path + " could not be written: " + std::strerror(error) + ".";
}

} // namespace

std::string SaveHistory(const std::string& csvPath, const std::string& csv,
                        const std::string& log) {
    std::string problem = Written(csvPath, csv);
    if (problem.empty()) problem = Written(EventLogPath(csvPath), log);
    return problem;
}

} // namespace monitor
