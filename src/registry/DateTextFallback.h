#pragma once

#include <optional>
#include <string_view>

#include "registry/DateStamp.h"

namespace vt {

// The order of day, month and year in the user's short date (the values of Windows' LOCALE_IDATE).
enum class DateOrder { MonthDayYear = 0, DayMonthYear = 1, YearMonthDay = 2 };

// The readings tried after the full date-and-time parse has rejected a stored text as not a date:
// first three numbers in the user's order, joined by the user's date separator (blanks around
// them allowed; a year of one or two digits falls in 1950-2049); then a plain number of days since
// 1899-12-30, with the user's decimal separator. Nothing else is accepted.
std::optional<DateTime> ParseDateOnly(std::wstring_view text, DateOrder order,
                                      std::wstring_view separator);
std::optional<DateTime> ParseDayCount(std::wstring_view text, std::wstring_view decimalSeparator);

}  // namespace vt
