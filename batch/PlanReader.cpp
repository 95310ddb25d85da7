// The plan reader: toml++ parses, a table walker checks each key and remembers what it used.
#include "batch/PlanReader.h"

#include "batch/BoundedFile.h"
#include "core/AdditionSettings.h"
#include "core/IoMode.h"

#include <toml++/toml.h>

#include <algorithm>
#include <cmath>
#include <set>

namespace batch {

namespace {

struct Refusal {
    Where at;
    std::string message;
};

Where WhereOf(const toml::node& node) {
    const auto& begin = node.source().begin;
    return {static_cast<int>(begin.line), static_cast<int>(begin.column)};
}

[[noreturn]] void Refuse(const toml::node& node, std::string message) {
    throw Refusal{WhereOf(node), std::move(message)};
}

// One table of the plan: hands out its values by key and refuses the keys nobody asked for.
class TableWalker {
  public:
    TableWalker(const toml::table& table, std::string name, const PlanVariables& variables,
                PlanVariables* used)
        : table_(table), name_(std::move(name)), variables_(variables), used_(used) {}

    const toml::node* find(const char* key) {
        asked_.insert(key);
        return table_.get(key);
    }

    std::optional<long long> integer(const char* key, long long min, long long max) {
        const toml::node* node = find(key);
        if (node == nullptr) return std::nullopt;
        const auto* value = node->as_integer();
        if (value == nullptr) Refuse(*node, Expected(key, "a whole number"));
        if (value->get() < min || value->get() > max)
            Refuse(*node, Expected(key, "a whole number from " + std::to_string(min) + " to " +
                                            std::to_string(max)));
        return value->get();
    }

    std::optional<double> number(const char* key, double min, double max) {
        const toml::node* node = find(key);
        if (node == nullptr) return std::nullopt;
        std::optional<double> value = node->value<double>();
        if (!value || !std::isfinite(*value) || *value < min || *value > max)
            Refuse(*node, Expected(key, "a number from " + Shown(min) + " to " + Shown(max)));
        return value;
    }

    std::optional<bool> flag(const char* key) {
        const toml::node* node = find(key);
        if (node == nullptr) return std::nullopt;
        if (!node->is_boolean()) Refuse(*node, Expected(key, "true or false"));
        return node->as_boolean()->get();
    }

    std::optional<std::string> text(const char* key) {
        const toml::node* node = find(key);
        if (node == nullptr) return std::nullopt;
        if (!node->is_string()) Refuse(*node, Expected(key, "a string"));
        return Substitute(*node, node->as_string()->get());
    }

    // One of `names`, given as a string; returns its index.
    std::optional<int> choice(const char* key, std::initializer_list<const char*> names) {
        std::optional<std::string> value = text(key);
        if (!value) return std::nullopt;
        int index = 0;
        for (const char* name : names) {
            if (*value == name) return index;
            ++index;
        }
        std::string list;
        for (const char* name : names)
            list += std::string(list.empty() ? "" : ", ") + "\"" + name + "\"";
        Refuse(*find(key), Expected(key, "one of " + list));
    }

    // An integer that must be one of `allowed`.
    std::optional<int> oneOf(const char* key, std::initializer_list<int> allowed) {
        std::optional<long long> value = integer(key, INT32_MIN, INT32_MAX);
        if (value && std::find(allowed.begin(), allowed.end(), *value) == allowed.end()) {
            std::string list;
            for (int v : allowed)
                list += (list.empty() ? "" : ", ") + std::to_string(v);
            Refuse(*find(key), Expected(key, "one of " + list));
        }
        return value ? std::optional<int>(static_cast<int>(*value)) : std::nullopt;
    }

    const toml::table* subtable(const char* key) {
        const toml::node* node = find(key);
        if (node == nullptr) return nullptr;
        if (!node->is_table()) Refuse(*node, Expected(key, "a table"));
        return node->as_table();
    }

    // Every key of the table must have been asked for.
    void refuseUnknownKeys() const {
        for (const auto& [key, node] : table_)
            if (!asked_.contains(std::string(key.str())))
                throw Refusal{{static_cast<int>(key.source().begin.line),
                               static_cast<int>(key.source().begin.column)},
                              "unknown key \"" + std::string(key.str()) + "\" in " + name_};
    }

    std::string Expected(const char* key, const std::string& what) const {
        return name_ + "." + key + ": expected " + what;
    }

  private:
    static std::string Shown(double v) {
        char text[32];
        std::snprintf(text, sizeof text, "%g", v);
        return text;
    }

    std::string Substitute(const toml::node& node, std::string value) {
        for (std::size_t at; (at = value.find("${")) != std::string::npos;) {
            const std::size_t end = value.find('}', at);
            if (end == std::string::npos) Refuse(node, "unclosed ${ in \"" + value + "\"");
            const std::string key = value.substr(at + 2, end - at - 2);
            auto it = variables_.find(key);
            if (it == variables_.end())
                Refuse(node, "no value for ${" + key + "}: give it with --set " + key + "=VALUE");
            if (used_ != nullptr) (*used_)[key] = it->second;
            value.replace(at, end - at + 1, it->second);
        }
        return value;
    }

    const toml::table& table_;
    std::string name_;
    const PlanVariables& variables_;
    PlanVariables* used_;
    std::set<std::string> asked_;
};

void ReadLink(TableWalker& t, LinkSettings& link) {
    auto toInt = [](std::optional<long long> v) {
        return v ? std::optional<int>(static_cast<int>(*v)) : std::nullopt;
    };
    link.latencyMs = toInt(t.integer("latency", 0, 255));
    link.writeTimeoutMs = toInt(t.integer("write-timeout", 1, 10000));
    link.readTimeoutMs = toInt(t.integer("read-timeout", 1, 10000));
    link.transmitSize = toInt(t.integer("transmit-size", 512, 65536));
    link.receiveSize = toInt(t.integer("receive-size", 1024, 65536));
    link.synchronous = t.flag("synchronous");
    if (auto framing = t.choice("framing", {"corvo", "none"})) link.framed = *framing == 0;
    t.refuseUnknownKeys();
}

void ReadLimits(TableWalker& t, Limits& limits) {
    limits.minRateMBps = t.number("min-rate", 0, 1e6);
    limits.maxBitErrorRate = t.number("max-bit-error-rate", 0, 1);
    constexpr long long kMax = 1LL << 53;
    limits.maxLostFrames = t.integer("max-lost-frames", 0, kMax);
    limits.maxHeaderErrors = t.integer("max-header-errors", 0, kMax);
    limits.maxTrailerErrors = t.integer("max-trailer-errors", 0, kMax);
    limits.maxPayloadErrors = t.integer("max-payload-errors", 0, kMax);
    limits.maxWrongBytes = t.integer("max-wrong-bytes", 0, kMax);
    limits.maxLibraryErrors = t.integer("max-library-errors", 0, kMax).value_or(0);
    t.refuseUnknownKeys();
}

void ReadTransfer(TableWalker& t, TransferSettings& s) {
    s.ioMode = t.choice("mode", {"read", "write", "write-bytes", "write-read", "extended-read"})
                   .value_or(IOMODE_READ);
    if (auto size = t.oneOf("word-size", {8, 16, 32}))
        s.wordSize = *size == 8 ? 0 : *size == 16 ? 1 : 2;
    s.wordCount = static_cast<int>(t.integer("word-count", 1, 65536).value_or(1));
    s.msbFirst = t.choice("byte-order", {"lsb-first", "msb-first"}).value_or(0) == 1;
    s.dataSource = t.choice("data", {"incremental", "pattern", "prbs"}).value_or(0);
    s.start = static_cast<unsigned>(t.integer("start", 0, 0xFFFFFFFFLL).value_or(0));
    s.increment = static_cast<unsigned>(t.integer("increment", 0, 256).value_or(1));
    s.pattern = static_cast<unsigned>(t.integer("pattern", 0, 0xFFFFFFFFLL).value_or(0));
    s.prbsOrder = t.oneOf("prbs-order", {7, 15, 23, 31}).value_or(31);
    s.subAddress = static_cast<int>(t.integer("sub-address", 0, 126).value_or(0));
    s.verify = t.flag("verify").value_or(false);
    s.print = t.flag("print").value_or(false);
}

void ReadEepromFields(TableWalker& t, EepromFields& e) {
    e.description = t.text("description");
    if (e.description && e.description->size() > 64)
        Refuse(*t.find("description"), t.Expected("description", "at most 64 characters"));
    e.serial = t.text("serial");
    if (e.serial && (e.serial->size() > 8 || e.serial->find(' ') != std::string::npos))
        Refuse(*t.find("serial"), t.Expected("serial", "at most 8 characters, no spaces"));
    auto maxPower = t.integer("max-power", 0, 500);
    if (maxPower) e.maxPower = static_cast<int>(*maxPower);
    e.powerSource = t.choice("power-source", {"bus", "self"});
    e.driveCurrent = t.oneOf("drive-current", {4, 8, 12, 16});
}

Where Position(TableWalker& t, const char* key, Where fallback) {
    const toml::node* node = t.find(key);
    return node != nullptr ? WhereOf(*node) : fallback;
}

// A limit on a figure the step cannot measure would always fail: refused with the plan.
void RefuseUnmeasured(const toml::table& limits, const std::string& name, const Step& step) {
    const bool moves = step.kind == StepKind::Transfer || step.kind == StepKind::Loop;
    const bool framed = moves && step.transfer.ioMode == IOMODE_EXTENDED_READ;
    const bool verify = moves && step.transfer.verify;
    const struct {
        const char* key;
        bool measured;
        const char* needs;
    } rules[] = {
        {"min-rate", moves && (!framed || step.kind == StepKind::Loop),
         "a transfer step that is not an extended read, or a loop step"},
        {"max-wrong-bytes", verify && !framed, "verify = true and a mode other than extended-read"},
        {"max-bit-error-rate", verify && !framed,
         "verify = true and a mode other than extended-read"},
        {"max-payload-errors", verify && framed, "verify = true and mode = \"extended-read\""},
        {"max-lost-frames", framed, "mode = \"extended-read\""},
        {"max-header-errors", framed, "mode = \"extended-read\""},
        {"max-trailer-errors", framed, "mode = \"extended-read\""},
    };
    for (const auto& rule : rules)
        if (const toml::node* node = limits.get(rule.key); node != nullptr && !rule.measured)
            Refuse(*node, name + ".limits." + rule.key + ": not measured by this step; it needs " +
                              rule.needs);
}

Step ReadStep(const toml::table& table, int number, const PlanVariables& variables,
              PlanVariables* used) {
    const std::string name = "step " + std::to_string(number);
    TableWalker t(table, name, variables, used);
    Step step;
    step.at = WhereOf(table);
    step.name = t.text("name").value_or(name);
    const toml::node* kindNode = t.find("kind");
    if (kindNode == nullptr) Refuse(table, name + ": expected a kind");
    step.kind = static_cast<StepKind>(
        *t.choice("kind", {"transfer", "loop", "eeprom-check", "eeprom-program"}));
    switch (step.kind) {
    case StepKind::Transfer:
        ReadTransfer(t, step.transfer);
        step.repetitions = static_cast<int>(t.integer("repetitions", 1, 100000000).value_or(1));
        step.patternAt = Position(t, "pattern", step.at);
        break;
    case StepKind::Loop:
        ReadTransfer(t, step.transfer);
        step.periodMs = static_cast<int>(t.integer("period", 1, 1000).value_or(2));
        step.seconds = t.number("duration", 0.001, 30.0 * 24 * 3600);
        step.ticks = t.integer("ticks", 1, 1LL << 40);
        if (step.seconds.has_value() == step.ticks.has_value())
            Refuse(table, name + ": expected either duration (seconds) or ticks");
        step.patternAt = Position(t, "pattern", step.at);
        step.periodAt = Position(t, "period", step.at);
        break;
    case StepKind::EepromCheck:
    case StepKind::EepromProgram:
        ReadEepromFields(t, step.eeprom);
        break;
    }
    if (const toml::table* limits = t.subtable("limits")) {
        TableWalker l(*limits, name + ".limits", variables, used);
        ReadLimits(l, step.limits);
        RefuseUnmeasured(*limits, name, step);
    }
    t.refuseUnknownKeys();
    return step;
}

Plan ReadTables(const toml::table& root, const std::string& file, const PlanVariables& variables,
                PlanVariables* used) {
    Plan plan;
    plan.file = file;
    TableWalker t(root, "the plan", variables, used);
    plan.name = t.text("name").value_or(file);
    if (const toml::table* board = t.subtable("board")) {
        TableWalker b(*board, "board", variables, used);
        plan.board.serial = b.text("serial").value_or("");
        plan.board.description = b.text("description").value_or("");
        b.refuseUnknownKeys();
    }
    if (const toml::table* link = t.subtable("link")) {
        TableWalker l(*link, "link", variables, used);
        ReadLink(l, plan.link);
    }
    const toml::node* steps = t.find("step");
    if (steps == nullptr) throw Refusal{{1, 1}, "expected at least one [[step]]"};
    const toml::array* list = steps->as_array();
    if (list == nullptr || list->empty()) Refuse(*steps, "expected [[step]] tables");
    int number = 1;
    for (const toml::node& node : *list) {
        if (!node.is_table()) Refuse(node, "step " + std::to_string(number) + ": expected a table");
        plan.steps.push_back(ReadStep(*node.as_table(), number++, variables, used));
    }
    t.refuseUnknownKeys();
    return plan;
}

} // namespace

std::string PlanError::text() const {
    return file + ":" + std::to_string(line) + ":" + std::to_string(column) + ": " + message;
}

std::variant<Plan, PlanError> ParsePlan(std::string_view text, const std::string& file,
                                        const PlanVariables& variables, PlanVariables* used) {
    try {
        toml::table root = toml::parse(text, file);
        return ReadTables(root, file, variables, used);
    } catch (const toml::parse_error& e) {
        return PlanError{file, static_cast<int>(e.source().begin.line),
                         static_cast<int>(e.source().begin.column), std::string(e.description())};
    } catch (const Refusal& r) {
        return PlanError{file, r.at.line, r.at.column, r.message};
    }
}

std::variant<Plan, PlanError> ReadPlan(const std::string& file, const PlanVariables& variables,
                                       PlanVariables* used) {
    std::string text;
    const std::string problem = ReadBoundedFile(file, 1 << 20, text);
    if (!problem.empty()) return PlanError{file, 0, 0, problem};
    return ParsePlan(text, file, variables, used);
}

} // namespace batch
