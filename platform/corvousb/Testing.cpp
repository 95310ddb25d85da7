// The test seam: an in-memory bus, faults and the call log.
#include "platform/corvousb/CorvoUsbTesting.h"

#include "platform/corvousb/Library.h"
#include "platform/corvousb/sim/SimBus.h"

#include <map>

namespace corvousb::testing {

namespace {

// Library calls left before each board (by port) is unplugged.
std::map<int, int>& UnplugCountdowns() {
    static std::map<int, int> countdowns;
    return countdowns;
}

void CountHandleUse(int port) {
    auto& countdowns = UnplugCountdowns();
    const auto it = countdowns.find(port);
    if (it == countdowns.end()) return;
    if (it->second-- > 0) return;
    countdowns.erase(it);
    if (SimBoard* b = Lib().sim != nullptr ? Lib().sim->boardOnPort(port) : nullptr) {
        b->unplug();
        SendDeviceEvent();
    }
}

SimBoard* Find(int board) {
    return Lib().sim != nullptr ? Lib().sim->board(board) : nullptr;
}

template <class Change> void OnBoard(int board, Change&& change) {
    if (SimBoard* b = Find(board)) change(*b);
}

} // namespace

void ResetBus() {
    auto bus = std::make_unique<SimBus>(std::make_shared<VirtualClock>());
    SimBus* sim = bus.get();
    InstallBus(std::move(bus), sim);
    Library& lib = Lib();
    lib.log.close();
    lib.log.setLimits(kTextLogLimit, kCaptureLimit);
    lib.faults.clear();
    lib.calls.clear();
    lib.counters = {};
    lib.offline = FrameStream();
    lib.last = {};
    lib.lastError = CORVOUSB_OK;
    lib.nextHandle = 1;
    lib.intChecking = false;
    lib.eepromDesc[0] = '\0';
    lib.eepromSerial[0] = '\0';
    UnplugCountdowns().clear();
    lib.onHandleUse = CountHandleUse;
    lib.events.reset();
    lib.eventSource = SeamEvents;
}

void RebuildBus() {
    ResetBus();
    Library& lib = Lib();
    lib.sim = nullptr;
    lib.bus.reset();
    BuildBus(lib, std::make_shared<VirtualClock>());
}

int AddBoard(const BoardSetup& setup) {
    Library& lib = Lib();
    if (lib.sim == nullptr) return -1;
    return lib.sim->addBoard(setup);
}

std::chrono::nanoseconds BusTime() {
    return Lib().sim != nullptr ? Lib().sim->clock().now() : std::chrono::nanoseconds(0);
}

void WaitFor(std::chrono::nanoseconds span) {
    if (Lib().sim != nullptr) Lib().sim->clock().sleepUntil(Lib().sim->clock().now() + span);
}

BoardState Board(int board) {
    const SimBoard* b = Find(board);
    return b != nullptr ? b->state() : BoardState{};
}

void FailNextCall(std::string_view function, int code) {
    Lib().faults[std::string(function)] = {code, false};
}

void FailEveryCall(std::string_view function, int code) {
    Lib().faults[std::string(function)] = {code, true};
}

void ClearFaults() {
    Lib().faults.clear();
    UnplugCountdowns().clear();
    if (Lib().sim == nullptr) return;
    for (int i = 0; i < Lib().sim->boardCount(); ++i) {
        SimBoard* b = Lib().sim->board(i);
        b->refuseEveryByte(false);
        b->limitReads(0);
        b->clearFrameFaults();
    }
}

void RefuseEveryByte(int board, bool on) {
    OnBoard(board, [&](SimBoard& b) { b.refuseEveryByte(on); });
}

void LimitReads(int board, int maxBytes) {
    OnBoard(board, [&](SimBoard& b) { b.limitReads(maxBytes > 0 ? std::size_t(maxBytes) : 0); });
}

void UnplugBoard(int board) {
    OnBoard(board, [](SimBoard& b) {
        b.unplug();
        SendDeviceEvent();
    });
}

void UnplugBoardAfter(int board, int calls) {
    Lib().onHandleUse = CountHandleUse;
    OnBoard(board, [&](SimBoard& b) { UnplugCountdowns()[b.port()] = calls < 0 ? 0 : calls; });
}

void PlugBoard(int board) {
    OnBoard(board, [](SimBoard& b) {
        b.plug();
        SendDeviceEvent();
    });
}

void DropFrames(int board, unsigned long long firstFrame, unsigned count) {
    OnBoard(board, [&](SimBoard& b) { b.addFrameFault(FrameFault::Drop, firstFrame, count); });
}

void CorruptFrameHeaders(int board, unsigned long long firstFrame, unsigned count) {
    OnBoard(board,
            [&](SimBoard& b) { b.addFrameFault(FrameFault::CorruptHeader, firstFrame, count); });
}

void CorruptFrameTrailers(int board, unsigned long long firstFrame, unsigned count) {
    OnBoard(board,
            [&](SimBoard& b) { b.addFrameFault(FrameFault::CorruptTrailer, firstFrame, count); });
}

void SendUnasked(int board, std::span<const unsigned char> bytes) {
    OnBoard(board, [&](SimBoard& b) { b.sendUnasked(bytes); });
}

void LimitLogFiles(std::size_t textBytes, std::size_t captureBytes) {
    Lib().log.setLimits(textBytes, captureBytes);
}

std::vector<std::string> CallLog() {
    const auto& calls = Lib().calls;
    return {calls.begin(), calls.end()};
}

void ClearCallLog() {
    Lib().calls.clear();
}

std::vector<unsigned char> MakeFrame(unsigned counter, std::span<const unsigned char> payload) {
    return corvousb::MakeFrame(static_cast<std::uint16_t>(counter), payload);
}

} // namespace corvousb::testing
