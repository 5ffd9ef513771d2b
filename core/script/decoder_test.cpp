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
  }
  EXPECT_EQ(FindOpInfo(opData), nullptr);
  EXPECT_EQ(names.size(), 35u);
  // A fused handler starts with a plain instruction's handler; the others
  // start with themselves.
  for (int32_t h = 0; h < handler::kHandlerLimit; ++h) {
    const int32_t first = handler::First(h);
    EXPECT_TRUE(first == h || first < handler::kFaultInvalidOp) << handler::Name(h);
  }
  EXPECT_EQ(handler::Name(handler::First(handler::kForStepUp)), "opInc");
  EXPECT_EQ(handler::Name(handler::kModThenConstArithMoveAdd), "kModThenConstArithMoveAdd");
  EXPECT_STREQ(handler::FaultText(handler::kFaultSlot), "Invalid variable slot in program");
}

// The handlers the decoder chose for the program compiled from `source`,
// one name per instruction (the guard after the last one left out).
std::vector<std::string> Handlers(const std::string& source) {
  std::string image;
  TKelCompiler compiler(source, image);
  compiler.Compile();
  TProgram program(image);
  std::vector<std::string> names;
  for (size_t i = 0; i + 1 < program.Decoded().size(); ++i)
    names.emplace_back(handler::Name(program.Decoded()[i].Handler));
  return names;
}

using Names = std::vector<std::string>;

// The statement shapes that loops are made of run as fused handlers; a
// change to the compiler's output or the decoder's patterns that loses one
// shows here, not only as a slower benchmark.
TEST_F(VmTest, CommonStatementShapesAreFused) {
  const struct {
    const char* source;
    Names handlers;
  } cases[] = {
      // A counting for loop: the body's statement as one handler, and the
      // end of the round.
      {"var i, s: integer; begin for i := 1 to 9 do s := (s + i * 3) mod 7 end.",
       {"opGoto", "kLoadConstThenMove", "opMove", "kLoadConstThenMove", "kMoveThenLessEqJump", "kLessEqJump",
        "opJumpIfFalse", "kChainAddThenConstArithMod", "kMoveConstArithMul", "kLoadConstThenMul", "opMul",
        "kAddThenConstArithMoveMod", "kConstArithMoveMod", "opMod", "opMove", "kForStepUp", "opGoto", "opStop"}},
      // downto, and a variable limit.
      {"var i, n, s: integer; begin for i := n downto 1 do s := s - i end.",
       {"opGoto", "kMoveThenMove", "opMove", "kLoadConstThenMove", "kMoveThenGreaterEqJump", "kGreaterEqJump",
        "opJumpIfFalse", "kMoveThenMove", "kMoveThenArithSub", "opSub", "opMove", "kForStepDown", "opGoto",
        "opStop"}},
      // x := y op (z op1 c), alone or followed by a constant operation.
      {"var x, y: integer; begin x := x - y div 4; x := y * (x mod 3) + 1 end.",
       {"opGoto", "kChainSub", "kMoveConstArithIntDiv", "kLoadConstThenIntDiv", "opIntDiv", "opSub", "kMoveThenMove",
        "kChainMulThenConstArithAdd", "kMoveConstArithMod", "kLoadConstThenMod", "opMod",
        "kMulThenConstArithMoveAdd", "kConstArithMoveAdd", "opAdd", "opMove", "opStop"}},
      // A variable grown by a value, text or number, grows in place.
      {"var s, t: string; begin s := s + 'ab'; s := s + t end.",
       {"opGoto", "kAppend", "kLoadConstThenAdd", "opAdd", "opMove", "kAppend", "kMoveThenArithAdd", "opAdd",
        "opMove", "opStop"}},
      // A call of a script function: the arguments, the call, the result
      // and the return.
      {"var x: integer; function F(a, b: integer): integer; begin Result := a * b end; begin x := F(x, 2) end.",
       {"opGoto", "kMoveThenMove", "kMoveThenArithMul", "opMul", "kMoveThenReturn", "opReturn", "opMove",
        "kLoadConstThenMove", "kMoveThenMove", "kMoveThenGosub", "opGosub", "kMoveThenMove", "opMove", "opStop"}},
      // while and repeat tests compare and jump in one step.
      {"var i, n: integer; begin while i < n do i := i + 1; repeat i := i - 2 until i <= 0 end.",
       {"opGoto", "kMoveThenMove", "opMove", "kLessJump", "opJumpIfFalse", "kAppend", "kConstArithMoveAdd", "opAdd",
        "opMove", "opGoto", "kMoveConstArithSub", "kConstArithMoveSub", "opSub", "kMoveThenMove", "opMove",
        "opLoadConst", "kLessEqJump", "opJumpIfFalse", "opStop"}},
      // An if on an equality.
      {"var x, y: integer; begin if x = 1 then y := 2 else y := 3 end.",
       {"opGoto", "opMove", "opLoadConst", "kEqualJump", "opJumpIfFalse", "kLoadConstThenMove", "opMove", "opGoto",
        "kLoadConstThenMove", "opMove", "opStop"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Handlers(c.source), c.handlers) << c.source;
}

}  // namespace
}  // namespace orv
