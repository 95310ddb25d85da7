// A control whose value is one of the additions' settings (kestrel.ini).
#pragma once

#include "core/SettingsStore.h"

// On a commit, stores the value of `control` on `panel` as `key` and returns true; false for
// any other event.
bool StoreControlSetting(int panel, int control, int event, const settings::IntKey& key);
