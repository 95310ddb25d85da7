// Turns SIGINT and SIGTERM into a call on the Qt event loop (self-pipe and QSocketNotifier).
#pragma once

#include <QObject>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace uirt::qt {

// While an instance lives, a first SIGINT or SIGTERM no longer kills the process: the handler
// records it (quitsignal.h) and writes a byte into a pipe, and onSignal runs later on the
// thread that owns the instance, where it may safely quit the event loop; a second signal ends
// the process at once. The previous handlers come back on destruction. At most one instance at
// a time; a new one forgets the signal an earlier one recorded.
class SignalQuit : public QObject {
    Q_OBJECT
  public:
    explicit SignalQuit(std::function<void(int)> onSignal);
    ~SignalQuit() override;
    SignalQuit(const SignalQuit&) = delete;
    SignalQuit& operator=(const SignalQuit&) = delete;

  private:
    void readSignal();
    std::function<void(int)> onSignal_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

} // namespace uirt::qt
