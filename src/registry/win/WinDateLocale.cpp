#include "registry/win/WinDateLocale.h"

#include <windows.h>
// After windows.h, which it needs.
#include <oleauto.h>

#include <string>
#include <vector>

#include "registry/DateTextFallback.h"
#include "shell/win/SystemLibrary.h"

namespace vt {
namespace {

bool ToSystemTime(DateTime value, SYSTEMTIME& time) {
    CivilDateTime c;
    if (!DecodeDateTime(value, c) || c.year < 1601) {
        return false;
    }
    time = {};
    time.wYear = static_cast<WORD>(c.year);
    time.wMonth = static_cast<WORD>(c.month);
    time.wDay = static_cast<WORD>(c.day);
    time.wDayOfWeek = static_cast<WORD>(c.dayOfWeek);
    time.wHour = static_cast<WORD>(c.hour);
    time.wMinute = static_cast<WORD>(c.minute);
    time.wSecond = static_cast<WORD>(c.second);
    time.wMilliseconds = static_cast<WORD>(c.millisecond);
    return true;
}

std::wstring FormatDate(LCID locale, DWORD flags, DateTime value) {
    SYSTEMTIME time;
    if (!ToSystemTime(value, time)) {
        return {};
    }
    wchar_t buffer[256];
    const int length = GetDateFormatW(locale, flags, &time, nullptr, buffer, 256);
    return length > 0 ? std::wstring(buffer, static_cast<std::size_t>(length - 1)) : L"";
}

std::wstring FormatTime(LCID locale, DateTime value) {
    SYSTEMTIME time;
    if (!ToSystemTime(value, time)) {
        return {};
    }
    wchar_t buffer[256];
    const int length = GetTimeFormatW(locale, 0, &time, nullptr, buffer, 256);
    return length > 0 ? std::wstring(buffer, static_cast<std::size_t>(length - 1)) : L"";
}

std::wstring UserLocaleInfo(LCTYPE type) {
    wchar_t buffer[16];
    const int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, 16);
    return length > 0 ? std::wstring(buffer, static_cast<std::size_t>(length - 1)) : L"";
}

// The user's short-date order and separator, for the date-only reading.
std::optional<DateTime> ParseUserDateOnly(const std::wstring& text) {
    const std::wstring order = UserLocaleInfo(LOCALE_IDATE);
    if (order.size() != 1 || order[0] < L'0' || order[0] > L'2') {
        return std::nullopt;
    }
    return ParseDateOnly(text, static_cast<DateOrder>(order[0] - L'0'),
                         UserLocaleInfo(LOCALE_SDATE));
}

}  // namespace

std::wstring WinDateLocale::UserShortDate(DateTime value) const {
    return FormatDate(LOCALE_USER_DEFAULT, DATE_SHORTDATE, value);
}

std::wstring WinDateLocale::UserLongTime(DateTime value) const {
    return FormatTime(LOCALE_USER_DEFAULT, value);
}

std::wstring WinDateLocale::SystemLongDate(DateTime value) const {
    return FormatDate(LOCALE_SYSTEM_DEFAULT, DATE_LONGDATE, value);
}

std::wstring WinDateLocale::SystemLongTime(DateTime value) const {
    return FormatTime(LOCALE_SYSTEM_DEFAULT, value);
}

std::optional<DateTime> WinDateLocale::ParseUserDateTime(const std::wstring& text) const {
    if (text.empty()) {
        return std::nullopt;
    }
    std::vector<wchar_t> buffer(text.begin(), text.end());  // the API takes a non-const string
    buffer.push_back(L'\0');
    static const auto varDateFromStr =
        SystemFunction<decltype(&VarDateFromStr)>(L"oleaut32.dll", "VarDateFromStr");
    if (varDateFromStr == nullptr) {
        return std::nullopt;
    }
    DATE date = 0;
    const HRESULT result = varDateFromStr(buffer.data(), LOCALE_USER_DEFAULT, 0, &date);
    if (SUCCEEDED(result)) {
        return date;
    }
    // Only a text that is no date-and-time at all gets the narrower readings; any other failure
    // (out of range, no memory) stands.
    if (result != DISP_E_TYPEMISMATCH) {
        return std::nullopt;
    }
    if (const auto dateOnly = ParseUserDateOnly(text)) {
        return dateOnly;
    }
    return ParseDayCount(text, UserLocaleInfo(LOCALE_SDECIMAL));
}

}  // namespace vt
