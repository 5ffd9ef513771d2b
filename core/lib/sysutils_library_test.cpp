#include "core/lib/sysutils_library.h"

#include <gtest/gtest.h>

#include "core/lib/date_time.h"
#include "core/lib/library_test_support.h"

namespace orv {
namespace {

using SysUtilsLibraryTest = LibraryTest;

TEST_F(SysUtilsLibraryTest, ConversionRoutines) {
  EXPECT_EQ(Call("inttohex", {Variant(255), Variant(4)}).AsString(), "00FF");
  EXPECT_EQ(Call("IntToStr", {Variant(-12)}).AsString(), "-12");
  EXPECT_EQ(Call("Format", {Variant("%s=%d"), ArrayArg({Variant("n"), Variant(3)})}).AsString(), "n=3");
  EXPECT_EQ(Call("FloatToStr", {Variant(0.1)}).AsString(), "0.1");
  EXPECT_EQ(Call("Trim", {Variant("\t a b \r\n")}).AsString(), "a b");
  EXPECT_EQ(Call("TrimLeft", {Variant("  a ")}).AsString(), "a ");
  EXPECT_EQ(Call("TrimRight", {Variant("  a ")}).AsString(), "  a");
  EXPECT_EQ(Call("AnsiUpperCase", {Variant("abc")}).AsString(), "ABC");
  EXPECT_EQ(Call("AnsiLowerCase", {Variant("ABC")}).AsString(), "abc");
  EXPECT_LT(Call("AnsiCompareStr", {Variant("a"), Variant("b")}).AsInteger(), 0);
  EXPECT_NE(Call("AnsiCompareStr", {Variant("a"), Variant("A")}).AsInteger(), 0);
  EXPECT_EQ(Call("AnsiCompareText", {Variant("abc"), Variant("ABC")}).AsInteger(), 0);
  EXPECT_GT(Call("AnsiCompareText", {Variant("b"), Variant("A")}).AsInteger(), 0);
  EXPECT_EQ(Call("StrToInt", {Variant("$10")}).AsInteger(), 16);
  EXPECT_DOUBLE_EQ(Call("StrToFloat", {Variant("2.5")}).AsReal(), 2.5);
  EXPECT_EQ(Call("FormatFloat", {Variant("0.0"), Variant(2)}).AsString(), "2.0");
}

TEST_F(SysUtilsLibraryTest, ConversionFailuresAreConversionErrors) {
  EXPECT_THROW(Call("StrToInt", {Variant("12x")}), EConvertError);
  EXPECT_THROW(Call("StrToFloat", {Variant("x")}), EConvertError);
  EXPECT_THROW(Call("StrToDate", {Variant("31.02.2024")}), EConvertError);
  EXPECT_THROW(Call("DateToStr", {Variant("nonsense")}), EConvertError);
  EXPECT_THROW(Call("EncodeDate", {Variant(2023), Variant(2), Variant(29)}), EConvertError);
  EXPECT_THROW(Call("Format", {Variant("%d"), ArrayArg({Variant("x")})}), EConvertError);
}

TEST_F(SysUtilsLibraryTest, ValGivesIntegersRealsAndPositions) {
  Call("Val", {Variant("12"), Variant(), Variant()});
  EXPECT_EQ(args_[1].Type(), varInteger);
  EXPECT_EQ(args_[1].AsInteger(), 12);
  EXPECT_EQ(args_[2].AsInteger(), 0);
  Call("Val", {Variant("1.5"), Variant(), Variant()});
  EXPECT_EQ(args_[1].Type(), varDouble);
  EXPECT_DOUBLE_EQ(args_[1].AsReal(), 1.5);
  Call("Val", {Variant("1e3"), Variant(), Variant()});
  EXPECT_EQ(args_[1].Type(), varInteger);
  Call("Val", {Variant("12a"), Variant(99), Variant()});
  EXPECT_EQ(args_[2].AsInteger(), 3);
  EXPECT_EQ(args_[1].Type(), varInteger);
  EXPECT_EQ(args_[1].AsInteger(), 0);
}

TEST_F(SysUtilsLibraryTest, DateRoutines) {
  Variant date = Call("EncodeDate", {Variant(2024), Variant(3), Variant(5)});
  EXPECT_EQ(date.Type(), varDate);
  EXPECT_EQ(Call("DateToStr", {date}).AsString(), "05.03.2024");
  EXPECT_EQ(Call("DateToStr", {Variant("5.3.2024")}).AsString(), "05.03.2024");
  EXPECT_EQ(Call("DateToStr", {Variant(2)}).AsString(), "01.01.1900");
  EXPECT_EQ(Call("StrToDate", {Variant("05.03.2024")}).AsReal(), date.AsReal());
  Call("DecodeDate", {Variant("05.03.2024"), Variant(), Variant(), Variant()});
  EXPECT_EQ(args_[1].AsInteger(), 2024);
  EXPECT_EQ(args_[2].AsInteger(), 3);
  EXPECT_EQ(args_[3].AsInteger(), 5);
  EXPECT_EQ(Call("FormatDateTime", {Variant("yyyy mmm d"), Variant("05.03.2024")}).AsString(), "2024 Mar 5");
  EXPECT_EQ(Call("FormatDateTime", {Variant("hh:nn"), Variant(0.75)}).AsString(), "18:00");
  double now = Call("Now").AsReal();
  double today = Call("Date").AsReal();
  double time = Call("Time").AsReal();
  EXPECT_EQ(today, static_cast<double>(static_cast<long long>(today)));
  EXPECT_GE(time, 0.0);
  EXPECT_LT(time, 1.0);
  EXPECT_NEAR(now, today + time, 1.0);
}

}  // namespace
}  // namespace orv
