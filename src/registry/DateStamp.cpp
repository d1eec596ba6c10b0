#include "registry/DateStamp.h"

#include <chrono>
#include <cmath>
#include <limits>

namespace vt {
namespace {

namespace chrono = std::chrono;

constexpr std::int64_t kMsPerDay = 86400000;
// 0100-01-01 and 9999-12-31: the range the platform's date routines accept.
constexpr double kMinDate = -657434.0;
constexpr double kMaxDate = 2958466.0;

// Parses a signed decimal integer that is the whole text.
std::optional<std::int64_t> ParseInteger(const std::wstring& text) {
    std::size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
        negative = text[i++] == L'-';
    }
    if (i == text.size()) {
        return std::nullopt;
    }
    std::uint64_t magnitude = 0;
    const std::uint64_t limit = negative ? 9223372036854775808ULL : 9223372036854775807ULL;
    for (; i < text.size(); ++i) {
        if (text[i] < L'0' || text[i] > L'9') {
            return std::nullopt;
        }
        const auto digit = static_cast<std::uint64_t>(text[i] - L'0');
        if (magnitude > (limit - digit) / 10) {
            return std::nullopt;
        }
        magnitude = magnitude * 10 + digit;
    }
    if (negative) {
        return magnitude == limit ? std::numeric_limits<std::int64_t>::min()
                                  : -static_cast<std::int64_t>(magnitude);
    }
    return static_cast<std::int64_t>(magnitude);
}

}  // namespace

bool IsValidDate(int year, int month, int day) {
    return month >= 1 && month <= 12 && day >= 1 && day <= 31 &&
           chrono::year_month_day(chrono::year(year), chrono::month(static_cast<unsigned>(month)),
                                  chrono::day(static_cast<unsigned>(day)))
               .ok();
}

bool DecodeDateTime(DateTime value, CivilDateTime& civil) {
    if (!std::isfinite(value) || value < kMinDate || value >= kMaxDate) {
        return false;
    }
    // Before 1899-12-30 the fraction still counts forward from midnight of the day.
    double whole = std::trunc(value);
    auto timeMs = static_cast<std::int64_t>(std::llround(std::fabs(value - whole) * kMsPerDay));
    if (timeMs >= kMsPerDay) {
        timeMs = 0;
        whole += value >= 0 ? 1.0 : -1.0;
    }
    const chrono::sys_days day{
        chrono::days(static_cast<std::int64_t>(whole) - static_cast<std::int64_t>(kUnixEpochDays))};
    const chrono::year_month_day date(day);
    civil.year = static_cast<int>(date.year());
    civil.month = static_cast<int>(static_cast<unsigned>(date.month()));
    civil.day = static_cast<int>(static_cast<unsigned>(date.day()));
    civil.dayOfWeek = static_cast<int>(chrono::weekday(day).c_encoding());
    civil.hour = static_cast<int>(timeMs / 3600000);
    civil.minute = static_cast<int>(timeMs / 60000 % 60);
    civil.second = static_cast<int>(timeMs / 1000 % 60);
    civil.millisecond = static_cast<int>(timeMs % 1000);
    return true;
}

DateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                        int millisecond) {
    const chrono::sys_days date(chrono::year(year) / chrono::month(static_cast<unsigned>(month)) /
                                chrono::day(static_cast<unsigned>(day)));
    const auto days = static_cast<double>(date.time_since_epoch().count()) + kUnixEpochDays;
    const double time =
        (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + millisecond) / kMsPerDay;
    return days >= 0 ? days + time : days - time;
}

std::int64_t DateTimeToStamp(DateTime value) {
    const long double seconds =
        (static_cast<long double>(value) - static_cast<long double>(kUnixEpochDays)) * 86400.0L;
    if (!std::isfinite(seconds)) {
        return 0;
    }
    const long double rounded = std::nearbyint(seconds);  // ties to even in the default mode
    if (rounded < -9.2233720368547758e18L || rounded >= 9.2233720368547758e18L) {
        return 0;
    }
    return static_cast<std::int64_t>(rounded);
}

DateTime StampToDateTime(std::int64_t stamp) {
    return static_cast<double>(stamp) / 86400.0 + kUnixEpochDays;
}

std::wstring DateTimeToLocaleText(DateTime value, const DateLocale& locale) {
    CivilDateTime civil;
    if (!DecodeDateTime(value, civil)) {
        return {};
    }
    std::wstring text = locale.UserShortDate(value);
    if (civil.hour != 0 || civil.minute != 0 || civil.second != 0 || civil.millisecond != 0) {
        text += L' ';
        text += locale.UserLongTime(value);
    }
    return text;
}

std::wstring StampToDateText(const std::wstring& stored, const DateLocale& locale) {
    try {
        if (stored.find_first_of(L":/") != std::wstring::npos) {
            return stored;
        }
        const auto stamp = ParseInteger(stored);
        return stamp ? DateTimeToLocaleText(StampToDateTime(*stamp), locale) : std::wstring();
    } catch (...) {
        return {};
    }
}

std::wstring StampToDisplayText(const std::wstring& stored, const DateLocale& locale) {
    try {
        const std::wstring text = StampToDateText(stored, locale);
        if (text.empty()) {
            return {};
        }
        const auto value = locale.ParseUserDateTime(text);
        CivilDateTime civil;
        if (!value || !DecodeDateTime(*value, civil)) {
            return {};
        }
        const std::wstring date = locale.SystemLongDate(*value);
        const std::wstring time = locale.SystemLongTime(*value);
        if (date.empty() || time.empty()) {
            return {};
        }
        return date + L" - " + time;
    } catch (...) {
        return {};
    }
}

}  // namespace vt
