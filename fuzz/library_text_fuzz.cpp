// Fuzzes the script library's readers and pattern writers of outside text:
// Format, FormatFloat and FormatDateTime patterns, StrToDate(Time),
// StrToInt, StrToFloat, Val, and string-list comma text and text. The first
// byte picks the reader; for the pattern writers the text up to the first
// line break is the pattern and the rest the value. Errors of the system's
// own classes are expected; anything else (a crash, another exception) is a
// fault.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "components/string_list.h"
#include "core/lib/date_time.h"
#include "core/lib/format.h"
#include "core/lib/number_format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
  size_t cut = text.find('\n');
  std::string pattern = text.substr(0, cut);
  std::string rest = cut == std::string::npos ? std::string() : text.substr(cut + 1);
  orv::FormatSettings settings;
  settings.DateSeparator = '.';
  settings.ShortDateFormat = "dd/mm/yyyy";
  double number = static_cast<double>(rest.size()) * 37.25 - 1000.0;
  try {
    switch (data[0] % 8) {
      case 0: {
        const orv::Variant args[] = {orv::Variant(static_cast<int32_t>(size)), orv::Variant(number),
                                     orv::Variant(rest), orv::Variant(true)};
        orv::Format(pattern, args, settings);
        break;
      }
      case 1: orv::FormatFloat(pattern, number, settings); break;
      case 2: orv::FormatDateTime(pattern, number + 45000.5, settings); break;
      case 3: orv::StrToDate(text, settings); break;
      case 4: orv::StrToDateTime(text, settings); break;
      case 5:
        orv::ReadValNumber(text);
        orv::StrToInt(text);
        break;
      case 6: orv::StrToFloat(text, settings); break;
      default: {
        orv::TStringList list;
        list.SetCommaText(text);
        orv::TStringList back;
        back.SetCommaText(list.CommaText());
        if (!back.Equals(list)) __builtin_trap();
        list.SetText(text);
        break;
      }
    }
  } catch (const orv::Exception&) {
  }
  return 0;
}
