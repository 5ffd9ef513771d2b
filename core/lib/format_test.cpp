#include "core/lib/format.h"

#include <gtest/gtest.h>

#include "platform/run_limits.h"

namespace orv {
namespace {

using V = std::vector<Variant>;

FormatSettings Fixed() {
  FormatSettings s;
  s.CurrencyString = "EUR";
  s.CurrencyFormat = 3;
  return s;
}

TEST(FormatTest, Conversions) {
  struct Case {
    const char* pattern;
    V args;
    const char* text;
  } cases[] = {
      {"%d items", {Variant(5)}, "5 items"},
      {"%5d|%-5d|", {Variant(42), Variant(42)}, "   42|42   |"},
      {"%.4d", {Variant(-7)}, "-0007"},
      {"%x %.4X", {Variant(255), Variant(255)}, "FF 00FF"},
      {"%u", {Variant(-1)}, "4294967295"},
      {"%p", {Variant(4096)}, "00001000"},
      {"%s and %s", {Variant("a"), Variant(3)}, "a and 3"},
      {"%.2s", {Variant("abcdef")}, "ab"},
      {"%f", {Variant(3.14159)}, "3.14"},
      {"%.3f", {Variant(2)}, "2.000"},
      {"%e", {Variant(1.5)}, "1.50000000000000E+000"},
      {"%.3e", {Variant(-12345.0)}, "-1.23E+004"},
      {"%g", {Variant(0.5)}, "0.5"},
      {"%n", {Variant(1234567.5)}, "1,234,567.50"},
      {"%m", {Variant(-3.5)}, "-3.50 EUR"},
      {"%1:s %0:s %s", {Variant("a"), Variant("b")}, "b a b"},
      {"%*d", {Variant(4), Variant(7)}, "   7"},
      {"%.*f", {Variant(1), Variant(2.25)}, "2.3"},
      {"100%%", {}, "100%"},
      {"%d", {Variant(2.5)}, "2"},
      {"%s", {Variant(true)}, "True"},
  };
  for (const Case& c : cases) EXPECT_EQ(Format(c.pattern, c.args, Fixed()), c.text) << c.pattern;
}

TEST(FormatTest, BadPatternsAndArgumentsAreConversionErrors) {
  struct Case {
    const char* pattern;
    V args;
    const char* message;
  } cases[] = {
      {"%d", {Variant("abc")}, "Format '%d' invalid or incompatible with argument"},
      {"%k", {Variant(1)}, "Format '%k' invalid or incompatible with argument"},
      {"%", {Variant(1)}, "Format '%' invalid or incompatible with argument"},
      {"%d %d", {Variant(1)}, "No argument for format '%d %d'"},
      {"%5:d", {Variant(1)}, "No argument for format '%5:d'"},
      {"%*d", {Variant("x"), Variant(1)}, "Format '%*d' invalid or incompatible with argument"},
      {"%99999999d", {Variant(1)}, "Format '%99999999d' invalid or incompatible with argument"},
      {"%f", {Variant::Null()}, "Format '%f' invalid or incompatible with argument"},
  };
  for (const Case& c : cases) {
    try {
      Format(c.pattern, c.args, Fixed());
      FAIL() << c.pattern;
    } catch (const EConvertError& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
  }
}

TEST(FormatTest, ManyArgumentsAreAccepted) {
  V args;
  std::string pattern, expected;
  for (int i = 0; i < 60; ++i) {
    args.push_back(Variant(i));
    pattern += "%d,";
    expected += std::to_string(i) + ",";
  }
  EXPECT_EQ(Format(pattern, args, Fixed()), expected);
}

// Past the run's deadline a short pattern still gives its text; a long
// one, or wide conversions that make a long text, end with the time-limit
// error as the text grows.
TEST(FormatTest, LongFormattingEndsAtTheDeadline) {
  const V one = {Variant(7)};
  std::string many;
  for (int i = 0; i < 2000; ++i) many += "%0:d";
  ScriptRunLimits limits(1, 0);
  while (!RunDeadlinePassed()) {
  }
  EXPECT_EQ(Format("%d items", one, Fixed()), "7 items");
  EXPECT_THROW(Format(many, one, Fixed()), ETimeLimit);
  EXPECT_THROW(Format("%0:1000000d%0:1000000d", one, Fixed()), ETimeLimit);
  EXPECT_THROW(Format(std::string(3000, '%'), one, Fixed()), ETimeLimit);
}

}  // namespace
}  // namespace orv
