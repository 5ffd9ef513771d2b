#include "core/script/variant.h"

#include <gtest/gtest.h>

#include <cmath>

#include "components/object.h"
#include "core/script/compiler_error.h"
#include "core/script/object_value.h"
#include "platform/run_limits.h"

namespace orv {
namespace {

TEST(VariantTest, TypeCodesOfEveryKind) {
  EXPECT_EQ(Variant().Type(), 0);
  EXPECT_EQ(Variant::Null().Type(), 1);
  EXPECT_EQ(Variant::Smallint(3).Type(), 2);
  EXPECT_EQ(Variant(3).Type(), 3);
  EXPECT_EQ(Variant::Single(1.5f).Type(), 4);
  EXPECT_EQ(Variant(1.5).Type(), 5);
  EXPECT_EQ(Variant::Date(1.0).Type(), 7);
  EXPECT_EQ(Variant(true).Type(), 11);
  EXPECT_EQ(Variant::Byte(7).Type(), 17);
  EXPECT_EQ(Variant("x").Type(), 256);
  EXPECT_EQ(Variant("").Type(), 256);
  EXPECT_EQ(Variant::Array(2).Type(), 0x200C);
  EXPECT_EQ(sizeof(Variant), 16u);
}

TEST(VariantTest, ConvertsToText) {
  struct Case { Variant value; const char* text; };
  const Case cases[] = {
      {Variant(), ""},
      {Variant::Null(), ""},
      {Variant(-42), "-42"},
      {Variant::Smallint(-7), "-7"},
      {Variant::Byte(200), "200"},
      {Variant(1.5), "1.5"},
      {Variant(0.1), "0.1"},
      {Variant(-0.0), "0"},
      {Variant(1e20), "1E20"},
      {Variant(1.5e-7), "1.5E-7"},
      {Variant(1.0 / 3), "0.333333333333333"},
      {Variant::Single(0.5f), "0.5"},
      {Variant::Single(0.1f), "0.1"},
      {Variant(true), "True"},
      {Variant(false), "False"},
      {Variant("abc"), "abc"},
      {Variant::Date(0), "1899-12-30"},
      {Variant::Date(36526.5), "2000-01-01 12:00:00"},
  };
  for (const Case& c : cases) EXPECT_EQ(c.value.AsString(), c.text) << c.text;
}

// A joined text is a text of its own whatever is empty, and a later append
// to it never shows in the texts it was made from.
TEST(VariantTest, JoinedTexts) {
  const std::string long_text(100, 'z');
  const struct {
    std::string_view first, second;
  } cases[] = {{"", ""}, {"ab", ""}, {"", "cd"}, {"ab", "cd"}, {long_text, "!"}};
  for (const auto& c : cases) {
    const Variant first(c.first);
    Variant joined = Variant::Joined(first.StringView(), c.second);
    EXPECT_EQ(joined.Type(), 256);
    EXPECT_EQ(joined.AsString(), std::string(c.first) + std::string(c.second));
    ApplyBinary(VarOp::Add, joined, Variant("+"));
    EXPECT_EQ(joined.AsString(), std::string(c.first) + std::string(c.second) + "+");
    EXPECT_EQ(first.AsString(), c.first);
  }
}

TEST(VariantTest, ConvertsToInteger) {
  struct Case { Variant value; int32_t number; };
  const Case cases[] = {
      {Variant(), 0},          {Variant(true), -1},       {Variant(false), 0},
      {Variant(2.5), 2},       {Variant(3.5), 4},         {Variant(-2.5), -2},
      {Variant(" 12 "), 12},   {Variant("-3"), -3},       {Variant("1.5"), 2},
      {Variant("$1F"), 31},    {Variant("$FFFFFFFF"), -1}, {Variant("true"), -1},
      {Variant("1e3"), 1000},  {Variant::Byte(255), 255}, {Variant("000000000012"), 12},
  };
  for (const Case& c : cases) EXPECT_EQ(c.value.AsInteger(), c.number) << c.value.AsString();
}

TEST(VariantTest, ConversionFailuresNameTheValue) {
  try {
    Variant("abc").AsInteger();
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "Could not convert the text 'abc' into type (Integer)");
  }
  try {
    Variant::Null().AsReal();
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "Could not convert variant of type (Null) into type (Double)");
  }
  try {
    Variant(3e9).AsInteger();
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "Could not convert 3000000000 of type (Double) into type (Integer): out of range");
  }
  EXPECT_THROW(Variant(std::nan("")).AsInteger(), EConvertError);
  EXPECT_THROW(Variant::Array(1).AsString(), EConvertError);
  EXPECT_THROW(Variant("").AsReal(), EConvertError);
  EXPECT_THROW(Variant("1x").AsBoolean(), EConvertError);
  EXPECT_THROW(Variant("1e999").AsReal(), EConvertError);
}

TEST(VariantTest, ConvertsToBoolean) {
  EXPECT_FALSE(Variant().AsBoolean());
  EXPECT_TRUE(Variant(2).AsBoolean());
  EXPECT_TRUE(Variant(0.5).AsBoolean());
  EXPECT_TRUE(Variant("TRUE").AsBoolean());
  EXPECT_FALSE(Variant("false").AsBoolean());
  EXPECT_TRUE(Variant("0.5").AsBoolean());
  EXPECT_FALSE(Variant("0").AsBoolean());
}

TEST(VariantTest, AsTypeConvertsAndChecksRanges) {
  EXPECT_EQ(Variant("12").AsType(varSmallint).Type(), varSmallint);
  EXPECT_EQ(Variant(1.25).AsType(varSingle).AsReal(), 1.25);
  EXPECT_EQ(Variant(12).AsType(varString).AsString(), "12");
  EXPECT_EQ(Variant("2000-01-01").AsType(varDate).AsReal(), 36526.0);
  EXPECT_EQ(Variant("2000-01-01 06:00").AsType(varDate).AsReal(), 36526.25);
  EXPECT_EQ(Variant(36526).AsType(varDate).Type(), varDate);
  EXPECT_EQ(Variant(5).AsType(varEmpty).Type(), varEmpty);
  EXPECT_THROW(Variant(40000).AsType(varSmallint), EConvertError);
  EXPECT_THROW(Variant(256).AsType(varByte), EConvertError);
  EXPECT_THROW(Variant(1e300).AsType(varSingle), EConvertError);
  EXPECT_THROW(Variant::Null().AsType(varInteger), EConvertError);
  EXPECT_THROW(Variant(1).AsType(varCurrency), EConvertError);
  EXPECT_THROW(Variant("2000-02-30").AsType(varDate), EConvertError);
}

TEST(VariantTest, CopiesShareTextAndArraysCopyOnWrite) {
  Variant a("hello");
  Variant b = a;
  EXPECT_EQ(a.StringView().data(), b.StringView().data());
  Variant c = std::move(b);
  EXPECT_TRUE(b.IsEmpty());
  EXPECT_EQ(c.AsString(), "hello");

  Variant array = Variant::Array(2);
  array.PutElement(1, Variant("x"));
  Variant copy = array;
  copy.PutElement(1, Variant(5));
  EXPECT_EQ(array.Element(1).AsString(), "x");
  EXPECT_EQ(copy.Element(1).AsInteger(), 5);
  array.PutElement(0, array);  // an array stored into itself holds the old copy
  EXPECT_EQ(array.Element(0).Element(1).AsString(), "x");
}

// Writing an element of a shared array copies it, and the copy is weighed
// against the run's memory budget as a new array is: when it does not fit,
// the write fails and both values stay as they were.
TEST(VariantTest, CopyOnWriteOfALargeArrayIsWeighed) {
  Variant array = Variant::Array(200000);
  array.PutElement(0, Variant("first"));
  const Variant shared = array;
  {
    ScriptRunLimits limits(0, 1 << 20);
    EXPECT_THROW(array.PutElement(0, Variant(1)), EOutOfMemory);
  }
  EXPECT_EQ(array.Element(0).AsString(), "first");
  EXPECT_EQ(shared.Element(0).AsString(), "first");
  array.PutElement(0, Variant(1));
  EXPECT_EQ(array.Element(0).AsInteger(), 1);
  EXPECT_EQ(shared.Element(0).AsString(), "first");
}

TEST(VariantTest, ArrayBoundsAndKinds) {
  EXPECT_EQ(Variant::Array(-1).ArrayHigh(), -1);
  EXPECT_EQ(Variant::Array(3).ArrayHigh(), 3);
  EXPECT_TRUE(Variant::Array(3).Element(3).IsEmpty());
  EXPECT_THROW(Variant::Array(-2), EVariantError);
  EXPECT_THROW(Variant::Array(Variant::kMaxArrayHigh + 1), EVariantError);
  Variant array = Variant::Array(1);
  try {
    array.Element(2);
    FAIL();
  } catch (const EVariantError& e) {
    EXPECT_STREQ(e.what(), "Array index 2 out of bounds 0..1");
  }
  EXPECT_THROW(array.PutElement(-1, Variant(1)), EVariantError);
  try {
    Variant(1).ArrayHigh();
    FAIL();
  } catch (const EVariantError& e) {
    EXPECT_STREQ(e.what(), "Variant of type (Integer) is not an array");
  }
}

TEST(VariantTest, DeeplyNestedArraysAreFreedWithoutRecursion) {
  Variant nested = Variant::Array(0);
  for (int i = 0; i < 200000; ++i) {
    Variant outer = Variant::Array(0);
    outer.PutElement(0, std::move(nested));
    nested = std::move(outer);
  }
  nested = Variant();  // must not overflow the stack
  EXPECT_TRUE(nested.IsEmpty());
}

// Assigning a shared value to itself or to another holder of the same
// buffer keeps the value (and the buffer alive); assigning over a shared
// value gives up only that value's share.
TEST(VariantTest, AssigningSharedValues) {
  Variant text("hello");
  const Variant& same_text = text;
  text = same_text;
  EXPECT_EQ(text.AsString(), "hello");
  Variant array = Variant::Array(1);
  array.PutElement(1, Variant("x"));
  const Variant& same_array = array;
  array = same_array;
  EXPECT_EQ(array.Element(1).AsString(), "x");

  Variant other = text;
  other = text;
  text = Variant(1);
  EXPECT_EQ(other.AsString(), "hello");
  other = array;
  EXPECT_EQ(other.Element(1).AsString(), "x");
  array = Variant("y");
  EXPECT_EQ(other.Element(1).AsString(), "x");
  other = Variant(2.5);
  EXPECT_EQ(other.AsReal(), 2.5);
}

// The runner stores numbers and Booleans in place: into a value of the same
// kind by writing the value word alone, into any other after letting go of
// what it held. Either way the result must be the value a fresh one would be.
TEST(VariantTest, ReplacingWithANumberGivesTheValueAFreshOneWouldBe) {
  Variant shared_text("kept"), shared_array = Variant::Array(0);
  shared_array.PutElement(0, Variant("element"));
  const Variant starts[] = {Variant(),          Variant::Null(),   Variant(41),   Variant(-3.25),
                            Variant(true),      Variant(false),    Variant::Smallint(-1), Variant::Date(2.5),
                            Variant::EmptyWithField(9), shared_text, shared_array, Variant(std::string(100, 'x'))};
  const Variant replacements[] = {Variant(-7), Variant(0), Variant(0.5), Variant(-0.0), Variant(true), Variant(false)};
  for (const Variant& start : starts) {
    for (const Variant& wanted : replacements) {
      Variant value = start;
      switch (wanted.Type()) {
        case varInteger: value.Replace(wanted.AsInteger()); break;
        case varDouble: value.Replace(wanted.AsReal()); break;
        default: value.Replace(wanted.AsBoolean()); break;
      }
      SCOPED_TRACE(Variant::TypeName(start.Type()) + " replaced by " + wanted.AsString());
      EXPECT_EQ(value.Type(), wanted.Type());
      EXPECT_EQ(value.ValueField(), wanted.ValueField());
      EXPECT_TRUE(CompareOp(VarCompareOp::Equal, value, wanted));
      EXPECT_EQ(value.AsString(), wanted.AsString());
    }
  }
  EXPECT_EQ(shared_text.AsString(), "kept");
  EXPECT_EQ(shared_array.Element(0).AsString(), "element");
}

TEST(VariantTest, ValueFieldOfEachKind) {
  EXPECT_EQ(Variant::Smallint(0x7FFF).ValueField(), 0x7FFFu);
  EXPECT_EQ(Variant::Byte(200).ValueField(), 200u);
  EXPECT_EQ(Variant(false).ValueField(), 0u);
  EXPECT_EQ(Variant(12345).ValueField(), 12345u);
  EXPECT_EQ(Variant().ValueField(), 0u);
  EXPECT_EQ(Variant(-1).ValueField(), 0xFFFFFFFFu);
  EXPECT_EQ(Variant::Smallint(-1).ValueField(), 0xFFFFFFFFu);
  EXPECT_EQ(Variant(true).ValueField(), 0xFFFFFFFFu);
  EXPECT_EQ(Variant::EmptyWithField(77).ValueField(), 77u);
  EXPECT_EQ(Variant(77.0).ValueField(), 0u);
  EXPECT_EQ(Variant("77").ValueField(), 0u);
}

TEST(ObjectValueTest, ObjectsTravelAsHandles) {
  auto* object = new TObject;
  Variant value = ObjToVariant(object);
  EXPECT_EQ(value.Type(), varEmpty);
  EXPECT_EQ(VariantToObj(value), object);
  EXPECT_EQ(VariantToObj(Variant(static_cast<int32_t>(object->Handle()))), object);
  EXPECT_EQ(RequireObject(value), object);
  EXPECT_TRUE(ObjToVariant(nullptr).IsEmpty());
  EXPECT_EQ(VariantToObj(ObjToVariant(nullptr)), nullptr);
  delete object;
  EXPECT_EQ(VariantToObj(value), nullptr);
  try {
    RequireObject(value);
    FAIL();
  } catch (const ECompilerError& e) {
    EXPECT_STREQ(e.what(), "Object reference is not valid");
  }
  EXPECT_EQ(VariantToObj(Variant("text")), nullptr);
}

}  // namespace
// Text values stop at 256 MiB: joining texts past the bound fails before
// the memory is taken and leaves the left operand as it was.
TEST(VariantTest, TextLongerThanTheBoundIsAnError) {
  const size_t half = Variant::kMaxStringBytes / 2 + 1;
  Variant text{std::string(half, 'x')};
  Variant joined = text;
  try {
    ApplyBinary(VarOp::Add, joined, text);
    ADD_FAILURE() << "no error";
  } catch (const EVariantError& e) {
    EXPECT_STREQ(e.what(), "Text longer than 256 MiB");
  }
  EXPECT_EQ(joined.StringView().size(), half);
}

}  // namespace orv
