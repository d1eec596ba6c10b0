#include "registry/win/WinDateLocale.h"

#include <windows.h>
// After windows.h, which it needs.
#include <oleauto.h>

#include <vector>

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
    DATE date = 0;
    HRESULT result = VarDateFromStr(buffer.data(), LOCALE_USER_DEFAULT, 0, &date);
    if (result == DISP_E_TYPEMISMATCH) {
        result = VarDateFromStr(buffer.data(), LOCALE_USER_DEFAULT, VAR_DATEVALUEONLY, &date);
    }
    if (FAILED(result)) {
        return std::nullopt;
    }
    return date;
}

}  // namespace vt
