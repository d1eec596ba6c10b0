#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vt {

// A local date and time as days since 1899-12-30 00:00; the fraction is the time of day.
using DateTime = double;
inline constexpr DateTime kUnixEpochDays = 25569.0;  // 1970-01-01

struct CivilDateTime {
    int year = 0, month = 0, day = 0;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
    int dayOfWeek = 0;  // 0 = Sunday
};

// Whole milliseconds, as the platform's date routines see them; false when out of range.
bool DecodeDateTime(DateTime value, CivilDateTime& civil);
DateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second,
                        int millisecond = 0);
// True for a day that exists in the proleptic Gregorian calendar.
bool IsValidDate(int year, int month, int day);

// The platform's date and time formats: the user's for stored text, the system's for display.
class DateLocale {
public:
    virtual ~DateLocale() = default;
    virtual std::wstring UserShortDate(DateTime value) const = 0;
    virtual std::wstring UserLongTime(DateTime value) const = 0;
    virtual std::wstring SystemLongDate(DateTime value) const = 0;
    virtual std::wstring SystemLongTime(DateTime value) const = 0;
    // Reads back what UserShortDate + " " + UserLongTime (or the date alone) produce.
    virtual std::optional<DateTime> ParseUserDateTime(const std::wstring& text) const = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual DateTime Now() const = 0;  // local wall-clock time
};

// Seconds since 1970-01-01 00:00:00 local time, rounded half to even. Every count that fits 32
// bits is the classic stamp; later dates keep their full count instead of wrapping. A value that is
// not a number or out of range gives 0.
std::int64_t DateTimeToStamp(DateTime value);
DateTime StampToDateTime(std::int64_t stamp);

// Short date, a blank, long time; the time left out at exactly midnight.
std::wstring DateTimeToLocaleText(DateTime value, const DateLocale& locale);
// A stored date (locale text or stamp) as locale text; empty when it is neither.
std::wstring StampToDateText(const std::wstring& stored, const DateLocale& locale);
// A stored date as "long date - long time" in the system's formats; empty when it cannot be read.
std::wstring StampToDisplayText(const std::wstring& stored, const DateLocale& locale);

}  // namespace vt
