#pragma once

#include "registry/DateStamp.h"

namespace vt {

// The user's and the system's date and time formats of the running Windows, and its
// text-to-date conversion for the user's default locale.
class WinDateLocale final : public DateLocale {
public:
    std::wstring UserShortDate(DateTime value) const override;
    std::wstring UserLongTime(DateTime value) const override;
    std::wstring SystemLongDate(DateTime value) const override;
    std::wstring SystemLongTime(DateTime value) const override;
    std::optional<DateTime> ParseUserDateTime(const std::wstring& text) const override;
};

}  // namespace vt
