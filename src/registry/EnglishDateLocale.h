#pragma once

#include "registry/DateStamp.h"

namespace vt {

// Fixed English (United States) formats that round-trip exactly: the portable build's locale.
class EnglishUsDateLocale final : public DateLocale {
public:
    std::wstring UserShortDate(DateTime value) const override;
    std::wstring UserLongTime(DateTime value) const override;
    std::wstring SystemLongDate(DateTime value) const override;
    std::wstring SystemLongTime(DateTime value) const override;
    std::optional<DateTime> ParseUserDateTime(const std::wstring& text) const override;
};

}  // namespace vt
