// The simulated board's chip model and firmware.
#include "platform/corvousb/sim/SimBoard.h"

#include "platform/corvousb/protocol/Command.h"
#include "platform/corvousb/protocol/Frame.h"
#include "platform/corvousb/sim/EepromFile.h"

#include <algorithm>
#include <cstring>

namespace corvousb {

std::size_t ByteQueue::pop(std::span<std::uint8_t> out) {
    const std::size_t n = std::min(out.size(), size());
    if (n > 0) std::memcpy(out.data(), bytes_.data() + head_, n);
    head_ += n;
    if (head_ == bytes_.size())
        clear();
    else if (head_ > bytes_.size() / 2) {
        bytes_.erase(bytes_.begin(), bytes_.begin() + static_cast<std::ptrdiff_t>(head_));
        head_ = 0;
    }
    return n;
}

SimBoard::SimBoard(const BoardSetup& setup, int port)
    : port_(port), eeprom_{setup.description, setup.serial, setup.maxPower, setup.powerSource,
                           setup.driveCurrent},
      eepromFile_(setup.eepromFile),
      framePayload_(std::clamp<unsigned>(setup.framePayload, 1, kMaxPayload)),
      answers_(setup.answers), nextCounter_(static_cast<std::uint16_t>(setup.firstFrameCounter)) {
    if (!eepromFile_.empty()) LoadEeprom(eepromFile_, eeprom_);
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
    s.framesSent = framesSent_;
    return s;
}

void SimBoard::unplug() {
    present_ = false;
    open_ = false;
    receive_.clear();
}

void SimBoard::plug() {
    if (present_) return;
    present_ = true;
    ++plugCount_;
}

int SimBoard::read(std::span<std::uint8_t> data, std::size_t& got) {
    if (readLimit_ > 0 && data.size() > readLimit_) data = data.first(readLimit_);
    got = receive_.pop(data);
    return CORVOUSB_OK;
}

int SimBoard::write(std::span<const std::uint8_t> data, std::size_t& taken) {
    taken = 0;
    if (refuse_ || data.empty()) return CORVOUSB_OK;
    if (!answers_) {
        taken = data.size();
        return CORVOUSB_OK;
    }
    if (DecodeCommand(data)) {
        taken = data.size();
        execute(data);
        return CORVOUSB_OK;
    }
    // Plain data loops back, as much as the receive queue has room for.
    const std::size_t room =
        kSimMemorySize > receive_.size() ? kSimMemorySize - receive_.size() : 0;
    taken = std::min(room, data.size());
    receive_.push(data.first(taken));
    return CORVOUSB_OK;
}

void SimBoard::purge() {
    receive_.clear();
    ++link_.purges;
}

void SimBoard::execute(std::span<const std::uint8_t> chunk) {
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
        break;
    case CommandKind::Stream:
        answerStream(std::min<std::size_t>(c.count, kSimMemorySize));
        break;
    }
}

void SimBoard::answerRead(std::int8_t subAddress, std::size_t count) {
    std::vector<std::uint8_t> answer(count);
    for (std::size_t i = 0; i < count; ++i)
        answer[i] = static_cast<std::uint8_t>((i + static_cast<std::uint8_t>(subAddress)) & 0xFF);
    if (const auto it = memory_.find(subAddress); it != memory_.end())
        std::copy_n(it->second.begin(), std::min(count, it->second.size()), answer.begin());
    receive_.push(answer);
}

// Queues whole frames while they fit in `budget` bytes, counting what is queued already. When
// not even one full frame fits, one shorter frame is sent so that every request makes progress.
void SimBoard::answerStream(std::size_t budget) {
    budget = budget > receive_.size() ? budget - receive_.size() : 0;
    std::vector<std::uint8_t> payload;
    bool sentAny = false;
    while (budget > kFrameOverhead) {
        const std::size_t size = std::min<std::size_t>(framePayload_, budget - kFrameOverhead);
        if (size < framePayload_ && sentAny) break;
        const unsigned long long frame = framesSent_++;
        const std::uint16_t counter = nextCounter_++;
        if (hasFault(FrameFault::Drop, frame)) continue;
        payload.resize(size);
        for (std::size_t i = 0; i < size; ++i)
            payload[i] = static_cast<std::uint8_t>((counter + i) & 0x7F);
        std::vector<std::uint8_t> f = MakeFrame(counter, payload);
        if (hasFault(FrameFault::CorruptHeader, frame)) f[0] = 0x00;
        if (hasFault(FrameFault::CorruptTrailer, frame)) f[f.size() - 2] = 0x00;
        receive_.push(f);
        budget -= f.size();
        sentAny = true;
    }
}

bool SimBoard::hasFault(FrameFault kind, unsigned long long frame) const {
    return std::any_of(frameFaults_.begin(), frameFaults_.end(), [&](const FaultRange& r) {
        return r.kind == kind && frame >= r.first && frame - r.first < r.count;
    });
}

void SimBoard::addFrameFault(FrameFault kind, unsigned long long first, unsigned count) {
    frameFaults_.push_back({kind, first, count});
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
