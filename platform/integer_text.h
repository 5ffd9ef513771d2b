// Integers written as text, read the way the runtime's text-to-integer
// conversion reads them; shared by the profile reader, the script library and
// the dialogs.
#pragma once

#include <cstdint>
#include <string_view>

namespace orv {

// `text` without the blanks and tabs around it.
std::string_view TrimBlanks(std::string_view text);

// Parses an integer: blanks around it, an optional sign, decimal digits or
// hexadecimal ones after "$" or "0x" (which may spell the whole 32-bit
// pattern); false when `text` is not one or does not fit in 32 bits.
bool TryStrToInt(std::string_view text, int32_t& value);

// As TryStrToInt; raises EConvertError "'<text>' is not a valid integer
// value" when `text` is not an integer.
int32_t StrToInt(std::string_view text);

}  // namespace orv
