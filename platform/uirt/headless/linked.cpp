// The headless front end as the linked one, for the tests.
#include "platform/uirt/headless/headless.h"
#include "platform/uirt/model/frontend.h"

namespace uirt {

std::unique_ptr<FrontEnd> CreateFrontEnd(char**) {
    return headless::MakeFrontEnd();
}

} // namespace uirt
