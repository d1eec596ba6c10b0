#include "i18n/LanguageTable.h"

namespace vt {
namespace {

constexpr wchar_t kCr = L'\r';
constexpr wchar_t kLf = L'\n';
constexpr wchar_t kComma = L',';
constexpr wchar_t kQuote = L'"';

bool IsSeparator(wchar_t ch) {
    return ch >= 1 && ch <= 32;
}

void SkipSeparators(std::wstring_view line, std::size_t& pos) {
    while (pos < line.size() && IsSeparator(line[pos])) {
        ++pos;
    }
}

std::wstring QuotedField(std::wstring_view line, std::size_t& pos) {
    std::wstring field;
    ++pos;  // the opening quote
    while (pos < line.size()) {
        if (line[pos] != kQuote) {
            field.push_back(line[pos++]);
        } else if (pos + 1 < line.size() && line[pos + 1] == kQuote) {
            field.push_back(kQuote);
            pos += 2;
        } else {
            ++pos;  // the closing quote
            break;
        }
    }
    return field;
}

std::wstring PlainField(std::wstring_view line, std::size_t& pos) {
    const std::size_t start = pos;
    while (pos < line.size() && line[pos] != kComma && !IsSeparator(line[pos])) {
        ++pos;
    }
    return std::wstring(line.substr(start, pos - start));
}

}  // namespace

std::vector<std::wstring_view> SplitLines(std::wstring_view text) {
    std::vector<std::wstring_view> lines;
    std::size_t start = 0;
    for (std::size_t pos = 0; pos <= text.size(); ++pos) {
        const bool atEnd = pos == text.size();
        if (!atEnd && text[pos] != kCr && text[pos] != kLf) {
            continue;
        }
        if (pos > start) {
            lines.push_back(text.substr(start, pos - start));
        }
        if (!atEnd && text[pos] == kCr && pos + 1 < text.size() && text[pos + 1] == kLf) {
            ++pos;
        }
        start = pos + 1;
    }
    return lines;
}

std::vector<std::wstring> SplitFields(std::wstring_view line, std::size_t maxFields) {
    std::vector<std::wstring> fields;
    std::size_t pos = 0;
    SkipSeparators(line, pos);
    while (pos < line.size() && fields.size() < maxFields) {
        fields.push_back(line[pos] == kQuote ? QuotedField(line, pos) : PlainField(line, pos));
        SkipSeparators(line, pos);
        if (pos < line.size() && line[pos] == kComma) {
            if (pos + 1 == line.size() && fields.size() < maxFields) {
                fields.emplace_back();
            }
            ++pos;
            SkipSeparators(line, pos);
        }
    }
    return fields;
}

}  // namespace vt
