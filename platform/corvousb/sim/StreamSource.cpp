// The stream source: frame production in time, the bounded stream buffer, frame building.
#include "platform/corvousb/sim/StreamSource.h"

#include "platform/corvousb/protocol/Frame.h"

#include <algorithm>
#include <cmath>

namespace corvousb {

StreamSource::StreamSource(const BoardSetup& setup)
    : payload_(std::clamp<unsigned>(setup.framePayload, 1, kMaxPayload)),
      firstCounter_(static_cast<std::uint16_t>(setup.firstFrameCounter)),
      periodNs_(static_cast<double>(payload_ + kFrameOverhead) * 1e9 /
                std::max(setup.streamRate, 1u)),
      bufferLimit_(setup.streamBuffer) {}

std::size_t StreamSource::frameBytes() const {
    return payload_ + kFrameOverhead;
}

std::size_t StreamSource::bufferedBytes() const {
    unsigned long long frames = 0;
    for (const Run& r : buffered_)
        frames += r.count;
    return static_cast<std::size_t>(frames) * frameBytes();
}

Nanos StreamSource::producedAt(unsigned long long frame) const {
    const auto n = static_cast<double>(frame - originFrame_ + 1);
    return origin_ + Nanos(std::llround(n * periodNs_));
}

void StreamSource::advance(Nanos now) {
    if (!running_ || now < origin_) return;
    const auto due = static_cast<unsigned long long>(
        std::floor(static_cast<double>((now - origin_).count()) / periodNs_));
    const unsigned long long end = originFrame_ + due;
    if (end <= next_) return;
    const unsigned long long fresh = end - next_;
    const std::size_t used = bufferedBytes();
    const unsigned long long room = used < bufferLimit_ ? (bufferLimit_ - used) / frameBytes() : 0;
    const unsigned long long kept = std::min(fresh, room);
    if (kept > 0) {
        if (!buffered_.empty() && buffered_.back().first + buffered_.back().count == next_)
            buffered_.back().count += kept;
        else
            buffered_.push_back({next_, kept});
    }
    dropped_ += fresh - kept;
    next_ = end;
}

void StreamSource::stop() {
    running_ = false;
    buffered_.clear();
}

Nanos StreamSource::answer(std::size_t budget, Nanos now, Nanos deadline, bool timed,
                           ByteQueue& out) {
    if (timed && !running_) {
        running_ = true;
        origin_ = now;
        originFrame_ = next_;
    }
    if (timed) advance(now);
    Nanos ready = now;
    bool sentAny = false;
    while (budget > kFrameOverhead) {
        const std::size_t size = std::min<std::size_t>(payload_, budget - kFrameOverhead);
        if (size < payload_ && sentAny) break;
        unsigned long long frame = next_;
        if (!buffered_.empty()) {
            frame = buffered_.front().first++;
            if (--buffered_.front().count == 0) buffered_.pop_front();
        } else {
            if (timed && producedAt(frame) > deadline) break;
            if (timed) ready = std::max(ready, producedAt(frame));
            ++next_;
        }
        ++sent_;
        if (hasFault(FrameFault::Drop, frame)) continue;
        queueFrame(frame, size, out);
        budget -= size + kFrameOverhead;
        sentAny = true;
    }
    return ready;
}

void StreamSource::queueFrame(unsigned long long frame, std::size_t payload, ByteQueue& out) const {
    const auto counter = static_cast<std::uint16_t>(firstCounter_ + frame);
    const std::span<std::uint8_t> f = out.extend(payload + kFrameOverhead);
    WriteFrameHeader(f, counter, payload);
    FillRamp(f.subspan(kFrameHeaderSize, payload), counter, 128);
    WriteFrameTrailer(f, RampXor(counter, payload, 128));
    if (hasFault(FrameFault::CorruptHeader, frame)) f[0] = 0x00;
    if (hasFault(FrameFault::CorruptTrailer, frame)) f[f.size() - 2] = 0x00;
}

bool StreamSource::hasFault(FrameFault kind, unsigned long long frame) const {
    return std::any_of(faults_.begin(), faults_.end(), [&](const FaultRange& r) {
        return r.kind == kind && frame >= r.first && frame - r.first < r.count;
    });
}

void StreamSource::addFault(FrameFault kind, unsigned long long first, unsigned count) {
    faults_.push_back({kind, first, count});
}

} // namespace corvousb
