#include "shell/WebHost.h"

namespace vt {

const wchar_t* const kWebHost = VT_WEB_HOST;

}  // namespace vt
