#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "components/object.h"
#include "core/script/object_value.h"
#include "core/script/variant.h"

namespace orv {
namespace {

enum class Outcome { Value, ConvertError, VariantError };

// One row of the operator table: the result's type code and text, or the
// error class (with its text when given).
struct OpCase {
  VarOp op;
  Variant left;
  Variant right;
  Outcome outcome;
  uint16_t type = 0;
  const char* text = "";
};

OpCase Ok(VarOp op, Variant l, Variant r, uint16_t type, const char* text) {
  return {op, std::move(l), std::move(r), Outcome::Value, type, text};
}
OpCase Fails(VarOp op, Variant l, Variant r, Outcome outcome, const char* text = "") {
  return {op, std::move(l), std::move(r), outcome, 0, text};
}

TEST(VariantOpsTest, OperatorTable) {
  const Variant array = Variant::Array(1);
  const OpCase cases[] = {
      // Add
      Ok(VarOp::Add, Variant(2), Variant(3), varInteger, "5"),
      Ok(VarOp::Add, Variant(INT_MAX), Variant(1), varDouble, "2147483648"),
      Ok(VarOp::Add, Variant(2), Variant(0.5), varDouble, "2.5"),
      Ok(VarOp::Add, Variant("ab"), Variant("cd"), varString, "abcd"),
      Ok(VarOp::Add, Variant("2"), Variant(3), varInteger, "5"),
      Ok(VarOp::Add, Variant(3), Variant("1.5"), varDouble, "4.5"),
      Ok(VarOp::Add, Variant(), Variant("x"), varString, "x"),
      Ok(VarOp::Add, Variant("x"), Variant(), varString, "x"),
      Ok(VarOp::Add, Variant(), Variant(4), varInteger, "4"),
      Ok(VarOp::Add, Variant(), Variant(), varInteger, "0"),
      Ok(VarOp::Add, Variant(true), Variant(true), varInteger, "-2"),
      Ok(VarOp::Add, Variant::Smallint(2), Variant::Byte(3), varInteger, "5"),
      Ok(VarOp::Add, Variant::Single(0.5f), Variant(1), varDouble, "1.5"),
      Ok(VarOp::Add, Variant::Date(1), Variant(1), varDate, "1900-01-01"),
      Ok(VarOp::Add, Variant(1), Variant::Date(1), varDate, "1900-01-01"),
      Ok(VarOp::Add, Variant::Null(), Variant(1), varNull, ""),
      Ok(VarOp::Add, Variant("x"), Variant::Null(), varNull, ""),
      Fails(VarOp::Add, Variant("ab"), Variant(1), Outcome::ConvertError,
            "Could not convert the text 'ab' into type (Double)"),
      Fails(VarOp::Add, Variant(""), Variant(1), Outcome::ConvertError),
      Fails(VarOp::Add, array, Variant(1), Outcome::VariantError,
            "Invalid variant operation: (Array) + (Integer)"),
      Fails(VarOp::Add, Variant::Null(), array, Outcome::VariantError),
      // Sub, Mul
      Ok(VarOp::Sub, Variant(2), Variant(5), varInteger, "-3"),
      Ok(VarOp::Sub, Variant(INT_MIN), Variant(1), varDouble, "-2147483649"),
      Ok(VarOp::Sub, Variant("5"), Variant("2"), varInteger, "3"),
      Ok(VarOp::Sub, Variant::Date(3), Variant::Date(1), varDouble, "2"),
      Ok(VarOp::Sub, Variant::Date(3), Variant(1), varDate, "1900-01-01"),
      Ok(VarOp::Mul, Variant(6), Variant(7), varInteger, "42"),
      Ok(VarOp::Mul, Variant(65536), Variant(65536), varDouble, "4294967296"),
      Ok(VarOp::Mul, Variant(1.5), Variant("2"), varDouble, "3"),
      Fails(VarOp::Mul, Variant("a"), Variant("b"), Outcome::ConvertError),
      // Divide
      Ok(VarOp::Divide, Variant(7), Variant(2), varDouble, "3.5"),
      Ok(VarOp::Divide, Variant(6), Variant(3), varDouble, "2"),
      Ok(VarOp::Divide, Variant("1"), Variant(4), varDouble, "0.25"),
      Fails(VarOp::Divide, Variant(1), Variant(0), Outcome::VariantError, "Division by zero"),
      Fails(VarOp::Divide, Variant(1.0), Variant(0.0), Outcome::VariantError, "Division by zero"),
      Fails(VarOp::Divide, Variant(1), Variant(), Outcome::VariantError, "Division by zero"),
      // IntDiv, Mod
      Ok(VarOp::IntDiv, Variant(7), Variant(2), varInteger, "3"),
      Ok(VarOp::IntDiv, Variant(-7), Variant(2), varInteger, "-3"),
      Ok(VarOp::IntDiv, Variant(7.6), Variant(2), varInteger, "4"),
      Ok(VarOp::IntDiv, Variant(INT_MIN), Variant(-1), varDouble, "2147483648"),
      Ok(VarOp::Mod, Variant(7), Variant(3), varInteger, "1"),
      Ok(VarOp::Mod, Variant(-7), Variant(3), varInteger, "-1"),
      Ok(VarOp::Mod, Variant(INT_MIN), Variant(-1), varInteger, "0"),
      Ok(VarOp::Mod, Variant("9"), Variant("4"), varInteger, "1"),
      Fails(VarOp::IntDiv, Variant(1), Variant(0), Outcome::VariantError, "Division by zero"),
      Fails(VarOp::Mod, Variant(1), Variant(0.2), Outcome::VariantError, "Division by zero"),
      Fails(VarOp::Mod, Variant(1e12), Variant(3), Outcome::ConvertError),
      // Shifts
      Ok(VarOp::Shl, Variant(1), Variant(4), varInteger, "16"),
      Ok(VarOp::Shl, Variant(1), Variant(31), varInteger, "-2147483648"),
      Ok(VarOp::Shl, Variant(1), Variant(32), varInteger, "1"),
      Ok(VarOp::Shr, Variant(-1), Variant(28), varInteger, "15"),
      Ok(VarOp::Shr, Variant(256), Variant(-4), varInteger, "0"),
      // And, Or, Xor
      Ok(VarOp::And, Variant(true), Variant(false), varBoolean, "False"),
      Ok(VarOp::Or, Variant(true), Variant(false), varBoolean, "True"),
      Ok(VarOp::Xor, Variant(true), Variant(true), varBoolean, "False"),
      Ok(VarOp::And, Variant(12), Variant(10), varInteger, "8"),
      Ok(VarOp::Or, Variant(12), Variant(10), varInteger, "14"),
      Ok(VarOp::Xor, Variant(12), Variant(10), varInteger, "6"),
      Ok(VarOp::And, Variant(true), Variant(6), varInteger, "6"),
      Ok(VarOp::Or, Variant("1"), Variant(2), varInteger, "3"),
      Ok(VarOp::And, Variant::Null(), Variant(true), varNull, ""),
      Fails(VarOp::Xor, Variant("yes"), Variant(true), Outcome::ConvertError),
      Fails(VarOp::Or, array, array, Outcome::VariantError),
  };
  for (const OpCase& c : cases) {
    std::string label = std::string(Variant::TypeName(c.left.Type())) + " op" +
                        std::to_string(static_cast<int>(c.op)) + " " +
                        Variant::TypeName(c.right.Type()) + " -> " + c.text;
    Variant left = c.left;
    switch (c.outcome) {
      case Outcome::Value: {
        Variant pure = BinaryOp(c.op, c.left, c.right);
        ApplyBinary(c.op, left, c.right);
        EXPECT_EQ(left.Type(), c.type) << label;
        EXPECT_EQ(left.AsString(), c.text) << label;
        EXPECT_EQ(pure.Type(), c.type) << label;
        EXPECT_EQ(pure.AsString(), c.text) << label;
        break;
      }
      case Outcome::ConvertError:
        try {
          ApplyBinary(c.op, left, c.right);
          ADD_FAILURE() << label;
        } catch (const EConvertError& e) {
          if (*c.text) {
            EXPECT_STREQ(e.what(), c.text) << label;
          }
        }
        break;
      case Outcome::VariantError:
        try {
          ApplyBinary(c.op, left, c.right);
          ADD_FAILURE() << label;
        } catch (const EVariantError& e) {
          if (*c.text) {
            EXPECT_STREQ(e.what(), c.text) << label;
          }
        }
        break;
    }
    if (c.outcome != Outcome::Value) {
      EXPECT_EQ(left.Type(), c.left.Type()) << "a failed operation leaves its operand: " << label;
    }
  }
}

TEST(VariantOpsTest, StringAppendInPlaceKeepsSharedCopies) {
  Variant s("ab");
  Variant shared = s;
  ApplyBinary(VarOp::Add, s, Variant("cd"));
  EXPECT_EQ(s.AsString(), "abcd");
  EXPECT_EQ(shared.AsString(), "ab");
  for (int i = 0; i < 100; ++i) ApplyBinary(VarOp::Add, s, Variant("x"));
  EXPECT_EQ(s.AsString().size(), 104u);
  ApplyBinary(VarOp::Add, s, s);  // the right operand is the left one
  EXPECT_EQ(s.AsString().size(), 208u);
  EXPECT_EQ(s.AsString().substr(100, 8), "xxxxabcd");
}

TEST(VariantOpsTest, NegationAndNot) {
  struct Case { Variant value; bool negate; uint16_t type; const char* text; };
  const Case cases[] = {
      {Variant(5), true, varInteger, "-5"},
      {Variant(INT_MIN), true, varDouble, "2147483648"},
      {Variant(1.5), true, varDouble, "-1.5"},
      {Variant::Single(2), true, varSingle, "-2"},
      {Variant::Date(2), true, varDate, "1899-12-28"},
      {Variant(true), true, varInteger, "1"},
      {Variant("3"), true, varInteger, "-3"},
      {Variant(), true, varInteger, "0"},
      {Variant::Null(), true, varNull, ""},
      {Variant(true), false, varBoolean, "False"},
      {Variant("false"), false, varBoolean, "True"},
      {Variant(0), false, varInteger, "-1"},
      {Variant(5), false, varInteger, "-6"},
      {Variant(2.6), false, varInteger, "-4"},
      {Variant::Null(), false, varNull, ""},
  };
  for (const Case& c : cases) {
    Variant v = c.value;
    if (c.negate) {
      ApplyNeg(v);
    } else {
      ApplyNot(v);
    }
    EXPECT_EQ(v.Type(), c.type) << c.text;
    EXPECT_EQ(v.AsString(), c.text) << c.text;
  }
  Variant array = Variant::Array(0);
  EXPECT_THROW(ApplyNeg(array), EVariantError);
  EXPECT_THROW(ApplyNot(array), EVariantError);
  Variant word("abc");
  EXPECT_THROW(ApplyNot(word), EConvertError);
}

TEST(VariantOpsTest, MagnitudeComparisons) {
  struct Case { Variant left; Variant right; VarOrder order; };
  const Case cases[] = {
      {Variant(1), Variant(2), VarOrder::Less},
      {Variant(2), Variant(1.5), VarOrder::Greater},
      {Variant(1), Variant(1.0), VarOrder::Equal},
      {Variant("abc"), Variant("abd"), VarOrder::Less},
      {Variant("B"), Variant("a"), VarOrder::Less},  // byte order, case-sensitive
      {Variant("10"), Variant(9), VarOrder::Greater},
      {Variant(false), Variant(true), VarOrder::Less},
      {Variant("True"), Variant(true), VarOrder::Equal},
      {Variant(true), Variant(-1), VarOrder::Equal},
      {Variant(), Variant(0), VarOrder::Equal},
      {Variant(), Variant(""), VarOrder::Equal},
      {Variant(), Variant(false), VarOrder::Equal},
      {Variant(), Variant(-1), VarOrder::Greater},
      {Variant::Null(), Variant::Null(), VarOrder::Equal},
      {Variant::Null(), Variant(-5), VarOrder::Less},
      {Variant(""), Variant::Null(), VarOrder::Greater},
      {Variant(std::nan("")), Variant(1), VarOrder::Unordered},
      {Variant::Date(2), Variant(2), VarOrder::Equal},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Compare(c.left, c.right), c.order) << c.left.AsString() << " vs " << c.right.AsString();
  }
  EXPECT_THROW(Compare(Variant("abc"), Variant(1)), EConvertError);
  EXPECT_THROW(Compare(Variant::Array(0), Variant::Array(0)), EVariantError);
}

TEST(VariantOpsTest, EqualityComparesTypeCodesFirst) {
  EXPECT_TRUE(CompareOp(VarCompareOp::Equal, Variant(1), Variant(1)));
  EXPECT_FALSE(CompareOp(VarCompareOp::Equal, Variant(1), Variant(1.0)));
  EXPECT_FALSE(CompareOp(VarCompareOp::Equal, Variant::Smallint(1), Variant(1)));
  EXPECT_FALSE(CompareOp(VarCompareOp::Equal, Variant("1"), Variant(1)));
  EXPECT_FALSE(CompareOp(VarCompareOp::Equal, Variant("abc"), Variant(1)));  // no conversion error
  EXPECT_TRUE(CompareOp(VarCompareOp::NotEqual, Variant(1), Variant(1.0)));
  EXPECT_TRUE(CompareOp(VarCompareOp::Equal, Variant("a"), Variant("a")));
  EXPECT_TRUE(CompareOp(VarCompareOp::Equal, Variant(), Variant()));
  EXPECT_TRUE(CompareOp(VarCompareOp::Equal, Variant::Null(), Variant::Null()));
  EXPECT_FALSE(CompareOp(VarCompareOp::Equal, Variant(std::nan("")), Variant(std::nan(""))));

  TObject a, b;
  EXPECT_FALSE(CompareOp(VarCompareOp::Equal, ObjToVariant(&a), ObjToVariant(&b)));
  EXPECT_TRUE(CompareOp(VarCompareOp::Equal, ObjToVariant(&a), ObjToVariant(&a)));
  EXPECT_FALSE(CompareOp(VarCompareOp::Equal, ObjToVariant(&a), Variant()));
}

TEST(VariantOpsTest, OrderingOperators) {
  struct Case { VarCompareOp op; Variant left; Variant right; bool result; };
  const Case cases[] = {
      {VarCompareOp::Less, Variant(1), Variant(2), true},
      {VarCompareOp::LessEq, Variant(2), Variant(2.0), true},
      {VarCompareOp::Greater, Variant("b"), Variant("a"), true},
      {VarCompareOp::GreaterEq, Variant(1), Variant(1.0), true},
      {VarCompareOp::GreaterEq, Variant(0), Variant(1), false},
      {VarCompareOp::Less, Variant(std::nan("")), Variant(1), false},
      {VarCompareOp::GreaterEq, Variant(std::nan("")), Variant(1), false},
      {VarCompareOp::LessEq, Variant::Null(), Variant(0), true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CompareOp(c.op, c.left, c.right), c.result) << static_cast<int>(c.op);
  }
}

TEST(VariantOpsTest, ConditionIsFalse) {
  EXPECT_TRUE(IsFalse(Variant(false)));
  EXPECT_TRUE(IsFalse(Variant()));
  EXPECT_TRUE(IsFalse(Variant(0)));
  EXPECT_TRUE(IsFalse(Variant(0.0)));
  EXPECT_TRUE(IsFalse(Variant("False")));
  EXPECT_TRUE(IsFalse(Variant("0")));
  EXPECT_FALSE(IsFalse(Variant(true)));
  EXPECT_FALSE(IsFalse(Variant(5)));
  EXPECT_FALSE(IsFalse(Variant(-1)));
  EXPECT_FALSE(IsFalse(Variant("true")));
  EXPECT_FALSE(IsFalse(Variant::Null()));
  EXPECT_THROW(IsFalse(Variant("maybe")), EConvertError);
  EXPECT_THROW(IsFalse(Variant::Array(0)), EVariantError);
}

}  // namespace
}  // namespace orv
