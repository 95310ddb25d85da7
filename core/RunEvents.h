// What happens during a run, told to the one listener above (the run monitor's event log).
#pragma once

#include <functional>
#include <string>

namespace runevents {

enum class Kind {
    LoopStarted,    // text: the settings in force
    LoopStopped,    // text: why
    LibraryError,   // text: the library's error text
    BoardGone,      // text: the board that went away
    BoardBack,      // text: the board that came back, and the length of the gap
    SettingChanged, // text: "name = value"
};

using Listener = std::function<void(Kind kind, const std::string& text)>;

// Replaces the listener; an empty one means nobody listens.
void Listen(Listener listener);
// Tells the listener, if any. Cheap when nobody listens.
void Emit(Kind kind, const std::string& text);

} // namespace runevents
