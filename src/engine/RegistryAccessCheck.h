#pragma once

#include "registry/RegistryBackend.h"

namespace vt {

// Whether the optimize and Restore operations can make their changes: the program key opens for
// writing (it is created when missing) and every key of the catalogue under HKEY_LOCAL_MACHINE
// that exists opens for setting values. Without administrator rights Windows refuses both, and
// every write there would fail silently. Never throws; a failure counts as refused.
bool CanChangeSettings(RegistryBackend& backend) noexcept;

}  // namespace vt
