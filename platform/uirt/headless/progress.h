// Headless front end's progress box: what long work showed, and a Stop the test presses.
#pragma once

#include <string>
#include <vector>

#include "platform/uirt/model/progressbox.h"

namespace uirt::headless {

// The box installed by the headless front end.
ProgressBox& TestProgressBox();

// Stop is pressed at the n-th update of the box after this call (0: never).
void StopProgressAt(int update);
// What the box showed since the last reset: "open TITLE: TEXT", "update PERCENT", "close".
const std::vector<std::string>& ProgressShown();
// Forgets what was shown and the pending Stop; the progress clock is real time again.
void ResetProgress();

} // namespace uirt::headless
