// The format routine behind the script routine Format: a pattern with
// conversions applied to a list of script values.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/lib/format_settings.h"
#include "core/script/variant.h"

namespace orv {

// Applies `pattern` to `args`. A conversion is
//   "%" [index ":"] ["-"] [width] ["." precision] type
// where index, width and precision are digits or "*" (taken from the next
// argument, which must be an integer); "-" aligns left within the width; the
// index selects the argument and the following conversions go on from it;
// "%%" is a "%". Types (any case), each converting its value as needed:
//   d  decimal integer; the precision is the least number of digits
//   u  the integer's 32 bits as an unsigned number
//   x  upper-case hexadecimal; the precision is the least number of digits
//   p  the integer as eight hexadecimal digits
//   e  scientific, precision significant digits (15), exponent of 3 digits
//   f  fixed, precision decimals (2)
//   g  general, precision significant digits (15)
//   n  fixed with thousands separators, precision decimals (2)
//   m  money: as n with the currency string placed by CurrencyFormat
//   s  text, cut to precision characters when one is given
// EConvertError "Format 'pattern' invalid or incompatible with argument" for
// a bad conversion or a value its type cannot take, and "No argument for
// format 'pattern'" when the arguments run out, "Format result longer than
// 256 MiB" for a text that would outgrow a script value. Any number of
// arguments may be given. The run's limits (platform/run_limits.h) are
// checked as the text grows (every 1024 conversions and every MiB).
std::string Format(std::string_view pattern, std::span<const Variant> args,
                   const FormatSettings& settings = CurrentFormatSettings());

}  // namespace orv
