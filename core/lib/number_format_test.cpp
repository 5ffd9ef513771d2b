#include "core/lib/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "platform/exception.h"

namespace orv {
namespace {

FormatSettings Fixed() {
  FormatSettings s;
  s.DecimalSeparator = '.';
  s.ThousandSeparator = ',';
  return s;
}

TEST(NumberFormatTest, FloatToStrUsesFifteenDigitsAndSwitchesToScientific) {
  struct Case {
    double value;
    const char* text;
  } cases[] = {
      {0, "0"},          {1, "1"},         {-1.5, "-1.5"},           {0.1 + 0.2, "0.3"},
      {1.0 / 3, "0.333333333333333"},      {123456789012345.0, "123456789012345"},
      {1234567890123456.0, "1.23456789012346E15"}, {1e20, "1E20"},   {0.0001, "0.0001"},
      {0.00001, "0.00001"}, {1.5e-6, "1.5E-6"}, {-2.5e-7, "-2.5E-7"}, {100, "100"},
  };
  for (const Case& c : cases) EXPECT_EQ(FloatToStr(c.value, Fixed()), c.text) << c.value;
  EXPECT_EQ(FloatToStr(std::nan(""), Fixed()), "NAN");
  EXPECT_EQ(FloatToStr(-std::numeric_limits<double>::infinity(), Fixed()), "-INF");
  FormatSettings comma = Fixed();
  comma.DecimalSeparator = ',';
  EXPECT_EQ(FloatToStr(2.5, comma), "2,5");
}

TEST(NumberFormatTest, FormatFloatPatterns) {
  struct Case {
    const char* pattern;
    double value;
    const char* text;
  } cases[] = {
      {"0.00", 3.14159, "3.14"},
      {"#,##0.00", 1234567.891, "1,234,567.89"},
      {"#,##0", -1234, "-1,234"},
      {"0000", 42, "0042"},
      {"#.##", 0.5, ".5"},
      {"0.##", 1, "1"},
      {"0.##", 1.257, "1.26"},
      {"#", 0, ""},
      {"0.00E+00", 1234, "1.23E+03"},
      {"0.0e-0", 0.00125, "1.3e-3"},
      {"00.0E+0", 1234, "12.3E+2"},
      {"0.00;(0.00)", -5, "(5.00)"},
      {"0.00;(0.00);zero", 0, "zero"},
      {"0.0;;'nothing'", 0.01, "nothing"},
      {"'$'#,##0.00' net'", 1500, "$1,500.00 net"},
      {"\"x\"0", 7, "x7"},
      {"0", 2.5, "3"},
      {"", 0.5, "0.5"},
      {".00", 5.5, "5.50"},
      {"0.0", 2.25, "2.3"},
      {"0.00", 2.675, "2.68"},
      {"0", 0.5, "1"},
      {"0", 0.4, "0"},
      {"0.0", 9.96, "10.0"},
      {"#,##0", 999999.5, "1,000,000"},
      {"0.000", 1e-10, "0.000"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatFloat(c.pattern, c.value, Fixed()), c.text) << c.pattern;
}

// Placeholders after a scientific exponent have no digits left to write: the
// text holds exactly the mantissa, the exponent and the literals, however many
// placeholders follow (the integer digits were once read past their end).
TEST(NumberFormatTest, FormatFloatPlaceholdersAfterTheExponentWriteNothing) {
  struct Case {
    std::string pattern;
    double value;
    const char* text;
  } cases[] = {
      {"0E+0x#", 1000, "1E+3x"},
      {"0E+0x0", 1000, "1E+3x"},
      {"00E+00'u'00.00", 1234, "12E+02u"},
      {"##################E+0x" + std::string(200, '#'), 1000, "100000000000000000E-14x"},
      {"#.##E+0 #.##", 1.5, "1.5E+0 ."},
      {"0.0E+0;0.0E+0 ##", -25, "2.5E+1 "},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatFloat(c.pattern, c.value, Fixed()), c.text) << c.pattern;
  std::string huge = "0E+0x" + std::string(5'000'000, '#');
  EXPECT_EQ(FormatFloat(huge, 7, Fixed()), "7E+0x");
}

TEST(NumberFormatTest, DefaultRealNotation) {
  EXPECT_EQ(DefaultRealNotation(5), " 5.00000000000000E+0000");
  EXPECT_EQ(DefaultRealNotation(-0.00123), "-1.23000000000000E-0003");
  EXPECT_EQ(DefaultRealNotation(0), " 0.00000000000000E+0000");
  EXPECT_EQ(DefaultRealNotation(1e300), " 1.00000000000000E+0300");
}

TEST(NumberFormatTest, ValReaderReportsTheFailingPosition) {
  struct Case {
    const char* text;
    bool ok;
    bool integral;
    double value;
    int code;
  } cases[] = {
      {"12", true, true, 12, 0},        {"1.5", true, false, 1.5, 0},  {"1e3", true, true, 1000, 0},
      {"  -7", true, true, -7, 0},      {"12a", false, false, 0, 3},   {"", false, false, 0, 1},
      {"abc", false, false, 0, 1},      {"-", false, false, 0, 2},     {"1e", false, false, 0, 3},
      {"12 ", false, false, 0, 3},      {"1e10", true, false, 1e10, 0}, {".5", true, false, 0.5, 0},
      {"1.", true, true, 1, 0},
  };
  for (const Case& c : cases) {
    ValResult r = ReadValNumber(c.text);
    EXPECT_EQ(r.ok, c.ok) << c.text;
    EXPECT_EQ(r.code, c.code) << c.text;
    if (c.ok) {
      EXPECT_EQ(r.integral, c.integral) << c.text;
      EXPECT_DOUBLE_EQ(r.value, c.value) << c.text;
    }
  }
}

TEST(NumberFormatTest, StrToIntReadsDecimalAndHex) {
  EXPECT_EQ(StrToInt("42"), 42);
  EXPECT_EQ(StrToInt(" -17 "), -17);
  EXPECT_EQ(StrToInt("$FF"), 255);
  EXPECT_EQ(StrToInt("0x1f"), 31);
  EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
  EXPECT_EQ(StrToInt("-2147483648"), std::numeric_limits<int32_t>::min());
  for (const char* bad : {"", "abc", "12a", "2147483648", "$", "$1FFFFFFFF", "1.5", "- 1"}) {
    try {
      StrToInt(bad);
      FAIL() << bad;
    } catch (const EConvertError& e) {
      EXPECT_EQ(std::string(e.what()), "'" + std::string(bad) + "' is not a valid integer value");
    }
  }
}

TEST(NumberFormatTest, StrToFloatUsesTheDecimalSeparator) {
  FormatSettings comma = Fixed();
  comma.DecimalSeparator = ',';
  EXPECT_DOUBLE_EQ(StrToFloat(" 2.5 ", Fixed()), 2.5);
  EXPECT_DOUBLE_EQ(StrToFloat("2,5", comma), 2.5);
  EXPECT_DOUBLE_EQ(StrToFloat("-1e-2", Fixed()), -0.01);
  try {
    StrToFloat("2.5", comma);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'2.5' is not a valid floating point value");
  }
  EXPECT_THROW(StrToFloat("", Fixed()), EConvertError);
}

TEST(NumberFormatTest, IntToHex) {
  EXPECT_EQ(IntToHex(255, 4), "00FF");
  EXPECT_EQ(IntToHex(255, 0), "FF");
  EXPECT_EQ(IntToHex(-1, 2), "FFFFFFFF");
  EXPECT_EQ(IntToHex(1, 100).size(), 32u);
}

}  // namespace
}  // namespace orv
