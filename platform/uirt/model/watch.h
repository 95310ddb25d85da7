// Descriptors watched by the event loop: the program's callback runs on the UI thread when one
// becomes readable, as any other event, so no thread of its own polls it.
#pragma once

#include <functional>

namespace uirt {

// ---- The program ------------------------------------------------------------------------------
// Calls `onReady` from the event loop whenever `fd` is readable, hung up or in error (the callback
// reads it, or unwatches it). Never while another callback runs. Returns the watch id (> 0), or
// UIE_NOT_INITIALIZED before InitCVIRTE, or UIE_BAD_VALUE for a negative descriptor or when the
// front end watches no descriptors.
int WatchDescriptor(int fd, std::function<void()> onReady);
// Ends a watch; harmless for an id that is not watched. The descriptor stays the caller's.
void UnwatchDescriptor(int id);

// ---- Front ends -------------------------------------------------------------------------------
// A front end watches each descriptor in its own event loop and calls input::descriptorReady.
class DescriptorWatch {
  public:
    virtual ~DescriptorWatch() = default;
    virtual void watch(int id, int fd) = 0;
    virtual void unwatch(int id) = 0;
};

namespace input {
// The descriptor of watch `id` is ready: runs its callback and returns 0. UIE_BUSY while a
// callback runs (the front end tries again once it has returned), UIE_BAD_VALUE for an id that
// is not watched.
int descriptorReady(int id);
} // namespace input

} // namespace uirt
