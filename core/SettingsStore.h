// A small store of named settings with typed keys and defaults, read from and written to
// "key = value" text with a version line.
#pragma once

#include <map>
#include <span>
#include <string>
#include <string_view>

namespace settings {

// A whole-number setting: its name in the file, its default and the values it may take (from
// min to max, and one of `choices` when there are any).
struct IntKey {
    const char* name;
    int defaultValue;
    int min, max;
    std::span<const int> choices = {};

    bool allows(int value) const;
};

inline constexpr int kFormatVersion = 1;

class SettingsStore {
  public:
    // The key's value: the one stored when it is a number in the key's range, else the default.
    int get(const IntKey& key) const;
    // Stores the value; one outside the key's range is ignored.
    void set(const IntKey& key, int value);
    // Whether anything differs from what a fresh store holds.
    bool empty() const { return values_.empty(); }

    // Replaces the store with the "key = value" lines of `text`. Comments (#), blank lines,
    // the version line and lines without "=" are skipped; values are checked only when read,
    // so lines of keys this version does not know are kept and written back.
    void load(std::string_view text);
    // The version line, then one line per stored key, in name order.
    std::string text() const;

  private:
    std::map<std::string, std::string> values_;
};

} // namespace settings
