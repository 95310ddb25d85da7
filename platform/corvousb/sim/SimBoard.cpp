// The simulated board's chip model and firmware.
#include "platform/corvousb/sim/SimBoard.h"

#include "platform/corvousb/protocol/Command.h"
#include "platform/corvousb/sim/EepromFile.h"

#include <algorithm>
#include <cstring>

namespace corvousb {

SimBoard::SimBoard(const BoardSetup& setup, int port, std::shared_ptr<Clock> clock)
    : port_(port), eeprom_{setup.description, setup.serial, setup.maxPower, setup.powerSource,
                           setup.driveCurrent},
      eepromFile_(setup.eepromFile), answers_(setup.answers), rawEcho_(setup.rawEcho),
      dataFaults_(setup.bitErrorRate, setup.errorSeed, setup.dropEvery), clock_(std::move(clock)),
      stream_(setup) {
    if (setup.rawPrbs != 0) rawPrbs_.emplace(setup.rawPrbs);
    if (!eepromFile_.empty()) LoadEeprom(eepromFile_, eeprom_);
    link_.speed = setup.speed;
    link_.timing = setup.timing;
    link_.latencyMs = kPowerOnLatencyMs;
    link_.writeTimeoutMs = link_.readTimeoutMs = kPowerOnTimeoutMs;
    link_.txXferSize = link_.rxXferSize = kPowerOnTransferSize;
}

BoardState SimBoard::state() const {
    BoardState s = link_;
    s.present = present_;
    s.open = open_;
    s.description = eeprom_.description;
    s.serial = eeprom_.serial;
    s.maxPower = eeprom_.maxPower;
    s.powerSource = eeprom_.powerSource;
    s.driveCurrent = eeprom_.driveCurrent;
    s.receiveQueue = receive_.size();
    s.transmitQueue = 0;
    StreamSource now = stream_;
    if (link_.timing) now.advance(clock_->now());
    s.framesSent = now.framesSent();
    s.framesDropped = now.framesDropped();
    s.streamBuffered = now.bufferedBytes();
    return s;
}

void SimBoard::setOpen(bool open) {
    open_ = open;
    if (!open) stream_.stop();
}

void SimBoard::unplug() {
    present_ = false;
    setOpen(false);
    receive_.clear();
}

void SimBoard::plug() {
    if (present_) return;
    present_ = true;
    ++plugCount_;
}

LinkDirection SimBoard::direction(int transferSize) const {
    return {link_.speed, link_.synchronous, transferSize};
}

Nanos SimBoard::readEnd(Nanos start, std::size_t& n) const {
    const Nanos timeout = start + Milliseconds(link_.readTimeoutMs);
    if (n == 0) return timeout;
    const LinkDirection in = direction(link_.rxXferSize);
    const std::size_t packet = PacketSize(link_.speed);
    // The packets that carry the n bytes end in the chip's last, partial packet.
    const bool partial = receive_.size() < (n + packet - 1) / packet * packet;
    const Nanos latency = partial ? Milliseconds(static_cast<int>(link_.latencyMs)) : Nanos(0);
    const Nanos end = std::max(start + in.transferTime(n), receiveReady_) + latency;
    if (end <= timeout) return end;
    n = std::min(n, in.bytesWithin(timeout - start) / packet * packet);
    return timeout;
}

void SimBoard::topUpStream(std::size_t wanted, Nanos at) {
    if (!rawPrbs_ || receive_.size() >= wanted) return;
    std::vector<std::uint8_t> more(wanted - receive_.size());
    rawPrbs_->fill(more);
    receive_.push(more);
    receiveReady_ = std::max(receiveReady_, at);
}

int SimBoard::read(std::span<std::uint8_t> data, std::size_t& got) {
    if (readLimit_ > 0 && data.size() > readLimit_) data = data.first(readLimit_);
    if (!link_.timing) {
        topUpStream(data.size(), Nanos(0));
        got = receive_.pop(data);
        dataFaults_.apply(data, got);
        return CORVOUSB_OK;
    }
    const Nanos start = clock_->now();
    topUpStream(data.size(), start);
    std::size_t n = std::min(data.size(), receive_.size());
    const Nanos end = readEnd(start, n);
    got = receive_.pop(data.first(n));
    if (receive_.size() == 0) receiveReady_ = Nanos(0);
    dataFaults_.apply(data, got);
    clock_->sleepUntil(end);
    return CORVOUSB_OK;
}

int SimBoard::write(std::span<const std::uint8_t> data, std::size_t& taken) {
    taken = 0;
    if (data.empty()) return CORVOUSB_OK;
    const Nanos start = link_.timing ? clock_->now() : Nanos(0);
    const Nanos timeout = start + Milliseconds(link_.writeTimeoutMs);
    Nanos end = start;
    std::size_t n = data.size();
    if (refuse_) {
        n = 0;
        end = timeout;
    } else if (link_.timing) {
        const LinkDirection out = direction(link_.txXferSize);
        end = start + out.transferTime(n);
        if (end > timeout) {
            n = std::min(n, out.bytesWithin(timeout - start));
            end = timeout;
        }
    }
    if (n > 0) accept(data, n, end, taken);
    if (link_.timing) clock_->sleepUntil(end);
    return CORVOUSB_OK;
}

// The firmware's part of a write of which the chip took the first n bytes by `at`.
void SimBoard::accept(std::span<const std::uint8_t> data, std::size_t n, Nanos at,
                      std::size_t& taken) {
    taken = n;
    const bool command = DecodeCommand(data).has_value();
    if (!answers_ || (command && n < data.size())) return; // ignored, or a command cut short
    if (command) {
        execute(data, at);
        return;
    }
    if (!rawEcho_) return;
    // Plain data loops back, as much as the receive queue has room for.
    const std::size_t room =
        kSimMemorySize > receive_.size() ? kSimMemorySize - receive_.size() : 0;
    taken = std::min(room, n);
    receive_.push(data.first(taken));
    receiveReady_ = std::max(receiveReady_, at);
}

void SimBoard::purge() {
    receive_.clear();
    receiveReady_ = Nanos(0);
    if (link_.timing) stream_.advance(clock_->now());
    stream_.purge();
    ++link_.purges;
}

void SimBoard::execute(std::span<const std::uint8_t> chunk, Nanos at) {
    const Command c = *DecodeCommand(chunk);
    switch (c.kind) {
    case CommandKind::Write: {
        std::vector<std::uint8_t>& block = memory_[c.subAddress];
        const std::size_t n = std::min(c.data.size(), kSimMemorySize);
        if (block.size() < n) block.resize(n);
        std::copy_n(c.data.begin(), n, block.begin());
        break;
    }
    case CommandKind::Read:
        answerRead(c.subAddress, std::min<std::size_t>(c.count, kSimMemorySize));
        receiveReady_ = std::max(receiveReady_, at);
        break;
    case CommandKind::Stream:
        answerStream(std::min<std::size_t>(c.count, kSimMemorySize), at);
        break;
    }
}

// The block written at the sub-address, then its pattern (queued as a ramp, written when read).
void SimBoard::answerRead(std::int8_t subAddress, std::size_t count) {
    std::size_t written = 0;
    if (const auto it = memory_.find(subAddress); it != memory_.end()) {
        written = std::min(count, it->second.size());
        receive_.push(std::span(it->second).first(written));
    }
    receive_.pushRamp(static_cast<std::uint8_t>(subAddress) + static_cast<unsigned>(written),
                      count - written);
}

// Whole frames within `budget` bytes, counting what is queued already; the answer must be
// produced before the read that follows times out.
void SimBoard::answerStream(std::size_t budget, Nanos at) {
    budget = budget > receive_.size() ? budget - receive_.size() : 0;
    const Nanos deadline = at + Milliseconds(link_.readTimeoutMs);
    receiveReady_ =
        std::max(receiveReady_, stream_.answer(budget, at, deadline, link_.timing, receive_));
}

bool SimBoard::writeEeprom(const Eeprom& eeprom) {
    // The file first: what the board shows must be what the next run reads.
    if (!eepromFile_.empty() && !SaveEeprom(eepromFile_, eeprom)) return false;
    eeprom_ = eeprom;
    return true;
}

bool SimBoard::eraseEeprom() {
    return writeEeprom(BlankEeprom());
}

SimDevice::SimDevice(std::shared_ptr<SimBoard> board)
    : board_(std::move(board)), plugCount_(board_->plugCount()) {
    board_->setOpen(true);
}

SimDevice::~SimDevice() {
    if (alive()) board_->setOpen(false);
}

bool SimDevice::alive() const {
    return board_->present() && board_->plugCount() == plugCount_;
}

int SimDevice::read(std::span<std::uint8_t> data, std::size_t& got) {
    got = 0;
    return alive() ? board_->read(data, got) : CORVOUSB_ERR_DEVICE_REMOVED;
}

int SimDevice::write(std::span<const std::uint8_t> data, std::size_t& taken) {
    taken = 0;
    return alive() ? board_->write(data, taken) : CORVOUSB_ERR_DEVICE_REMOVED;
}

int SimDevice::queueBytes(int queue, std::size_t& bytes) {
    // The firmware takes every byte at once, so the transmit queue is always empty.
    return onBoard([&](SimBoard& b) { bytes = queue == 0 ? b.receiveBytes() : 0; });
}

int SimDevice::purge() {
    return onBoard([](SimBoard& b) { b.purge(); });
}

int SimDevice::setLatencyTimer(unsigned ms) {
    return onBoard([&](SimBoard& b) { b.link().latencyMs = ms; });
}

int SimDevice::setTimeouts(int writeMs, int readMs) {
    return onBoard([&](SimBoard& b) {
        b.link().writeTimeoutMs = writeMs;
        b.link().readTimeoutMs = readMs;
    });
}

int SimDevice::setTransferSizes(int txBytes, int rxBytes) {
    return onBoard([&](SimBoard& b) {
        b.link().txXferSize = txBytes;
        b.link().rxXferSize = rxBytes;
    });
}

int SimDevice::setSynchronous(bool on, int option) {
    return onBoard([&](SimBoard& b) {
        b.link().synchronous = on;
        if (on) b.link().syncOption = option;
    });
}

int SimDevice::setHardwareFlowControl() {
    return onBoard([](SimBoard& b) { b.link().hardwareFlowControl = true; });
}

int SimDevice::setBaudRate(int baud) {
    return onBoard([&](SimBoard& b) { b.link().baudRate = baud; });
}

int SimDevice::readEeprom(Eeprom& eeprom) {
    return onBoard([&](SimBoard& b) { eeprom = b.eeprom(); });
}

int SimDevice::writeEeprom(const Eeprom& eeprom) {
    if (!alive()) return CORVOUSB_ERR_DEVICE_REMOVED;
    return board_->writeEeprom(eeprom) ? CORVOUSB_OK : CORVOUSB_ERR_EEPROM_WRITE;
}

int SimDevice::eraseEeprom() {
    if (!alive()) return CORVOUSB_ERR_DEVICE_REMOVED;
    return board_->eraseEeprom() ? CORVOUSB_OK : CORVOUSB_ERR_EEPROM_ERASE;
}

} // namespace corvousb
