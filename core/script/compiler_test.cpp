#include "core/script/compiler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "core/script/vm_test_support.h"

namespace orv {
namespace {

using vmtest::VmTest;

struct ErrorCase {
  const char* source;
  int line;
  const char* text;
};

// Every error text of the compiler, with the line that the frame reports.
const ErrorCase kErrors[] = {
    {"begin x := 1 end.", 1, "Variable <X> not defined"},
    {"var x: integer;\nbegin\n  x := 'abc\nend.", 4, "Unexpected EOF in string constant declaration"},
    {"program ;", 1, "Program name expected"},
    {"program p begin end.", 1, "Operator delimeter expected"},
    {"var x: integer; y integer; begin end.", 1, "Error in variable declaration block"},
    {"var x: integer; x: integer; begin end.", 1, "Variable <X> already defined"},
    {"var x, x: integer; begin end.", 1, "Variable <X> already defined"},
    {"var 1: integer; begin end.", 1, "Variable name expected"},
    {"var x: integer\nbegin end.", 2, "Operator delimeter expected"},
    {"var g: integer;\nprocedure P;\nvar g: integer;\nbegin end;\nbegin end.", 3,
     "Variable <G> already defined"},
    {"label a, a; begin end.", 1, "Label <A> already defined"},
    {"label a b; begin end.", 1, "Comma or delimeter expected"},
    {"label 1; begin end.", 1, "Label name expected"},
    {"label a;\nbegin\na:\nend.", 4, "Link Error"},
    {"label a; begin goto a end.", 1, "Link Error"},
    {"begin goto b end.", 1, "Label <B> not defined"},
    {"begin goto 1 end.", 1, "Label name expected"},
    {"begin b: end.", 1, "Label <B> not defined"},
    {"const x = 1; begin end.", 1, "Error in declaration block"},
    {"%", 1, "Error in declaration block"},
    {"type T = integer; begin end.", 1, "Only class declarations allowed"},
    {"type T class end; begin end.", 1, "T declaration  error"},
    {"type T = class() end; begin end.", 1, "Parent name expected"},
    {"type T = class(TObject; end;", 1, ") Expected"},
    {"type T = class property X; end;", 1, "Properties not implemented"},
    {"type T = class begin end;", 1, "Error in declaration block"},
    {"type T = class", 1, "Error in declaration block"},
    {"type T = class x: integer; end\nbegin end.", 2, "Operator delimeter expected"},
    {"uses 1; begin end.", 1, "Identifier expected"},
    {"procedure ; begin end;", 1, "Identifier expected"},
    {"procedure P.; begin end;", 1, "Identifier expected"},
    {"procedure P(1); begin end;", 1, "Method parameters declaration error"},
    {"procedure P(); begin end;", 1, "Method parameters declaration error"},
    {"procedure P(a integer); begin end;", 1, "Method declaration error"},
    {"procedure P(a: integer, b: integer); begin end;", 1, "Method declaration error"},
    {"procedure P(a, a: integer); begin end;", 1, "Variable <A> already defined"},
    {"procedure P begin end;", 1, "Operator delimeter expected"},
    {"procedure P; virtual begin end;", 1, "Operator delimeter expected"},
    {"procedure P; begin end begin end.", 1, "Operator delimeter expected"},
    {"var P: integer; procedure P; begin end;", 1, "Identifier <P> already defined"},
    {"begin x end.", 1, "Unknown identifier: X"},
    {"begin ; end.", 1, "Unknown identifier: 0"},
    {"begin until end.", 1, "Unknown identifier: UNTIL"},
    {"var x: integer; begin x := 1 x := 2 end.", 1, "Operator delimeter expected"},
    {"begin\n", 2, "END expected"},
    {"begin if 1 TPROC end.", 1, "THEN expected"},
    {"var x: integer; begin if x then x := 1 x := 2 end.", 1, "ELSE expected"},
    {"var x: integer; begin repeat if x then x := 1 until x end.", 1, "ELSE expected"},
    {"begin while 1 TPROC end.", 1, "DO expected"},
    {"begin repeat TPROC;", 1, "UNTIL Expected"},
    {"var i: integer; begin for i = 1 to 2 do TPROC end.", 1, "Colon expected"},
    {"var i: integer; begin for i : 1 to 2 do TPROC end.", 1, "= expected"},
    {"var i: integer; begin for i := 1 upto 3 do TPROC end.", 1, "TO or DOWNTO expected"},
    {"var i: integer; begin for i := 1 to 3 TPROC end.", 1, "DO expected"},
    {"begin for j := 1 to 2 do TPROC end.", 1, "Variable <J> not defined"},
    {"procedure P; begin end; begin for P := 1 to 2 do TPROC end.", 1, "Variable <P> not defined"},
    {"begin for 1 := 1 to 2 do TPROC end.", 1, "Variable name expected"},
    // Expressions and operands.
    {"var x: integer; begin x := 1. end.", 1, "Real constant declaration error"},
    {"var x: integer; begin x := $FF end.", 1, "Hex constant declaration error"},
    {"var x: integer; begin x := $0FG end.", 1, "Bad identifier <0FG>"},
    {"var x: integer; begin x := # end.", 1, "String constant declaration error"},
    {"var x: integer; begin x := 'a'#x end.", 1, "String constant declaration error"},
    {"var x: integer; begin x := #13#10 end.", 1, "Operator delimeter expected"},
    {"var x: integer; begin x := (1 end.", 1, ") expected"},
    {"var x: integer; begin x := [1]; end.", 1, "] expected but 0 found"},
    {"var x: integer; begin x := [[1, 2] end.", 1, "] expected but END found"},
    {"var x: integer; begin x := 1 < 2 < 3 end.", 1, "Operator delimeter expected"},
    {"var x: integer; begin x := y. end.", 1, "Identifier expected"},
    {"var x: integer; begin x := ; end.", 1, "Expression expected but 0 found"},
    {"var x: integer; begin x := end.", 1, "Expression expected but END found"},
    {"var x: integer; begin x := 99999999999 end.", 1, "Integer constant out of range <99999999999>"},
    {"var x: integer; begin x := nosuch(1) end.", 1, "Unknown identifier: NOSUCH"},
    {"var x: integer; begin x := a.b end.", 1, "Unknown identifier: A.B"},
    {"var x: integer; begin x := TADD(1 2) end.", 1, "Comma expected"},
    {"var x: integer; begin x := TADD 1 end.", 1, "( expected"},
    {"var x: integer; begin x := TADD(1, 2 end.", 1, ") expected"},
    {"var x: integer; begin x := TPROC end.", 1, "Invalid procedure usage"},
    {"var x: integer; begin x := TLOG(1) end.", 1, "Invalid procedure usage"},
    {"var x: integer; begin x := TSWAP(1, x) end.", 1, "Variable name expected"},
    {"var x: integer; begin x := TSWAP(y, x) end.", 1, "Variable <Y> not defined"},
    {"var x: integer; begin x := TTAG('a', 1) end.", 1, "[ expected but 1 found"},
    {"var x: integer; begin x := TTAG('a', [1) end.", 1, "] expected but 0 found"},
    {"var x: integer; begin x := TBADKIND(1, 2) end.", 1, "Unsupported parameter type"},
    // Script routines.
    {"var x: integer; procedure P; begin end; begin x := P end.", 1, "Invalid procedure usage"},
    {"var v: integer; begin v(1) end.", 1, "Variable Result not found for V"},
    {"procedure P(a: integer); begin end; begin P end.", 1, "( expected"},
    {"procedure P(a, b: integer); begin end; begin P(1 2) end.", 1, "Comma expected"},
    {"procedure P(a: integer); begin end; begin P(1; end.", 1, ") expected"},
    {"procedure P(var a: integer); begin end; begin P(1) end.", 1, "Variable name expected"},
    {"procedure P; forward;\nbegin\nP\nend.", 4, "Routine <P> is called but has no body"},
    {"type T = class procedure M; end;\nbegin T.M end.", 2, "Routine <T.M> is called but has no body"},
};

TEST_F(VmTest, EveryCompileErrorText) {
  RegisterFunc("TBADKIND", [](TObject*, const std::string&, ArgBlock&, Variant&) {}, {pkValue, pkNone});
  for (const ErrorCase& c : kErrors) EXPECT_EQ(CompileError(c.source), Framed(c.line, c.text)) << c.source;
}

TEST_F(VmTest, AcceptedProgramsWithoutCode) {
  for (const char* source : {"end.", "begin end.", "begin end", "program p; begin end.",
                             "unit u; end.", "uses a, b; interface implementation begin end.",
                             "label a; begin end.", "procedure P; forward; begin end.",
                             "type T = class; begin end.",
                             "type T = class(TForm) private a: integer; public procedure M(S: TObject); "
                             "virtual; abstract; end; begin end."}) {
    EXPECT_EQ(CompileError(source), "(no error)") << source;
  }
}

TEST_F(VmTest, LineNumbersCountLineFeedsOnly) {
  EXPECT_EQ(CompileError("var x: integer;\rbegin\r x := y\rend."), Framed(1, "Unknown identifier: Y"));
  EXPECT_EQ(CompileError("var x: integer;\r\nbegin\r\n x := y\r\nend."), Framed(3, "Unknown identifier: Y"));
}

TEST_F(VmTest, SlotAndParameterLimitsAreCompileErrors) {
  std::string vars = "var v0";
  for (int i = 1; i < 1001; ++i) vars += ", v" + std::to_string(i);
  EXPECT_EQ(CompileError(vars + ": integer; begin end."), "(no error)");
  EXPECT_EQ(CompileError(vars + ", v1001: integer; begin end."),
            Framed(1, "Too many variables: a script may use at most 1001 variable slots"));
  std::string params = "procedure P(p0";
  for (int i = 1; i < 101; ++i) params += ", p" + std::to_string(i);
  EXPECT_EQ(CompileError(params + ": integer); begin end; begin end."),
            Framed(1, "Too many parameters: a routine may have at most 100"));
  EXPECT_EQ(CompileError("var x: integer; begin x := '" + std::string(256, 'a') + "' end."),
            Framed(1, "String constant longer than 255 characters"));
  EXPECT_EQ(CompileError("var x: integer; begin x := '" + std::string(200, 'a') + "' + '" +
                         std::string(200, 'b') + "' end."),
            "(no error)");
}

TEST_F(VmTest, DeepNestingIsAnErrorNotACrash) {
  const std::string too_deep = Framed(1, "Program nested too deeply (more than 500 levels)");
  std::string open(100000, '(');
  EXPECT_EQ(CompileError("var x: integer; begin x := " + open + "1 end."), too_deep);
  std::string signs;
  for (int i = 0; i < 100000; ++i) signs += "- not ";
  EXPECT_EQ(CompileError("var x: integer; begin x := " + signs + "1 end."), too_deep);
  std::string blocks;
  for (int i = 0; i < 100000; ++i) blocks += "begin ";
  EXPECT_EQ(CompileError(blocks), too_deep);
  std::string routines;
  for (int i = 0; i < 100000; ++i) routines += "procedure P" + std::to_string(i) + "; ";
  EXPECT_EQ(CompileError(routines), too_deep);
  EXPECT_EQ(CompileError("var x: integer; begin x := " + std::string(200, '(') + "1" +
                         std::string(200, ')') + " end."),
            "(no error)");
}

// Statements release their temporaries, so a long script of calls does not
// run out of slots.
TEST_F(VmTest, StatementsReleaseTheirTemporaries) {
  std::string body;
  for (int i = 0; i < 3000; ++i) body += "TADD(1, 2); TLOG(TADD(3, 4));\n";
  EXPECT_EQ(CompileError("begin\n" + body + "end."), "(no error)");
}

class ImageTest : public VmTest {
 protected:
  TBinProg Load(const std::string& source) {
    std::string image;
    TKelCompiler compiler(source, image);
    compiler.Compile();
    return TBinProg(image);
  }
};

TEST_F(ImageTest, OperandConstants) {
  struct {
    const char* expr;
    uint16_t type;
    const char* text;
  } cases[] = {
      {"1.5", varDouble, "1.5"},        {"12.25", varDouble, "12.25"},
      {"$0FF", varInteger, "255"},      {"0xFF", varInteger, "255"},
      {"$0FFFFFFFF", varInteger, "-1"},  {"0x123456789", varInteger, "0"},
      {"9xZZ", varInteger, "0"},        {"#65", varString, "A"},
      {"#321", varString, "A"},         {"True", varBoolean, "True"},
      {"Nil", varInteger, "0"},         {"mbRight", varInteger, "1"},
      {"'it''s'", varString, "its"},    {"\"a'b\"", varString, "a'b"},
      {"'a'#13#10'b' 'c'", varString, "a\r\nbc"},
  };
  for (const auto& c : cases) {
    TBinProg p = Load(std::string("var x: integer; begin x := ") + c.expr + " end.");
    ASSERT_EQ(p.Constants.size(), 1u) << c.expr;
    EXPECT_EQ(p.Constants[0].Type(), c.type) << c.expr;
    EXPECT_EQ(p.Constants[0].AsString(), c.text) << c.expr;
  }
}

TEST_F(ImageTest, HostCallArgumentWords) {
  // x is slot 0; the array is built in slot 1, where the call's temporaries
  // begin, so the result goes to slot 1 as well, and the call takes the
  // array from its temporary; the last operation of the statement is the
  // call's data word, so the result is copied to x.
  TBinProg p = Load("var x: integer; begin x := TSUM(1, 2, 3, 4) end.");
  std::vector<std::tuple<int32_t, int32_t, int32_t, int32_t>> code;
  for (const TProgItem& i : p.Code) code.emplace_back(i.Op, i.A, i.B, i.C);
  int32_t sum = FindFunction("TSUM");
  auto call = std::find(code.begin(), code.end(), std::make_tuple(int32_t{opCall}, 1, sum, 1));
  ASSERT_NE(call, code.end());
  EXPECT_EQ(*(call + 1), std::make_tuple(int32_t{opData}, TakenArgument(1), 0, 0));
  EXPECT_EQ(*(call + 2), std::make_tuple(int32_t{opMove}, 0, 1, 0));
  // Constant arguments are named in the data words themselves.
  TBinProg add = Load("var x: integer; begin x := TADD(x, 'a') end.");
  const int32_t a = ConstOperand(0);
  EXPECT_EQ(add.Code[1].Op, opCall);
  EXPECT_EQ((std::tuple{add.Code[2].Op, add.Code[2].A, add.Code[2].B}), (std::tuple{int32_t{opData}, 0, a}));
}

// A call takes the arguments computed into temporaries (an operation's or
// an inner call's result, an array); variables, `var` arguments, routine
// results and constants are read where they are.
TEST_F(ImageTest, CallsTakeTheirArgumentsTemporaries) {
  const struct {
    const char* statement;
    std::vector<bool> taken;  // per argument of the statement's last host call
  } cases[] = {
      {"x := TADD(x, 'a')", {false, false}},
      {"x := TADD(x + 1, y)", {true, false}},
      {"x := TADD(TADD(x, 1), x * y)", {true, true}},
      {"x := TADD(F(x), 1)", {false, false}},
      {"x := TTAG(y, [x, 1])", {false, true}},
      {"x := TSWAP(x, y)", {false, false}},
      {"x := TJOIN8(x, y + 1, 'c', x, 1, 2, x + y, y)", {false, true, false, false, false, false, true, false}},
  };
  for (const auto& c : cases) {
    TBinProg p = Load(std::string("var x, y: integer;\nfunction F(a: integer): integer; begin Result := a end;\n"
                                  "begin ") + c.statement + " end.");
    size_t call = p.Code.size();
    for (size_t i = 0; i < p.Code.size(); ++i)
      if (p.Code[i].Op == opCall) call = i;
    ASSERT_LT(call, p.Code.size()) << c.statement;
    ASSERT_EQ(p.Code[call].C, static_cast<int32_t>(c.taken.size())) << c.statement;
    for (size_t k = 0; k < c.taken.size(); ++k) {
      const TProgItem& word = p.Code[call + 1 + k / 3];
      const int32_t field = k % 3 == 0 ? word.A : k % 3 == 1 ? word.B : word.C;
      EXPECT_EQ(IsTakenArgument(field), c.taken[k]) << c.statement << " argument " << k;
    }
  }
}

// The op codes of the program compiled from `source`.
std::vector<int32_t> Ops(const TBinProg& p) {
  std::vector<int32_t> ops;
  for (const TProgItem& i : p.Code) ops.push_back(i.Op);
  return ops;
}

TEST_F(ImageTest, ForLoopShapes) {
  // A variable limit is read by the loop's test and by its last
  // instruction, which steps, tests and jumps back into the body.
  TBinProg plain = Load("var i, n: integer; begin for i := 1 to n do TPROC end.");
  EXPECT_EQ(Ops(plain), (std::vector<int32_t>{opGoto, opMove, opJumpUnlessLessEq, opCall, opForLoopUp, opStop}));
  EXPECT_EQ(plain.Code[2].C, 1);  // n
  EXPECT_EQ(plain.Code[4].C, 1);
  EXPECT_EQ(plain.Labels[plain.Code[4].B], 3);  // back to the body
  // A computed limit that the body cannot change is computed once.
  TBinProg kept = Load("var i, n, s: integer; begin for i := 1 to n - 1 do s := s + i end.");
  EXPECT_EQ(Ops(kept), (std::vector<int32_t>{opGoto, opMove, opSub, opJumpUnlessLessEq, opAdd, opForLoopUp, opStop}));
  // Otherwise it is computed at the head of every round.
  for (const char* source : {"var i, n: integer; begin for i := 1 to n - 1 do TPROC end.",
                             "var i, n: integer; begin for i := 1 to n - 1 do n := n - 1 end.",
                             "var i, n: integer; begin for i := 1 to i - 1 do n := n - 1 end."}) {
    TBinProg computed = Load(source);
    const std::vector<int32_t> ops = Ops(computed);
    ASSERT_EQ(ops.size(), 7u) << source;
    EXPECT_EQ(ops[2], opSub) << source;
    EXPECT_EQ(ops[5], opForStepUp) << source;
    EXPECT_EQ(computed.Labels[computed.Code[5].B], 2) << source;  // the head
  }
  TBinProg down = Load("var i: integer; begin for i := 3 downto 1 do TPROC end.");
  EXPECT_EQ(Ops(down), (std::vector<int32_t>{opGoto, opMove, opJumpUnlessGreaterEq, opCall, opForLoopDown, opStop}));
}

// Each operator is one instruction on its operands where they are, and the
// statement's last one writes the variable; a comparison, and, or, xor or
// not that decides a jump is the jump.
TEST_F(ImageTest, OneInstructionPerOperator) {
  const struct {
    const char* statement;
    std::vector<int32_t> ops;
    std::vector<int32_t> deferred = {};  // after the program's end
  } cases[] = {
      {"s := s + i mod 7", {opMod, opAdd}},
      {"s := (s + i * 3) mod 1000003", {opMul, opAdd, opMod}},
      {"s := i", {opMove}},
      {"s := -i", {opNeg}},
      {"s := -1", {opMove}},
      {"s := 2 * 3 + 1", {opMove}},
      {"if s < i then s := 0", {opJumpUnlessLess, opMove}},
      {"if not (s < i) then s := 0", {opLess, opJumpUnlessNot, opMove}},
      // a while loop is entered by a jump to its test, at the bottom; a test
      // of one instruction stands at the entry too, where the jump to it was
      {"while (s > 0) or (i > 0) do i := i - 1", {opGoto, opSub, opGreater, opGreater, opJumpIfOr}},
      {"while (i > 0) and not (s + 1) do i := i - 1", {opGoto, opSub, opGreater, opAdd, opNot, opJumpIfAnd}},
      {"while (i > 0) xor (s = 0) do i := i - 1", {opGoto, opSub, opGreater, opEqual, opJumpIfXor}},
      {"while not (i < s) do i := i - 1", {opGoto, opSub, opLess, opJumpIfNot}},
      {"while s do i := i - 1", {opJumpIfTrue, opGoto, opSub, opJumpIfTrue}},
      {"while TADD(i, 1) >= s do i := i - 1", {opGoto, opSub, opCall, opData, opJumpIfGreaterEq}},
      {"repeat i := i + 1 until (i > 9) xor (s = 0)", {opAdd, opGreater, opEqual, opJumpUnlessXor}},
      {"if s then s := 0", {opJumpIfFalse, opMove}},
      {"if s and (i > 0) or (s < i) then s := 0", {opGreater, opAnd, opLess, opJumpUnlessOr, opMove}},
      {"while i <> 0 do i := i - 1", {opJumpIfNotEqual, opGoto, opSub, opJumpIfNotEqual}},
      {"repeat i := i + 1 until i >= 10", {opAdd, opJumpUnlessGreaterEq}},
      // a jump to a for loop's step is a copy of the step, followed by the
      // jump out of the loop
      {"for i := 1 to 3 do if i = 1 then s := 1 else s := 2",
       {opMove, opJumpUnlessLessEq, opJumpUnlessEqual, opMove, opForLoopUp, opGoto, opMove, opForLoopUp}},
      // a call between the operands: the variable is copied before it, and
      // the sum stored in a text variable takes the copy
      {"s := s + TADD(i, 1)", {opMove, opCall, opData, opAdd}},
      {"t := t + TADD(i, 1)", {opMove, opCall, opData, opAddTaking}},
      // chains that stop at the first comparison to decide them
      {"if (s = 1) or (s = 2) or (i <> 3) then s := 0",
       {opJumpUnlessNotEqual, opJumpUnlessNotEqual, opJumpUnlessNotEqual, opMove}},
      {"if (s <> i) or (i = 0) then s := 0", {opJumpUnlessEqual, opJumpUnlessEqual, opMove}},
      // a condition that stops early has more than one jump, and stays at
      // the top of its loop
      {"while (s = 0) and (i <> 0) do i := i - 1",
       {opJumpUnlessEqual, opJumpUnlessNotEqual, opSub, opJumpUnlessEqual, opGoto}},
      {"repeat i := i + 1 until (i > 9) and ('x' = s)", {opAdd, opJumpUnlessGreater, opJumpUnlessEqual}},
      // and those that stop early when the variables of the comparisons
      // passed over hold numbers, which a guard after the program looks
      // at; when they do not, the fallback makes those comparisons
      {"if (s < i) and (i > 0) then s := 0", {opJumpUnlessLess, opJumpUnlessGreater, opMove},
       {opJumpIfNumbers, opGoto, opGreater, opGoto}},
      {"if (s = 1) or (i < 2) then s := 0", {opJumpUnlessNotEqual, opJumpUnlessLess, opMove},
       {opJumpIfNumbers, opGoto, opLess, opGoto}},
      {"if (s = 1) or (i = s) then s := 0", {opJumpUnlessNotEqual, opJumpUnlessEqual, opMove},
       {opJumpIfNumbers, opGoto, opEqual, opGoto}},
      {"while (i >= 0) and (i < s * 2 - 1) do i := i - 1",
       {opJumpUnlessGreaterEq, opMul, opSub, opJumpUnlessLess, opSub, opJumpUnlessGreaterEq, opGoto},
       {opJumpIfNumbers, opGoto, opMul, opSub, opLess, opGoto}},
      {"repeat i := i + 1 until (i > 9) and (s mod 3 = 0) and (s / 2 < i)",
       {opAdd, opJumpUnlessGreater, opMod, opJumpUnlessEqual, opDivide, opJumpUnlessLess},
       {opJumpIfIntegers, opGoto, opJumpIfNumbers, opGoto, opMod, opEqual, opDivide, opLess, opGoto}},
      {"if (s = 1) or (i = 2) and (s = 3) then s := 0",
       {opJumpUnlessNotEqual, opEqual, opEqual, opJumpUnlessAnd, opMove}},
      {"if (i > 0) and not (s = i + 1) then s := 0", {opJumpUnlessGreater, opAdd, opEqual, opJumpUnlessNot, opMove},
       {opJumpIfNumbers, opGoto, opAdd, opEqual, opNot, opGoto}},
      {"while (i < 9) and ((s > 2) or (i = 3)) do i := i + 1",
       {opJumpUnlessLess, opGreater, opEqual, opJumpUnlessOr, opAdd, opJumpUnlessLess, opGoto},
       {opJumpIfNumbers, opGoto, opGreater, opEqual, opOr, opGoto}},
      // and those that may not stop early
      {"if (i > 0) and not (s + 1) then s := 0", {opGreater, opAdd, opNot, opJumpUnlessAnd, opMove}},
      // a variable may hold a Boolean when looked at and an integer when the
      // term is decided on, where not, and, or and xor are bitwise
      {"if (i > 0) and not s and (i < 5) then s := 0", {opGreater, opNot, opAnd, opLess, opJumpUnlessAnd, opMove}},
      {"if (s < i) or (i = 0) then s := 0", {opLess, opEqual, opJumpUnlessOr, opMove}},
      {"if (s = 1) or (i < 2) or (i = 0) then s := 0", {opEqual, opLess, opOr, opEqual, opJumpUnlessOr, opMove}},
      {"if (s > 1) and (i < 'x') then s := 0", {opGreater, opLess, opJumpUnlessAnd, opMove}},
      {"if (s > 1) and (i + TADD(i, 1) < 2) then s := 0",
       {opGreater, opMove, opCall, opData, opAdd, opLess, opJumpUnlessAnd, opMove}},
      {"if (s > 1) and (i div 0 < 2) then s := 0", {opGreater, opIntDiv, opLess, opJumpUnlessAnd, opMove}},
      {"if (s > 1) and ((s + i) mod 5 < 2) then s := 0", {opGreater, opAdd, opMod, opLess, opJumpUnlessAnd, opMove}},
      // a sum built in its own text variable, which a guard after the
      // program lets grow where it is when every term holds a text; a
      // variable declared as a number is summed as written
      {"t := t + '<' + i + '>'", {opJumpIfStrings, opAdd, opAdd, opAddTaking}, {opAdd, opAdd, opAdd, opGoto}},
      {"t := t + u + 'x' + i", {opJumpIfStrings, opAdd, opAdd, opAddTaking},
       {opJumpIfStrings, opGoto, opAdd, opAdd, opAdd, opGoto}},
      {"s := s + '<' + i + '>'", {opAdd, opAdd, opAdd}},
      {"t := t + i + t", {opAdd, opAddTaking}},
      {"t := t + 1 + 'x'", {opAdd, opAddTaking}},
      {"t := i + t + 'x'", {opAdd, opAddTaking}},
      // with calls before the first `+`, a guard that the variable still
      // holds its copy's text
      {"t := t + TADD(i, 1) + 'x'", {opMove, opCall, opData, opJumpIfSameText, opAdd, opAddTaking},
       {opJumpIfStrings, opGoto, opMove, opAdd, opAdd, opGoto}},
      // with texts added before the calls, the calls made a second time
      // after the program, on the shared text when the variable holds one,
      // each value kept once it is known to be a text; the variable itself
      // added before a call leaves the sum as written
      {"t := t + '<' + '(' + TADD(i, 1) + '>'", {opJumpIfStrings, opAdd, opAdd, opCall, opData, opAdd, opAddTaking},
       {opMove, opCall, opData, opJumpIfSameText, opGoto, opJumpIfStrings, opGoto, opAdd, opAdd, opGoto, opMove, opAdd,
        opAdd, opAdd, opAdd, opGoto}},
      {"t := t + ',' + TADD(i, 1)", {opJumpIfStrings, opAdd, opCall, opData, opAddTaking},
       {opMove, opCall, opData, opJumpIfSameText, opGoto, opJumpIfStrings, opGoto, opAdd, opGoto, opMove, opAdd, opAdd,
        opGoto}},
      {"t := t + ',' + u + TADD(i, 1)", {opJumpIfStrings, opAdd, opAdd, opCall, opData, opAddTaking},
       {opMove, opJumpIfStrings, opGoto, opMove, opCall, opData, opJumpIfSameText, opGoto, opJumpIfStrings, opGoto,
        opAdd, opAdd, opGoto, opAdd, opAdd, opGoto, opMove, opAdd, opAdd, opAdd, opGoto}},
      {"t := t + ',' + t + TADD(i, 1)", {opAdd, opAdd, opCall, opData, opAddTaking}},
      {"t := t + TADD(i, 1) + 'x' + TADD(i, 2)",
       {opJumpIfStrings, opMove, opCall, opData, opAdd, opAdd, opCall, opData, opAddTaking},
       {opMove, opCall, opData, opJumpIfStrings, opGoto, opMove, opCall, opData, opJumpIfSameText, opGoto,
        opJumpIfStrings, opGoto, opAdd, opAdd, opGoto, opAdd, opGoto, opMove, opAdd, opAdd, opAdd, opGoto}},
      // a number added keeps its constant form; a variable's own sum is
      // made where it is
      {"t := i * 2 + 1", {opMul, opAdd}},
      {"t := i * 2 + 0.5", {opMul, opAdd}},
      {"t := t + i * 2", {opMul, opAdd}},
  };
  for (const auto& c : cases) {
    TBinProg p = Load(std::string("var s, i: integer; t, u: string; begin ") + c.statement + " end.");
    std::vector<int32_t> ops = Ops(p);
    const auto stop = std::find(ops.begin(), ops.end(), opStop);
    ASSERT_NE(stop, ops.end());
    EXPECT_EQ(std::vector<int32_t>(ops.begin() + 1, stop), c.ops) << c.statement;
    EXPECT_EQ(std::vector<int32_t>(stop + 1, ops.end()), c.deferred) << c.statement;
  }
}

TEST_F(ImageTest, IdentifiersOfRoutinesAndClasses) {
  std::string image;
  TKelCompiler compiler(
      "type TForm1 = class(TForm)\n procedure Button1Click(Sender: TObject);\n end;\n"
      "var g: integer;\n"
      "procedure TForm1.Button1Click(Sender: TObject);\n var loc: string;\n begin end;\n"
      "function F(a: integer; var b: string): integer; begin end;\n"
      "begin end.",
      image);
  compiler.Compile();
  const TIdentList& ids = compiler.Identifiers();
  EXPECT_EQ(compiler.ParentClassName(), "TFORM");
  const TIdentListItem& click = ids.at("TFORM1.BUTTON1CLICK");
  EXPECT_EQ(click.Kind, TIdentListItem::kRoutine);
  EXPECT_TRUE(click.HasBody);
  EXPECT_EQ(click.ParamNames, std::vector<std::string>{"SENDER"});
  EXPECT_EQ(ids.at("TFORM1.BUTTON1CLICK.SENDER").TypeName, "TOBJECT");
  EXPECT_EQ(ids.count("TFORM1.BUTTON1CLICK.RESULT"), 1u);
  EXPECT_EQ(ids.count("TFORM1.BUTTON1CLICK.LOC"), 1u);
  // The class prefix stays for the declarations after the class.
  EXPECT_EQ(ids.count("TFORM1.G"), 1u);
  const TIdentListItem& f = ids.at("TFORM1.F");
  EXPECT_EQ(f.TypeName, "INTEGER");
  EXPECT_EQ(f.ParamIsVar, (std::vector<bool>{false, true}));
}

}  // namespace
}  // namespace orv
