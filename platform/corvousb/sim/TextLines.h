// Line splitting and number reading shared by the readers of the bus and EEPROM files.
#pragma once

#include <charconv>
#include <string_view>
#include <system_error>

namespace corvousb {

// Calls visit(number, line) for each line of `text`, numbered from 1, without its line end: LF or
// CRLF. A last line without a line end counts too.
template <class Visit> void ForEachLine(std::string_view text, Visit&& visit) {
    int number = 0;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        visit(++number, line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
}

// Reads a decimal unsigned number that is the whole text; false when it is not one or too large.
inline bool ParseNumber(std::string_view text, unsigned long long& value) {
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return !text.empty() && ec == std::errc() && end == text.data() + text.size();
}

} // namespace corvousb
