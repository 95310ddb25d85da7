// Choosing the front end at run time, for a program that links one front end but must run
// without a window for some of its commands.
#pragma once

#include "platform/uirt/model/frontend.h"

#include <memory>

namespace uirt {

using FrontEndMaker = std::unique_ptr<FrontEnd> (*)();

// The next InitCVIRTE creates its front end with `make` instead of the linked CreateFrontEnd;
// null goes back to the linked one.
void ChooseFrontEnd(FrontEndMaker make);

// What InitCVIRTE calls: the chosen maker, else CreateFrontEnd(argv).
std::unique_ptr<FrontEnd> MakeFrontEnd(char** argv);

} // namespace uirt
