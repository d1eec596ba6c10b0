#pragma once

#include <windows.h>

namespace vt {

// A library of the system folder, loaded at its first use and kept until the process ends: start-up
// does not pay for libraries that most runs never call. nullptr when it cannot be loaded.
HMODULE LoadSystemLibrary(const wchar_t* name) noexcept;

// A function of such a library, or nullptr.
template <typename Function>
Function SystemFunction(const wchar_t* library, const char* name) noexcept {
    HMODULE module = LoadSystemLibrary(library);
    return module != nullptr
               ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)))
               : nullptr;
}

}  // namespace vt
