#include "registry/DateTextFallback.h"

#include <array>

namespace vt {
namespace {

std::wstring_view Trimmed(std::wstring_view text) {
    while (!text.empty() && text.front() == L' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == L' ') {
        text.remove_suffix(1);
    }
    return text;
}

bool IsDigit(wchar_t ch) {
    return ch >= L'0' && ch <= L'9';
}

// One to `maxDigits` decimal digits and nothing else.
std::optional<int> SmallNumber(std::wstring_view text, std::size_t maxDigits) {
    text = Trimmed(text);
    if (text.empty() || text.size() > maxDigits) {
        return std::nullopt;
    }
    int value = 0;
    for (wchar_t ch : text) {
        if (!IsDigit(ch)) {
            return std::nullopt;
        }
        value = value * 10 + (ch - L'0');
    }
    return value;
}

}  // namespace

std::optional<DateTime> ParseDateOnly(std::wstring_view text, DateOrder order,
                                      std::wstring_view separator) {
    if (separator.empty()) {
        return std::nullopt;
    }
    std::array<std::wstring_view, 3> parts;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::size_t end = i + 1 < parts.size() ? text.find(separator) : text.size();
        if (end == std::wstring_view::npos) {
            return std::nullopt;
        }
        parts[i] = text.substr(0, end);
        text.remove_prefix(end == text.size() ? end : end + separator.size());
    }
    std::size_t y = 2, m = 0, d = 1;
    if (order == DateOrder::DayMonthYear) {
        d = 0;
        m = 1;
    } else if (order == DateOrder::YearMonthDay) {
        y = 0;
        m = 1;
        d = 2;
    }
    const auto month = SmallNumber(parts[m], 2);
    const auto day = SmallNumber(parts[d], 2);
    auto year = SmallNumber(parts[y], 4);
    if (!month || !day || !year) {
        return std::nullopt;
    }
    if (Trimmed(parts[y]).size() <= 2) {
        *year += *year < 50 ? 2000 : 1900;
    }
    if (*year < 100 || !IsValidDate(*year, *month, *day)) {
        return std::nullopt;
    }
    return EncodeDateTime(*year, *month, *day, 0, 0, 0);
}

std::optional<DateTime> ParseDayCount(std::wstring_view text, std::wstring_view decimalSeparator) {
    text = Trimmed(text);
    bool negative = false;
    if (!text.empty() && (text.front() == L'+' || text.front() == L'-')) {
        negative = text.front() == L'-';
        text.remove_prefix(1);
    }
    double value = 0;
    std::size_t digits = 0;
    while (!text.empty() && IsDigit(text.front())) {
        value = value * 10 + (text.front() - L'0');
        text.remove_prefix(1);
        ++digits;
    }
    if (!decimalSeparator.empty() && text.starts_with(decimalSeparator)) {
        text.remove_prefix(decimalSeparator.size());
        double scale = 0.1;
        while (!text.empty() && IsDigit(text.front())) {
            value += (text.front() - L'0') * scale;
            scale /= 10;
            text.remove_prefix(1);
            ++digits;
        }
    }
    if (digits == 0 || !text.empty()) {
        return std::nullopt;
    }
    const DateTime result = negative ? -value : value;
    CivilDateTime civil;
    if (!DecodeDateTime(result, civil)) {
        return std::nullopt;
    }
    return result;
}

}  // namespace vt
