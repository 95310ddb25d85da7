// The headless front end's descriptor watches, polled at each turn of its scripted event loop.
#pragma once

#include "platform/uirt/model/watch.h"

namespace uirt::headless::detail {

DescriptorWatch& Descriptors();
// One turn: delivers every watched descriptor that is ready now (input::descriptorReady).
void TurnDescriptors();
void ForgetDescriptors();

} // namespace uirt::headless::detail
