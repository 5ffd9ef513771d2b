#include "core/script/text_number.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "platform/paths.h"

namespace orv {
namespace {

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
  return text;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

int HexValue(char c) {
  if (IsDigit(c)) return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Days from 0000-03-01 based civil calendar arithmetic, shifted so that
// 1899-12-30 is day 0.
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  int64_t era = (y >= 0 ? y : y - 399) / 400;
  int64_t yoe = y - era * 400;
  int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468 + 25569;  // 25569: days from 1899-12-30 to 1970-01-01
}

void CivilFromDays(int64_t days, int64_t& y, int64_t& m, int64_t& d) {
  int64_t z = days - 25569 + 719468;
  int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  int64_t doe = z - era * 146097;
  int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  int64_t mp = (5 * doy + 2) / 153;
  d = doy - (153 * mp + 2) / 5 + 1;
  m = mp + (mp < 10 ? 3 : -9);
  y = yoe + era * 400 + (m <= 2);
}

bool ReadFixedDigits(std::string_view& text, size_t count, int& out) {
  if (text.size() < count) return false;
  out = 0;
  for (size_t i = 0; i < count; ++i) {
    if (!IsDigit(text[i])) return false;
    out = out * 10 + (text[i] - '0');
  }
  text.remove_prefix(count);
  return true;
}

bool Expect(std::string_view& text, char c) {
  if (text.empty() || text.front() != c) return false;
  text.remove_prefix(1);
  return true;
}

}  // namespace

bool ParseTextNumber(std::string_view text, Variant& out) {
  text = TrimBlanks(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (!text.empty() && text.front() == '$') {
    text.remove_prefix(1);
    if (text.empty() || text.size() > 8) return false;
    uint32_t value = 0;
    for (char c : text) {
      int digit = HexValue(c);
      if (digit < 0) return false;
      value = value * 16 + static_cast<uint32_t>(digit);
    }
    out = Variant(static_cast<int32_t>(negative ? 0u - value : value));
    return true;
  }
  size_t i = 0, digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  bool integral = true;
  if (i < text.size() && text[i] == '.') {
    integral = false;
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    integral = false;
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    size_t exponent_start = i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    if (i == exponent_start) return false;
  }
  if (i != text.size()) return false;
  if (integral) {
    int64_t value = 0;
    for (char c : text) value = std::min<int64_t>(value * 10 + (c - '0'), INT64_C(1) << 40);
    if (negative) value = -value;
    if (value >= INT32_MIN && value <= INT32_MAX) {
      out = Variant(static_cast<int32_t>(value));
      return true;
    }
  }
  double value = 0;
  auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || result.ptr != text.data() + text.size()) return false;
  out = Variant(negative ? -value : value);
  return true;
}

Variant TextToNumber(std::string_view text, uint16_t wanted) {
  Variant number;
  if (ParseTextNumber(text, number)) return number;
  bool flag;
  if (ParseBooleanWord(text, flag)) return Variant(flag ? -1 : 0);
  constexpr size_t kShown = 40;
  std::string shown(text.substr(0, kShown));
  if (text.size() > kShown) shown += "...";
  throw EConvertError("Could not convert the text '" + shown + "' into type (" +
                      Variant::TypeName(wanted) + ")");
}

bool ParseBooleanWord(std::string_view text, bool& out) {
  text = TrimBlanks(text);
  if (SameText(text, "True")) {
    out = true;
    return true;
  }
  if (SameText(text, "False")) {
    out = false;
    return true;
  }
  return false;
}

std::string FormatReal(double value, int digits) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "%.*g", digits, value);
  std::string text(buffer);
  size_t e = text.find('e');
  if (e == std::string::npos) return text;
  int exponent = std::atoi(text.c_str() + e + 1);
  return text.substr(0, e) + "E" + std::to_string(exponent);
}

std::string FormatDate(double days) {
  if (!(days > -693594.0 && days < 2958466.0)) return FormatReal(days);
  double whole = std::trunc(days);
  int64_t seconds = std::llround(std::fabs(days - whole) * 86400.0);
  if (seconds >= 86400) seconds = 86399;
  int64_t y, m, d;
  CivilFromDays(static_cast<int64_t>(whole), y, m, d);
  char buffer[40];
  if (seconds == 0) {
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", int(y), int(m), int(d));
  } else {
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", int(y), int(m), int(d),
                  int(seconds / 3600), int(seconds / 60 % 60), int(seconds % 60));
  }
  return buffer;
}

bool ParseDateText(std::string_view text, double& days) {
  text = TrimBlanks(text);
  int y, m, d, hh = 0, mm = 0, ss = 0;
  if (!ReadFixedDigits(text, 4, y) || !Expect(text, '-') || !ReadFixedDigits(text, 2, m) ||
      !Expect(text, '-') || !ReadFixedDigits(text, 2, d)) {
    return false;
  }
  if (!text.empty()) {
    if (!Expect(text, ' ') || !ReadFixedDigits(text, 2, hh) || !Expect(text, ':') ||
        !ReadFixedDigits(text, 2, mm)) {
      return false;
    }
    if (!text.empty() && (!Expect(text, ':') || !ReadFixedDigits(text, 2, ss) || !text.empty())) {
      return false;
    }
  }
  static const int kMonthDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
  if (y < 1 || m < 1 || m > 12 || d < 1 || d > kMonthDays[m - 1] || (m == 2 && d == 29 && !leap) ||
      hh > 23 || mm > 59 || ss > 59) {
    return false;
  }
  double day = static_cast<double>(DaysFromCivil(y, m, d));
  double time = (hh * 3600 + mm * 60 + ss) / 86400.0;
  days = day >= 0 ? day + time : day - time;
  return true;
}

}  // namespace orv
