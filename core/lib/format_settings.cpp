#include "core/lib/format_settings.h"

#include <langinfo.h>
#include <locale.h>

#include <cctype>
#include <memory>

namespace orv {
namespace {

FormatSettings& Settings() {
  static FormatSettings settings = FormatSettingsFromLocale();
  return settings;
}

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The pattern letters of one strftime conversion; nullptr for a conversion
// that has none (time zones, week numbers), which is dropped.
const char* ConversionPattern(char code, bool no_pad) {
  switch (code) {
    case 'd': return no_pad ? "d" : "dd";
    case 'e': return "d";
    case 'm': return no_pad ? "m" : "mm";
    case 'y': return "yy";
    case 'Y': case 'G': return "yyyy";
    case 'b': case 'h': return "mmm";
    case 'B': return "mmmm";
    case 'a': return "ddd";
    case 'A': return "dddd";
    case 'H': case 'I': return no_pad ? "h" : "hh";
    case 'k': case 'l': return "h";
    case 'M': return "nn";
    case 'S': return "ss";
    case 'p': case 'P': return "ampm";
    case 'T': return "hh:nn:ss";
    case 'R': return "hh:nn";
    case 'r': return "hh:nn:ss ampm";
    case 'D': return "mm/dd/yy";
    case 'F': return "yyyy-mm-dd";
    case 'n': case 't': return " ";
    case '%': return "%";
    default: return nullptr;
  }
}

bool IsTimeConversion(char code) {
  return std::string_view("HIklMSpPTRrXZz").find(code) != std::string_view::npos;
}

// Appends a literal, quoting it when it holds letters that would read as
// pattern letters.
void AppendLiteral(std::string& out, const std::string& literal) {
  bool quote = false;
  for (char c : literal) quote = quote || IsAsciiLetter(c);
  if (quote) out += '"' + literal + '"';
  else out += literal;
}

// A pattern with the time conversions of a date-and-time pattern left out.
std::string DatePartOf(const std::string& pattern) {
  std::string out;
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size()) {
      size_t code = i + 1;
      while (code < pattern.size() && (pattern[code] == '-' || pattern[code] == 'E' || pattern[code] == 'O'))
        ++code;
      if (code < pattern.size() && IsTimeConversion(pattern[code])) {
        i = code;
        continue;
      }
    }
    if (pattern[i] == ' ' && !out.empty() && out.back() == ' ') continue;
    out += pattern[i];
  }
  while (!out.empty() && (out.back() == ' ' || out.back() == ',')) out.pop_back();
  return out;
}

std::string Info(locale_t loc, nl_item item) {
  const char* text = loc ? nl_langinfo_l(item, loc) : nullptr;
  return text ? text : "";
}

char SingleChar(const std::string& text, char fallback) {
  return text.size() == 1 ? text[0] : fallback;
}

}  // namespace

std::string PatternFromStrftime(const std::string& pattern, char placeholder, char* separator) {
  std::string out, literal;
  for (size_t i = 0; i < pattern.size(); ++i) {
    char c = pattern[i];
    if (c != '%' || i + 1 == pattern.size()) {
      bool is_separator = placeholder && (c == '/' || c == '.' || c == '-' || c == ':');
      if (is_separator && separator && *separator == 0) *separator = c;
      if (is_separator && separator && c == *separator) {
        AppendLiteral(out, literal);
        literal.clear();
        out += placeholder;
      } else {
        literal += c;
      }
      continue;
    }
    bool no_pad = false;
    ++i;
    while (i + 1 < pattern.size() && (pattern[i] == '-' || pattern[i] == '_' || pattern[i] == 'E' ||
                                      pattern[i] == 'O' || pattern[i] == '0')) {
      no_pad = no_pad || pattern[i] == '-';
      ++i;
    }
    const char* letters = ConversionPattern(pattern[i], no_pad);
    if (!letters) continue;
    AppendLiteral(out, literal);
    literal.clear();
    out += letters;
  }
  AppendLiteral(out, literal);
  return out;
}

FormatSettings FormatSettingsFromLocale() {
  FormatSettings s;
  locale_t loc = newlocale(LC_ALL_MASK, "", static_cast<locale_t>(0));
  if (!loc) loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  if (!loc) return s;
  std::unique_ptr<std::remove_pointer_t<locale_t>, void (*)(locale_t)> guard(loc, freelocale);

  s.DecimalSeparator = SingleChar(Info(loc, RADIXCHAR), '.');
  std::string thousands = Info(loc, THOUSEP);
  s.ThousandSeparator = thousands.size() == 1 ? thousands[0] : (s.DecimalSeparator == ',' ? '.' : ',');

  char date_separator = 0;
  std::string short_date = PatternFromStrftime(Info(loc, D_FMT), '/', &date_separator);
  if (!short_date.empty()) s.ShortDateFormat = short_date;
  if (date_separator) s.DateSeparator = date_separator;
  std::string long_date = PatternFromStrftime(DatePartOf(Info(loc, D_T_FMT)), 0, nullptr);
  if (!long_date.empty()) s.LongDateFormat = long_date;

  char time_separator = 0;
  std::string long_time = PatternFromStrftime(Info(loc, T_FMT), ':', &time_separator);
  if (!long_time.empty()) {
    s.LongTimeFormat = long_time;
    size_t seconds = long_time.find(":ss");
    s.ShortTimeFormat = seconds == std::string::npos ? long_time : long_time.substr(0, seconds) + long_time.substr(seconds + 3);
  }
  if (time_separator) s.TimeSeparator = time_separator;
  std::string am = Info(loc, AM_STR), pm = Info(loc, PM_STR);
  if (!am.empty() && !pm.empty()) {
    s.TimeAMString = am;
    s.TimePMString = pm;
  }

  std::string currency = Info(loc, CRNCYSTR);
  if (currency.size() > 1 && (currency[0] == '-' || currency[0] == '+')) {
    s.CurrencyString = currency.substr(1);
    s.CurrencyFormat = currency[0] == '-' ? 0 : 3;
  }

  for (int m = 0; m < 12; ++m) {
    std::string abbr = Info(loc, static_cast<nl_item>(ABMON_1 + m));
    std::string full = Info(loc, static_cast<nl_item>(MON_1 + m));
    if (!abbr.empty()) s.ShortMonthNames[m] = abbr;
    if (!full.empty()) s.LongMonthNames[m] = full;
  }
  for (int d = 0; d < 7; ++d) {
    std::string abbr = Info(loc, static_cast<nl_item>(ABDAY_1 + d));
    std::string full = Info(loc, static_cast<nl_item>(DAY_1 + d));
    if (!abbr.empty()) s.ShortDayNames[d] = abbr;
    if (!full.empty()) s.LongDayNames[d] = full;
  }
  return s;
}

const FormatSettings& CurrentFormatSettings() { return Settings(); }

void SetFormatSettings(const FormatSettings& settings) { Settings() = settings; }

}  // namespace orv
