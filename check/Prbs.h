// Maximal-length pseudo-random bit sequences (PRBS-7, -15, -23, -31), written MSB-first into bytes.
//
// Polynomials as in the usual test-equipment tables: PRBS-7 x^7 + x^6 + 1, PRBS-15 x^15 + x^14 + 1,
// PRBS-23 x^23 + x^18 + 1, PRBS-31 x^31 + x^28 + 1, i.e. bit b[k] = b[k-n] XOR b[k-m]. The
// documented seed is all ones and the sequence is not inverted: its first n bits are ones. First
// bytes: PRBS-7 FE 04 18 51, PRBS-15 FF FE 00 04, PRBS-23 FF FF FE 00 00 7C, PRBS-31
// FF FF FF FE 00 00 00 1C. The first bit of the sequence is the most significant bit of byte 0.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace check {

// The orders offered; any other order is refused by PrbsTaps.
inline constexpr int kPrbsOrders[] = {7, 15, 23, 31};

// The second tap m of the order-n polynomial x^n + x^m + 1; nullopt for an order not offered.
std::optional<int> PrbsTaps(int order);

// Produces the sequence 64 bits at a time; blocks of any length continue where the last ended.
class PrbsGenerator {
  public:
    // The sequence from the documented seed. `order` must be one of kPrbsOrders.
    explicit PrbsGenerator(int order);
    // The sequence whose first `order` bits are the first bits of `start` (MSB-first); start
    // holds at least (order + 7) / 8 bytes, and those bits must not all be zero.
    PrbsGenerator(int order, std::span<const std::uint8_t> start);

    int order() const { return order_; }
    // Writes the next out.size() bytes of the sequence.
    void fill(std::span<std::uint8_t> out);

  private:
    void start(std::span<const std::uint8_t> seed);
    std::uint64_t nextWord();
    // Copies pending bytes to out from index i on; the index after the last copied.
    std::size_t drainPending(std::span<std::uint8_t> out, std::size_t i);

    int order_;
    // The recurrence raised to b[k] = b[k-N] ^ b[k-M] (the polynomial squared j times), so that
    // 64 new bits depend only on bits already known: N <= 128 and M >= 64.
    int bigN_ = 0, bigM_ = 0;
    unsigned __int128 history_ = 0; // the latest 128 bits, the newest in bit 0
    std::uint64_t pending_ = 0;     // bytes of a word begun, in its top bytes
    int pendingBytes_ = 0;
};

} // namespace check
