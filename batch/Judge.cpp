// Each limit against its figure.
#include "batch/Judge.h"

namespace batch {

namespace {

void Add(std::vector<Figure>& figures, const char* name, const char* unit,
         const std::optional<double>& value, Figure::Bound bound,
         const std::optional<double>& limit) {
    if (!value && !limit) return;
    Figure f{.name = name, .unit = unit, .value = value.value_or(0)};
    if (!value) f.text = "not measured";
    if (limit) {
        f.bound = bound;
        f.limit = *limit;
        f.passed = value && (bound == Figure::Bound::AtLeast ? *value >= *limit : *value <= *limit);
    }
    figures.push_back(std::move(f));
}

std::optional<double> AsDouble(const std::optional<long long>& v) {
    return v ? std::optional<double>(static_cast<double>(*v)) : std::nullopt;
}

} // namespace

std::vector<Figure> Judge(const Measurements& m, const Limits& limits) {
    using B = Figure::Bound;
    std::vector<Figure> f;
    f.push_back({.name = "transfers", .unit = "", .value = m.transfers});
    Add(f, "rate", "MB/s", m.rateMBps, B::AtLeast, limits.minRateMBps);
    Add(f, "wrong-bytes", "", m.wrongBytes, B::AtMost, AsDouble(limits.maxWrongBytes));
    Add(f, "bit-error-rate", "", m.bitErrorRate, B::AtMost, limits.maxBitErrorRate);
    Add(f, "payload-errors", "", m.payloadErrors, B::AtMost, AsDouble(limits.maxPayloadErrors));
    Add(f, "lost-frames", "", m.lostFrames, B::AtMost, AsDouble(limits.maxLostFrames));
    Add(f, "header-errors", "", m.headerErrors, B::AtMost, AsDouble(limits.maxHeaderErrors));
    Add(f, "trailer-errors", "", m.trailerErrors, B::AtMost, AsDouble(limits.maxTrailerErrors));
    Add(f, "library-errors", "", m.libraryErrors, B::AtMost,
        static_cast<double>(limits.maxLibraryErrors));
    return f;
}

} // namespace batch
