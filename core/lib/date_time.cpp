#include "core/lib/date_time.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "core/lib/pattern_scan.h"
#include "platform/exception.h"
#include "platform/paths.h"

namespace orv {
namespace {

constexpr double kMinDate = -693593.0;     // 0001-01-01
constexpr double kMaxDate = 2958466.0;     // 10000-01-01
constexpr long long kMsPerDay = 86400000;
constexpr long long kEpochOffset = 25569;  // 1970-01-01 as a day count

// Days from 1970-01-01 in the proleptic Gregorian calendar.
long long DaysFromCivil(long long y, unsigned m, unsigned d) {
  y -= m <= 2;
  long long era = (y >= 0 ? y : y - 399) / 400;
  unsigned yoe = static_cast<unsigned>(y - era * 400);
  unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<long long>(doe) - 719468;
}

void CivilFromDays(long long z, int& year, int& month, int& day) {
  z += 719468;
  long long era = (z >= 0 ? z : z - 146096) / 146097;
  unsigned doe = static_cast<unsigned>(z - era * 146097);
  unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  unsigned mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(era * 400 + yoe + (month <= 2));
}

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int y, int m) {
  static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && IsLeap(y) ? 29 : days[m - 1];
}

std::string Padded(int value, int width) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%0*d", width, value);
  return buffer;
}

int CurrentYear() { return DecodeDateTime(Now()).year; }

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }

bool StartsWithNoCase(std::string_view text, size_t pos, std::string_view word) {
  return text.size() - pos >= word.size() && SameText(text.substr(pos, word.size()), word);
}

// True when the pattern holds an am/pm marker outside quotes.
bool HasAmPm(std::string_view pattern) {
  return ScanUnquoted(pattern, [pattern](size_t i) {
    return StartsWithNoCase(pattern, i, "am/pm") || StartsWithNoCase(pattern, i, "a/p") ||
           StartsWithNoCase(pattern, i, "ampm");
  });
}

class DateWriter {
 public:
  DateWriter(double value, const FormatSettings& settings)
      : parts_(DecodeDateTime(value)), settings_(settings) {}

  void Write(std::string_view pattern, std::string& out, int depth) {
    // Settings whose patterns name each other could loop; three levels are
    // more than any sound pattern needs.
    if (depth > 3) return;
    bool twelve_hour = HasAmPm(pattern);
    char last_letter = 0;
    size_t i = 0;
    while (i < pattern.size()) {
      char c = pattern[i];
      char l = Lower(c);
      size_t run = 1;
      while (i + run < pattern.size() && Lower(pattern[i + run]) == l) ++run;
      switch (l) {
        case '"':
        case '\'': {
          size_t end = pattern.find(c, i + 1);
          if (end == std::string_view::npos) end = pattern.size();
          out.append(pattern.substr(i + 1, end - i - 1));
          i = end + 1;
          continue;
        }
        case 'c':
          Write(settings_.ShortDateFormat, out, depth + 1);
          if (parts_.hour || parts_.minute || parts_.second || parts_.msec) {
            out += ' ';
            Write(settings_.LongTimeFormat, out, depth + 1);
          }
          run = 1;
          break;
        case 'd':
          if (run == 1) out += std::to_string(parts_.day);
          else if (run == 2) out += Padded(parts_.day, 2);
          else if (run == 3) out += settings_.ShortDayNames[parts_.day_of_week - 1];
          else if (run == 4) out += settings_.LongDayNames[parts_.day_of_week - 1];
          else if (run == 5) Write(settings_.ShortDateFormat, out, depth + 1);
          else Write(settings_.LongDateFormat, out, depth + 1);
          run = std::min<size_t>(run, 6);
          break;
        case 'm':
          if (last_letter == 'h' && run <= 2) {
            out += run == 1 ? std::to_string(parts_.minute) : Padded(parts_.minute, 2);
          } else if (run == 1) {
            out += std::to_string(parts_.month);
          } else if (run == 2) {
            out += Padded(parts_.month, 2);
          } else if (run == 3) {
            out += settings_.ShortMonthNames[parts_.month - 1];
          } else {
            out += settings_.LongMonthNames[parts_.month - 1];
            run = std::min<size_t>(run, 4);
          }
          break;
        case 'y':
          out += run <= 2 ? Padded(parts_.year % 100, 2) : Padded(parts_.year, 4);
          run = run <= 2 ? run : std::min<size_t>(run, 4);
          break;
        case 'h': {
          int hour = parts_.hour;
          if (twelve_hour) hour = hour % 12 == 0 ? 12 : hour % 12;
          run = std::min<size_t>(run, 2);
          out += run == 1 ? std::to_string(hour) : Padded(hour, 2);
          break;
        }
        case 'n':
          run = std::min<size_t>(run, 2);
          out += run == 1 ? std::to_string(parts_.minute) : Padded(parts_.minute, 2);
          break;
        case 's':
          run = std::min<size_t>(run, 2);
          out += run == 1 ? std::to_string(parts_.second) : Padded(parts_.second, 2);
          break;
        case 'z':
          run = std::min<size_t>(run, 3);
          out += run < 3 ? std::to_string(parts_.msec) : Padded(parts_.msec, 3);
          break;
        case 't':
          run = std::min<size_t>(run, 2);
          Write(run == 1 ? settings_.ShortTimeFormat : settings_.LongTimeFormat, out, depth + 1);
          break;
        case 'a':
          run = WriteAmPm(pattern, i, out);
          break;
        case '/':
          run = 1;
          out += settings_.DateSeparator;
          break;
        case ':':
          run = 1;
          out += settings_.TimeSeparator;
          break;
        default:
          run = 1;
          out += c;
          break;
      }
      if (l >= 'a' && l <= 'z') last_letter = l;
      i += run;
    }
  }

 private:
  // Writes the marker that begins at pattern[i]; returns its length.
  size_t WriteAmPm(std::string_view pattern, size_t i, std::string& out) {
    bool pm = parts_.hour >= 12;
    if (StartsWithNoCase(pattern, i, "am/pm")) {
      std::string marker(pattern.substr(i + (pm ? 3 : 0), 2));
      out += marker;
      return 5;
    }
    if (StartsWithNoCase(pattern, i, "a/p")) {
      out += pattern[i + (pm ? 2 : 0)];
      return 3;
    }
    if (StartsWithNoCase(pattern, i, "ampm")) {
      out += pm ? settings_.TimePMString : settings_.TimeAMString;
      return 4;
    }
    out += pattern[i];
    return 1;
  }

  DateParts parts_;
  const FormatSettings& settings_;
};

// Reads the digits at text[pos]; false when there are none.
bool ReadNumber(std::string_view text, size_t& pos, int& value, int& digits) {
  value = 0;
  digits = 0;
  while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
    if (digits < 9) value = value * 10 + (text[pos] - '0');
    else return false;
    ++digits;
    ++pos;
  }
  return digits > 0;
}

void SkipBlanks(std::string_view text, size_t& pos) {
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
}

// Reads a date at text[pos] in the order of the short date format.
bool ScanDate(std::string_view text, size_t& pos, const FormatSettings& settings, double& date) {
  std::string order;
  char quote = 0;
  for (char c : settings.ShortDateFormat) {
    if (quote) {
      if (c == quote) quote = 0;
      continue;
    }
    if (c == '"' || c == '\'') quote = c;
    char l = Lower(c);
    if ((l == 'd' || l == 'm' || l == 'y') && order.find(l) == std::string::npos) order += l;
  }
  if (order.size() != 3) order = "mdy";
  int numbers[3], digits[3];
  int count = 0;
  while (count < 3) {
    if (!ReadNumber(text, pos, numbers[count], digits[count])) return false;
    ++count;
    if (count == 3 || pos >= text.size() || text[pos] != settings.DateSeparator) break;
    ++pos;
  }
  if (count < 2) return false;
  int year = 0, month = 0, day = 0, year_digits = 4;
  if (count == 2) {
    year = CurrentYear();
    bool day_first = order.find('d') < order.find('m');
    day = numbers[day_first ? 0 : 1];
    month = numbers[day_first ? 1 : 0];
  } else {
    for (int k = 0; k < 3; ++k) {
      if (order[k] == 'y') {
        year = numbers[k];
        year_digits = digits[k];
      } else if (order[k] == 'm') {
        month = numbers[k];
      } else {
        day = numbers[k];
      }
    }
  }
  if (year_digits <= 2) {
    int window_start = CurrentYear() - 50;
    year += window_start / 100 * 100;
    if (year < window_start) year += 100;
  }
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
    return false;
  date = EncodeDate(year, month, day);
  return true;
}

// Reads a time h:n[:s[.z]] with an optional am/pm marker at text[pos].
bool ScanTime(std::string_view text, size_t& pos, const FormatSettings& settings, double& time) {
  int parts[4] = {0, 0, 0, 0};
  int digits = 0;
  if (!ReadNumber(text, pos, parts[0], digits)) return false;
  int count = 1;
  while (count < 3 && pos < text.size() && text[pos] == settings.TimeSeparator) {
    ++pos;
    if (!ReadNumber(text, pos, parts[count], digits)) return false;
    ++count;
  }
  if (count == 3 && pos < text.size() && text[pos] == '.') {
    ++pos;
    if (!ReadNumber(text, pos, parts[3], digits) || digits > 3) return false;
    for (; digits < 3; ++digits) parts[3] *= 10;
  }
  if (count < 2) return false;
  SkipBlanks(text, pos);
  for (const std::string& marker : {settings.TimeAMString, settings.TimePMString, std::string("AM"),
                                    std::string("PM"), std::string("A"), std::string("P")}) {
    if (!marker.empty() && StartsWithNoCase(text, pos, marker)) {
      bool pm = SameText(marker, settings.TimePMString) || SameText(marker, "PM") || SameText(marker, "P");
      if (parts[0] < 1 || parts[0] > 12) return false;
      parts[0] = parts[0] % 12 + (pm ? 12 : 0);
      pos += marker.size();
      break;
    }
  }
  if (parts[0] > 23 || parts[1] > 59 || parts[2] > 59) return false;
  time = EncodeTime(parts[0], parts[1], parts[2], parts[3]);
  return true;
}

}  // namespace

double EncodeDate(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
    throw EConvertError("Invalid argument to date encode");
  return static_cast<double>(DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) +
                             kEpochOffset);
}

double EncodeTime(int hour, int minute, int second, int msec) {
  if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 || msec < 0 ||
      msec > 999)
    throw EConvertError("Invalid argument to time encode");
  return (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + msec) / kMsPerDay;
}

DateParts DecodeDateTime(double value) {
  if (!(value >= kMinDate && value < kMaxDate)) throw EConvertError("Invalid date value");
  double whole = std::trunc(value);
  long long ms = std::llround(std::fabs(value - whole) * kMsPerDay);
  if (ms >= kMsPerDay) ms = kMsPerDay - 1;
  long long days = static_cast<long long>(whole);
  DateParts p{};
  CivilFromDays(days - kEpochOffset, p.year, p.month, p.day);
  p.day_of_week = static_cast<int>(((days - 1) % 7 + 7) % 7 + 1);
  p.hour = static_cast<int>(ms / 3600000);
  p.minute = static_cast<int>(ms / 60000 % 60);
  p.second = static_cast<int>(ms / 1000 % 60);
  p.msec = static_cast<int>(ms % 1000);
  return p;
}

double Now() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  tm local{};
  localtime_r(&now.tv_sec, &local);
  return EncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
         EncodeTime(local.tm_hour, local.tm_min, std::min(local.tm_sec, 59),
                    static_cast<int>(now.tv_nsec / 1000000));
}

std::string FormatDateTime(std::string_view pattern, double value, const FormatSettings& settings) {
  std::string out;
  DateWriter(value, settings).Write(pattern.empty() ? std::string_view("c") : pattern, out, 0);
  return out;
}

std::string DateToStr(double value, const FormatSettings& settings) {
  return FormatDateTime(settings.ShortDateFormat, value, settings);
}

double StrToDate(std::string_view text, const FormatSettings& settings) {
  size_t pos = 0;
  double date = 0;
  SkipBlanks(text, pos);
  bool ok = ScanDate(text, pos, settings, date);
  SkipBlanks(text, pos);
  if (!ok || pos != text.size())
    throw EConvertError("'" + std::string(text) + "' is not a valid date");
  return date;
}

double StrToDateTime(std::string_view text, const FormatSettings& settings) {
  size_t pos = 0;
  SkipBlanks(text, pos);
  size_t probe = pos;
  int ignored = 0, digits = 0;
  ReadNumber(text, probe, ignored, digits);
  bool time_only = probe < text.size() && text[probe] == settings.TimeSeparator;
  double date = 0, time = 0;
  bool ok = time_only || ScanDate(text, pos, settings, date);
  if (ok) {
    SkipBlanks(text, pos);
    if (pos < text.size()) ok = ScanTime(text, pos, settings, time);
    SkipBlanks(text, pos);
  }
  if (!ok || pos != text.size())
    throw EConvertError("'" + std::string(text) + "' is not a valid date and time");
  return date < 0 ? date - time : date + time;
}

}  // namespace orv
