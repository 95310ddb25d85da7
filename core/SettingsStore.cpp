// The settings store and its text form.
#include "core/SettingsStore.h"

#include <algorithm>
#include <charconv>

namespace settings {

namespace {

std::string_view Trim(std::string_view s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

} // namespace

bool IntKey::allows(int value) const {
    if (value < min || value > max) return false;
    return choices.empty() || std::find(choices.begin(), choices.end(), value) != choices.end();
}

int SettingsStore::get(const IntKey& key) const {
    const auto it = values_.find(key.name);
    if (it == values_.end()) return key.defaultValue;
    int value = 0;
    const char* end = it->second.data() + it->second.size();
    const auto [at, error] = std::from_chars(it->second.data(), end, value);
    if (error != std::errc() || at != end || !key.allows(value)) return key.defaultValue;
    return value;
}

void SettingsStore::set(const IntKey& key, int value) {
    if (key.allows(value)) values_[key.name] = std::to_string(value);
}

void SettingsStore::load(std::string_view text) {
    values_.clear();
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = Trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        const auto eq = line.find('=');
        if (line.empty() || line[0] == '#' || eq == std::string_view::npos) continue;
        const std::string name(Trim(line.substr(0, eq)));
        if (name.empty() || name == "version") continue;
        values_[name] = std::string(Trim(line.substr(eq + 1)));
    }
}

std::string SettingsStore::text() const {
    std::string out = "version = " + std::to_string(kFormatVersion) + "\n";
    for (const auto& [name, value] : values_)
        out += name + " = " + value + "\n";
    return out;
}

} // namespace settings
