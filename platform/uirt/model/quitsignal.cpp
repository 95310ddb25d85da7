// Quitting on SIGINT or SIGTERM: the recorded signal, the second signal, and no box after it.
#include "platform/uirt/model/quitsignal.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <string>

namespace uirt {

namespace {

std::atomic<int> quitSignal{0};
static_assert(std::atomic<int>::is_always_lock_free, "read and written by a signal handler");

} // namespace

void NoteQuitSignal(int sig) noexcept {
    if (quitSignal.exchange(sig) == 0) return;
    // Whoever sends a second signal will not wait for the clean end.
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

int QuitSignal() noexcept {
    return quitSignal.load();
}

void ForgetQuitSignal() noexcept {
    quitSignal.store(0);
}

bool SayOnStandardError(std::string_view title, std::string_view text) {
    if (QuitSignal() == 0) return false;
    std::string line;
    for (const char c : std::string(title) + ": " + std::string(text)) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && c != '\n') || byte == 0x7F) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            line += escaped;
        } else {
            line += c;
        }
    }
    std::fprintf(stderr, "%s\n", line.c_str());
    return true;
}

} // namespace uirt
