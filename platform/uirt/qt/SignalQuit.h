// Turns SIGINT and SIGTERM into a call on the Qt event loop (self-pipe and QSocketNotifier).
#pragma once

#include <QObject>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace uirt::qt {

// While an instance lives, SIGINT and SIGTERM no longer kill the process: the handler only
// writes a byte into a pipe, and onSignal runs later on the thread that owns the instance,
// where it may safely quit the event loop. The previous handlers come back on destruction.
// At most one instance at a time.
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
