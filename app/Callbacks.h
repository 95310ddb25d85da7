// The callback table: binds the callback names of the panel resources to Kestrel's functions.
#pragma once

#include <string_view>

#include "platform/uirt/model/uirt.h"

// The function named `name`, or null when no function has that name.
CtrlCallbackPtr FindCtrlCallback(std::string_view name);
MenuCallbackPtr FindMenuCallback(std::string_view name);

// Makes the run-time bind every callback name through this table when a panel loads.
void InstallKestrelCallbacks();
