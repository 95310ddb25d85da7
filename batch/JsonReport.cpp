// The JSON report, through nlohmann-json.
#include "batch/Reports.h"

#include "core/KestrelVersion.h"
#include "platform/files/AtomicFile.h"
#include "ui/AboutBox.h"

#include <cstring>
#include <nlohmann/json.hpp>

namespace batch {

namespace {

using nlohmann::json;

template <class T> json Optional(const std::optional<T>& v) {
    return v ? json(*v) : json(nullptr);
}

json LinkJson(const LinkSettings& l) {
    return {{"latency-ms", Optional(l.latencyMs)},
            {"write-timeout-ms", Optional(l.writeTimeoutMs)},
            {"read-timeout-ms", Optional(l.readTimeoutMs)},
            {"transmit-size", Optional(l.transmitSize)},
            {"receive-size", Optional(l.receiveSize)},
            {"synchronous", Optional(l.synchronous)},
            {"framing", l.framed ? json(*l.framed ? "corvo" : "none") : json(nullptr)}};
}

json ParametersJson(const Step& s) {
    static const char* const kModes[] = {"read", "write", "write-bytes", "write-read",
                                         "extended-read"};
    static const char* const kSources[] = {"incremental", "pattern", "prbs"};
    json p;
    if (s.kind == StepKind::Transfer || s.kind == StepKind::Loop) {
        const TransferSettings& t = s.transfer;
        p = {{"mode", kModes[t.ioMode]},
             {"word-size", 8 << t.wordSize},
             {"word-count", t.wordCount},
             {"byte-order", t.msbFirst ? "msb-first" : "lsb-first"},
             {"data", kSources[t.dataSource]},
             {"start", t.start},
             {"increment", t.increment},
             {"pattern", t.pattern},
             {"prbs-order", t.prbsOrder},
             {"sub-address", t.subAddress},
             {"verify", t.verify},
             {"print", t.print}};
        if (s.kind == StepKind::Transfer)
            p["repetitions"] = s.repetitions;
        else {
            p["period-ms"] = s.periodMs;
            p["duration"] = Optional(s.seconds);
            p["ticks"] = Optional(s.ticks);
        }
    } else {
        const EepromFields& e = s.eeprom;
        p = {{"description", Optional(e.description)},
             {"serial", Optional(e.serial)},
             {"max-power", Optional(e.maxPower)},
             {"power-source",
              e.powerSource ? json(*e.powerSource == 1 ? "self" : "bus") : json(nullptr)},
             {"drive-current", Optional(e.driveCurrent)}};
    }
    return p;
}

json FigureJson(const Figure& f) {
    static const char* const kBounds[] = {nullptr, "at-least", "at-most", "equals"};
    json j = {{"name", f.name}, {"passed", f.passed}};
    if (f.text.empty())
        j["value"] = f.value;
    else
        j["text"] = f.text;
    if (!f.unit.empty()) j["unit"] = f.unit;
    if (f.bound != Figure::Bound::None) {
        j["limit"] = {{"bound", kBounds[static_cast<int>(f.bound)]}};
        if (f.bound == Figure::Bound::Equals)
            j["limit"]["text"] = f.limitText;
        else
            j["limit"]["value"] = f.limit;
    }
    return j;
}

std::string LibraryVersion() {
    char file[VERSION_TEXT_SIZE], product[VERSION_TEXT_SIZE];
    TVersionInfo(file, product, USB_LIBRARY_NAME);
    return file;
}

} // namespace

std::string JsonReport(const RunReport& r) {
    json steps = json::array();
    for (std::size_t i = 0; i < r.results.size(); ++i) {
        const StepResult& s = r.results[i];
        json figures = json::array();
        for (const Figure& f : s.figures)
            figures.push_back(FigureJson(f));
        steps.push_back({{"number", i + 1},
                         {"name", s.name},
                         {"kind", KindWord(s.kind)},
                         {"parameters", i < r.steps.size() ? ParametersJson(r.steps[i]) : json()},
                         {"failed-limit", s.firstFailed() ? json(s.firstFailed()->name) : json()},
                         {"verdict", VerdictWord(s.verdict)},
                         {"seconds", s.seconds},
                         {"figures", figures},
                         {"library-errors", s.libraryErrors},
                         {"problem", s.problem},
                         {"info-text", s.infoText},
                         {"info-text-cut", s.infoCut}});
    }
    const json report = {{"schema", "kestrel-run"},
                         {"schema-version", kJsonSchemaVersion},
                         {"kestrel-version", KESTREL_VERSION},
                         {"library-version", LibraryVersion()},
                         {"plan", {{"file", r.planFile}, {"name", r.planName}}},
                         {"board",
                          {{"description", r.board.description},
                           {"serial", r.board.serial},
                           {"location", r.board.location}}},
                         {"link", LinkJson(r.link)},
                         {"started", r.started},
                         {"ended", r.ended},
                         {"exit-status", static_cast<int>(r.outcome)},
                         {"outcome", OutcomeText(r.outcome)},
                         {"aborted", r.outcome == Outcome::Interrupted},
                         {"problem", r.problem},
                         {"steps", steps}};
    // Invalid UTF-8 from a board's texts is replaced, never a reason to lose the report.
    return report.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

std::string WriteReport(const std::string& path, const std::string& text) {
    const int error = files::Replace(path, text);
    return error == 0 ? "" : "cannot write " + path + ": " + std::strerror(error);
}

} // namespace batch
