#include "update/UpdateAnswer.h"

#include "app/ProgramVersion.h"

namespace vt {

std::wstring UpdateRequestTarget() {
    return std::wstring(L"/downloads/update/?product=velotune&version=") + kProgramVersion;
}

int ParseUpdateAnswer(std::string_view body) noexcept {
    struct Token {
        std::string_view text;
        int result;
    };
    static constexpr Token kTokens[] = {{"QENTRA|0", 0}, {"QENTRA|1", 1}, {"QENTRA|2", 2}};
    for (const Token& token : kTokens) {
        if (body.find(token.text) != std::string_view::npos) {
            return token.result;
        }
    }
    return -1;
}

bool IsSuccessStatus(unsigned status) noexcept {
    return status >= 200 && status <= 299;
}

int JudgeUpdateAnswer(unsigned status, std::string_view body) noexcept {
    return IsSuccessStatus(status) ? ParseUpdateAnswer(body) : -1;
}

std::optional<WebHostAddress> SplitWebHost(std::wstring_view hostAndPort) {
    const std::size_t colon = hostAndPort.find(L':');
    WebHostAddress address;
    address.host = std::wstring(hostAndPort.substr(0, colon));
    if (address.host.empty()) {
        return std::nullopt;
    }
    for (const wchar_t c : address.host) {
        const bool allowed = (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') ||
                             (c >= L'0' && c <= L'9') || c == L'.' || c == L'-';
        if (!allowed) {
            return std::nullopt;
        }
    }
    if (colon == std::wstring_view::npos) {
        return address;
    }
    const std::wstring_view port = hostAndPort.substr(colon + 1);
    if (port.empty() || port.size() > 5) {
        return std::nullopt;
    }
    std::uint32_t value = 0;
    for (const wchar_t c : port) {
        if (c < L'0' || c > L'9') {
            return std::nullopt;
        }
        value = value * 10 + static_cast<std::uint32_t>(c - L'0');
    }
    if (value == 0 || value > 65535) {
        return std::nullopt;
    }
    address.port = static_cast<std::uint16_t>(value);
    return address;
}

}  // namespace vt
