#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vt {

inline constexpr const wchar_t* kUpdateUserAgent = L"Mozilla/4.0 (compatible; QENTRA)";
// "/downloads/update/?product=velotune&version=" and the program version.
std::wstring UpdateRequestTarget();

// How long a query may take, in milliseconds, and how much of an answer it reads. A hung server
// must not keep the check process alive, and a hostile answer must cost nothing.
struct UpdateQueryLimits {
    std::uint32_t resolveMs = 10000;
    std::uint32_t connectMs = 10000;
    std::uint32_t sendMs = 20000;
    std::uint32_t receiveMs = 20000;  // also the wait for the response headers
    std::uint32_t wholeMs = 30000;    // the whole query, whatever it is waiting for
    std::size_t maxBodyBytes = 64 * 1024;
};

// The first of "QENTRA|0", "QENTRA|1", "QENTRA|2" (tested in this order, letter case counting)
// found anywhere in the body: 0, 1 or 2; -1 when there is none.
int ParseUpdateAnswer(std::string_view body) noexcept;
bool IsSuccessStatus(unsigned status) noexcept;  // 200-299
// A status outside 200-299 is no answer (-1), whatever the body holds.
int JudgeUpdateAnswer(unsigned status, std::string_view body) noexcept;

struct WebHostAddress {
    std::wstring host;
    std::uint16_t port = 80;
};
// "host" or "host:port" (port 1-65535); nothing when it is neither.
std::optional<WebHostAddress> SplitWebHost(std::wstring_view hostAndPort);

}  // namespace vt
