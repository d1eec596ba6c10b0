#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vt {

// The lines of a language table's text. Lines end at CR LF, a lone CR or a lone LF; the last needs
// no line end. Lines with no characters at all are left out; the views point into `text`.
std::vector<std::wstring_view> SplitLines(std::wstring_view text);

// The comma-separated fields of one row, at most `maxFields` of them (later ones are never read).
// Outside quotes a field also ends at any character from 1 to 32, and runs of those are skipped at
// the start, after a field and after a comma. A field opening with a double quote runs to the next
// quote that is not doubled (a doubled one stands for itself), or to the end of the line; whatever
// follows the closing quote, blanks aside, begins the next field even without a comma. Two commas
// in a row give an empty field, and so does a comma as the line's very last character.
std::vector<std::wstring> SplitFields(std::wstring_view line, std::size_t maxFields = 3);

// The same fields one at a time, so that a lookup reads no further into a row than it needs and
// copies nothing it only compares.
class FieldReader {
public:
    explicit FieldReader(std::wstring_view line);
    // The next field, or nothing when the row has no more. The view points into the line, or into
    // the reader where a doubled quote was undone, and is valid until the next call.
    std::optional<std::wstring_view> Next();

private:
    std::wstring_view line_;
    std::size_t pos_ = 0;
    bool emptyLastField_ = false;  // the row ended in a comma
    std::wstring scratch_;
};

}  // namespace vt
