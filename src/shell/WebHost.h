#pragma once

#include <string>

namespace vt {

// The maker's web host (host or host:port), fixed at build time by VELOTUNE_WEB_HOST.
#ifndef VT_WEB_HOST
#define VT_WEB_HOST L"velotune.example"
#endif
inline constexpr const wchar_t* kWebHost = VT_WEB_HOST;

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
