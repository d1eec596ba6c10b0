#pragma once

#include "i18n/Captions.h"

namespace vt {

// Check mode with the real parts: the WinHTTP query to the build's web host, closing windows by
// class, an ownerless message box and the shell. For the start-up sequence's "/checkupdate".
void RunWinCheckMode(const Captions& captions) noexcept;

}  // namespace vt
