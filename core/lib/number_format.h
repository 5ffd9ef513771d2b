// Numbers written and read as the script library's conversion routines do:
// the general real format, number patterns, the default real notation of
// Str, the number reader of Val, and the integer and real readers.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/lib/format_settings.h"
#include "platform/integer_text.h"

namespace orv {

// `value` in general format with `precision` significant digits (1..18):
// fixed notation while the number has at most `precision` digits before the
// point and is at least 0.00001 in size, otherwise scientific ("1.5E-7",
// "1E20"); no trailing zeros; "NAN", "INF", "-INF" for the special values.
std::string FloatToStrGeneral(double value, int precision, char decimal_separator);

// FloatToStr: general format with 15 significant digits.
std::string FloatToStr(double value, const FormatSettings& settings = CurrentFormatSettings());

// `value` written with a number pattern. Up to three sections separated by
// ";" serve positive values, negative values (written without their sign)
// and zero; a missing section falls back to the first (with a "-" for a
// negative value). In a section: "0" a digit that is always written, "#" a
// digit written when significant, "." the decimal separator, "," (anywhere
// before the point) thousands grouping, "E+" "E-" "e+" "e-" followed by
// zeros an exponent, '...' and "..." literal text; other characters stand for
// themselves. An empty pattern gives the general format.
std::string FormatFloat(std::string_view pattern, double value,
                        const FormatSettings& settings = CurrentFormatSettings());

// The default real notation: a blank or "-", one digit, the decimal point,
// 14 digits, "E", the exponent's sign and four digits (" 5.00000000000000E+0000").
std::string DefaultRealNotation(double value);

// The result of reading a number the way Val does.
struct ValResult {
  bool ok = false;
  bool integral = false;  // no fractional part and within the 32-bit range
  double value = 0;
  int code = 0;  // 0, or the 1-based position where reading failed
};
// Reads leading blanks, an optional sign, digits with an optional "." and
// fraction, and an optional exponent, up to the end of `text`.
ValResult ReadValNumber(std::string_view text);


// A real number with `DecimalSeparator`, blanks around it allowed.
// EConvertError "'text' is not a valid floating point value".
double StrToFloat(std::string_view text, const FormatSettings& settings = CurrentFormatSettings());

// Upper-case hexadecimal of the 32-bit pattern of `value`, padded with zeros
// to at least `digits` digits (at most 32).
std::string IntToHex(int32_t value, int digits);

}  // namespace orv
