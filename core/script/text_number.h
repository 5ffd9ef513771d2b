// Reading and writing numbers, Booleans and dates as text, the way script
// values convert: a decimal point is always '.', whatever the locale.
#pragma once

#include <string>
#include <string_view>

#include "core/script/variant.h"

namespace orv {

// Reads `text` (blanks around it allowed) as a number: an optional sign, then
// decimal digits with an optional fraction and exponent, or '$' and up to 8
// hexadecimal digits. Sets `out` to an Integer when the text has no fraction
// or exponent and fits 32 bits, else to a Double. False when it is no number.
bool ParseTextNumber(std::string_view text, Variant& out);

// The number a text stands for, by ParseTextNumber or as the words True (-1)
// and False (0); EConvertError naming the text and the type `wanted` else.
Variant TextToNumber(std::string_view text, uint16_t wanted);

// Reads "True" or "False" in any case (blanks around allowed).
bool ParseBooleanWord(std::string_view text, bool& out);

// A real in general format with `digits` significant digits (15 for a
// Double, 7 for a Single): "1.5", "0.1", "1E20", "1.5E-7", "INF", "-INF", "NAN".
std::string FormatReal(double value, int digits = 15);

// A day count from 1899-12-30 as "YYYY-MM-DD", plus " hh:mm:ss" when it has a
// time of day; as a plain real outside the years 1..9999.
std::string FormatDate(double days);

// Reads "YYYY-MM-DD" with an optional " hh:mm" or " hh:mm:ss" as a day count.
bool ParseDateText(std::string_view text, double& days);

}  // namespace orv
