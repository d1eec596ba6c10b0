#include "registry/EnglishDateLocale.h"

#include <array>
#include <cwctype>

namespace vt {
namespace {

constexpr std::array<const wchar_t*, 12> kMonthNames = {
    L"January", L"February", L"March",     L"April",   L"May",      L"June",
    L"July",    L"August",   L"September", L"October", L"November", L"December"};
constexpr std::array<const wchar_t*, 7> kDayNames = {
    L"Sunday", L"Monday", L"Tuesday", L"Wednesday", L"Thursday", L"Friday", L"Saturday"};

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
        if (!in.AtEnd() || !IsValidDate(year, month, day) || year < 100 || hour > 23 ||
            minute > 59 || second > 59) {
            return std::nullopt;
        }
        return EncodeDateTime(year, month, day, hour, minute, second);
    }
    return std::nullopt;
}

}  // namespace vt
