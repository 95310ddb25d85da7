// Texts of the check report.
#include "check/CheckReport.h"

#include <cstdio>

namespace check {

namespace {

template <class... Args> std::string Format(const char* format, Args... args) {
    char line[200];
    std::snprintf(line, sizeof line, format, args...);
    return line;
}

unsigned long long U(std::uint64_t n) {
    return static_cast<unsigned long long>(n);
}

std::string ComparedLine(const CheckTally& t, CheckKind kind, const char* prefix) {
    const std::string frames =
        kind == CheckKind::Payload ? Format(" in %llu frames", U(t.frames)) : "";
    if (t.wrongBytes == 0)
        return Format("%s: %llu bytes compared%s, no error", prefix, U(t.compared), frames.c_str());
    const double rate = static_cast<double>(t.wrongBits) / (8.0 * static_cast<double>(t.compared));
    return Format("%s: %llu bytes wrong of %llu%s (%llu bits, bit error rate %.1e); first at "
                  "offset 0x%06llX: %s %02X, read %02X",
                  prefix, U(t.wrongBytes), U(t.compared), frames.c_str(), U(t.wrongBits), rate,
                  U(t.first->offset), kind == CheckKind::ReadBack ? "wrote" : "expected",
                  t.first->expected, t.first->actual);
}

} // namespace

std::vector<std::string> ReportLines(const CheckTally& t, CheckKind kind, const char* prefix,
                                     const std::string& sequence) {
    if (kind == CheckKind::Stream && !t.everLocked)
        return {Format("%s: no %s sequence found in %llu bytes", prefix, sequence.c_str(),
                       U(t.unchecked))};
    std::vector<std::string> lines{ComparedLine(t, kind, prefix)};
    if (t.missing > 0)
        lines.push_back(Format("%s: %llu bytes of %llu not read back", prefix, U(t.missing),
                               U(t.compared + t.missing)));
    if (kind == CheckKind::Stream && (t.relocks > 0 || t.unchecked > 0))
        lines.push_back(Format("%s: %llu re-locks on %s, %llu bytes unchecked", prefix,
                               U(t.relocks), sequence.c_str(), U(t.unchecked)));
    return lines;
}

} // namespace check
