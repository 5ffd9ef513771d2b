#include "core/script/decoder.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "core/script/handlers.h"
#include "core/script/vm_test_support.h"

namespace orv {
namespace {

using vmtest::VmTest;

TEST(Decoder, InstructionTableGivesEveryCodeOneHandler) {
  std::set<std::string_view> names;
  for (int32_t code = -1; code <= kOpCodeLimit; ++code) {
    const TOpInfo* info = FindOpInfo(code);
    const int32_t h = handler::ForOpCode(code);
    if (info == nullptr) {
      EXPECT_EQ(h, handler::kFaultInvalidOp) << code;
      continue;
    }
    EXPECT_EQ(handler::Name(h), info->name) << code;
    EXPECT_FALSE(info->meaning.empty()) << info->name;
    EXPECT_TRUE(names.insert(info->name).second) << info->name;
    // An immediate form exists only where C is a value, and a form with
    // the constant first only where B and C are.
    if (handler::ImmediateForm(code) >= 0) {
      EXPECT_EQ(info->c, TOperand::kValue) << info->name;
    }
    if (handler::LeadingImmediateForm(code) >= 0 || handler::LeadingRealForm(code) >= 0) {
      EXPECT_EQ(info->b, TOperand::kValue) << info->name;
      EXPECT_EQ(info->c, TOperand::kValue) << info->name;
    }
  }
  EXPECT_EQ(FindOpInfo(opData), nullptr);
  EXPECT_EQ(names.size(), static_cast<size_t>(kOpCodeLimit));
  EXPECT_EQ(handler::Name(handler::ImmediateForm(opMod)), "kModI");
  EXPECT_EQ(handler::ImmediateForm(opDivide), -1);
  EXPECT_EQ(handler::Name(handler::RealForm(opDivide)), "kDivideR");
  EXPECT_EQ(handler::RealForm(opMod), -1);
  EXPECT_EQ(handler::Name(handler::LeadingImmediateForm(opSub)), "kISub");
  EXPECT_EQ(handler::LeadingImmediateForm(opDivide), -1);
  EXPECT_EQ(handler::Name(handler::LeadingRealForm(opDivide)), "kRDivide");
  EXPECT_EQ(handler::LeadingRealForm(opLess), -1);
  EXPECT_STREQ(handler::FaultText(handler::kFaultSlot), "Invalid variable slot in program");
}

// The handlers the decoder chose for the program compiled from `source`,
// one name per instruction (data words and the guard after the last one
// left out).
std::vector<std::string> Handlers(const std::string& source) {
  std::string image;
  TKelCompiler compiler(source, image);
  compiler.Compile();
  TProgram program(image);
  std::vector<std::string> names;
  for (size_t i = 0; i + 1 < program.Decoded().size(); ++i)
    if (program.Code[i].Op != opData) names.emplace_back(handler::Name(program.Decoded()[i].Handler));
  return names;
}

using Names = std::vector<std::string>;

// Integer constants in the last operand select the immediate forms, in
// arithmetic, comparisons, conditional jumps and for loops, and real
// constants the real forms of real arithmetic, as do constants written
// first in + - * and /; other constants are read from their registers.
TEST_F(VmTest, ConstantsSelectConstantForms) {
  const struct {
    const char* source;
    Names handlers;
  } cases[] = {
      {"var i, s: integer; begin for i := 1 to 3000000 do s := (s + i * 3) mod 1000003 end.",
       {"opGoto", "opMove", "kJumpUnlessLessEqI", "kMulI", "opAdd", "kModI", "kForLoopUpI", "opStop"}},
      {"var i, n, s: integer; begin for i := n downto 1 do s := s - i div 4 end.",
       {"opGoto", "opMove", "kJumpUnlessGreaterEqI", "kIntDivI", "opSub", "kForLoopDownI", "opStop"}},
      {"var x: integer; begin x := 1 - x; x := x + 1.5; x := x * 'a'; x := x > 2; x := x div -3 end.",
       {"opGoto", "kISub", "kAddR", "opMul", "kGreaterI", "kIntDivI", "opStop"}},
      // div and mod by 0, 1 and -1 read the divisor from its register.
      {"var x: integer; begin x := x div 0; x := x mod 1; x := x div -1; x := x mod 2 end.",
       {"opGoto", "opIntDiv", "opMod", "opIntDiv", "kModI", "opStop"}},
      {"var x: integer; begin x := x / 2.5; x := x - 0.5 * x; x := x < 1.5 end.",
       {"opGoto", "kDivideR", "kRMul", "opSub", "opLess", "opStop"}},
      // `/` by a power of two, an integer or a real whose reciprocal is a
      // normal real, multiplies by the reciprocal
      {"var x: integer; begin x := x / 2; x := x / -4.0; x := x / 0.25; x := x / 3; x := x / 0; x := x / 0.0;\n"
       "x := x / 3.0; x := x / 'a'; x := x / 1073741824 end.",
       {"opGoto", "kDividePow2I", "kDividePow2R", "kDividePow2R", "opDivide", "opDivide", "kDivideR", "kDivideR",
        "opDivide", "kDividePow2I", "opStop"}},
      // a constant written first has forms of its own for + - * (and / of a
      // real); other operators read it from its register
      {"var x: integer; begin x := 2 * x + 1; x := 0.5 / x; x := 3 div x; x := 1 < x end.",
       {"opGoto", "kIMul", "kAddI", "kRDivide", "opIntDiv", "opLess", "opStop"}},
      {"var x: integer; begin x := 1.5 + x; x := 2.5 - x; x := 7 + x; x := 'a' + x; x := 2 / x end.",
       {"opGoto", "kRAdd", "kRSub", "kIAdd", "opAdd", "opDivide", "opStop"}},
      // bit operations with an integer constant last; a real or a text
      // constant is read from its register
      {"var x: integer; begin x := x shl 3; x := x shr 1; x := x and 255; x := x or 1; x := x xor -1;\n"
       "x := x and 'a'; x := 2 and x end.",
       {"opGoto", "kShlI", "kShrI", "kAndI", "kOrI", "kXorI", "opAnd", "opAnd", "opStop"}},
      {"var x: integer; begin while x <> 10 do x := x + 1 end.",
       {"opGoto", "kJumpIfNotEqualI", "opGoto", "kAddI", "kJumpIfNotEqualI", "opStop"}},
      {"var x: integer; begin if x <> 10 then x := x + 1 end.", {"opGoto", "kJumpUnlessNotEqualI", "kAddI", "opStop"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Handlers(c.source), c.handlers) << c.source;
}

// A host call that takes a temporary runs the taking handler; one that
// passes only variables and constants runs the plain one.
TEST_F(VmTest, CallsThatTakeTemporariesHaveTheirOwnHandler) {
  EXPECT_EQ(Handlers("var x, y: integer; begin y := TADD(x, 1) end."), (Names{"opGoto", "opCall", "opStop"}));
  EXPECT_EQ(Handlers("var x, y: integer; begin y := TADD(1, x * 2) end."),
            (Names{"opGoto", "kMulI", "kCallTaking", "opStop"}));
}

}  // namespace
}  // namespace orv
