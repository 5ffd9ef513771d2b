#include "core/script/runner.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

#include "core/script/dyna_vars.h"
#include "core/script/vm_test_support.h"
#include "platform/run_limits.h"

namespace orv {
namespace {

using vmtest::Log;
using vmtest::TTestObject;
using vmtest::VmTest;

// x after running a script that declares x and assigns it.
struct ValueCase {
  const char* body;  // statements of the main block
  const char* x;     // expected AsString() of x
};

const ValueCase kValues[] = {
    {"x := 1 + 2 * 3", "7"},
    {"x := (1 + 2) * 3", "9"},
    {"x := 7 div 2 + 7 mod 2", "4"},
    {"x := 7 / 2", "3.5"},
    {"x := 1 shl 4 or 1", "17"},
    {"x := -2 * 3", "-6"},
    {"x := 2 - -1", "3"},
    {"x := 2 - 1 -- 5", "1"},
    {"x := not 0 = -1", "True"},
    {"x := not (1 = 2)", "True"},
    {"x := 'ab' + 'cd'", "abcd"},
    {"x := 1; if x = 1.0 then x := 'eq' else x := 'ne'", "ne"},
    {"x := 1; if x >= 1.0 then x := 'ge' else x := 'lt'", "ge"},
    {"x := 1; if x = 1 then x := 'eq' else x := 'ne'", "eq"},
    {"x := 1 <> 1.0", "True"},
    {"x := 'a' < 'b'", "True"},
    {"x := 'ab' = 'abc'", "False"},
    {"x := 'abc'; x := x <> 'ab'", "True"},
    {"x := 'abc'; if x = 'ab' then x := 1 else x := 2", "2"},
    {"x := 'ab'; if x <> 'abd' then x := 1 else x := 2", "1"},
    {"x := 'abd'; if x = 'abd' then x := 1 else x := 2", "1"},
    {"x := 2147483647 + 1", "2147483648"},
    {"x := 65536 * 65536", "4294967296"},
    {"x := -7 div 2", "-3"},
    {"x := -7 mod 2", "-1"},
    {"x := -7; x := x div -2", "3"},
    {"x := 7; x := x mod -3", "1"},
    {"x := 5; x := x div 1", "5"},
    {"x := 5; x := x mod -1", "0"},
    {"x := -2147483647 - 1; x := x div -1", "2147483648"},
    {"x := -2147483647 - 1; x := x mod -1", "0"},
    {"x := -2147483647 - 1; x := x div 2", "-1073741824"},
    {"x := -2147483647 - 1; x := x mod 2147483647", "-1"},
    {"x := 2147483647; x := x div -2147483647", "-1"},
    {"x := 2147483647; x := x + 1; x := x - 1", "2147483647"},
    {"x := 7.5; x := x * 2", "15"},
    {"x := $0FF + 0x10", "271"},
    {"x := 0; while x < 10 do x := x + 3", "12"},
    {"x := 0; repeat x := x + 1 until x >= 5", "5"},
    {"x := 0; if x = 0 then begin x := 1; x := x + 1 end else x := 9", "2"},
    {"x := 10; if TNOTHING then x := 1 else x := 2", "2"},
    {"x := TNOTHING", ""},
    {"x := TADD(TADD(1, 2), 3)", "6"},
    {"x := TSUM(1, 2, 3)", "6"},
    {"x := TSUM([1, 2, 3])", "6"},
    {"x := TSUM([])", "0"},
    {"x := TTAG('n', [1, 2])", "n:2"},
    {"x := mbMiddle + ssDouble", "8"},
    {"x := (1 < 2) and (3 > 2)", "True"},
    {"x := (1 > 2) or not (3 > 2)", "False"},
    {"x := True xor True", "False"},
    {"x := 6 and 3", "2"},
    {"x := 'Line'#9'tab'", "Line\ttab"},
    {"x := 0; while (x < 10) and (x <> 5) do x := x + 1", "5"},
};

TEST_F(VmTest, ExpressionsAndStatements) {
  for (const ValueCase& c : kValues) {
    SCOPED_TRACE(c.body);
    EXPECT_EQ(RunX(std::string("var x: variant; begin ") + c.body + "\nend."), c.x);
  }
}

// A condition whose last operation is and, or, xor or not jumps on that
// operation; it must decide, and fail, exactly as testing the value the
// operation gives does, whatever the operands' kinds. So must a chain of
// comparisons joined by or (and) that stops at the first that holds
// (fails): it may skip only comparisons that cannot fail.
TEST_F(VmTest, LogicJumpsDecideAsTheirValues) {
  const char* conditions[] = {
      "(a > 1) and (b < 5)", "(a > 1) or (b < 5)", "(a > 1) xor (b < 5)", "not (a > 1)",
      "6 and a",             "a or 0",             "a xor 3",             "not a",
      "not (a - 1)",         "s and True",         "True or s",           "not s",
      "(a > 1) and a",       "r or (b < 5)",       "(a = 2) xor r",       "not r",
      // chains that stop early: the comparisons skipped cannot fail
      "(a = 2) or (b = 3) or (s = 'no')", "(a <> 2) or (s = 3)", "(a = 0) or (r = 1.5) or (b <> 9)",
      "(a > 1) and (b = 3) and (s <> 'yes')", "(a <= 0) and (v = 3)", "(a = 2) or (v <> [[1]])",
      "(v = 2) or (a = 2)", "(3 = a) or (1.5 = r) and (b = 9)",
      // and those that may not: each comparison is made, and may fail
      "(a = 2) or (s < 3)", "(a = 2) or (v = v)", "(a > 1) and (s >= 1)", "(a < 1) or (b = 3)",
      "(a = 2) or (b = a)", "(a = 2) or (b = 3) and (s < 1)", "(a = 2) or ((b = 3) or (s < 1))",
      // chains that stop early when the variables passed over hold numbers,
      // and otherwise make the comparisons they would pass over
      "(a > 1) and (b * 2 - a < 5)", "(a > 1) and (s * 2 < 5)", "(a = 2) or (r / 2 > b)", "(a = 2) or (s / 2 > b)",
      "(a > 0) and (b mod 2 = 1) and (r < a)", "(a > 0) and (r mod 2 = 1)", "(a < 0) and (v < 1)",
      "(a < 0) and (-b < r * 2)", "(a <= 0) and (x + 1 > 0) and (b = 3) and (r > a) and (s <> 'no')",
      "(a <= 0) and (b div 3 = 0)", "(a = 0) or (b * b * b * b * b > 5)", "(a > 1) and (b = a)",
      "(a > 1) and not f", "(a > 1) and (f or (b = 3))", "(a > 1) and not (b = 2) and (f xor (r < 2))",
      "(a > 1) and not x", "(a > 1) and (s and f)", "(a = 2) or not f", "(a <= 0) and not b and not x",
      "(a < 1) and not a and not (b + 2)", "(a < 0) and not a and not b",
  };
  for (const char* condition : conditions) {
    for (const char* values : {"a := 2; b := 3;", "a := 0; b := 9;", "a := -1; b := 1;", "a := 0; b := 'q';",
                               "a := -1; b := 2.5;", "a := 0; b := 2147483647;", "a := -7; b := -2;"}) {
      const std::string head =
          std::string("var x, v: variant; a, b: integer; s: string; r: double; c: variant; f: boolean;\nbegin ") +
          values + " s := 'yes'; r := 1.5; x := 0; v := [[1, 2]]; f := b > 2;\n";
      const std::string jumped = head + "if " + condition + " then x := 1;\n" +
                                 "while " + condition + " do begin x := x + 10; a := a + 7; b := 0 end\nend.";
      const std::string tested = head + "c := " + condition + "; if c then x := 1;\n" +
                                 "c := " + condition + "; while c do begin x := x + 10; a := a + 7; b := 0; c := " +
                                 condition + " end\nend.";
      const std::string outcome = RunXOrError(jumped);
      EXPECT_EQ(outcome.find("Syntax error"), std::string::npos) << outcome;
      EXPECT_EQ(outcome, RunXOrError(tested)) << condition << " with " << values;
    }
  }
}

// A comparison with an integer constant has a step of its own; whatever the
// other operand's kind, it must decide, and fail, as the same comparison
// with the number in a variable does.
TEST_F(VmTest, ComparisonsWithAnIntegerConstantDecideAsWithAVariable) {
  for (const char* value : {"2.5", "-0.5", "0.0", "3.0", "3", "-4", "'abc'", "'3'", "True", "Nil"}) {
    for (const char* op : {"=", "<>", "<", "<=", ">", ">="}) {
      const std::string head = std::string("var x, y, n, c: variant;\nbegin x := ") + value + "; n := 3; y := 0;\n";
      const std::string constant = head + "y := x " + op + " 3; if x " + op + " 3 then y := y + 10\nend.";
      const std::string variable = head + "y := x " + op + " n; c := x " + op + " n; if c then y := y + 10\nend.";
      const std::string outcome = RunXOrError(constant);
      EXPECT_EQ(outcome.find("Syntax error"), std::string::npos) << outcome;
      EXPECT_EQ(outcome, RunXOrError(variable)) << "x := " << value << "; x " << op << " 3";
    }
  }
}

// `/` by a constant power of two multiplies by the constant's reciprocal;
// whatever the dividend, the quotient (to the last bit, and the sign of a
// zero) or the error must be what dividing by the same number held in a
// variable gives.
TEST_F(VmTest, DividingByAPowerOfTwoGivesWhatDividingByAVariableGives) {
  // Statements that set the dividend v: among them the largest reals, a
  // real below the smallest normal one, and the smallest real of all.
  const char* dividends[] = {
      "v := 7", "v := -7", "v := 0", "v := 2147483647", "v := 2.5", "v := -0.0",
      "v := 1.5; for i := 1 to 1023 do v := v * 2", "v := -0.75; for i := 1 to 1024 do v := v * 0.5",
      "v := 0.75; for i := 1 to 1071 do v := v * 0.5", "v := 1.0; for i := 1 to 1074 do v := v * 0.5",
      "v := '12'", "v := 'abc'", "v := True", "v := Nil", "v := [[1]]",
  };
  for (const char* divisor : {"2", "-4", "1", "-1", "1073741824", "0.5", "2.0", "-0.25", "1024.0", "3", "0.75"}) {
    for (const char* dividend : dividends) {
      const std::string head = std::string("var x, n, v, i: variant;\nbegin ") + dividend + "; n := " + divisor + ";\n";
      const std::string constant = head + "x := v / " + divisor + "\nend.";
      const std::string variable = head + "x := v / n\nend.";
      const std::string outcome = RunXOrError(constant);
      ASSERT_EQ(outcome.find("Syntax error"), std::string::npos) << outcome;
      ASSERT_EQ(outcome, RunXOrError(variable)) << dividend << "; v / " << divisor;
      if (outcome.starts_with("error: ")) continue;
      const Variant x = Var(*Run(constant), "X");
      const Variant y = Var(*Run(variable), "X");
      ASSERT_EQ(x.Type(), varDouble) << dividend << "; v / " << divisor;
      ASSERT_EQ(y.Type(), varDouble) << dividend << "; v / " << divisor;
      EXPECT_EQ(std::bit_cast<uint64_t>(x.DoubleField()), std::bit_cast<uint64_t>(y.DoubleField()))
          << dividend << "; v / " << divisor;
    }
  }
}

// The negation of a real is the real of the other sign, as multiplying it
// by -1 gives (signed zeros included); other kinds are negated as before.
TEST_F(VmTest, NegatingKeepsTheKindAndTheSign) {
  for (const char* value : {"2.5", "-0.5", "0.0", "-0.0", "123456789.75"}) {
    auto r = Run(std::string("var x, y, z: variant; begin z := ") + value + "; x := -z; y := z * -1 end.");
    const Variant& x = Var(*r, "X");
    const Variant& y = Var(*r, "Y");
    ASSERT_EQ(x.Type(), varDouble) << value;
    ASSERT_EQ(y.Type(), varDouble) << value;
    EXPECT_EQ(x.DoubleField(), y.DoubleField()) << value;
    EXPECT_EQ(std::signbit(x.DoubleField()), std::signbit(y.DoubleField())) << value;
  }
  EXPECT_EQ(RunX("var x, z: variant; begin z := -2147483647 - 1; x := -z end."), "2147483648");
  EXPECT_EQ(RunX("var x, z: variant; begin z := '5'; x := -z end."), "-5");
}

TEST_F(VmTest, ArrayLiteralHoldsItsCountInElementZero) {
  auto r = Run("var x: variant; begin x := [[4, 'five', 6.5]] end.");
  const Variant& x = Var(*r, "X");
  ASSERT_TRUE(x.IsArray());
  EXPECT_EQ(x.ArrayHigh(), 3);
  EXPECT_EQ(x.Element(0).AsInteger(), 3);
  EXPECT_EQ(x.Element(2).AsString(), "five");
  EXPECT_EQ(x.Element(3).AsString(), "6.5");
}

// s := s + x runs as one step that appends in place; values that share the
// text keep theirs, and a failing append leaves the variable alone.
TEST_F(VmTest, AppendingToAVariable) {
  auto r = Run("var i: integer; s, kept, twice: string;\n"
               "begin s := 'a'; kept := s; s := s + 'b'; twice := s; twice := twice + twice;\n"
               "  for i := 1 to 50000 do s := s + 'xy'\n"
               "end.");
  EXPECT_EQ(Var(*r, "KEPT").AsString(), "a");
  EXPECT_EQ(Var(*r, "TWICE").AsString(), "abab");
  std::string s = Var(*r, "S").AsString();
  EXPECT_EQ(s.size(), 100002u);
  EXPECT_EQ(s.substr(0, 6), "abxyxy");
  TKelRuner failing("var s: string; begin s := 'ab'; s := s + 1 end.");
  failing.KeepIdents = true;
  EXPECT_THROW(failing.Run(), EConvertError);
  EXPECT_EQ(Var(failing, "S").AsString(), "ab");
  EXPECT_EQ(RunX("var x: integer; begin x := 2147483647; x := x + 1 end."), "2147483648");
}

TEST_F(VmTest, ForLoopLimitIsReadEveryRound) {
  EXPECT_EQ(RunX("var x, i, n: integer; begin n := 3; x := 0;"
                 " for i := 1 to n do begin x := x + 1; if i = 1 then n := 5 end end."),
            "5");
  auto r = Run("var i, n: integer; begin n := 4; for i := 1 to n do TLOG(i) end.");
  EXPECT_EQ(Var(*r, "I").AsInteger(), 5);  // the first value past the limit
  EXPECT_EQ(Log(), "1|2|3|4|");
  Log().clear();
  r = Run("var i: integer; begin for i := 3 downto 1 do TLOG(i) end.");
  EXPECT_EQ(Var(*r, "I").AsInteger(), 0);
  EXPECT_EQ(Log(), "3|2|1|");
  r = Run("var i: integer; begin for i := 5 to 1 do TLOG(i) end.");
  EXPECT_EQ(Var(*r, "I").AsInteger(), 5);
}

TEST_F(VmTest, LabelsAndGoto) {
  EXPECT_EQ(RunX("label again, done; var x: integer;\n"
                 "begin x := 0;\n again: x := x + 1; if x < 3 then goto again; goto done;\n"
                 " x := 100;\n done:\n end."),
            "3");
}

TEST_F(VmTest, ScriptRoutines) {
  EXPECT_EQ(RunX("var x: integer;\n"
                 "function Twice(a: integer): integer; begin Result := a * 2 end;\n"
                 "begin x := Twice(Twice(3)) end."),
                 "12");
  EXPECT_EQ(RunX("var x, y: integer;\n"
                 "procedure Swap(var a, b: integer); var t: integer; begin t := a; a := b; b := t end;\n"
                 "begin x := 1; y := 2; Swap(x, y) end."),
            "2");
  // Nested routines see the variables of the routines around them.
  EXPECT_EQ(RunX("var x: integer;\n"
                 "procedure A; var p: integer;\n"
                 "  procedure B; procedure C; begin x := p + 1 end; begin C end;\n"
                 "begin p := 41; B end;\n"
                 "begin A end."),
            "42");
  // A forward declaration followed by the body.
  EXPECT_EQ(RunX("var x: integer; procedure P; forward; procedure Q; begin P end;"
                 " procedure P; begin x := 5 end; begin Q end."),
            "5");
  // Without parameters a function is a statement only.
  EXPECT_EQ(RunX("var x: integer; function F: integer; begin x := 3 end; begin F end."), "3");
}

TEST_F(VmTest, RecursionSharesStaticSlots) {
  Run("procedure Down(n: integer); begin if n > 0 then Down(n - 1); TLOG(n) end;\n"
      "begin Down(3) end.");
  EXPECT_EQ(Log(), "0|0|0|0|");
}

// All arguments are evaluated before any parameter slot is written, so an
// argument that reads the routine's own parameters sees the caller's values.
TEST_F(VmTest, ArgumentsAreEvaluatedBeforeParametersAreSet) {
  EXPECT_EQ(RunX("var x: integer;\n"
                 "function F(a, b: integer): integer; begin Result := a * 10 + b end;\n"
                 "begin x := F(1, F(2, 3)) end."),
            "33");
  Run("procedure P(a, b: integer); begin TLOG(a); TLOG(b); if a > 0 then P(a - 1, a) end;\n"
      "begin P(2, 9) end.");
  EXPECT_EQ(Log(), "2|9|1|2|0|1|");
}

TEST_F(VmTest, ResultInsideAndOutsideFunctions) {
  InternalVars().Result = Variant(10);
  EXPECT_EQ(RunX("var x: integer; function F: integer; begin Result := Result + 1 end;"
                 " begin F; x := F.Result end."),
            "11");
  EXPECT_EQ(InternalVars().Result.AsInteger(), 10);
  Run("begin Result := Result * 2 end.");
  EXPECT_EQ(InternalVars().Result.AsInteger(), 20);
}

TEST_F(VmTest, HostVarParametersAndResult) {
  auto r = Run("var a, b, r: integer; begin a := 1; b := 2; r := TSWAP(a, b) end.");
  EXPECT_EQ(Var(*r, "A").AsInteger(), 2);
  EXPECT_EQ(Var(*r, "B").AsInteger(), 1);
  EXPECT_EQ(Var(*r, "R").AsInteger(), 7);
  Run("begin TPROC; TLOG('x'); TADD(1, 2) end.");
  EXPECT_EQ(Log(), "P|x|");
}

// A host routine may register other routines while it runs; its own entry,
// the name it was handed and its var arguments must stay valid (run under
// the address sanitizer, a moved entry would be a use after free).
TEST_F(VmTest, HostRoutineRegisteringOthersWhileItRuns) {
  RegisterFunc("TGROW", [](TObject*, const std::string& name, ArgBlock& a, Variant& result) {
    for (int i = 0; i < 2000; ++i)
      RegisterProc("TGROWN" + std::to_string(i), [](TObject*, const std::string&, ArgBlock&, Variant&) {}, {pkNone});
    a[0] = Variant(name);
    result = Variant(int32_t{1});
  }, {pkVar});
  auto r = Run("var n: variant; r: integer; begin r := TGROW(n) end.");
  EXPECT_EQ(Var(*r, "N").AsString(), "TGROW");
  EXPECT_EQ(Var(*r, "R").AsInteger(), 1);
}

// `script` run once with the test objects by name, its identifiers kept.
std::unique_ptr<TKelRuner> RunWithObjects(const char* script,
                                          std::initializer_list<std::pair<const char*, TObject*>> objects) {
  auto runner = std::make_unique<TKelRuner>(script);
  runner->KeepIdents = true;
  for (const auto& [name, object] : objects) runner->Objects.Add(name, object);
  runner->Run();
  return runner;
}

// The text of the variable `name` after a run of RunWithObjects.
std::string VarText(TKelRuner& runner, const char* name) {
  return runner.Program()->Vars[static_cast<size_t>(runner.Identifiers.at(name).Index)].AsString();
}

// The item of the test object that an index of TTESTBASE.CELLS names.
std::string& CellOf(TObject* self, const Variant& index) {
  return static_cast<TTestObject*>(self)->items.at(static_cast<size_t>(index.AsInteger()));
}

// Where the shortcuts of TTESTBASE.CELLS apply: an object, and an integer
// index below 2.
bool CellShortcutApplies(TObject* self, const Variant& index) {
  return self != nullptr && index.Type() == varInteger && index.IntegerField() < 2;
}

// An indexed property with shortcuts: the runner reads and writes through a
// shortcut where it applies and through the property's routines where the
// shortcut declines, with the same values either way; registering the name
// anew without shortcuts drops them.
TEST_F(VmTest, ElementShortcutsAndTheirFallback) {
  RegisterIndexedProp(
      "TTESTBASE.CELLS",
      [](TObject* self, const std::string&, ArgBlock& a, Variant& r) {
        Log() += "Rr" + a[0].AsString() + "|";
        r = Variant(CellOf(self, a[0]));
      },
      [](TObject* self, const std::string&, ArgBlock& a, Variant&) {
        Log() += "Rw" + a[0].AsString() + "|";
        CellOf(self, a[0]) = a[1].AsString();
      },
      [](TObject* self, const Variant* const* args, Variant& r) {
        if (!CellShortcutApplies(self, *args[0])) return false;
        Log() += "Sr" + args[0]->AsString() + "|";
        r = Variant(CellOf(self, *args[0]));
        return true;
      },
      [](TObject* self, const Variant* const* args, Variant&) {
        if (!CellShortcutApplies(self, *args[0])) return false;
        Log() += "Sw" + args[0]->AsString() + "|";
        CellOf(self, *args[0]) = args[1]->AsString();
        return true;
      });
  TTestObject one;
  auto runner = RunWithObjects(
      "var i: integer; w, x, y, z: string;\n"
      "begin\n"
      "  One.Cells[0] := 'p'; One.Cells[2] := 'q'; i := 1; One.Cells[i] := One.Cells[0] + '!';\n"
      "  w := One.Cells[0]; x := One.Cells[2]; y := One.Cells[1.0]; z := One.Cells[i]\n"
      "end.",
      {{"One", &one}});
  EXPECT_EQ(Log(), "Sw0|Rw2|Sr0|Sw1|Sr0|Rr2|Rr1|Sr1|");
  EXPECT_EQ(one.items, (std::vector<std::string>{"p", "p!", "q"}));
  EXPECT_EQ(VarText(*runner, "W"), "p");
  EXPECT_EQ(VarText(*runner, "X"), "q");
  EXPECT_EQ(VarText(*runner, "Y"), "p!");
  EXPECT_EQ(VarText(*runner, "Z"), "p!");

  RegisterIndexedProp("TTESTBASE.CELLS", 1, [](TObject*, const std::string&, ArgBlock&, Variant&) {});
  EXPECT_EQ(FunctionAt(FindFunction("TTESTBASE.CELLS")).Shortcut, nullptr);
}

TEST_F(VmTest, ObjectsPropertiesAndTheClassChain) {
  TTestObject one, two;
  two.text = "from two";
  auto runner = RunWithObjects(
      "var o: TTestDerived; x, y, z: string;\n"
      "begin\n"
      "  x := One.Name;\n"
      "  One.Text := Two.Text;\n"      // the setter's Self is One, not Two
      "  One.Items[1] := Two.Text + '!';\n"
      "  y := One.Items[1];\n"
      "  o := Two; o.Text := 'via var'; z := o.Text\n"
      "end.",
      {{"One", &one}, {"Two", &two}});
  auto var = [&](const char* n) { return VarText(*runner, n); };
  EXPECT_EQ(var("X"), "TTestDerived.NAME");
  EXPECT_EQ(one.text, "from two");
  EXPECT_EQ(one.items[1], "from two!");
  EXPECT_EQ(var("Y"), "from two!");
  EXPECT_EQ(two.text, "via var");
  EXPECT_EQ(var("Z"), "via var");
}

TEST_F(VmTest, DynamicVariables) {
  static Variant stored;
  RegisterDynaVars(
      "vmtest", nullptr, [](int32_t) { return stored; },
      [](int32_t, const Variant& v) { stored = v; },
      [](const std::string& name) { return name == "DV" || name == "SHADOW" ? 0 : -1; });
  stored = Variant(5);
  EXPECT_EQ(RunX("var x: integer; begin DV := DV + 1; x := DV end."), "6");
  EXPECT_EQ(stored.AsInteger(), 6);
  // Assignments find script variables first, operands dynamic variables first.
  auto r = Run("var shadow: integer; begin shadow := 1; DV := shadow + 10 end.");
  EXPECT_EQ(Var(*r, "SHADOW").AsInteger(), 1);
  EXPECT_EQ(stored.AsInteger(), 16);
  UnregisterDynaVars("vmtest");
}

TEST_F(VmTest, GlobalsPersistBetweenRuns) {
  TKelRuner runner("var n: integer; begin n := n + 1; TLOG(n) end.");
  runner.Run();
  runner.Run();
  EXPECT_EQ(Log(), "1|2|");
}

TEST_F(VmTest, CompileOnlyAndFailedCompilation) {
  TKelRuner only("begin TLOG('ran') end.");
  only.CompileOnly = true;
  only.Run();
  EXPECT_TRUE(only.Compiled());
  EXPECT_EQ(Log(), "");
  TKelRuner bad("begin x end.");
  EXPECT_THROW(bad.Run(), ECompilerError);
  EXPECT_FALSE(bad.Compiled());
  EXPECT_THROW(bad.Run(), ECompilerError);
}

TEST_F(VmTest, RunningOneRoutineAsAnEventHandler) {
  TKelRuner runner(
      "var hits: integer;\n"
      "procedure Handler(n: integer); begin hits := hits + n; TLOG(hits) end;\n"
      "begin TLOG('main') end.");
  runner.KeepIdents = true;
  runner.CompileOnly = true;
  runner.Run();
  TBinProg& p = *runner.Program();
  const TIdentListItem& handler = runner.Identifiers.at("HANDLER");
  p.Vars[runner.Identifiers.at("HANDLER.N").Index] = Variant(2);
  p.ReturnDepth = 7;  // left over from an execution that failed
  Execute(p, p.Labels[handler.Index]);
  Execute(p, p.Labels[handler.Index]);
  EXPECT_EQ(Log(), "2|4|");
  EXPECT_EQ(p.ReturnDepth, 0);
}

TBinProg* g_program = nullptr;
int32_t g_start = 0;

// A host routine that runs a routine of the program that is executing.
TEST_F(VmTest, NestedExecutionKeepsTheOuterReturnStack) {
  RegisterProc("TREENTER", [](TObject*, const std::string&, ArgBlock&, Variant&) {
    Execute(*g_program, g_start);
  }, {pkNone});
  TKelRuner runner(
      "procedure H; begin TLOG('h') end;\n"
      "procedure Outer; begin TREENTER; TLOG('o') end;\n"
      "begin Outer; TLOG('m') end.");
  runner.KeepIdents = true;
  runner.CompileOnly = true;
  runner.Run();
  g_program = runner.Program();
  g_start = g_program->Labels[runner.Identifiers.at("H").Index];
  Execute(*g_program, 0);
  EXPECT_EQ(Log(), "h|o|m|");
}

TEST_F(VmTest, RunTimeErrors) {
  auto error = [this](const std::string& source) -> std::string {
    try {
      Run(source);
    } catch (const Exception& e) {
      return e.what();
    }
    return "(no error)";
  };
  EXPECT_EQ(error("procedure P; begin P end; begin P end."), "Return stack overflow");
  EXPECT_EQ(error("var x: integer; begin while True do x := x + 1 end."), "Step limit exceeded");
  EXPECT_EQ(error("begin TFAIL end."), "test failure");
  EXPECT_THROW(Run("var x: integer; begin x := 1 div 0 end."), EVariantError);
  // A failing instruction leaves its target alone.
  TKelRuner runner("var x: integer; begin x := 5; x := x div 0 end.");
  runner.KeepIdents = true;
  EXPECT_THROW(runner.Run(), EVariantError);
  EXPECT_EQ(Var(runner, "X").AsInteger(), 5);
}

TEST_F(VmTest, SteppingOneInstructionAtATime) {
  std::string image;
  TKelCompiler compiler("begin TPROC end.", image);
  compiler.Compile();
  TBinProg p(image);
  int steps = 1;
  while (Step(p)) ++steps;
  EXPECT_EQ(steps, 3);  // goto, call (with its data word), stop
  EXPECT_EQ(Log(), "P|");
  // Stepping a loop ends where running it does.
  std::string image2;
  TKelCompiler loop("var i, s: integer; begin for i := 1 to 4 do s := s * 10 + i end.", image2);
  loop.Compile();
  TBinProg stepped(image2);
  steps = 1;
  while (Step(stepped)) ++steps;
  EXPECT_EQ(steps, 2 + 1 + 4 * 3 + 1);  // goto, start, test, four rounds, stop
  TBinProg run(image2);
  Execute(run, 0);
  for (int slot = 0; slot < 2; ++slot) EXPECT_EQ(run.Vars[slot].AsInteger(), stepped.Vars[slot].AsInteger());
  EXPECT_EQ(run.Vars[1].AsInteger(), 1234);
}

// After a run error, FailedLine gives the line of the statement that failed,
// also in a routine, a loop body or a statement written over two lines.
TEST_F(VmTest, FailedLineIsTheLineOfTheFailingStatement) {
  const struct {
    const char* source;
    int line;
  } cases[] = {
      {"var x: integer;\nbegin\n  x := 0;\n  x := 1 div x;\n  x := 2\nend.", 4},
      {"var x: integer;\nbegin\n  x := 5;\n  x := x +\n    'abc';\nend.", 4},
      {"var x: integer;\nprocedure P;\nbegin\n  x := 7 mod x\nend;\nbegin\n  x := 0;\n  P;\nend.", 4},
      {"var i, x: integer;\nbegin\n  for i := 3 downto 0 do\n    x := 12 div i;\nend.", 4},
      // a while loop's test, made at the bottom of the loop, keeps the line
      // it is written on, in the first round and in later ones
      {"var x: integer;\nbegin\n  x := 2;\n  while\n    6 div x > 0 do\n    x := x - 1;\nend.", 5},
      {"var x: integer;\nbegin\n  x := 0;\n  while 6 div x > 0 do\n    x := x - 1;\nend.", 4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.source);
    TKelRuner runner(c.source);
    EXPECT_ANY_THROW(runner.Run());
    ASSERT_NE(runner.Program(), nullptr);
    EXPECT_EQ(FailedLine(*runner.Program()), c.line);
  }
}

// An endless loop of any kind ends at the time limit with the line that was
// running when the clock was looked at: that of the jump back, which for a
// while loop is its test; a run under no limit, or one that ends in time,
// is not affected.
TEST_F(VmTest, TimeLimitEndsEndlessLoops) {
  const struct {
    const char* source;
    int line;
  } cases[] = {
      {"var x: integer;\nbegin\n  while True do\n    x := x + 1\nend.", 3},
      {"var x: integer;\nbegin\n  repeat\n    x := x - 1;\n  until x = 1\nend.", 5},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.source);
    TKelRuner runner(c.source);
    ScriptRunLimits limit(1, 0);
    try {
      runner.Run();
      ADD_FAILURE() << "no error";
    } catch (const ECompilerError& e) {
      EXPECT_EQ(std::string(e.what()), "Script ran longer than 1 seconds (line " + std::to_string(c.line) + ")");
      EXPECT_EQ(e.Line(), c.line);
      EXPECT_EQ(e.Text(), "Script ran longer than 1 seconds");
    }
  }
  {
    ScriptRunLimits outer(1, 0);
    ScriptRunLimits none(0, 0);  // keeps the outer limit
    ScriptRunLimits later(100, 0);
    TKelRuner runner("label a; begin a: goto a end.");
    EXPECT_THROW(runner.Run(), ECompilerError);
  }
  TKelRuner quick("var i, s: integer; begin for i := 1 to 100000 do s := s + i; Result := s end.");
  ScriptRunLimits limit(1, 0);
  quick.Run();
  EXPECT_EQ(InternalVars().Result.AsString(), "5000050000");
}

// A host routine that runs a script which calls it again nests executions
// until the nesting limit ends them all with its error.
TEST_F(VmTest, NestedRunsAreBounded) {
  static int deepest = 0;
  static int depth = 0;
  RegisterProc("TAGAIN", [](TObject*, const std::string&, ArgBlock&, Variant&) {
    ++depth;
    deepest = std::max(deepest, depth);
    struct Leave {
      ~Leave() { --depth; }
    } leave;
    TKelRuner inner("begin TAGAIN end.");
    inner.Run();
  }, {pkNone});
  TKelRuner outer("begin TAGAIN end.");
  try {
    outer.Run();
    ADD_FAILURE() << "no error";
  } catch (const ECompilerError& e) {
    EXPECT_STREQ(e.what(), "Script runs nested too deeply (more than 100)");
  }
  EXPECT_EQ(deepest, kMaxNestedRuns);
  EXPECT_EQ(depth, 0);
  // Once they have ended, runs nest again from the start.
  TKelRuner after("var x: integer; begin x := 1 end.");
  EXPECT_NO_THROW(after.Run());
}

}  // namespace
}  // namespace orv
