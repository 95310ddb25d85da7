// Encoding and decoding of sub-address commands.
#include "platform/corvousb/protocol/Command.h"

namespace corvousb {

namespace {

std::uint8_t HeaderCheck(std::span<const std::uint8_t> header) {
    std::uint8_t x = 0;
    for (std::size_t i = 0; i + 1 < kCommandSize; ++i)
        x ^= header[i];
    return x;
}

// The count field of a command header.
std::uint32_t Count(std::span<const std::uint8_t> header) {
    return header[3] | (header[4] << 8) | (header[5] << 16) | (std::uint32_t{header[6]} << 24);
}

} // namespace

std::vector<std::uint8_t> EncodeCommand(CommandKind kind, std::int8_t subAddress,
                                        std::uint32_t count, std::span<const std::uint8_t> data) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kCommandSize + data.size());
    bytes.push_back(kCommandStart);
    bytes.push_back(static_cast<std::uint8_t>(kind));
    bytes.push_back(static_cast<std::uint8_t>(subAddress));
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<std::uint8_t>((count >> shift) & 0xFF));
    bytes.push_back(HeaderCheck(bytes));
    bytes.insert(bytes.end(), data.begin(), data.end());
    return bytes;
}

std::optional<std::size_t> CommandLength(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kCommandSize || bytes[0] != kCommandStart) return std::nullopt;
    if (bytes[kCommandSize - 1] != HeaderCheck(bytes)) return std::nullopt;
    switch (static_cast<CommandKind>(bytes[1])) {
    case CommandKind::Write:
        return kCommandSize + Count(bytes);
    case CommandKind::Read:
    case CommandKind::Stream:
        return kCommandSize;
    }
    return std::nullopt;
}

std::optional<Command> DecodeCommand(std::span<const std::uint8_t> bytes) {
    const auto length = CommandLength(bytes);
    if (!length || *length != bytes.size()) return std::nullopt;
    Command c;
    c.kind = static_cast<CommandKind>(bytes[1]);
    c.subAddress = static_cast<std::int8_t>(bytes[2]);
    c.count = Count(bytes);
    if (c.kind == CommandKind::Write) c.data = bytes.subspan(kCommandSize);
    return c;
}

} // namespace corvousb
