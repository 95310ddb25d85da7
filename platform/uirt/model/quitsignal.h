// Quitting on SIGINT or SIGTERM: the first signal is recorded so the program can end cleanly
// without asking anyone anything; a second one ends it at once.
#pragma once

#include <string_view>

namespace uirt {

// For a signal handler (async-signal-safe): records the first signal; at a second one, restores
// the signal's default action and raises it, which ends the program.
void NoteQuitSignal(int sig) noexcept;
// The recorded signal, 0 when none.
int QuitSignal() noexcept;
// Forgets the recorded signal: a new front end, or a test, starts afresh.
void ForgetQuitSignal() noexcept;

// After a quit signal, a modal box would wait for an answer nobody gives: writes
// "title: text" on the standard error instead (control characters escaped) and returns true.
// Returns false, writing nothing, when no quit signal was recorded.
bool SayOnStandardError(std::string_view title, std::string_view text);

} // namespace uirt
