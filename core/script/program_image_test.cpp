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

// An image whose code may use every slot a program may have.
std::string Image(const std::vector<Variant>& consts, const std::vector<int32_t>& labels,
                  const std::vector<TProgItem>& code) {
  return WriteProgramImage(TBinProg::kSlotCount, consts, labels, code);
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

const std::string kHeader = "ORVP" + Int32Bytes(kProgramImageVersion) + Int32Bytes(TBinProg::kSlotCount);

TEST_F(VmTest, EmptyProgramIsTheTwoInstructionImage) {
  std::string image;
  TKelCompiler compiler("end.", image);
  compiler.Compile();
  // No slots, no constants, one label, two instructions.
  std::string expected = "ORVP" + Int32Bytes(kProgramImageVersion) + Int32Bytes(0) + Int32Bytes(0) + Int32Bytes(1) +
                         Int32Bytes(1) + Int32Bytes(2) +
                         Int32Bytes(opGoto) + Int32Bytes(0) + Int32Bytes(0) + Int32Bytes(0) +  //
                         Int32Bytes(opStop) + Int32Bytes(0) + Int32Bytes(0) + Int32Bytes(0);
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
  std::string image = Image(consts, {3}, {{opStop, 0, 0, 0}});
  EXPECT_EQ(image.substr(0, 17), kHeader + Int32Bytes(10) + std::string(1, '\x01'));
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
  std::string image = kHeader + Int32Bytes(1) + "\x04\x07" + Int32Bytes(0) + Int32Bytes(0);
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
    TBinProg p(kHeader + Int32Bytes(1) + "\x05" + Int32Bytes(0) + Int32Bytes(0));
    FAIL();
  } catch (const ECompilerError& e) {
    EXPECT_STREQ(e.what(), "Unknown reader type");
  }
  std::string good = Image({Variant(1)}, {1}, {{opGoto, 0, 0, 0}, {opStop, 0, 0, 0}});
  for (size_t cut = 0; cut < good.size(); ++cut)
    EXPECT_THROW(TBinProg(good.substr(0, cut)), EInOutError) << cut;
  // Counts larger than the stream are refused before anything is allocated.
  EXPECT_THROW(TBinProg(kHeader + Int32Bytes(0x7FFFFFFF)), EInOutError);
  EXPECT_THROW(TBinProg(kHeader + Int32Bytes(0) + Int32Bytes(-1)), EInOutError);
  EXPECT_THROW(TBinProg(kHeader + Int32Bytes(0) + Int32Bytes(0) + Int32Bytes(0x10000000)), EInOutError);
}

// An image of another format version (an image of the first format has no
// version mark at all) is refused with a clear error before it is read.
TEST(ProgramImage, StaleImagesAreRefused) {
  const std::string body = Int32Bytes(0) + Int32Bytes(1) + Int32Bytes(1) + Int32Bytes(2);
  const struct {
    std::string image;
    const char* error;
  } cases[] = {
      {body + std::string(24, '\0'), "Stale program image (no version mark): compile the script again"},
      {"ORVP" + Int32Bytes(9) + body, "Stale program image (version 9, this engine reads version 10): compile the script again"},
      {"ORVP" + Int32Bytes(11) + body, "Stale program image (version 11, this engine reads version 10): compile the script again"},
  };
  for (const auto& c : cases) {
    try {
      TBinProg p(c.image);
      ADD_FAILURE() << "no error for " << c.error;
    } catch (const ECompilerError& e) {
      EXPECT_STREQ(e.what(), c.error);
    }
  }
}

// A machine has the slots its program uses, and the constants after them;
// a slot past the count is refused like any other bad slot.
TEST_F(VmTest, AMachineHasTheSlotsItsProgramUses) {
  for (const int32_t bad : {-1, TBinProg::kSlotCount + 1}) {
    try {
      TBinProg p(WriteProgramImage(bad, {}, {}, {{opStop, 0, 0, 0}}));
      ADD_FAILURE() << bad;
    } catch (const ECompilerError& e) {
      EXPECT_STREQ(e.what(), "Invalid variable slot count in program");
    }
  }
  const int32_t k0 = ConstOperand(0), k1 = ConstOperand(1);
  TBinProg three(WriteProgramImage(3, {Variant(40), Variant(2)}, {},
                                   {{opAdd, 2, k0, k1}, {opMove, 0, 2, 0}, {opStop, 0, 0, 0}}));
  ASSERT_EQ(three.Vars.size(), 3u);
  Execute(three, 0);
  EXPECT_EQ(three.Vars[0].AsInteger(), 42);
  TBinProg past(WriteProgramImage(3, {Variant(1)}, {}, {{opMove, 1, 3, 0}, {opStop, 0, 0, 0}}));
  try {
    Execute(past, 0);
    ADD_FAILURE() << "slot 3 of 3 read";
  } catch (const ECompilerError& e) {
    EXPECT_STREQ(e.what(), "Invalid variable slot in program");
  }
  EXPECT_TRUE(TBinProg(WriteProgramImage(0, {}, {}, {{opStop, 0, 0, 0}})).Vars.empty());
  // The compiler counts every variable, parameter, result and temporary.
  const struct {
    const char* source;
    size_t slots;
  } programs[] = {
      {"end.", 0},
      {"var a, b: integer; begin a := 1 end.", 2},
      {"var a, b: integer; begin a := (b + 1) * (b + 2) end.", 4},
      {"var a: integer;\nfunction F(x: integer): integer; var y: integer; begin y := x; Result := y end;\n"
       "begin a := F(1) end.",
       4},
  };
  for (const auto& program : programs) {
    TKelRuner runner(program.source);
    runner.Run();
    EXPECT_EQ(runner.Program()->Vars.size(), program.slots) << program.source;
  }
  // The slots that keep the terms of a text built between calls lie past
  // the statement's temporaries, and the next statement uses them again:
  // fifty such statements need the slots of one.
  const std::string sum = "s := s + 'a' + TTAG('p', [i]) + 'b' + TTAG('q', [i, i]) + 'c';\n";
  std::string fifty, expected;
  for (int n = 0; n < 50; ++n) {
    fifty += sum;
    expected += "ap:1bq:2c";
  }
  TKelRuner one("var s: string; i: integer; begin s := ''; " + sum + "end.");
  TKelRuner many("var s: string; i: integer; begin s := ''; " + fifty + "end.");
  one.Run();
  many.Run();
  EXPECT_EQ(many.Program()->Vars.size(), one.Program()->Vars.size());
  EXPECT_EQ(many.Program()->Vars[0].AsString(), expected);
}

TEST_F(VmTest, FaultyInstructionsFailWhenExecuted) {
  const int32_t k0 = ConstOperand(0);
  EXPECT_EQ(RunError({}, {{opData, 0, 0, 0}}), "Invalid opcode");
  EXPECT_EQ(RunError({}, {{kOpCodeLimit, 0, 0, 0}}), "Invalid opcode");
  EXPECT_EQ(RunError({}, {{-1, 0, 0, 0}}), "Invalid opcode");
  EXPECT_EQ(RunError({}, {{opMove, 1001, 0, 0}}), "Invalid variable slot in program");
  EXPECT_EQ(RunError({}, {{opMove, k0, 0, 0}}), "Invalid variable slot in program");
  EXPECT_EQ(RunError({}, {{opMove, 0, k0, 0}}), "Invalid constant number in program");
  EXPECT_EQ(RunError({}, {{opAdd, 0, 1, 1001}}), "Invalid variable slot in program");
  EXPECT_EQ(RunError({}, {{opGoto, 0, 0, 0}}), "Invalid label number in program");
  EXPECT_EQ(RunError({7}, {{opGoto, 0, 0, 0}}), "Invalid jump target in program");
  EXPECT_EQ(RunError({}, {{opMove, 0, 1, 0}}), "Execution ran past the end of the program");
  EXPECT_EQ(RunError({}, {{opCall, 0, 0, 101}}), "Invalid argument count in program");
  EXPECT_EQ(RunError({}, {{opDynGet, 5000, 0, 0}}), "Invalid variable slot in program");
  EXPECT_EQ(RunError({}, {{opCall, 0, 999999, 0}, {opStop, 0, 0, 0}}), "Invalid function number");
  // A jump into the data words of a call runs one as an instruction.
  EXPECT_EQ(RunError({2}, {{opGoto, 0, 0, 0}, {opCall, 0, 999999, 1}, {opStop, 1, 0, 0}}), "Invalid opcode");
}

// A field an instruction does not read as a value may hold anything, a
// number that would name a constant included: the loader does not look it
// up (the program has no constants at all here).
TEST(ProgramImage, FieldsThatAreNotValuesAreNotReadAsConstants) {
  const int32_t c = ConstOperand(40);
  for (const TProgItem& item : std::vector<TProgItem>{
           {opMove, 0, 1, c}, {opNot, 0, 1, c}, {opNeg, 0, 1, c}, {opArrayNew, 0, 2, c}, {opSetSelf, 0, 0, c}})
    EXPECT_EQ(RunError({}, {item, {opStop, 0, 0, 0}}), "(no error)") << item.Op;
  // An element number is not a constant either, though its instruction
  // reads a value as C: the run fails on the number, not the loader.
  TBinProg program(Image({}, {}, {{opArrayNew, 0, 2, 0}, {opArrayPut, 0, c, 1}, {opStop, 0, 0, 0}}));
  try {
    Execute(program, 0);
    ADD_FAILURE() << "element -41 was written";
  } catch (const std::exception& e) {
    EXPECT_STREQ(e.what(), "Array index -41 out of bounds 0..2");
  }
}

// Constants are registers after the slots: a move reads one like a slot,
// and no instruction can write one.
TEST_F(VmTest, ConstantsAreReadWhereTheyAre) {
  TBinProg p(Image({Variant("text"), Variant(7)}, {},
                   {{opMove, 0, ConstOperand(0), 0}, {opAdd, 1, ConstOperand(1), ConstOperand(1)}, {opStop, 0, 0, 0}}));
  Execute(p, 0);
  EXPECT_EQ(p.Vars[0].AsString(), "text");
  EXPECT_EQ(p.Vars[1].AsInteger(), 14);
  // A var argument that names a constant is not written back.
  const int32_t swap = FindFunction("TSWAP");
  TBinProg q(Image({Variant(1)}, {},
                   {{opCall, 2, swap, 2}, {opData, 0, ConstOperand(0), 0}, {opStop, 0, 0, 0}}));
  q.Vars[0] = Variant(5);
  Execute(q, 0);
  EXPECT_EQ(q.Vars[0].AsInteger(), 1);
  EXPECT_EQ(q.Constants[0].AsInteger(), 1);
  EXPECT_EQ(q.Registers()[TBinProg::kSlotCount].AsInteger(), 1);
}

TEST_F(VmTest, CallWordsAreCheckedWhenLoaded) {
  int32_t add = FindFunction("TADD");
  EXPECT_EQ(RunError({}, {{opCall, 0, add, 2}}), "Missing data word in program");
  EXPECT_EQ(RunError({}, {{opCall, 0, add, 2}, {opData, 2000, 0, 0}, {opStop, 0, 0, 0}}),
            "Invalid variable slot in program");
  EXPECT_EQ(RunError({}, {{opCall, 0, add, 2}, {opData, 0, ConstOperand(3), 0}, {opStop, 0, 0, 0}}),
            "Invalid constant number in program");
  // Fields beyond the arguments are not read.
  EXPECT_EQ(RunError({}, {{opCall, 0, add, 2}, {opData, 0, 1, 99999}, {opStop, 0, 0, 0}}), "(no error)");
  // A taken argument names a slot; no constant and no slot past the last.
  EXPECT_EQ(RunError({}, {{opCall, 0, add, 2}, {opData, TakenArgument(2000), 0, 0}, {opStop, 0, 0, 0}}),
            "Invalid variable slot in program");
  EXPECT_EQ(RunError({}, {{opCall, 0, add, 2}, {opData, TakenArgument(ConstOperand(0)), 0, 0}, {opStop, 0, 0, 0}}),
            "Invalid variable slot in program");
}

// The sum a statement stores takes its temporary's value: the variable gets
// the sum whether or not it shares its text with the temporary, with the
// temporary or as the sum's other operand, keeps its text when the sum
// fails, and numbers add as with opAdd.
TEST_F(VmTest, TheStoredSumTakesItsTemporary) {
  const int32_t ab = ConstOperand(0), cd = ConstOperand(1), three = ConstOperand(2);
  const std::vector<Variant> consts = {Variant("ab"), Variant("cd"), Variant(3)};
  const struct {
    std::vector<TProgItem> code;  // before opStop; slot 0 is looked at
    const char* sum;
  } cases[] = {
      {{{opMove, 0, ab, 0}, {opMove, 1, 0, 0}, {opAddTaking, 0, 1, cd}}, "abcd"},
      {{{opMove, 0, ab, 0}, {opMove, 1, 0, 0}, {opAddTaking, 0, 1, 0}}, "abab"},
      {{{opMove, 0, ab, 0}, {opMove, 1, cd, 0}, {opAddTaking, 0, 1, 0}}, "cdab"},
      {{{opMove, 0, ab, 0}, {opAddTaking, 0, 0, cd}}, "abcd"},
      {{{opMove, 0, ab, 0}, {opMove, 1, 0, 0}, {opAddTaking, 0, 1, 1}}, "abab"},
      {{{opMove, 1, three, 0}, {opAddTaking, 0, 1, three}}, "6"},
  };
  for (const auto& c : cases) {
    std::vector<TProgItem> code = c.code;
    code.push_back({opStop, 0, 0, 0});
    TBinProg p(Image(consts, {}, code));
    Execute(p, 0);
    EXPECT_EQ(p.Vars[0].AsString(), c.sum) << c.sum;
  }
  // Another holder of the text keeps it.
  TBinProg kept(Image(consts, {}, {{opMove, 0, ab, 0}, {opMove, 2, 0, 0}, {opMove, 1, 0, 0}, {opAddTaking, 0, 1, cd},
                                   {opStop, 0, 0, 0}}));
  Execute(kept, 0);
  EXPECT_EQ(kept.Vars[0].AsString(), "abcd");
  EXPECT_EQ(kept.Vars[2].AsString(), "ab");
  // A text that is no number meets a number: the variable keeps its text.
  TBinProg failed(Image(consts, {}, {{opMove, 0, ab, 0}, {opMove, 1, 0, 0}, {opAddTaking, 0, 1, three}, {opStop, 0, 0, 0}}));
  EXPECT_THROW(Execute(failed, 0), EConvertError);
  EXPECT_EQ(failed.Vars[0].AsString(), "ab");
}

// A taken argument's value moves into the argument block: the slot is left
// Empty (the compiler takes only temporaries, which are written before they
// are read again); the others are copied, and a `var` argument is written
// back wherever its field is. (A routine's shortcut reads its arguments
// where they lie, taken or not, so this one has none.)
TEST_F(VmTest, TakenArgumentsMoveIntoTheCall) {
  RegisterFunc("TPLAINADD", [](TObject*, const std::string&, ArgBlock& a, Variant& r) {
    r = BinaryOp(VarOp::Add, a[0], a[1]);
  }, {pkValue, pkValue});
  const int32_t add = FindFunction("TPLAINADD");
  TBinProg p(Image({}, {}, {{opCall, 3, add, 2}, {opData, TakenArgument(1), 2, 0}, {opStop, 0, 0, 0}}));
  p.Vars[1] = Variant("ab");
  p.Vars[2] = Variant("cd");
  Execute(p, 0);
  EXPECT_EQ(p.Vars[3].AsString(), "abcd");
  EXPECT_TRUE(p.Vars[1].IsEmpty());
  EXPECT_EQ(p.Vars[2].AsString(), "cd");
  // The result may go to the taken slot itself.
  TBinProg q(Image({}, {}, {{opCall, 1, add, 2}, {opData, TakenArgument(1), TakenArgument(2), 0}, {opStop, 0, 0, 0}}));
  q.Vars[1] = Variant(40);
  q.Vars[2] = Variant(2);
  Execute(q, 0);
  EXPECT_EQ(q.Vars[1].AsInteger(), 42);
  EXPECT_TRUE(q.Vars[2].IsEmpty());
  const int32_t swap = FindFunction("TSWAP");
  TBinProg r(Image({}, {}, {{opCall, 3, swap, 2}, {opData, TakenArgument(0), 1, 0}, {opStop, 0, 0, 0}}));
  r.Vars[0] = Variant(5);
  r.Vars[1] = Variant(6);
  Execute(r, 0);
  EXPECT_EQ(r.Vars[0].AsInteger(), 6);
  EXPECT_EQ(r.Vars[1].AsInteger(), 5);
}

}  // namespace
}  // namespace orv
