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
  RegisterFunc("IntToHex", [](TObject*, const std::string&, A& a, R& r) {
    r = IntToHex(a[0].AsInteger(), a[1].AsInteger());
  }, {pkValue, pkValue});
  RegisterFunc("IntToStr", [](TObject*, const std::string&, A& a, R& r) {
    r = std::to_string(a[0].AsInteger());
  }, {pkValue});
  RegisterFunc("Format", [](TObject*, const std::string&, A& a, R& r) {
    r = Format(TextArg(a[0]), ConstArrayFromVariant(a[1]));
  }, {pkValue, pkArray});
  RegisterFunc("AnsiUpperCase", [](TObject*, const std::string&, A& a, R& r) {
    r = AnsiUpperCase(TextArg(a[0]));
  }, {pkValue});
  RegisterFunc("AnsiLowerCase", [](TObject*, const std::string&, A& a, R& r) {
    r = AnsiLowerCase(TextArg(a[0]));
  }, {pkValue});
  RegisterFunc("FloatToStr", [](TObject*, const std::string&, A& a, R& r) { r = FloatToStr(a[0].AsReal()); },
               {pkValue});
  RegisterFunc("AnsiCompareStr", [](TObject*, const std::string&, A& a, R& r) {
    r = AnsiCompareStr(TextArg(a[0]), TextArg(a[1]));
  }, {pkValue, pkValue});
  RegisterFunc("AnsiCompareText", [](TObject*, const std::string&, A& a, R& r) {
    r = AnsiCompareText(TextArg(a[0]), TextArg(a[1]));
  }, {pkValue, pkValue});
  RegisterFunc("Trim", [](TObject*, const std::string&, A& a, R& r) { r = TrimText(a[0].AsString(), true, true); },
               {pkValue});
  RegisterFunc("TrimLeft", [](TObject*, const std::string&, A& a, R& r) {
    r = TrimText(a[0].AsString(), true, false);
  }, {pkValue});
  RegisterFunc("TrimRight", [](TObject*, const std::string&, A& a, R& r) {
    r = TrimText(a[0].AsString(), false, true);
  }, {pkValue});
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
  RegisterFunc("StrToInt", [](TObject*, const std::string&, A& a, R& r) { r = StrToInt(a[0].AsString()); },
               {pkValue});
  RegisterFunc("StrToFloat", [](TObject*, const std::string&, A& a, R& r) { r = StrToFloat(a[0].AsString()); },
               {pkValue});
  RegisterFunc("FormatFloat", [](TObject*, const std::string&, A& a, R& r) {
    r = FormatFloat(a[0].AsString(), a[1].AsReal());
  }, {pkValue, pkValue});
}

}  // namespace orv
