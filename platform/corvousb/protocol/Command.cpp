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

std::optional<Command> DecodeCommand(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kCommandSize || bytes[0] != kCommandStart) return std::nullopt;
    if (bytes[kCommandSize - 1] != HeaderCheck(bytes)) return std::nullopt;
    Command c;
    c.kind = static_cast<CommandKind>(bytes[1]);
    c.subAddress = static_cast<std::int8_t>(bytes[2]);
    c.count = bytes[3] | (bytes[4] << 8) | (bytes[5] << 16) | (std::uint32_t{bytes[6]} << 24);
    switch (c.kind) {
    case CommandKind::Write:
        if (bytes.size() != kCommandSize + c.count) return std::nullopt;
        c.data = bytes.subspan(kCommandSize);
        return c;
    case CommandKind::Read:
    case CommandKind::Stream:
        if (bytes.size() != kCommandSize) return std::nullopt;
        return c;
    }
    return std::nullopt;
}

} // namespace corvousb
