#include "registry/DateStamp.h"

#include <array>
#include <chrono>
#include <cmath>
#include <ctime>
#include <cwctype>
#include <limits>

namespace vt {
namespace {

constexpr std::int64_t kMsPerDay = 86400000;
// 0100-01-01 and 9999-12-31: the range the platform's date routines accept.
constexpr double kMinDate = -657434.0;
constexpr double kMaxDate = 2958466.0;

constexpr std::array<const wchar_t*, 12> kMonthNames = {
    L"January", L"February", L"March",     L"April",   L"May",      L"June",
    L"July",    L"August",   L"September", L"October", L"November", L"December"};
constexpr std::array<const wchar_t*, 7> kDayNames = {
    L"Sunday", L"Monday", L"Tuesday", L"Wednesday", L"Thursday", L"Friday", L"Saturday"};

// Days since 1970-01-01 of a proleptic Gregorian date, and back (H. Hinnant's algorithms).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void CivilFromDays(std::int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (month <= 2));
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

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

// A small cursor over the text being parsed.
struct Scanner {
    const std::wstring& text;
    std::size_t pos = 0;

    void SkipBlanks() {
        while (pos < text.size() && text[pos] == L' ') {
            ++pos;
        }
    }
    bool Number(int maxDigits, int& value) {
        const std::size_t start = pos;
        value = 0;
        while (pos < text.size() && pos - start < static_cast<std::size_t>(maxDigits) &&
               text[pos] >= L'0' && text[pos] <= L'9') {
            value = value * 10 + (text[pos++] - L'0');
        }
        return pos > start;
    }
    bool Char(wchar_t ch) {
        if (pos < text.size() && text[pos] == ch) {
            ++pos;
            return true;
        }
        return false;
    }
    bool Word(const wchar_t* word) {
        std::size_t i = 0;
        for (; word[i] != 0; ++i) {
            if (pos + i >= text.size() || std::towupper(static_cast<std::wint_t>(text[pos + i])) !=
                                              static_cast<std::wint_t>(word[i])) {
                return false;
            }
        }
        pos += i;
        return true;
    }
    bool AtEnd() const { return pos == text.size(); }
};

std::wstring TwoDigits(int value) {
    return std::wstring{static_cast<wchar_t>(L'0' + value / 10),
                        static_cast<wchar_t>(L'0' + value % 10)};
}

}  // namespace

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
    const auto day = static_cast<std::int64_t>(whole);
    CivilFromDays(day - static_cast<std::int64_t>(kUnixEpochDays), civil.year, civil.month,
                  civil.day);
    civil.dayOfWeek = static_cast<int>(((day % 7) + 7 + 6) % 7);  // 1899-12-30 was a Saturday
    civil.hour = static_cast<int>(timeMs / 3600000);
    civil.minute = static_cast<int>(timeMs / 60000 % 60);
    civil.second = static_cast<int>(timeMs / 1000 % 60);
    civil.millisecond = static_cast<int>(timeMs % 1000);
    return true;
}

DateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                        int millisecond) {
    const auto days = static_cast<double>(
        DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) +
        static_cast<std::int64_t>(kUnixEpochDays));
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

std::wstring EnglishUsDateLocale::UserShortDate(DateTime value) const {
    CivilDateTime c;
    if (!DecodeDateTime(value, c)) {
        return {};
    }
    return std::to_wstring(c.month) + L"/" + std::to_wstring(c.day) + L"/" +
           std::to_wstring(c.year);
}

std::wstring EnglishUsDateLocale::UserLongTime(DateTime value) const {
    CivilDateTime c;
    if (!DecodeDateTime(value, c)) {
        return {};
    }
    const int hour12 = c.hour % 12 == 0 ? 12 : c.hour % 12;
    return std::to_wstring(hour12) + L":" + TwoDigits(c.minute) + L":" + TwoDigits(c.second) +
           (c.hour < 12 ? L" AM" : L" PM");
}

std::wstring EnglishUsDateLocale::SystemLongDate(DateTime value) const {
    CivilDateTime c;
    if (!DecodeDateTime(value, c)) {
        return {};
    }
    return std::wstring(kDayNames[static_cast<std::size_t>(c.dayOfWeek)]) + L", " +
           kMonthNames[static_cast<std::size_t>(c.month - 1)] + L" " + std::to_wstring(c.day) +
           L", " + std::to_wstring(c.year);
}

std::wstring EnglishUsDateLocale::SystemLongTime(DateTime value) const {
    return UserLongTime(value);
}

std::optional<DateTime> EnglishUsDateLocale::ParseUserDateTime(const std::wstring& text) const {
    Scanner in{text};
    in.SkipBlanks();
    int month = 12, day = 30, year = 1899;  // a time alone lies on day 0
    bool hasDate = false;
    const std::size_t start = in.pos;
    if (in.Number(2, month) && in.Char(L'/')) {
        if (!in.Number(2, day) || !in.Char(L'/') || !in.Number(4, year)) {
            return std::nullopt;
        }
        hasDate = true;
    } else {
        in.pos = start;
        month = 12;
    }
    in.SkipBlanks();
    int hour = 0, minute = 0, second = 0;
    bool hasTime = false;
    if (!in.AtEnd()) {
        if (!in.Number(2, hour) || !in.Char(L':') || !in.Number(2, minute)) {
            return std::nullopt;
        }
        if (in.Char(L':') && !in.Number(2, second)) {
            return std::nullopt;
        }
        in.SkipBlanks();
        if (in.Word(L"AM") || in.Word(L"PM")) {
            const bool pm = std::towupper(static_cast<std::wint_t>(text[in.pos - 2])) == L'P';
            if (hour < 1 || hour > 12) {
                return std::nullopt;
            }
            hour = hour % 12 + (pm ? 12 : 0);
        }
        in.SkipBlanks();
        hasTime = true;
    }
    if (hasDate || hasTime) {
        if (!in.AtEnd() || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) ||
            year < 100 || hour > 23 || minute > 59 || second > 59) {
            return std::nullopt;
        }
        return EncodeDateTime(year, month, day, hour, minute, second);
    }
    return std::nullopt;
}

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
