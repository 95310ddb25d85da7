// Reading a user's bus file, and the default bus.
#include "platform/corvousb/sim/BusFile.h"

#include "platform/corvousb/EepromRules.h"
#include "platform/corvousb/Files.h"
#include "platform/corvousb/protocol/Frame.h"
#include "platform/corvousb/sim/EepromFile.h"
#include "platform/corvousb/sim/TextLines.h"

#include <functional>
#include <limits>
#include <sstream>
#include <utility>

namespace corvousb {

namespace {

std::string Trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    const auto last = s.find_last_not_of(" \t\r");
    return s.substr(first, last - first + 1);
}

// Reads whitespace-separated unsigned numbers; false unless exactly `count` are there.
bool Numbers(const std::string& text, std::vector<unsigned long long>& out, std::size_t count) {
    std::istringstream in(text);
    std::string word;
    out.clear();
    while (in >> word) {
        unsigned long long v = 0;
        if (!ParseNumber(word, v)) return false;
        out.push_back(v);
    }
    return out.size() == count;
}

bool YesNo(const std::string& text, bool& value) {
    if (text == "yes" || text == "1" || text == "true")
        value = true;
    else if (text == "no" || text == "0" || text == "false")
        value = false;
    else
        return false;
    return true;
}

// "RATE [SEED]": a probability from 0 to 1 and an optional 32-bit seed.
bool ErrorRate(const std::string& text, BoardSetup& s) {
    std::istringstream in(text);
    double rate = -1.0;
    std::string seed, rest;
    if (!(in >> rate) || !(rate >= 0.0 && rate <= 1.0)) return false;
    unsigned long long n = s.errorSeed;
    if (in >> seed && (!ParseNumber(seed, n) || n > 0xFFFFFFFFull)) return false;
    if (in >> rest) return false;
    s.bitErrorRate = rate;
    s.errorSeed = static_cast<unsigned>(n);
    return true;
}

// A number of the board setup, with the values it may take.
struct NumberKey {
    const char* name;
    unsigned BoardSetup::*field;
    bool (*valid)(unsigned long long);
};

// A board being read: its setup, then the faults to apply once it is on the bus.
struct PendingBoard {
    BoardSetup setup;
    std::vector<std::function<void(SimBoard&)>> faults;
};

// Applies one "key = value" line of a [board] section; false when it cannot be used.
bool BoardLine(PendingBoard& b, const std::string& key, const std::string& value) {
    static const NumberKey numberKeys[] = {
        {"max-power", &BoardSetup::maxPower, ValidMaxPower},
        {"power-source", &BoardSetup::powerSource, ValidPowerSource},
        {"drive-current", &BoardSetup::driveCurrent, ValidDriveCurrent},
        {"frame-payload", &BoardSetup::framePayload,
         [](unsigned long long n) { return n >= 1 && n <= kMaxPayload; }},
        {"first-frame-counter", &BoardSetup::firstFrameCounter,
         [](unsigned long long n) { return n <= 0xFFFF; }},
        {"stream-rate", &BoardSetup::streamRate, [](unsigned long long n) { return n >= 1; }},
        {"stream-buffer", &BoardSetup::streamBuffer, [](unsigned long long n) { return n >= 1; }},
        {"raw-prbs", &BoardSetup::rawPrbs,
         [](unsigned long long n) { return n == 0 || n == 7 || n == 15 || n == 23 || n == 31; }},
        {"drop-bytes", &BoardSetup::dropEvery,
         [](unsigned long long n) { return n <= 0xFFFFFFFFull; }},
    };
    static const std::pair<const char*, FrameFault> frameKeys[] = {
        {"drop-frames", FrameFault::Drop},
        {"corrupt-headers", FrameFault::CorruptHeader},
        {"corrupt-trailers", FrameFault::CorruptTrailer},
    };
    BoardSetup& s = b.setup;
    std::vector<unsigned long long> n;
    bool flag = false;
    if (key == "description" && ValidDescription(value))
        s.description = value;
    else if (key == "serial" && ValidSerial(value))
        s.serial = value;
    else if (key == "eeprom-file" && DescriptionCharactersValid(value))
        s.eepromFile = value;
    else if (key == "answers")
        return YesNo(value, s.answers);
    else if (key == "raw-echo")
        return YesNo(value, s.rawEcho);
    else if (key == "bit-error-rate")
        return ErrorRate(value, s);
    else if (key == "timing" && (value == "on" || value == "off"))
        s.timing = value == "on";
    else if (key == "speed" && (value == "high" || value == "full"))
        s.speed = value == "high" ? BusSpeed::High : BusSpeed::Full;
    else if (key == "refuse-writes" && YesNo(value, flag))
        b.faults.push_back([flag](SimBoard& board) { board.refuseEveryByte(flag); });
    else if (key == "unplugged" && YesNo(value, flag)) {
        if (flag) b.faults.push_back([](SimBoard& board) { board.unplug(); });
    } else if (key == "read-limit" && Numbers(value, n, 1))
        b.faults.push_back([v = n[0]](SimBoard& board) { board.limitReads(v); });
    else {
        for (const auto& [name, field, valid] : numberKeys)
            if (key == name) {
                // A value the field cannot hold is refused, not cut to its low bits.
                if (!Numbers(value, n, 1) || n[0] > std::numeric_limits<unsigned>::max() ||
                    !valid(n[0]))
                    return false;
                s.*field = static_cast<unsigned>(n[0]);
                return true;
            }
        for (const auto& [name, kind] : frameKeys)
            if (key == name) {
                if (!Numbers(value, n, 2) || n[1] > 0xFFFFFFFFull) return false;
                b.faults.push_back([k = kind, first = n[0], count = n[1]](SimBoard& board) {
                    board.addFrameFault(k, first, static_cast<unsigned>(count));
                });
                return true;
            }
        return false;
    }
    return true;
}

// Reads "FUNCTION CODE" of a fail-next or fail-every line.
bool FaultLine(std::vector<CallFault>& faults, const std::string& value, bool every) {
    std::istringstream in(value);
    CallFault f;
    std::string rest;
    if (!(in >> f.function >> f.code) || in >> rest || f.code <= 0) return false;
    f.every = every;
    faults.push_back(f);
    return true;
}

void AddPending(SimBus& bus, const PendingBoard& pending) {
    SimBoard* board = bus.board(bus.addBoard(pending.setup));
    for (const auto& fault : pending.faults)
        fault(*board);
}

} // namespace

BusFile ParseBusFile(std::string_view text, std::shared_ptr<Clock> clock) {
    BusFile result;
    result.bus = std::make_unique<SimBus>(std::move(clock));
    std::vector<PendingBoard> boards;
    ForEachLine(text, [&](int number, std::string_view raw) {
        const std::string line = Trim(std::string(raw));
        if (line.empty() || line[0] == '#') return;
        if (line == "[board]") {
            boards.emplace_back();
            return;
        }
        const auto eq = line.find('=');
        bool used = false;
        if (eq != std::string::npos) {
            const std::string key = Trim(line.substr(0, eq));
            const std::string value = Trim(line.substr(eq + 1));
            if (key == "fail-next" || key == "fail-every")
                used = FaultLine(result.faults, value, key == "fail-every");
            else if (!boards.empty())
                used = BoardLine(boards.back(), key, value);
        }
        if (!used) result.problems.push_back("line " + std::to_string(number) + ": " + line);
    });
    for (const auto& b : boards)
        AddPending(*result.bus, b);
    return result;
}

BusFile ReadBusFile(const std::string& path, std::shared_ptr<Clock> clock) {
    std::string text, problem;
    if (ReadTextFile(path, kBusFileLimit, text, problem) != ReadResult::Ok) {
        BusFile result;
        result.bus = std::make_unique<SimBus>(std::move(clock));
        result.problems.push_back(problem);
        return result;
    }
    return ParseBusFile(text, std::move(clock));
}

std::unique_ptr<SimBus> DefaultBus(std::shared_ptr<Clock> clock) {
    auto bus = std::make_unique<SimBus>(std::move(clock));
    BoardSetup setup;
    setup.eepromFile = DefaultEepromPath();
    bus->addBoard(setup);
    return bus;
}

} // namespace corvousb
