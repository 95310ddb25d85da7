// The stream source: frame production in time, the bounded stream buffer, frame building.
#include "platform/corvousb/sim/StreamSource.h"

#include "platform/corvousb/protocol/Frame.h"

#include <algorithm>
#include <cmath>
#include <cstring>

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
    return static_cast<std::size_t>(bufferedFrames_) * frameBytes();
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
    // The newest frames win: what does not fit pushes the oldest out.
    const unsigned long long capacity = bufferLimit_ / frameBytes();
    const unsigned long long fresh = end - next_;
    const unsigned long long keep = std::min(fresh, capacity);
    dropped_ += fresh - keep;
    next_ = end;
    if (keep == 0) return;
    if (!buffered_.empty() && buffered_.back().first + buffered_.back().count == end - keep)
        buffered_.back().count += keep;
    else
        buffered_.push_back({end - keep, keep});
    bufferedFrames_ += keep;
    while (bufferedFrames_ > capacity) {
        Run& oldest = buffered_.front();
        const unsigned long long n = std::min(oldest.count, bufferedFrames_ - capacity);
        oldest.first += n;
        oldest.count -= n;
        bufferedFrames_ -= n;
        dropped_ += n;
        if (oldest.count == 0) buffered_.pop_front();
    }
}

void StreamSource::stop() {
    running_ = false;
    purge();
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
    std::vector<Pick> picks;
    if (!timed && faults_.empty()) { // every full frame that fits, in one run
        const unsigned long long n = budget / frameBytes();
        if (n > 0) {
            picks.push_back({next_, n, payload_});
            next_ += n;
            sent_ += n;
            budget -= static_cast<std::size_t>(n) * frameBytes();
            sentAny = true;
        }
    }
    while (budget > kFrameOverhead) {
        const std::size_t size = std::min<std::size_t>(payload_, budget - kFrameOverhead);
        if (size < payload_ && sentAny) break;
        unsigned long long frame = next_;
        if (!buffered_.empty()) {
            frame = buffered_.front().first++;
            --bufferedFrames_;
            if (--buffered_.front().count == 0) buffered_.pop_front();
        } else {
            if (timed && producedAt(frame) > deadline) break;
            if (timed) ready = std::max(ready, producedAt(frame));
            ++next_;
        }
        ++sent_;
        if (hasFault(FrameFault::Drop, frame)) {
            // An untimed board skips a whole run of dropped frames at once, so a read costs
            // work for the bytes it asks for, however many frames a fault drops.
            if (!timed && frame == next_ - 1) {
                const unsigned long long end = dropRunEnd(frame);
                sent_ += end - next_;
                next_ = end;
            }
            continue;
        }
        pick(picks, frame, size);
        budget -= size + kFrameOverhead;
        sentAny = true;
    }
    for (const Pick& p : picks)
        queueFrames(p, out);
    return ready;
}

void StreamSource::pick(std::vector<Pick>& picks, unsigned long long frame,
                        std::size_t payload) const {
    if (!picks.empty()) {
        Pick& last = picks.back();
        if (last.first + last.count == frame && last.payload == payload) {
            ++last.count;
            return;
        }
    }
    picks.push_back({frame, 1, payload});
}

void StreamSource::queueFrames(const Pick& p, ByteQueue& out) {
    const std::size_t size = p.payload + kFrameOverhead;
    if (!faults_.empty() || p.payload != payload_) {
        for (unsigned long long i = 0; i < p.count; ++i)
            queueFrame(p.first + i, p.payload, out.extend(size));
        return;
    }
    if (pattern_.empty()) {
        pattern_.resize(128 * size);
        for (unsigned c = 0; c < 128; ++c)
            queueFrame(c - firstCounter_, payload_, std::span(pattern_).subspan(c * size, size));
    }
    for (unsigned long long frame = p.first; frame < p.first + p.count;) {
        const auto counter = static_cast<std::uint16_t>(firstCounter_ + frame);
        const std::size_t from = counter % 128;
        const auto n = static_cast<std::size_t>(
            std::min<unsigned long long>(128 - from, p.first + p.count - frame));
        const std::span<std::uint8_t> run = out.extend(n * size);
        std::memcpy(run.data(), pattern_.data() + from * size, n * size);
        for (std::size_t i = 0; i < n; ++i)
            WriteFrameHeader(run.subspan(i * size), static_cast<std::uint16_t>(counter + i),
                             p.payload);
        frame += n;
    }
}

void StreamSource::queueFrame(unsigned long long frame, std::size_t payload,
                              std::span<std::uint8_t> f) const {
    const auto counter = static_cast<std::uint16_t>(firstCounter_ + frame);
    WriteFrameHeader(f, counter, payload);
    FillRamp(f.subspan(kFrameHeaderSize, payload), counter, kPayloadPeriod);
    WriteFrameTrailer(f, RampXor(counter, payload, kPayloadPeriod));
    if (hasFault(FrameFault::CorruptHeader, frame)) f[0] = 0x00;
    if (hasFault(FrameFault::CorruptTrailer, frame)) f[f.size() - 2] = 0x00;
}

bool StreamSource::hasFault(FrameFault kind, unsigned long long frame) const {
    if (faults_.empty()) return false;
    return std::any_of(faults_.begin(), faults_.end(), [&](const FaultRange& r) {
        return r.kind == kind && frame >= r.first && frame - r.first < r.count;
    });
}

unsigned long long StreamSource::dropRunEnd(unsigned long long frame) const {
    unsigned long long end = frame + 1;
    for (bool grew = true; grew;) {
        grew = false;
        for (const FaultRange& r : faults_) {
            const unsigned long long rangeEnd = r.first + r.count;
            if (r.kind == FrameFault::Drop && end >= r.first && end < rangeEnd) {
                end = rangeEnd;
                grew = true;
            }
        }
    }
    return end;
}

void StreamSource::addFault(FrameFault kind, unsigned long long first, unsigned count) {
    faults_.push_back({kind, first, count});
}

} // namespace corvousb
