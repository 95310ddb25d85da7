// Watched descriptors as QSocketNotifiers in Qt's event loop.
#include "platform/uirt/qt/DescriptorNotifiers.h"

#include "platform/uirt/model/uirt.h"

#include <QTimer>

namespace uirt::qt {

namespace {

// A descriptor that stays ready while a callback runs (a modal box) is tried again this much
// later, instead of spinning the nested loop.
constexpr int kRetryMs = 50;

} // namespace

void DescriptorNotifiers::watch(int id, int fd) {
    auto notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    QSocketNotifier* n = notifier.get();
    QObject::connect(n, &QSocketNotifier::activated, n, [n, id] {
        if (input::descriptorReady(id) != UIE_BUSY) return;
        n->setEnabled(false);
        QTimer::singleShot(kRetryMs, n, [n] { n->setEnabled(true); });
    });
    notifiers_[id] = std::move(notifier);
}

void DescriptorNotifiers::unwatch(int id) {
    const auto it = notifiers_.find(id);
    if (it == notifiers_.end()) return;
    // Unwatched from inside its own activation: deleted once the signal has returned. Disabled
    // at once, as the caller closes the descriptor next.
    it->second->setEnabled(false);
    it->second.release()->deleteLater();
    notifiers_.erase(it);
}

} // namespace uirt::qt
