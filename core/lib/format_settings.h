// Format settings: the separators, date and time patterns and names that the
// conversion routines of the script library use. They come from the user's
// locale (LC_NUMERIC, LC_TIME and LC_MONETARY as set in the environment) when
// first asked for; a host or a test may replace them.
#pragma once

#include <array>
#include <string>

namespace orv {

// How numbers, money, dates and times are written and read.
//
// Date and time patterns use the letters of FormatDateTime: d, m, y for the
// date, h, n, s for the time; "/" in a pattern stands for DateSeparator and
// ":" for TimeSeparator. From the locale: DecimalSeparator and
// ThousandSeparator (LC_NUMERIC; a multi-byte or empty separator falls back to
// "." and ","), ShortDateFormat from the locale's date format (D_FMT: %d
// becomes dd, %e d, %m mm, %y yy, %Y yyyy, %b mmm, %B mmmm), LongDateFormat
// from its date-and-time format without the time (D_T_FMT), LongTimeFormat
// from T_FMT, ShortTimeFormat the long one without seconds, the AM and PM
// strings, and the month and day names.
struct FormatSettings {
  char DecimalSeparator = '.';
  char ThousandSeparator = ',';
  char DateSeparator = '/';
  char TimeSeparator = ':';
  std::string ShortDateFormat = "mm/dd/yy";
  std::string LongDateFormat = "dddd, mmmm d, yyyy";
  std::string ShortTimeFormat = "hh:nn";
  std::string LongTimeFormat = "hh:nn:ss";
  std::string TimeAMString = "AM";
  std::string TimePMString = "PM";
  std::string CurrencyString = "$";
  // 0 "$1", 1 "1$", 2 "$ 1", 3 "1 $".
  int CurrencyFormat = 0;
  std::array<std::string, 12> ShortMonthNames = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  std::array<std::string, 12> LongMonthNames = {"January", "February", "March",     "April",
                                                "May",     "June",     "July",      "August",
                                                "September", "October", "November", "December"};
  // Sunday first.
  std::array<std::string, 7> ShortDayNames = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  std::array<std::string, 7> LongDayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                             "Thursday", "Friday", "Saturday"};
};

// The settings in use: read from the locale on first use.
const FormatSettings& CurrentFormatSettings();

// Replaces the settings in use (for hosts with settings of their own, and
// tests that need fixed ones).
void SetFormatSettings(const FormatSettings& settings);

// The settings of the locale named by the environment (LANG, LC_ALL, LC_*),
// or of the "C" locale when that cannot be loaded.
FormatSettings FormatSettingsFromLocale();

// Converts a strftime-style date or time pattern ("%d.%m.%Y") to the pattern
// letters above ("dd/mm/yyyy", with DateSeparator '.'); `separator` receives
// the first literal separator character met, if any.
std::string PatternFromStrftime(const std::string& strftime_pattern, char separator_placeholder,
                                char* separator);

}  // namespace orv
