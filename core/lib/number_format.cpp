#include "core/lib/number_format.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

#include "core/lib/pattern_scan.h"
#include "platform/exception.h"
#include "platform/ini_file.h"

namespace orv {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The decimal digits and exponent of `value` (finite, not negative) rounded to
// `significant` digits: value = 0.d1d2d3... x 10^(exponent + 1).
struct Digits {
  std::string digits;
  int exponent = 0;
};


// The shortest digits that read back as `value`.
Digits Shortest(double value) {
  char buffer[64];
  auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
  std::string_view text(buffer, static_cast<size_t>(result.ptr - buffer));
  Digits out;
  size_t e = text.find('e');
  for (char c : text.substr(0, e))
    if (IsDigit(c)) out.digits += c;
  std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(), out.exponent);
  return out;
}

// Keeps `keep` digits (which may be none or fewer than none), rounding half
// away from zero on the decimal digits, as people round; pads with zeros.
void RoundTo(Digits& d, int keep) {
  if (keep < 0 || (keep == 0 && d.digits[0] < '5')) {
    d = Digits{"0", 0};
    return;
  }
  if (static_cast<int>(d.digits.size()) <= keep) {
    d.digits.append(static_cast<size_t>(keep) - d.digits.size(), '0');
    return;
  }
  bool up = d.digits[static_cast<size_t>(keep)] >= '5';
  d.digits.resize(static_cast<size_t>(keep));
  if (!up) return;
  int i = keep - 1;
  while (i >= 0 && d.digits[static_cast<size_t>(i)] == '9') d.digits[static_cast<size_t>(i--)] = '0';
  if (i >= 0) {
    ++d.digits[static_cast<size_t>(i)];
  } else {
    d.digits.insert(d.digits.begin(), '1');
    if (keep > 0) d.digits.pop_back();
    ++d.exponent;
  }
}

Digits Scientific(double value, int significant) {
  Digits d = Shortest(value);
  RoundTo(d, significant);
  return d;
}

std::string Fixed(double value, int decimals) {
  Digits d = Shortest(value);
  RoundTo(d, d.exponent + 1 + decimals);
  std::string out;
  int n = static_cast<int>(d.digits.size());
  auto digit = [&](int index) { return index >= 0 && index < n ? d.digits[static_cast<size_t>(index)] : '0'; };
  if (d.exponent < 0) out = "0";
  for (int i = 0; i <= d.exponent; ++i) out += digit(i);
  if (decimals > 0) {
    out += '.';
    for (int i = 0; i < decimals; ++i) out += digit(d.exponent + 1 + i);
  }
  return out;
}

std::string Trimmed(std::string_view text) {
  size_t start = 0, end = text.size();
  while (start < end && (text[start] == ' ' || text[start] == '\t')) ++start;
  while (end > start && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
  return std::string(text.substr(start, end - start));
}

// Scans a real number (sign, digits, `separator` and fraction, exponent) at
// text[pos]; on success `pos` is past it and `plain` holds it with a '.'.
bool ScanReal(std::string_view text, size_t& pos, char separator, std::string& plain) {
  plain.clear();
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    if (text[pos] == '-') plain += '-';
    ++pos;
  }
  size_t digits = 0;
  while (pos < text.size() && IsDigit(text[pos])) plain += text[pos++], ++digits;
  if (pos < text.size() && text[pos] == separator) {
    plain += '.';
    ++pos;
    while (pos < text.size() && IsDigit(text[pos])) plain += text[pos++], ++digits;
  }
  if (digits == 0) return false;
  if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
    plain += 'e';
    ++pos;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) plain += text[pos++];
    size_t exponent_digits = 0;
    while (pos < text.size() && IsDigit(text[pos])) plain += text[pos++], ++exponent_digits;
    if (exponent_digits == 0) return false;
  }
  return true;
}

double ParsePlain(const std::string& plain) {
  double value = 0;
  auto result = std::from_chars(plain.data(), plain.data() + plain.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    // Too large gives an infinity, too small zero, as the number reader does.
    bool tiny = plain.find("e-") != std::string::npos;
    value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    if (plain[0] == '-') value = -value;
  }
  return value;
}

// One section of a number pattern, as read before writing.
struct Section {
  std::string_view text;
  int int_places = 0;        // '0' and '#' before the point
  int first_int_zero = -1;   // index of the first '0' among them
  int frac_places = 0;       // placeholders after the point
  int min_decimals = 0;      // up to the last '0' after the point
  bool thousands = false;
  bool scientific = false;
  int exponent_zeros = 0;
};

Section Analyse(std::string_view text) {
  Section s;
  s.text = text;
  bool fraction = false;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '"' || c == '\'') {
      size_t end = text.find(c, i + 1);
      i = end == std::string_view::npos ? text.size() : end;
    } else if ((c == 'E' || c == 'e') && i + 1 < text.size() && (text[i + 1] == '+' || text[i + 1] == '-')) {
      // The exponent's digits are the placeholders right behind its sign;
      // whatever follows is literal text and placeholders without digits.
      s.scientific = true;
      for (i += 2; i < text.size() && (text[i] == '0' || text[i] == '#'); ++i)
        if (text[i] == '0') ++s.exponent_zeros;
      break;
    } else if (c == '0' || c == '#') {
      if (fraction) {
        ++s.frac_places;
        if (c == '0') s.min_decimals = s.frac_places;
      } else {
        if (c == '0' && s.first_int_zero < 0) s.first_int_zero = s.int_places;
        ++s.int_places;
      }
    } else if (c == '.') {
      fraction = true;
    } else if (c == ',' && !fraction) {
      s.thousands = true;
    }
  }
  s.frac_places = std::min(s.frac_places, 18);
  s.min_decimals = std::min(s.min_decimals, s.frac_places);
  return s;
}

std::vector<std::string_view> SplitSections(std::string_view pattern) {
  std::vector<std::string_view> sections;
  size_t start = 0;
  ScanUnquoted(pattern, [&](size_t i) {
    if (pattern[i] == ';' && sections.size() < 2) {
      sections.push_back(pattern.substr(start, i - start));
      start = i + 1;
    }
    return false;
  });
  sections.push_back(pattern.substr(start));
  return sections;
}

// The digits of `value` (not negative) for section `s`: integer digits `ints`
// (no leading zeros for fixed notation), fraction digits `fraction`, and the
// exponent for scientific notation.
void SectionDigits(const Section& s, double value, std::string& ints, std::string& fraction, int& exponent) {
  exponent = 0;
  if (s.scientific) {
    int int_digits = std::max(s.int_places, 1);
    Digits d = Scientific(value, std::min(int_digits + s.frac_places, 18));
    ints = d.digits.substr(0, static_cast<size_t>(int_digits));
    fraction = d.digits.substr(ints.size());
    exponent = value == 0 ? 0 : d.exponent - (int_digits - 1);
  } else {
    std::string fixed = Fixed(value, s.frac_places);
    size_t point = fixed.find('.');
    ints = fixed.substr(0, point);
    fraction = point == std::string::npos ? std::string() : fixed.substr(point + 1);
    size_t first = ints.find_first_not_of('0');
    ints = first == std::string::npos ? std::string() : ints.substr(first);
  }
  while (static_cast<int>(fraction.size()) > s.min_decimals && fraction.back() == '0') fraction.pop_back();
}

std::string WriteSection(const Section& s, double value, const FormatSettings& settings) {
  std::string ints, fraction;
  int exponent = 0;
  SectionDigits(s, value, ints, fraction, exponent);
  if (!s.scientific && s.first_int_zero >= 0) {
    size_t wanted = static_cast<size_t>(s.int_places - s.first_int_zero);
    if (ints.size() < wanted) ints.insert(0, wanted - ints.size(), '0');
  }
  std::string out;
  int lead = static_cast<int>(ints.size()) - s.int_places;
  bool ints_written = false;
  auto emit_int_digit = [&](size_t j) {
    out += ints[j];
    if (s.thousands && j + 1 < ints.size() && (ints.size() - 1 - j) % 3 == 0) out += settings.ThousandSeparator;
  };
  auto emit_all_ints = [&] {
    if (ints_written) return;
    for (size_t j = 0; j < ints.size(); ++j) emit_int_digit(j);
    ints_written = true;
  };
  int int_index = 0, frac_index = 0;
  bool fraction_part = false;
  const std::string_view text = s.text;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '"' || c == '\'') {
      size_t end = text.find(c, i + 1);
      if (end == std::string_view::npos) end = text.size();
      out.append(text.substr(i + 1, end - i - 1));
      i = end;
    } else if ((c == 'E' || c == 'e') && s.scientific && i + 1 < text.size() &&
               (text[i + 1] == '+' || text[i + 1] == '-')) {
      emit_all_ints();
      out += c;
      if (exponent < 0) out += '-';
      else if (text[i + 1] == '+') out += '+';
      std::string digits = std::to_string(std::abs(exponent));
      if (static_cast<int>(digits.size()) < s.exponent_zeros)
        digits.insert(0, static_cast<size_t>(s.exponent_zeros) - digits.size(), '0');
      out += digits;
      i += 2;
      while (i < text.size() && (text[i] == '0' || text[i] == '#')) ++i;
      --i;
    } else if ((c == '0' || c == '#') && !fraction_part) {
      // Placeholders after the exponent (and any literal behind it) come after
      // every integer digit was written: they have no digit left to show.
      if (ints_written) continue;
      if (int_index == 0 && lead > 0)
        for (int j = 0; j < lead; ++j) emit_int_digit(static_cast<size_t>(j));
      int pos = int_index + lead;
      if (pos >= 0) emit_int_digit(static_cast<size_t>(pos));
      if (++int_index == s.int_places) ints_written = true;
    } else if (c == '0' || c == '#') {
      if (frac_index < static_cast<int>(fraction.size())) out += fraction[static_cast<size_t>(frac_index)];
      ++frac_index;
    } else if (c == '.' && !fraction_part) {
      emit_all_ints();
      fraction_part = true;
      if (!fraction.empty()) out += settings.DecimalSeparator;
    } else if (c != ',') {
      out += c;
    }
  }
  emit_all_ints();
  return out;
}

}  // namespace

std::string FloatToStrGeneral(double value, int precision, char separator) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  if (value == 0) return "0";
  precision = std::clamp(precision, 1, 18);
  std::string out = value < 0 ? "-" : "";
  Digits d = Scientific(std::fabs(value), precision);
  while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
  int e = d.exponent;
  if (e < precision && e >= -5) {
    if (e >= 0) {
      std::string digits = d.digits;
      if (static_cast<int>(digits.size()) < e + 1) digits.append(static_cast<size_t>(e + 1) - digits.size(), '0');
      out += digits.substr(0, static_cast<size_t>(e + 1));
      if (digits.size() > static_cast<size_t>(e + 1)) out += separator + digits.substr(static_cast<size_t>(e + 1));
    } else {
      out += "0";
      out += separator;
      out.append(static_cast<size_t>(-e - 1), '0');
      out += d.digits;
    }
    return out;
  }
  out += d.digits[0];
  if (d.digits.size() > 1) out += separator + d.digits.substr(1);
  out += "E" + std::to_string(e);
  return out;
}

std::string FloatToStr(double value, const FormatSettings& settings) {
  return FloatToStrGeneral(value, 15, settings.DecimalSeparator);
}

std::string FormatFloat(std::string_view pattern, double value, const FormatSettings& settings) {
  if (pattern.empty() || !std::isfinite(value)) return FloatToStr(value, settings);
  std::vector<std::string_view> sections = SplitSections(pattern);
  bool negative = value < 0;
  size_t chosen = negative && sections.size() > 1 && !sections[1].empty() ? 1 : 0;
  Section s = Analyse(sections[chosen]);
  double magnitude = std::fabs(value);
  std::string ints, fraction;
  int exponent = 0;
  SectionDigits(s, magnitude, ints, fraction, exponent);
  bool rounds_to_zero = ints.find_first_not_of('0') == std::string::npos &&
                        fraction.find_first_not_of('0') == std::string::npos;
  if (rounds_to_zero) {
    if (sections.size() > 2 && !sections[2].empty()) return WriteSection(Analyse(sections[2]), 0.0, settings);
    return WriteSection(s, 0.0, settings);
  }
  std::string sign = negative && chosen == 0 ? "-" : "";
  return sign + WriteSection(s, magnitude, settings);
}

std::string DefaultRealNotation(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? " INF" : "-INF";
  Digits d = Scientific(std::fabs(value), 15);
  int e = value == 0 ? 0 : d.exponent;
  char exponent[16];
  std::snprintf(exponent, sizeof exponent, "%c%04d", e < 0 ? '-' : '+', std::abs(e));
  return std::string(std::signbit(value) ? "-" : " ") + d.digits[0] + "." + d.digits.substr(1) + "E" + exponent;
}

ValResult ReadValNumber(std::string_view text) {
  ValResult r;
  size_t pos = 0;
  while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
  // The scanner stops at the first character that does not fit; that, or the
  // end of the text when the number is cut short, is the failing position.
  size_t start = pos;
  std::string plain;
  bool scanned = ScanReal(text, pos, '.', plain);
  if (!scanned || pos != text.size()) {
    if (scanned || pos > start) r.code = static_cast<int>(pos) + 1;
    else r.code = static_cast<int>(start) + 1;
    return r;
  }
  r.ok = true;
  r.value = ParsePlain(plain);
  r.integral = std::isfinite(r.value) && r.value == std::trunc(r.value) && r.value >= -2147483648.0 &&
               r.value <= 2147483647.0;
  return r;
}

double StrToFloat(std::string_view text, const FormatSettings& settings) {
  std::string trimmed = Trimmed(text);
  size_t pos = 0;
  std::string plain;
  if (!ScanReal(trimmed, pos, settings.DecimalSeparator, plain) || pos != trimmed.size())
    throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
  return ParsePlain(plain);
}

std::string IntToHex(int32_t value, int digits) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%X", static_cast<uint32_t>(value));
  std::string out = buffer;
  digits = std::clamp(digits, 0, 32);
  if (static_cast<int>(out.size()) < digits) out.insert(0, static_cast<size_t>(digits) - out.size(), '0');
  return out;
}

}  // namespace orv
