#include "core/script/program_image.h"

#include <gtest/gtest.h>

#include "core/script/compiler_error.h"
#include "core/script/runner.h"
#include "core/script/vm_test_support.h"

namespace orv {
namespace {

using vmtest::VmTest;

std::string Int32Bytes(int32_t v) {
  std::string s;
  for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((static_cast<uint32_t>(v) >> (8 * i)) & 0xFF));
  return s;
}

std::string Image(const std::vector<Variant>& consts, const std::vector<int32_t>& labels,
                  const std::vector<TProgItem>& code) {
  return WriteProgramImage(consts, labels, code);
}

std::string RunError(const std::vector<int32_t>& labels, const std::vector<TProgItem>& code) {
  TBinProg program(Image({}, labels, code));
  try {
    Execute(program, 0);
  } catch (const ECompilerError& e) {
    return e.what();
  }
  return "(no error)";
}

TEST_F(VmTest, EmptyProgramIsTheTwoInstructionImage) {
  std::string image;
  TKelCompiler compiler("end.", image);
  compiler.Compile();
  std::string expected = Int32Bytes(0) + Int32Bytes(1) + Int32Bytes(1) + Int32Bytes(2) +
                         Int32Bytes(0) + Int32Bytes(0) + Int32Bytes(opGoto) +  //
                         Int32Bytes(0) + Int32Bytes(0) + Int32Bytes(opStop);
  EXPECT_EQ(image, expected);
  std::string image2;
  TKelCompiler with_begin("begin end.", image2);
  with_begin.Compile();
  EXPECT_EQ(image2, expected);
}

TEST(ProgramImage, ConstantRoundTripOfEveryKind) {
  std::vector<Variant> consts = {
      Variant::Smallint(-5), Variant(-70000),     Variant::Byte(200),          Variant::Single(1.5f),
      Variant(2.25),         Variant("abc"),      Variant(std::string(255, 'z')), Variant(true),
      Variant(false),        Variant(""),
  };
  std::string image = Image(consts, {3}, {{0, 0, opStop}});
  EXPECT_EQ(image.substr(0, 5), Int32Bytes(10) + std::string(1, '\x01'));
  TBinProg p(image);
  ASSERT_EQ(p.Constants.size(), consts.size());
  const uint16_t types[] = {varInteger, varInteger, varInteger, varDouble, varDouble,
                            varString,  varString,  varBoolean, varBoolean, varString};
  for (size_t i = 0; i < consts.size(); ++i) {
    EXPECT_EQ(p.Constants[i].Type(), types[i]) << i;
    EXPECT_EQ(p.Constants[i].AsString(), consts[i].AsString()) << i;
  }
  EXPECT_EQ(p.Labels, std::vector<int32_t>{3});
  ASSERT_EQ(p.Code.size(), 1u);
  EXPECT_EQ(p.Code[0].Op, opStop);
  for (const Variant& slot : p.Vars) {
    ASSERT_EQ(slot.Type(), varInteger);
    ASSERT_EQ(slot.AsInteger(), 0);
  }
}

TEST(ProgramImage, NonzeroBooleanByteIsTrue) {
  std::string image = Int32Bytes(1) + "\x04\x07" + Int32Bytes(0) + Int32Bytes(0);
  TBinProg p(image);
  EXPECT_TRUE(p.Constants[0].AsBoolean());
}

TEST(ProgramImage, WriterRefusesWhatTheImageCannotHold) {
  for (const Variant& bad : {Variant(), Variant::Null(), Variant::Date(1.0), Variant::Array(2)}) {
    try {
      Image({bad}, {}, {});
      FAIL() << "no error for type " << bad.Type();
    } catch (const ECompilerError& e) {
      EXPECT_STREQ(e.what(), "Unknown variable type during writing program");
    }
  }
  try {
    Image({Variant(std::string(256, 'x'))}, {}, {});
    FAIL();
  } catch (const ECompilerError& e) {
    EXPECT_STREQ(e.what(), "String constant longer than 255 characters");
  }
}

TEST(ProgramImage, LoaderRejectsBadStreams) {
  try {
    TBinProg p(Int32Bytes(1) + "\x05" + Int32Bytes(0) + Int32Bytes(0));
    FAIL();
  } catch (const ECompilerError& e) {
    EXPECT_STREQ(e.what(), "Unknown reader type");
  }
  std::string good = Image({Variant(1)}, {1}, {{0, 0, opGoto}, {0, 0, opStop}});
  for (size_t cut = 0; cut < good.size(); ++cut)
    EXPECT_THROW(TBinProg(good.substr(0, cut)), EInOutError) << cut;
  // Counts larger than the stream are refused before anything is allocated.
  EXPECT_THROW(TBinProg(Int32Bytes(0x7FFFFFFF)), EInOutError);
  EXPECT_THROW(TBinProg(Int32Bytes(0) + Int32Bytes(-1)), EInOutError);
  EXPECT_THROW(TBinProg(Int32Bytes(0) + Int32Bytes(0) + Int32Bytes(0x10000000)), EInOutError);
}

TEST(ProgramImage, FaultyInstructionsFailWhenExecuted) {
  EXPECT_EQ(RunError({}, {{0, 0, 21}}), "Invalid opcode");
  EXPECT_EQ(RunError({}, {{0, 0, opData}}), "Invalid opcode");
  EXPECT_EQ(RunError({}, {{0, 0, 53}}), "Invalid opcode");
  EXPECT_EQ(RunError({}, {{0, 0, -1}}), "Invalid opcode");
  EXPECT_EQ(RunError({}, {{1001, 0, opMove}}), "Invalid variable slot in program");
  EXPECT_EQ(RunError({}, {{0, -1, opMove}}), "Invalid variable slot in program");
  EXPECT_EQ(RunError({}, {{0, 0, opLoadConst}}), "Invalid constant number in program");
  EXPECT_EQ(RunError({}, {{0, 0, opGoto}}), "Invalid label number in program");
  EXPECT_EQ(RunError({7}, {{0, 0, opGoto}}), "Invalid jump target in program");
  EXPECT_EQ(RunError({}, {{0, 0, opInc}}), "Execution ran past the end of the program");
  EXPECT_EQ(RunError({}, {{0, 0, opArrayNew}, {1, 0, opArrayPut}}), "Missing data word in program");
  EXPECT_EQ(RunError({}, {{0, 0, opDynGet}, {5000, 0, 0}}), "Invalid variable slot in program");
  EXPECT_EQ(RunError({}, {{0, 999999, opCall}, {0, 0, opStop}}), "Invalid function number");
  // A data word is never executed, even when its Op field looks like an opcode.
  EXPECT_EQ(RunError({}, {{0, 4, opArrayNew}, {0, 1, opArrayPut}, {0, 0, opGoto}, {0, 0, opStop}}),
            "(no error)");
}

// A comparison and the conditional jump on its result run as one handler; a
// jump to the conditional jump itself still runs it alone.
TEST(ProgramImage, ComparisonAndJumpRunTogetherOrApart) {
  std::string image = Image({}, {2, 4},
                            {{0, 0, opGoto}, {0, 1, opLess}, {0, 1, opJumpIfFalse}, {2, 0, opInc}, {0, 0, opStop}});
  TBinProg alone(image);
  Execute(alone, 0);  // slot 0 holds the integer 0: the jump is taken
  EXPECT_EQ(alone.Vars[0].Type(), varInteger);
  EXPECT_EQ(alone.Vars[2].AsInteger(), 0);
  TBinProg fused(image);
  fused.Vars[1] = Variant(1);
  Execute(fused, 1);  // 0 < 1: falls through to the increment
  EXPECT_EQ(fused.Vars[0].Type(), varBoolean);
  EXPECT_EQ(fused.Vars[2].AsInteger(), 1);
  TBinProg stepped(image);
  stepped.PC = 1;
  int steps = 1;
  while (Step(stepped)) ++steps;
  EXPECT_EQ(steps, 3);  // less, jump, stop
  EXPECT_FALSE(stepped.Vars[0].AsBoolean());
}

// A constant load and the multiplication after it run as one handler; a
// jump to the multiplication runs it alone, with the slot it reads unloaded.
TEST(ProgramImage, FusedPairRunsTogetherOrApart) {
  std::string image = Image({Variant(5)}, {2},
                            {{0, 0, opGoto}, {1, 0, opLoadConst}, {0, 1, opMul}, {0, 0, opStop}});
  for (const auto& [start, product] : {std::pair{0, 12}, std::pair{1, 15}}) {
    TBinProg program(image);
    program.Vars[0] = Variant(3);
    program.Vars[1] = Variant(4);
    Execute(program, start);
    EXPECT_EQ(program.Vars[0].AsInteger(), product) << "start " << start;
  }
}

TEST_F(VmTest, CallWordsAreCheckedAtRunTime) {
  int32_t add = FindFunction("TADD");
  EXPECT_EQ(RunError({}, {{0, add, opCall}}), "Missing data word in program");
  EXPECT_EQ(RunError({}, {{0, add, opCall}, {2000, 0, 1}, {0, 0, opStop}}),
            "Invalid variable slot in program");
}

}  // namespace
}  // namespace orv
