#include "i18n/LanguageTable.h"

#include <algorithm>

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

// A quoted field: the text up to the next quote that is not doubled, or to the end of the line. It
// is a view into the line unless a doubled quote had to be undone in `scratch`.
std::wstring_view QuotedField(std::wstring_view line, std::size_t& pos, std::wstring& scratch) {
    ++pos;  // the opening quote
    const std::size_t start = pos;
    bool unescaped = false;
    while (pos < line.size()) {
        const std::size_t quote = std::min(line.find(kQuote, pos), line.size());
        if (unescaped) {
            scratch.append(line.substr(pos, quote - pos));
        }
        pos = quote;
        if (pos + 1 < line.size() && line[pos + 1] == kQuote) {
            if (!unescaped) {
                scratch.assign(line.substr(start, pos - start));
                unescaped = true;
            }
            scratch.push_back(kQuote);
            pos += 2;
            continue;
        }
        const std::size_t end = pos;
        if (pos < line.size()) {
            ++pos;  // the closing quote
        }
        return unescaped ? std::wstring_view(scratch) : line.substr(start, end - start);
    }
    return unescaped ? std::wstring_view(scratch) : line.substr(start, pos - start);
}

std::wstring_view PlainField(std::wstring_view line, std::size_t& pos) {
    const std::size_t start = pos;
    while (pos < line.size() && line[pos] != kComma && !IsSeparator(line[pos])) {
        ++pos;
    }
    return line.substr(start, pos - start);
}

}  // namespace

std::vector<std::wstring_view> SplitLines(std::wstring_view text) {
    std::vector<std::wstring_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = start;
        while (end < text.size() && text[end] != kCr && text[end] != kLf) {
            ++end;
        }
        if (end > start) {
            lines.push_back(text.substr(start, end - start));
        }
        const bool crLf = end + 1 < text.size() && text[end] == kCr && text[end + 1] == kLf;
        start = end + (crLf ? 2 : 1);
    }
    return lines;
}

FieldReader::FieldReader(std::wstring_view line) : line_(line) {
    SkipSeparators(line_, pos_);
}

std::optional<std::wstring_view> FieldReader::Next() {
    if (emptyLastField_) {
        emptyLastField_ = false;
        return std::wstring_view();
    }
    if (pos_ >= line_.size()) {
        return std::nullopt;
    }
    const std::wstring_view field =
        line_[pos_] == kQuote ? QuotedField(line_, pos_, scratch_) : PlainField(line_, pos_);
    SkipSeparators(line_, pos_);
    if (pos_ < line_.size() && line_[pos_] == kComma) {
        emptyLastField_ = pos_ + 1 == line_.size();
        ++pos_;
        SkipSeparators(line_, pos_);
    }
    return field;
}

std::vector<std::wstring> SplitFields(std::wstring_view line, std::size_t maxFields) {
    std::vector<std::wstring> fields;
    FieldReader reader(line);
    while (fields.size() < maxFields) {
        const std::optional<std::wstring_view> field = reader.Next();
        if (!field) {
            break;
        }
        fields.emplace_back(*field);
    }
    return fields;
}

}  // namespace vt
