// Headless descriptor watches: poll(2) over the watched descriptors at each event-loop turn.
#include "platform/uirt/headless/descriptors.h"

#include <map>
#include <poll.h>
#include <vector>

namespace uirt::headless::detail {

namespace {

class Watches final : public DescriptorWatch {
  public:
    void watch(int id, int fd) override { fds_[id] = fd; }
    void unwatch(int id) override { fds_.erase(id); }

    void turn() {
        if (fds_.empty()) return;
        std::vector<pollfd> polled;
        std::vector<int> ids;
        for (const auto& [id, fd] : fds_) {
            polled.push_back({fd, POLLIN, 0});
            ids.push_back(id);
        }
        if (::poll(polled.data(), polled.size(), 0) <= 0) return;
        for (std::size_t i = 0; i < polled.size(); ++i)
            if (polled[i].revents != 0) input::descriptorReady(ids[i]);
    }
    void forget() { fds_.clear(); }

  private:
    std::map<int, int> fds_;
};

Watches& watches() {
    static Watches w;
    return w;
}

} // namespace

DescriptorWatch& Descriptors() {
    return watches();
}
void TurnDescriptors() {
    watches().turn();
}
void ForgetDescriptors() {
    watches().forget();
}

} // namespace uirt::headless::detail
