// Maximal-length pseudo-random bit sequences (PRBS-7, -15, -23, -31), written MSB-first into bytes.
//
// Polynomials as in the usual test-equipment tables: PRBS-7 x^7 + x^6 + 1, PRBS-15 x^15 + x^14 + 1,
// PRBS-23 x^23 + x^18 + 1, PRBS-31 x^31 + x^28 + 1, i.e. bit b[k] = b[k-n] XOR b[k-m]. The
// documented seed is all ones and the sequence is not inverted: its first n bits are ones. First
// bytes: PRBS-7 FE 04 18 51, PRBS-15 FF FE 00 04, PRBS-23 FF FF FE 00 00 7C, PRBS-31
// FF FF FF FE 00 00 00 1C. The first bit of the sequence is the most significant bit of byte 0.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace check {

// The orders offered; any other order is refused by PrbsTaps.
inline constexpr int kPrbsOrders[] = {7, 15, 23, 31};

// The second tap m of the order-n polynomial x^n + x^m + 1; nullopt for an order not offered.
std::optional<int> PrbsTaps(int order);

// Whether the bits of `bytes` follow the order's recurrence from their first `order` bits on.
bool FollowsSequence(int order, std::span<const std::uint8_t> bytes);

// Produces the sequence many bytes at a time; blocks of any length continue where the last ended.
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
    static constexpr std::size_t kMaxLag = 1024;
    void start(std::span<const std::uint8_t> seed);

    int order_;
    // The polynomial raised to a power of two, x^(8 lag) + x^(8 near) + 1, gives whole bytes:
    // byte[j] = byte[j - lag] ^ byte[j - near], with `near` large enough that a stretch of bytes
    // depends only on bytes written long before.
    std::size_t lag_ = 0, near_ = 0;
    std::array<std::uint8_t, kMaxLag> window_{}; // the latest lag_ bytes made, oldest first
    std::size_t unread_ = 0;                     // of them, not yet handed out (the first ones)
};

} // namespace check
