#pragma once

#include "registry/RegistryBackend.h"

namespace vt {

// Whether this user may set values in the program's key: the key opens for setting values, or,
// while it does not exist yet, its nearest existing parent opens for creating subkeys. Changes
// nothing; a failure counts as refused. Never throws.
bool CanWriteProgramKey(RegistryBackend& backend) noexcept;

}  // namespace vt
