// A per-thread timer signal that ends a blocking system call at a deadline.
#include "platform/corvousb/tty/CallAlarm.h"

#include <mutex>
#include <pthread.h>
#include <unistd.h>

namespace corvousb {

namespace {

void Ignore(int) {}

// Installs the do-nothing handler once; without SA_RESTART, so the interrupted call returns.
bool InstallHandler() {
    static const bool installed = [] {
        struct sigaction action {};
        action.sa_handler = Ignore;
        sigemptyset(&action.sa_mask);
        return ::sigaction(CallAlarm::signalNumber(), &action, nullptr) == 0;
    }();
    return installed;
}

} // namespace

int CallAlarm::signalNumber() {
    return SIGRTMIN + 4;
}

CallAlarm::CallAlarm(int ms) {
    if (!InstallHandler()) return;
    sigevent event{};
    event.sigev_notify = SIGEV_THREAD_ID;
    event.sigev_signo = signalNumber();
    event._sigev_un._tid = ::gettid();
    if (::timer_create(CLOCK_MONOTONIC, &event, &timer_) != 0) return;
    itimerspec when{};
    when.it_value.tv_sec = ms / 1000;
    when.it_value.tv_nsec = static_cast<long>(ms % 1000) * 1000000L + 1; // 0 would disarm
    when.it_interval.tv_nsec = 1000000L;
    // A thread that blocks the signal would never see it: unblock it while the alarm lives.
    sigemptyset(&unblocked_);
    sigaddset(&unblocked_, signalNumber());
    sigset_t before{};
    ::pthread_sigmask(SIG_UNBLOCK, &unblocked_, &before);
    wasBlocked_ = sigismember(&before, signalNumber()) == 1;
    if (::timer_settime(timer_, 0, &when, nullptr) != 0) {
        ::timer_delete(timer_);
        if (wasBlocked_) ::pthread_sigmask(SIG_BLOCK, &unblocked_, nullptr);
        return;
    }
    armed_ = true;
}

CallAlarm::~CallAlarm() {
    if (!armed_) return;
    // Deleting the timer drops a signal it has queued but not yet delivered.
    ::timer_delete(timer_);
    if (wasBlocked_) ::pthread_sigmask(SIG_BLOCK, &unblocked_, nullptr);
}

} // namespace corvousb
