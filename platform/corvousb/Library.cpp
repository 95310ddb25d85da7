// The library's state and the helpers shared by the API functions.
#include "platform/corvousb/Library.h"

#include "platform/corvousb/Files.h"
#include "platform/corvousb/SystemBus.h"
#include "platform/corvousb/sim/BusFile.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace corvousb {

namespace {

// The in-memory call log keeps the latest calls only, so a long loop cannot exhaust memory.
constexpr std::size_t kCallLogLimit = 100000;

} // namespace

void BuildBus(Library& lib, std::shared_ptr<Clock> clock) {
    const char* path = std::getenv("CORVOUSB_BUS");
    if (path == nullptr || path[0] == '\0') {
        auto sim = SimulatedBoardHidden() ? std::make_unique<SimBus>(std::move(clock))
                                          : DefaultBus(std::move(clock));
        lib.sim = sim.get();
        lib.bus = SystemBus(std::move(sim));
        return;
    }
    BusFile file = ReadBusFile(path, std::move(clock));
    for (const auto& problem : file.problems)
        ReportFileProblem(path, problem);
    for (const auto& f : file.faults)
        lib.faults[f.function] = {f.code, f.every};
    lib.sim = file.bus.get();
    lib.bus = std::move(file.bus);
}

Library& Lib() {
    static Library lib;
    if (!lib.bus) BuildBus(lib, std::make_shared<RealClock>());
    return lib;
}

void InstallBus(std::unique_ptr<FifoBus> bus, SimBus* sim) {
    Library& lib = Lib();
    lib.handles.clear();
    lib.bus = std::move(bus);
    lib.sim = sim;
}

std::string Arg(int value) {
    return std::to_string(value);
}
std::string Arg(const char* text) {
    return text == nullptr ? "NULL" : "\"" + std::string(text) + "\"";
}
std::string DataArg(const void* pointer) {
    return pointer == nullptr ? "NULL" : "data";
}
std::string OutArg(const void* pointer) {
    return pointer == nullptr ? "NULL" : "out";
}

bool Enter(std::string_view name, std::initializer_list<std::string> args) {
    Library& lib = Lib();
    std::string line(name);
    line += '(';
    for (const std::string& a : args) {
        if (line.back() != '(') line += ", ";
        line += a;
    }
    line += ')';
    lib.log.line(line);
    lib.calls.push_back(std::move(line));
    if (lib.calls.size() > kCallLogLimit) lib.calls.pop_front();

    const auto fault = lib.faults.find(name);
    if (fault == lib.faults.end()) return true;
    lib.lastError = fault->second.code;
    if (!fault->second.every) lib.faults.erase(fault);
    return false;
}

int Flag(int code) {
    if (code == CORVOUSB_OK) return 1;
    Lib().lastError = code;
    return 0;
}

int FailWith(int code) {
    Lib().lastError = code;
    return -1;
}

OpenHandle* Resolve(int handle) {
    Library& lib = Lib();
    const auto it = lib.handles.find(handle);
    if (it == lib.handles.end()) {
        lib.lastError = CORVOUSB_ERR_INVALID_HANDLE;
        return nullptr;
    }
    if (lib.onHandleUse) lib.onHandleUse(it->second.device->port());
    return &it->second;
}

void Print(const char* format, ...) {
    char text[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    Library& lib = Lib();
    char plain[] = "%s";
    if (lib.printfConst != nullptr)
        lib.printfConst(plain, text);
    else if (lib.printfMutable != nullptr)
        lib.printfMutable(plain, text);
    else
        std::fputs(text, stdout);
}

} // namespace corvousb
