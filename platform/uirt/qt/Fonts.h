// Fonts of the Qt front end: the resource font names mapped to Qt fonts.
#pragma once

#include <QFont>
#include <string_view>

namespace uirt::qt {

// Font for a resource font name: "" is the application font, a Courier face the monospaced
// font, anything else that family as a heading (larger, bold).
QFont fontFor(std::string_view name);
// Whether the glyphs a dump uses (digits, hex letters, separators, narrow and wide letters)
// all advance by the same width: measured, because some fonts set the fixed-pitch flag
// wrongly.
bool equalAdvances(const QFont& font);
// DejaVu Sans Mono at the system's fixed-font size; else the first font whose glyphs have
// equal advances among the system's fixed font and fontconfig's "monospace".
QFont monospacedFont();

} // namespace uirt::qt
