// Dates and times as scripts see them: a real day count from 1899-12-30 whose
// fraction is the time of day, and the routines that build, split, write and
// read such dates with the format settings (format_settings.h).
#pragma once

#include <string>
#include <string_view>

#include "core/lib/format_settings.h"

namespace orv {

// The day count of a date; EConvertError "Invalid argument to date encode"
// unless year is 1..9999 and month and day name a real date.
double EncodeDate(int year, int month, int day);
// The day fraction of a time; EConvertError "Invalid argument to time encode"
// for hours above 23, minutes or seconds above 59, milliseconds above 999.
double EncodeTime(int hour, int minute, int second, int msec);

// The parts of a date value. The date part is the whole days (toward zero);
// the time part is the fraction's size, so -1.25 is 1899-12-29 06:00.
// EConvertError "Invalid date value" for values outside the years 1..9999
// (and for NaN).
struct DateParts {
  int year, month, day, day_of_week;  // day_of_week: 1 Sunday .. 7 Saturday
  int hour, minute, second, msec;
};
DateParts DecodeDateTime(double value);

// The current local date and time.
double Now();

// `value` written with a FormatDateTime pattern. Pattern letters (any case):
//   c        ShortDateFormat, then LongTimeFormat unless the time is 0:00:00
//   d dd     day without / with a leading zero; ddd dddd short / long day name
//   ddddd    ShortDateFormat; dddddd LongDateFormat
//   m mm     month (minutes right after h or hh); mmm mmmm month names
//   yy yyyy  two- / four-digit year
//   h hh n nn s ss   hour, minute, second; z zzz milliseconds
//   t tt     ShortTimeFormat / LongTimeFormat
//   am/pm a/p ampm   12-hour clock with the marker (ampm: the settings' strings)
//   /  :     DateSeparator, TimeSeparator
//   "text" 'text'    literal text; any other character stands for itself
// An empty pattern is "c".
std::string FormatDateTime(std::string_view pattern, double value,
                           const FormatSettings& settings = CurrentFormatSettings());

// The date in ShortDateFormat.
std::string DateToStr(double value, const FormatSettings& settings = CurrentFormatSettings());

// Reads a date in the order of ShortDateFormat (day, month and year as
// numbers separated by DateSeparator; without a year the current one; a
// two-digit year is taken within 50 years of the current year). Blanks around
// it are allowed. EConvertError "'text' is not a valid date" otherwise.
double StrToDate(std::string_view text, const FormatSettings& settings = CurrentFormatSettings());

// Reads a date, optionally followed by a time (h:n[:s] with an optional am/pm
// marker), or a time alone. EConvertError "'text' is not a valid date and time".
double StrToDateTime(std::string_view text, const FormatSettings& settings = CurrentFormatSettings());

}  // namespace orv
