// The headless front end's descriptor watches, polled at each turn of its scripted event loop.
#pragma once

#include "platform/uirt/model/watch.h"

namespace uirt::headless::detail {

DescriptorWatch& Descriptors();
// One turn: waits up to `waitMs` for a watched descriptor to be ready, then delivers every ready
// one (input::descriptorReady).
void TurnDescriptors(int waitMs);
void ForgetDescriptors();

} // namespace uirt::headless::detail
