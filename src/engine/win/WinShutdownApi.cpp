#include "engine/win/WinShutdownApi.h"

#include <windows.h>

#include <cstring>

namespace vt {
namespace {

static_assert(sizeof(TOKEN_PRIVILEGES) == sizeof(OnePrivilege));
static_assert(offsetof(TOKEN_PRIVILEGES, Privileges) == offsetof(OnePrivilege, luid));

TOKEN_PRIVILEGES ToNative(const OnePrivilege& privilege) {
    TOKEN_PRIVILEGES native{};
    native.PrivilegeCount = privilege.privilegeCount;
    native.Privileges[0].Luid.LowPart = privilege.luid.lowPart;
    native.Privileges[0].Luid.HighPart = privilege.luid.highPart;
    native.Privileges[0].Attributes = privilege.attributes;
    return native;
}

}  // namespace

bool WinShutdownApi::OpenProcessToken(std::uint32_t access, TokenHandle& token) {
    HANDLE handle = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), access, &handle)) {
        return false;
    }
    token = reinterpret_cast<TokenHandle>(handle);
    return true;
}

bool WinShutdownApi::LookupPrivilegeId(const std::wstring& name, PrivilegeLuid& luid) {
    LUID native{};
    if (!::LookupPrivilegeValueW(nullptr, name.c_str(), &native)) {
        return false;
    }
    luid = PrivilegeLuid{native.LowPart, native.HighPart};
    return true;
}

bool WinShutdownApi::AdjustTokenPrivileges(TokenHandle token, bool disableAll,
                                           const OnePrivilege& newState, std::uint32_t bufferLength,
                                           OnePrivilege* previousState,
                                           std::uint32_t* returnLength) {
    TOKEN_PRIVILEGES native = ToNative(newState);
    TOKEN_PRIVILEGES previous{};
    DWORD length = returnLength != nullptr ? *returnLength : 0;
    const BOOL done =
        ::AdjustTokenPrivileges(reinterpret_cast<HANDLE>(token), disableAll ? TRUE : FALSE, &native,
                                bufferLength, previousState != nullptr ? &previous : nullptr,
                                returnLength != nullptr ? &length : nullptr);
    if (previousState != nullptr) {
        previousState->privilegeCount = previous.PrivilegeCount;
        previousState->luid = {previous.Privileges[0].Luid.LowPart,
                               previous.Privileges[0].Luid.HighPart};
        previousState->attributes = previous.Privileges[0].Attributes;
    }
    if (returnLength != nullptr) {
        *returnLength = length;
    }
    return done != FALSE;
}

void WinShutdownApi::CloseHandle(TokenHandle token) {
    ::CloseHandle(reinterpret_cast<HANDLE>(token));
}

bool WinShutdownApi::ExitWindowsEx(std::uint32_t flags, std::uint32_t reason) {
    return ::ExitWindowsEx(flags, reason) != FALSE;
}

}  // namespace vt
