#pragma once

#include <string>

namespace vt {

// The maker's web host (host or host:port), fixed at build time by VELOTUNE_WEB_HOST. It is
// defined in WebHost.cpp alone, so that the end-to-end suite can link a copy of the program against
// its loopback server without the program having any run-time switch for it.
extern const wchar_t* const kWebHost;

inline std::wstring HomePage() {
    return std::wstring(L"http://") + kWebHost + L"/";
}
inline std::wstring SupportPage() {
    return std::wstring(L"http://") + kWebHost + L"/support/";
}
inline std::wstring DownloadPage() {
    return std::wstring(L"http://") + kWebHost + L"/downloads/";
}

}  // namespace vt
