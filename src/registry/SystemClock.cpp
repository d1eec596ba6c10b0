#include "registry/SystemClock.h"

#include <chrono>
#include <ctime>

namespace vt {

DateTime SystemClock::Now() const {
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch() %
                                                                          std::chrono::seconds(1))
                        .count();
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    return EncodeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                          local.tm_min, local.tm_sec, static_cast<int>(ms));
}

}  // namespace vt
