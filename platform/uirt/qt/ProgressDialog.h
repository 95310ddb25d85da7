// The Qt front end's progress box: a modal progress dialog with a Stop button.
#pragma once

#include "platform/uirt/model/progressbox.h"

namespace uirt::qt {

// The box, created when long work first needs it and gone when the work ends, so it never
// outlives the application.
ProgressBox& ProgressDialogBox();

} // namespace uirt::qt
