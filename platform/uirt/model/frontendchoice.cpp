// The front end chosen at run time, if any.
#include "platform/uirt/model/frontendchoice.h"

namespace uirt {

namespace {
FrontEndMaker chosen = nullptr;
}

void ChooseFrontEnd(FrontEndMaker make) {
    chosen = make;
}

std::unique_ptr<FrontEnd> MakeFrontEnd(char** argv) {
    return chosen != nullptr ? chosen() : CreateFrontEnd(argv);
}

} // namespace uirt
