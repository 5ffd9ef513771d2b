#include "core/lib/date_time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "platform/exception.h"

namespace orv {
namespace {

FormatSettings German() {
  FormatSettings s;
  s.DateSeparator = '.';
  s.ShortDateFormat = "dd/mm/yyyy";
  s.LongDateFormat = "dddd, d. mmmm yyyy";
  s.LongTimeFormat = "hh:nn:ss";
  s.ShortTimeFormat = "hh:nn";
  return s;
}

FormatSettings American() {
  FormatSettings s;
  s.DateSeparator = '/';
  s.ShortDateFormat = "m/d/yyyy";
  return s;
}

TEST(DateTimeTest, EncodeAndDecodeRoundTrip) {
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
  EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
  EXPECT_EQ(EncodeDate(2000, 2, 29), 36585);
  for (double d : {-693593.0, -1.0, 0.0, 36585.0, 2958465.0}) {
    DateParts p = DecodeDateTime(d);
    EXPECT_EQ(EncodeDate(p.year, p.month, p.day), d);
  }
  DateParts p = DecodeDateTime(36585.75);
  EXPECT_EQ(p.hour, 18);
  EXPECT_EQ(p.day_of_week, 3) << "2000-02-29 was a Tuesday";
  DateParts before = DecodeDateTime(-1.25);
  EXPECT_EQ(before.day, 29);
  EXPECT_EQ(before.hour, 6);
}

TEST(DateTimeTest, InvalidDatesAreConversionErrors) {
  for (auto [y, m, d] : {std::tuple{2001, 2, 29}, {0, 1, 1}, {2000, 13, 1}, {2000, 4, 31}, {10000, 1, 1}}) {
    try {
      EncodeDate(y, m, d);
      FAIL();
    } catch (const EConvertError& e) {
      EXPECT_STREQ(e.what(), "Invalid argument to date encode");
    }
  }
  EXPECT_THROW(DecodeDateTime(1e9), EConvertError);
  EXPECT_THROW(DecodeDateTime(std::nan("")), EConvertError);
  EXPECT_THROW(EncodeTime(24, 0, 0, 0), EConvertError);
}

TEST(DateTimeTest, FormatDateTimePatterns) {
  FormatSettings s = German();
  double value = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 45);
  struct Case {
    const char* pattern;
    const char* text;
  } cases[] = {
      {"yyyy-mm-dd", "2024-03-05"},     {"d/m/yy", "5.3.24"},
      {"hh:nn:ss", "14:07:09"},          {"h:mm", "14:07"},
      {"ddd dddd", "Tue Tuesday"},       {"mmm mmmm", "Mar March"},
      {"ddddd", "05.03.2024"},           {"dddddd", "Tuesday, 5. March 2024"},
      {"c", "05.03.2024 14:07:09"},      {"h:nn am/pm", "2:07 pm"},
      {"h a/p", "2 p"},                  {"hh ampm", "02 PM"},
      {"zzz", "045"},                    {"'day' d \"of\" m", "day 5 of 3"},
      {"t|tt", "14:07|14:07:09"},        {"", "05.03.2024 14:07:09"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatDateTime(c.pattern, value, s), c.text) << c.pattern;
  EXPECT_EQ(FormatDateTime("c", EncodeDate(2024, 3, 5), s), "05.03.2024") << "no time at midnight";
}

TEST(DateTimeTest, SelfReferringSettingsDoNotLoop) {
  FormatSettings s;
  s.ShortDateFormat = "c";
  s.LongTimeFormat = "c";
  EXPECT_NO_THROW(FormatDateTime("c", 1.5, s));
}

TEST(DateTimeTest, StrToDateFollowsTheShortDateOrder) {
  EXPECT_EQ(StrToDate("05.03.2024", German()), EncodeDate(2024, 3, 5));
  EXPECT_EQ(StrToDate(" 3/5/2024 ", American()), EncodeDate(2024, 3, 5));
  FormatSettings iso;
  iso.DateSeparator = '-';
  iso.ShortDateFormat = "yyyy/mm/dd";
  EXPECT_EQ(StrToDate("2024-03-05", iso), EncodeDate(2024, 3, 5));
  double round = EncodeDate(1999, 12, 31);
  EXPECT_EQ(StrToDate(DateToStr(round, German()), German()), round);
  for (const char* bad : {"", "5.3.", "31.02.2024", "a.b.c", "5.3.2024x", "5/3/2024", "99999999999.1.1"}) {
    try {
      StrToDate(bad, German());
      FAIL() << bad;
    } catch (const EConvertError& e) {
      EXPECT_EQ(std::string(e.what()), "'" + std::string(bad) + "' is not a valid date");
    }
  }
}

TEST(DateTimeTest, TwoDigitYearsAndMissingYears) {
  int year = DecodeDateTime(Now()).year;
  DateParts p = DecodeDateTime(StrToDate("1.2", German()));
  EXPECT_EQ(p.year, year);
  EXPECT_EQ(p.month, 2);
  int two = (year + 10) % 100;
  DateParts q = DecodeDateTime(StrToDate("1.1." + std::to_string(two), German()));
  EXPECT_EQ(q.year, year + 10);
}

TEST(DateTimeTest, StrToDateTimeReadsDateTimeOrBoth) {
  FormatSettings s = German();
  EXPECT_DOUBLE_EQ(StrToDateTime("05.03.2024 14:30", s), EncodeDate(2024, 3, 5) + EncodeTime(14, 30, 0, 0));
  EXPECT_DOUBLE_EQ(StrToDateTime("2:30:15 PM", s), EncodeTime(14, 30, 15, 0));
  EXPECT_DOUBLE_EQ(StrToDateTime("05.03.2024", s), EncodeDate(2024, 3, 5));
  EXPECT_THROW(StrToDateTime("25:00", s), EConvertError);
  EXPECT_THROW(StrToDateTime("05.03.2024 x", s), EConvertError);
}

}  // namespace
}  // namespace orv
