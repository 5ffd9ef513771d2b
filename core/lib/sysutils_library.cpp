#include "core/lib/sysutils_library.h"

#include <cmath>

#include "core/lib/binding.h"
#include "core/lib/date_time.h"
#include "core/lib/format.h"
#include "core/lib/locale_text.h"
#include "core/lib/number_format.h"
#include "core/script/host_registry.h"

namespace orv {
namespace {

using A = ArgBlock;
using R = Variant;

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string TrimText(std::string_view s, bool left, bool right) {
  size_t start = 0, end = s.size();
  while (left && start < end && IsBlank(s[start])) ++start;
  while (right && end > start && IsBlank(s[end - 1])) --end;
  return std::string(s.substr(start, end - start));
}

// A date argument: a text is read in the short date format, anything else is
// taken as a day count.
double DateArg(const Variant& value) {
  return value.IsString() ? StrToDate(value.StringView()) : value.AsReal();
}

}  // namespace

void RegisterSysUtilsLibrary() {
  RegisterDirectFunc<2, [](const Variant& value, const Variant& digits, R& r) {
    r = IntToHex(value.AsInteger(), digits.AsInteger());
  }>("IntToHex");
  RegisterDirectFunc<1, [](const Variant& value, R& r) { r = std::to_string(value.AsInteger()); }>("IntToStr");
  RegisterFunc("Format", [](TObject*, const std::string&, A& a, R& r) {
    r = Format(TextArg(a[0]), ConstArrayFromVariant(a[1]));
  }, {pkValue, pkArray});
  RegisterDirectFunc<1, [](const Variant& s, R& r) { r = AnsiUpperCase(TextArg(s)); }>("AnsiUpperCase");
  RegisterDirectFunc<1, [](const Variant& s, R& r) { r = AnsiLowerCase(TextArg(s)); }>("AnsiLowerCase");
  RegisterDirectFunc<1, [](const Variant& x, R& r) { r = FloatToStr(x.AsReal()); }>("FloatToStr");
  RegisterDirectFunc<2, [](const Variant& a, const Variant& b, R& r) {
    r = AnsiCompareStr(TextArg(a), TextArg(b));
  }>("AnsiCompareStr");
  RegisterDirectFunc<2, [](const Variant& a, const Variant& b, R& r) {
    r = AnsiCompareText(TextArg(a), TextArg(b));
  }>("AnsiCompareText");
  RegisterDirectFunc<1, [](const Variant& s, R& r) { r = TrimText(TextArg(s), true, true); }>("Trim");
  RegisterDirectFunc<1, [](const Variant& s, R& r) { r = TrimText(TextArg(s), true, false); }>("TrimLeft");
  RegisterDirectFunc<1, [](const Variant& s, R& r) { r = TrimText(TextArg(s), false, true); }>("TrimRight");
  // V receives an integer when the number has no fractional part (and fits
  // 32 bits), a real otherwise, and the integer 0 when the text is no number.
  RegisterProc("Val", [](TObject*, const std::string&, A& a, R&) {
    ValResult read = ReadValNumber(a[0].AsString());
    if (!read.ok) a[1] = 0;
    else if (read.integral) a[1] = static_cast<int32_t>(read.value);
    else a[1] = read.value;
    a[2] = read.code;
  }, {pkValue, pkVar, pkVar});
  RegisterFunc("Date", [](TObject*, const std::string&, A&, R& r) { r = Variant::Date(std::trunc(Now())); },
               {pkNone});
  RegisterFunc("Time", [](TObject*, const std::string&, A&, R& r) {
    double now = Now();
    r = Variant::Date(now - std::trunc(now));
  }, {pkNone});
  RegisterFunc("Now", [](TObject*, const std::string&, A&, R& r) { r = Variant::Date(Now()); }, {pkNone});
  RegisterFunc("StrToDate", [](TObject*, const std::string&, A& a, R& r) {
    r = Variant::Date(StrToDate(a[0].AsString()));
  }, {pkValue});
  RegisterFunc("DateToStr", [](TObject*, const std::string&, A& a, R& r) { r = DateToStr(DateArg(a[0])); },
               {pkValue});
  RegisterProc("DecodeDate", [](TObject*, const std::string&, A& a, R&) {
    DateParts parts = DecodeDateTime(DateArg(a[0]));
    a[1] = parts.year;
    a[2] = parts.month;
    a[3] = parts.day;
  }, {pkValue, pkVar, pkVar, pkVar});
  RegisterFunc("EncodeDate", [](TObject*, const std::string&, A& a, R& r) {
    r = Variant::Date(EncodeDate(a[0].AsInteger(), a[1].AsInteger(), a[2].AsInteger()));
  }, {pkValue, pkValue, pkValue});
  RegisterFunc("FormatDateTime", [](TObject*, const std::string&, A& a, R& r) {
    a[1] = Variant::Date(DateArg(a[1]));
    r = FormatDateTime(a[0].AsString(), a[1].AsReal());
  }, {pkValue, pkValue});
  RegisterDirectFunc<1, [](const Variant& s, R& r) { r = StrToInt(TextArg(s)); }>("StrToInt");
  RegisterDirectFunc<1, [](const Variant& s, R& r) { r = StrToFloat(TextArg(s)); }>("StrToFloat");
  RegisterDirectFunc<2, [](const Variant& pattern, const Variant& x, R& r) {
    r = FormatFloat(pattern.AsString(), x.AsReal());
  }>("FormatFloat");
}

}  // namespace orv
