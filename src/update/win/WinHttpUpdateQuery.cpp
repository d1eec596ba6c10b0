#include "update/win/WinHttpUpdateQuery.h"

#include <windows.h>

#include <winhttp.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>

namespace vt {
namespace {

using Clock = std::chrono::steady_clock;

struct InternetCloser {
    void operator()(HINTERNET handle) const noexcept { WinHttpCloseHandle(handle); }
};
using UniqueInternet = std::unique_ptr<void, InternetCloser>;

// The system's proxy settings; systems before Windows 8.1 refuse the automatic kind, and their
// WinHTTP default is then the closest there is.
UniqueInternet OpenSession() {
    for (const DWORD access :
         {DWORD{WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY}, DWORD{WINHTTP_ACCESS_TYPE_DEFAULT_PROXY}}) {
        if (HINTERNET session = WinHttpOpen(kUpdateUserAgent, access, WINHTTP_NO_PROXY_NAME,
                                            WINHTTP_NO_PROXY_BYPASS, 0)) {
            return UniqueInternet(session);
        }
    }
    return nullptr;
}

bool SetDword(HINTERNET handle, DWORD option, DWORD value) {
    return WinHttpSetOption(handle, option, &value, sizeof value) != FALSE;
}

// One GET; -1 for every failure. Gives up between reads once the deadline has passed.
int Fetch(const WebHostAddress& address, const UpdateQueryLimits& limits,
          Clock::time_point deadline) {
    const UniqueInternet session = OpenSession();
    if (!session ||
        !WinHttpSetTimeouts(session.get(), static_cast<int>(limits.resolveMs),
                            static_cast<int>(limits.connectMs), static_cast<int>(limits.sendMs),
                            static_cast<int>(limits.receiveMs)) ||
        !SetDword(session.get(), WINHTTP_OPTION_REDIRECT_POLICY,
                  WINHTTP_OPTION_REDIRECT_POLICY_NEVER)) {
        return -1;
    }
    const UniqueInternet connection(
        WinHttpConnect(session.get(), address.host.c_str(), address.port, 0));
    if (!connection) {
        return -1;
    }
    const std::wstring target = UpdateRequestTarget();
    const UniqueInternet request(WinHttpOpenRequest(connection.get(), L"GET", target.c_str(),
                                                    nullptr, WINHTTP_NO_REFERER,
                                                    WINHTTP_DEFAULT_ACCEPT_TYPES, 0));
    // Without the response limit WinHTTP waits for ever on a server that accepts and never
    // answers, whatever the receive limit says.
    if (!request ||
        !SetDword(request.get(), WINHTTP_OPTION_REDIRECT_POLICY,
                  WINHTTP_OPTION_REDIRECT_POLICY_NEVER) ||
        !SetDword(request.get(), WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, limits.receiveMs) ||
        !WinHttpSendRequest(request.get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0,
                            WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
        !WinHttpReceiveResponse(request.get(), nullptr)) {
        return -1;
    }
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!WinHttpQueryHeaders(request.get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, &status, &size,
                             WINHTTP_NO_HEADER_INDEX)) {
        return -1;
    }
    if (!IsSuccessStatus(status)) {
        return -1;  // an error status: its body is not worth reading
    }
    // At most maxBodyBytes; a longer body is judged on what was read.
    std::string body;
    char chunk[8192];
    while (body.size() < limits.maxBodyBytes) {
        if (Clock::now() >= deadline) {
            return -1;
        }
        const auto wanted =
            static_cast<DWORD>(std::min(sizeof chunk, limits.maxBodyBytes - body.size()));
        DWORD read = 0;
        if (!WinHttpReadData(request.get(), chunk, wanted, &read)) {
            return -1;  // a broken transfer
        }
        if (read == 0) {
            break;
        }
        body.append(chunk, read);
    }
    return JudgeUpdateAnswer(status, body);
}

struct Outcome {
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    int result = -1;
};

}  // namespace

WinHttpUpdateQuery::WinHttpUpdateQuery(std::wstring hostAndPort, UpdateQueryLimits limits)
    : hostAndPort_(std::move(hostAndPort)), limits_(limits) {}

int WinHttpUpdateQuery::QueryUpdate() noexcept {
    try {
        const std::optional<WebHostAddress> address = SplitWebHost(hostAndPort_);
        if (!address) {
            return -1;
        }
        const Clock::time_point deadline =
            Clock::now() + std::chrono::milliseconds(limits_.wholeMs);
        // The worker owns copies of everything it uses: it may outlive this call and this object.
        auto outcome = std::make_shared<Outcome>();
        std::thread([outcome, address = *address, limits = limits_, deadline] {
            int result = -1;
            try {
                result = Fetch(address, limits, deadline);
            } catch (...) {
            }
            const std::lock_guard lock(outcome->mutex);
            outcome->result = result;
            outcome->done = true;
            outcome->finished.notify_all();
        }).detach();
        std::unique_lock lock(outcome->mutex);
        if (!outcome->finished.wait_until(lock, deadline, [&] { return outcome->done; })) {
            return -1;
        }
        return outcome->result;
    } catch (...) {
        return -1;
    }
}

}  // namespace vt
