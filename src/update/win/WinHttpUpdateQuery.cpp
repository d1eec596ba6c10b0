#include "update/win/WinHttpUpdateQuery.h"
#include "shell/win/SystemLibrary.h"

#include <windows.h>

#include <winhttp.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cwchar>
#include <iterator>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>

namespace vt {
namespace {

using Clock = std::chrono::steady_clock;

// WinHTTP, loaded from the system folder when the first query runs rather than at every
// start of the program, and kept to the end of the process: a query left running on its own
// thread may still use it.
struct WinHttpApi {
    decltype(&::WinHttpOpen) open = nullptr;
    decltype(&::WinHttpCloseHandle) closeHandle = nullptr;
    decltype(&::WinHttpSetTimeouts) setTimeouts = nullptr;
    decltype(&::WinHttpSetOption) setOption = nullptr;
    decltype(&::WinHttpConnect) connect = nullptr;
    decltype(&::WinHttpOpenRequest) openRequest = nullptr;
    decltype(&::WinHttpSendRequest) sendRequest = nullptr;
    decltype(&::WinHttpReceiveResponse) receiveResponse = nullptr;
    decltype(&::WinHttpQueryHeaders) queryHeaders = nullptr;
    decltype(&::WinHttpReadData) readData = nullptr;

    bool Complete() const noexcept {
        return open && closeHandle && setTimeouts && setOption && connect && openRequest &&
               sendRequest && receiveResponse && queryHeaders && readData;
    }
};

template <typename Function>
void Bind(HMODULE module, const char* name, Function& function) noexcept {
    function = reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

WinHttpApi LoadWinHttp() noexcept {
    WinHttpApi api;
    HMODULE module = LoadSystemLibrary(L"winhttp.dll");
    if (module == nullptr) {
        return api;
    }
    Bind(module, "WinHttpOpen", api.open);
    Bind(module, "WinHttpCloseHandle", api.closeHandle);
    Bind(module, "WinHttpSetTimeouts", api.setTimeouts);
    Bind(module, "WinHttpSetOption", api.setOption);
    Bind(module, "WinHttpConnect", api.connect);
    Bind(module, "WinHttpOpenRequest", api.openRequest);
    Bind(module, "WinHttpSendRequest", api.sendRequest);
    Bind(module, "WinHttpReceiveResponse", api.receiveResponse);
    Bind(module, "WinHttpQueryHeaders", api.queryHeaders);
    Bind(module, "WinHttpReadData", api.readData);
    return api;
}

// Null when WinHTTP cannot be loaded whole.
const WinHttpApi* WinHttp() noexcept {
    static const WinHttpApi api = LoadWinHttp();
    return api.Complete() ? &api : nullptr;
}

struct InternetCloser {
    const WinHttpApi* http = nullptr;
    void operator()(HINTERNET handle) const noexcept {
        if (http != nullptr) {
            http->closeHandle(handle);
        }
    }
};
using UniqueInternet = std::unique_ptr<void, InternetCloser>;

// The system's proxy settings; systems before Windows 8.1 refuse the automatic kind, and their
// WinHTTP default is then the closest there is.
UniqueInternet OpenSession(const WinHttpApi& http) {
    for (const DWORD access :
         {DWORD{WINHTTP_ACCESS_TYPE_AUTOMATIC_PROXY}, DWORD{WINHTTP_ACCESS_TYPE_DEFAULT_PROXY}}) {
        if (HINTERNET session = http.open(kUpdateUserAgent, access, WINHTTP_NO_PROXY_NAME,
                                          WINHTTP_NO_PROXY_BYPASS, 0)) {
            return UniqueInternet(session, InternetCloser{&http});
        }
    }
    return nullptr;
}

bool SetDword(const WinHttpApi& http, HINTERNET handle, DWORD option, DWORD value) {
    return http.setOption(handle, option, &value, sizeof value) != FALSE;
}

// One GET; -1 for every failure. Gives up between reads once the deadline has passed.
int Fetch(const WebHostAddress& address, const UpdateQueryLimits& limits,
          Clock::time_point deadline) {
    const WinHttpApi* loaded = WinHttp();
    if (loaded == nullptr) {
        return -1;
    }
    const WinHttpApi& http = *loaded;
    const UniqueInternet session = OpenSession(http);
    if (!session ||
        !http.setTimeouts(session.get(), static_cast<int>(limits.resolveMs),
                          static_cast<int>(limits.connectMs), static_cast<int>(limits.sendMs),
                          static_cast<int>(limits.receiveMs)) ||
        !SetDword(http, session.get(), WINHTTP_OPTION_REDIRECT_POLICY,
                  WINHTTP_OPTION_REDIRECT_POLICY_NEVER)) {
        return -1;
    }
    const UniqueInternet connection(
        http.connect(session.get(), address.host.c_str(), address.port, 0), InternetCloser{&http});
    if (!connection) {
        return -1;
    }
    const std::wstring target = UpdateRequestTarget();
    const UniqueInternet request(
        http.openRequest(connection.get(), L"GET", target.c_str(), nullptr, WINHTTP_NO_REFERER,
                         WINHTTP_DEFAULT_ACCEPT_TYPES, 0),
        InternetCloser{&http});
    // Without the response limit WinHTTP waits for ever on a server that accepts and never
    // answers, whatever the receive limit says.
    if (!request ||
        !SetDword(http, request.get(), WINHTTP_OPTION_REDIRECT_POLICY,
                  WINHTTP_OPTION_REDIRECT_POLICY_NEVER) ||
        !SetDword(http, request.get(), WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, limits.receiveMs) ||
        !http.sendRequest(request.get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA,
                          0, 0, 0) ||
        !http.receiveResponse(request.get(), nullptr)) {
        return -1;
    }
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!http.queryHeaders(request.get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                           WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX)) {
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
        if (!http.readData(request.get(), chunk, wanted, &read)) {
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
