// Sub-address commands as bytes on the raw FIFO.
//
// A command is one write of: C5 | command ('W' write, 'R' read, 'X' stream) | sub-address
// (signed 8-bit) | count, 32-bit little-endian | check = XOR of the 7 bytes before it, followed
// for 'W' by exactly `count` data bytes. The board answers 'R' with `count` bytes of the memory at
// that sub-address, and 'X' with whole frames of at most `count` bytes in all; 'W' gets no answer.
// A write that is not exactly one well-formed command is plain data (the board loops it back).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace corvousb {

inline constexpr std::size_t kCommandSize = 8;
inline constexpr std::uint8_t kCommandStart = 0xC5;

enum class CommandKind : std::uint8_t { Write = 'W', Read = 'R', Stream = 'X' };

struct Command {
    CommandKind kind = CommandKind::Read;
    std::int8_t subAddress = 0;
    std::uint32_t count = 0;
    std::span<const std::uint8_t> data; // 'W' only: points into the decoded bytes
};

// The bytes of a command; for Write, `data` follows the header.
std::vector<std::uint8_t> EncodeCommand(CommandKind kind, std::int8_t subAddress,
                                        std::uint32_t count,
                                        std::span<const std::uint8_t> data = {});
// The length of the whole command (header, and for 'W' its data) whose header the bytes begin
// with, or nothing when they do not begin with a command header. A board that receives commands
// as a byte stream (over a serial line) uses it to find where a command ends.
std::optional<std::size_t> CommandLength(std::span<const std::uint8_t> bytes);
// The command the bytes hold, or nothing when they are plain data.
std::optional<Command> DecodeCommand(std::span<const std::uint8_t> bytes);

} // namespace corvousb
