// Model: descriptor watches, their ids and the callbacks the front end's event loop triggers.
#include "platform/uirt/model/watch.h"

#include "platform/uirt/model/runtime.h"
#include "platform/uirt/model/uirt.h"

namespace uirt {

using detail::rt;

int WatchDescriptor(int fd, std::function<void()> onReady) {
    if (!rt().frontEnd) return UIE_NOT_INITIALIZED;
    DescriptorWatch* service = rt().frontEnd->descriptors();
    if (fd < 0 || service == nullptr || !onReady) return UIE_BAD_VALUE;
    const int id = rt().nextWatch++;
    rt().watches[id] = std::move(onReady);
    service->watch(id, fd);
    return id;
}

void UnwatchDescriptor(int id) {
    if (rt().watches.erase(id) == 0) return;
    if (rt().frontEnd && rt().frontEnd->descriptors()) rt().frontEnd->descriptors()->unwatch(id);
}

int input::descriptorReady(int id) {
    const auto it = rt().watches.find(id);
    if (it == rt().watches.end()) return UIE_BAD_VALUE;
    if (rt().callbackDepth > 0) return UIE_BUSY;
    // A copy: the callback may end its own watch.
    const std::function<void()> onReady = it->second;
    ++rt().callbackDepth;
    onReady();
    --rt().callbackDepth;
    return 0;
}

} // namespace uirt
