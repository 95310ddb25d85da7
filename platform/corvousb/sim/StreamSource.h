// The board's stream source: frames produced at a set rate into a bounded buffer on the board.
//
// With timing on, the source starts at the first stream request after the board is opened and
// then produces one frame of payload + 9 bytes every (payload + 9) / rate seconds, whether the
// host reads or not. Produced frames wait in the board's stream buffer; when a new frame finds
// it full, the oldest frame waiting is dropped whole (its counter is skipped, so the host sees a
// gap at its next read). A request is answered first from the buffer, then with frames as they are
// produced. With timing off, every request is answered at once with fresh frames, as many as fit.
//
// Frames: payload byte i = (counter + i) & 0x7F, the counter going up by one per frame produced.
#pragma once

#include "platform/corvousb/sim/BoardSetup.h"
#include "platform/corvousb/sim/ByteQueue.h"
#include "platform/corvousb/sim/Clock.h"

#include <cstdint>
#include <deque>
#include <vector>

namespace corvousb {

enum class FrameFault { Drop, CorruptHeader, CorruptTrailer };

class StreamSource {
  public:
    explicit StreamSource(const BoardSetup& setup);

    // Queues into `out` whole frames of at most `budget` bytes in all; when not even one full
    // frame fits, one shorter frame, so that every request makes progress. Timed: frames not yet
    // produced at `now` are waited for, but none produced after `deadline` is taken. Returns the
    // time the last frame queued is produced (`now` when all were waiting in the buffer).
    Nanos answer(std::size_t budget, Nanos now, Nanos deadline, bool timed, ByteQueue& out);
    // Produces the frames due by `now` into the buffer, dropping the oldest when it is full.
    void advance(Nanos now);
    // Empties the buffer (its frames are lost); the source keeps running.
    void purge() {
        buffered_.clear();
        bufferedFrames_ = 0;
    }
    // Stops the source and empties the buffer: the next request starts it again.
    void stop();

    // Frames taken for answers (sent, or dropped by an injected fault).
    unsigned long long framesSent() const { return sent_; }
    // Frames dropped because the buffer was full.
    unsigned long long framesDropped() const { return dropped_; }
    std::size_t bufferedBytes() const;

    void addFault(FrameFault kind, unsigned long long first, unsigned count);
    void clearFaults() { faults_.clear(); }

  private:
    // A run of consecutive frame numbers waiting in the buffer.
    struct Run {
        unsigned long long first;
        unsigned long long count;
    };
    struct FaultRange {
        FrameFault kind;
        unsigned long long first;
        unsigned count;
    };

    // Frames chosen for an answer: `count` consecutive frame numbers from `first`.
    struct Pick {
        unsigned long long first;
        unsigned long long count;
        std::size_t payload;
    };

    std::size_t frameBytes() const;
    void pick(std::vector<Pick>& picks, unsigned long long frame, std::size_t payload) const;
    void queueFrames(const Pick& p, ByteQueue& out);
    Nanos producedAt(unsigned long long frame) const;
    bool hasFault(FrameFault kind, unsigned long long frame) const;
    // The first frame after the run of dropped frames that `frame` starts.
    unsigned long long dropRunEnd(unsigned long long frame) const;
    // Writes frame number `frame` with `payload` payload bytes into f.
    void queueFrame(unsigned long long frame, std::size_t payload, std::span<std::uint8_t> f) const;

    unsigned payload_;
    std::uint16_t firstCounter_;
    double periodNs_;         // time to produce one full frame
    std::size_t bufferLimit_; // bytes
    bool running_ = false;
    Nanos origin_{0};                    // when the source started
    unsigned long long originFrame_ = 0; // the first frame number produced after it started
    unsigned long long next_ = 0;        // the next frame number to produce
    unsigned long long sent_ = 0;
    unsigned long long dropped_ = 0;
    std::deque<Run> buffered_;
    unsigned long long bufferedFrames_ = 0;
    std::vector<FaultRange> faults_;
    // 128 full frames with counters 0..127: the payload repeats every 128 counters, so runs of
    // frames are copied from here and only their counters are written.
    std::vector<std::uint8_t> pattern_;
};

} // namespace corvousb
