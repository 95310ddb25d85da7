// Turns SIGINT and SIGTERM into a call on the Qt event loop (self-pipe and QSocketNotifier).
#include "SignalQuit.h"

#include "platform/uirt/model/quitsignal.h"

#include <QSocketNotifier>
#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace uirt::qt {
namespace {

int pipeFds[2] = {-1, -1};
struct sigaction oldInt {};
struct sigaction oldTerm {};

void onSignalHandler(int sig) {
    // Async-signal-safe: one write, errno preserved.
    const int saved = errno;
    uirt::NoteQuitSignal(sig); // a second signal ends the program here
    const unsigned char byte = static_cast<unsigned char>(sig);
    [[maybe_unused]] const ssize_t n = ::write(pipeFds[1], &byte, 1);
    errno = saved;
}

} // namespace

SignalQuit::SignalQuit(std::function<void(int)> onSignal) : onSignal_(std::move(onSignal)) {
    ForgetQuitSignal();
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, pipeFds) != 0) {
        pipeFds[0] = pipeFds[1] = -1;
        return; // no clean quit on signals; the default handlers stay
    }
    notifier_ = std::make_unique<QSocketNotifier>(pipeFds[0], QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, &SignalQuit::readSignal);
    struct sigaction sa {};
    sa.sa_handler = onSignalHandler;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &sa, &oldInt);
    ::sigaction(SIGTERM, &sa, &oldTerm);
}

SignalQuit::~SignalQuit() {
    if (pipeFds[0] < 0) return;
    ::sigaction(SIGINT, &oldInt, nullptr);
    ::sigaction(SIGTERM, &oldTerm, nullptr);
    notifier_.reset();
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);
    pipeFds[0] = pipeFds[1] = -1;
}

void SignalQuit::readSignal() {
    std::array<unsigned char, 16> buf{};
    const ssize_t n = ::read(pipeFds[0], buf.data(), buf.size());
    for (ssize_t i = 0; i < n; ++i) {
        if (onSignal_) onSignal_(buf[static_cast<std::size_t>(i)]);
    }
}

} // namespace uirt::qt
