// Error texts that name what failed, kept by the transports for CorvoUsb_ErrorText.
#pragma once

#include <string>

namespace corvousb {

// The text of CORVOUSB_ERR_ACCESS_DENIED from now on: the node that could not be opened and how to
// get access to it.
void KeepAccessDeniedText(std::string text);

} // namespace corvousb
