// The compiler and the register machine against the plain reference
// interpreter: generated programs, and hand-written ones for the edges of
// the quick paths (overflow, reals, texts, division by zero, loops whose
// limits change), end alike: the same value in every variable, parameter
// and result, the same engine-wide Result, the same host calls, and the
// same error text at the same line.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <stdexcept>

#include "core/script/dyna_vars.h"
#include "core/script/lexer.h"
#include "core/script/program_generator.h"
#include "core/script/reference_interpreter.h"
#include "core/script/vm_test_support.h"
#include "platform/window.h"

namespace orv {
namespace {

using vmtest::Log;

// The programs are only compiled and run: the lexer need not let the
// message loop run before every token.
class EquivalenceTest : public vmtest::VmTest {
 protected:
  void SetUp() override {
    VmTest::SetUp();
    SetLexerMessageHook(nullptr);
  }
  void TearDown() override { SetLexerMessageHook(ProcessMessages); }
};

// Equal kinds and equal values; reals bit for bit (NaN equals NaN).
bool Same(const Variant& a, const Variant& b) {
  if (a.Type() != b.Type()) return false;
  if (a.IsReal()) {
    const double x = a.AsReal(), y = b.AsReal();
    return (std::isnan(x) && std::isnan(y)) || std::memcmp(&x, &y, sizeof x) == 0;
  }
  if (a.IsString()) return a.StringView() == b.StringView();
  if (a.IsArray()) {
    if (a.ArrayHigh() != b.ArrayHigh()) return false;
    for (int32_t i = 0; i <= a.ArrayHigh(); ++i)
      if (!Same(a.Element(i), b.Element(i))) return false;
    return true;
  }
  return a.ValueField() == b.ValueField();
}

std::string Show(const Variant& v) {
  return Variant::TypeName(v.Type()) + " " + (v.IsArray() ? "[...]" : v.AsString());
}

// Runs `source` on the reference and on the machine and compares how they
// end. Returns false when the reference ran out of its budget (nothing to
// compare).
bool ExpectSameOutcome(const std::string& source) {
  SCOPED_TRACE(source);
  InternalVars().Result = Variant();
  Log().clear();
  reference::TOutcome expected;
  try {
    expected = reference::Run(source, 4000);
  } catch (const std::invalid_argument& e) {
    ADD_FAILURE() << e.what();
    return true;
  }
  const std::string expected_log = Log();
  if (expected.exhausted) return false;

  InternalVars().Result = Variant();
  Log().clear();
  TKelRuner runner(source);
  runner.KeepIdents = true;
  runner.StepLimit = 20000000;
  std::string error;
  int32_t line = 0;
  try {
    runner.Run();
  } catch (const Exception& e) {
    error = e.what();
    if (runner.Program() != nullptr) line = FailedLine(*runner.Program());
  }
  EXPECT_NE(runner.Program(), nullptr) << error;
  if (runner.Program() == nullptr) return true;
  EXPECT_EQ(error, expected.error);
  if (!expected.error.empty()) {
    EXPECT_EQ(line, expected.line) << error;
  }
  EXPECT_EQ(Log(), expected_log);
  EXPECT_TRUE(Same(InternalVars().Result, expected.result))
      << "Result: " << Show(InternalVars().Result) << " / " << Show(expected.result);
  for (const auto& [name, value] : expected.variables) {
    const Variant& actual = runner.Program()->Vars[static_cast<size_t>(runner.Identifiers.at(name).Index)];
    EXPECT_TRUE(Same(actual, value)) << name << ": " << Show(actual) << " / " << Show(value);
  }
  return true;
}

TEST_F(EquivalenceTest, GeneratedProgramsEndAsTheReferenceSays) {
  int compared = 0;
  for (uint32_t seed = 1; seed <= 600; ++seed) {
    const std::string source = testing_programs::GenerateProgram(seed);
    if (ExpectSameOutcome(source)) ++compared;
    if (HasFailure()) {
      ADD_FAILURE() << "first difference with the program of seed " << seed;
      return;
    }
  }
  // Most programs finish within the reference's budget.
  EXPECT_GT(compared, 500);
}

// The edges of the quick paths, each run to its end and compared whole.
TEST_F(EquivalenceTest, QuickPathEdgesEndAsTheReferenceSays) {
  const char* sources[] = {
      // integer overflow widens to a real, on every operator and in loops
      "var x, y: integer; begin x := 2147483646; y := x; x := x + 1; x := x + 1; y := y - 2147483647 - 10 end.",
      "var x, y: integer; begin y := 2147483647; x := y * 2 - 1; y := y + 1 - 3 end.",
      "var x, y: integer; begin x := -2147483647 - 1; y := x div -1; x := x mod -1; y := -x end.",
      "var x, y: integer; begin x := 46341; y := x * x; x := 65536 * 65536 end.",
      "var i, s: integer; begin for i := 2147483645 to 2147483647 do s := s + 1 end.",
      "var i, s: integer; begin for i := -2147483647 downto -2147483647 - 1 do s := s + 1 end.",
      // reals and integers mixed; division always real
      "var x, y: integer; begin y := 2.5; x := y * 2 + 1; y := x / 4; x := 7 / 2 end.",
      "var x, y: integer; begin x := 5; y := 2; x := (x + y * 1.5) - 1; y := (x * y - 1) * 0.5 end.",
      "var x, y: integer; begin x := 1.5; y := x - 1.5; x := x / y end.",
      "var x, y: integer; begin x := 0.1; y := x + 0.2 = 0.3; x := 1 = 1.0; y := 1 < 1.5 end.",
      // an integer, a text or nothing beside a real constant
      "var x, y: integer; begin x := 3; y := x + 2.5; x := x * 0.5 - 1.25; y := 7 / 0.5; x := x - y * 1.5 end.",
      "var x, y: integer; begin x := -2147483647 - 1; y := x - 0.5; x := x * 2.0; y := y / 0.25 end.",
      "var x, y: integer; begin x := 4; y := x / 0.0 end.",
      "var x, y, s: integer; begin s := '2'; x := s + 1.5; y := x * 2.0; s := 'a'; x := s - 0.5 end.",
      "var x, y: integer; begin y := x + 0.5; x := y * 1.5 end.",
      // a constant written first: overflow, reals, texts, Booleans and errors in their order
      "var x, y: integer; begin x := 2147483647; y := 1 + x; y := -2 - x; x := 65536 * x; y := 0 - y end.",
      "var x, y, s: integer; begin s := '12'; x := 2 + s; y := 2 - s; x := 1.5 - s; y := 3 * x; x := 0.5 / y;\n"
      "y := 2.5 * (1 < 2); x := 1 - (1 < 2); s := 'ab'; x := 1 + s end.",
      "var x, y: integer; begin y := 0.0; x := 1 - y; x := 2 * y; x := 1.5 * y; x := 1.5 / y end.",
      "var x, y: integer; begin y := 2; x := 1 + y * 0.5; y := 0; x := 2.5 / y end.",
      // texts: joined, compared, read as numbers, and refused
      "var x, y, s: integer; begin s := 'ab'; x := s + 'c' + s; y := '2' + 3; x := x < s; s := s + s end.",
      "var x, s: integer; begin s := 'ab'; x := s; s := s + 'cd'; s := s + 1 end.",
      "var s, t, u: integer; begin s := ''; t := 'q'; u := s + t; u := t + s; s := s + s; u := t + u;\n"
      "t := 'x' + t; u := t + 'yz' + t; s := u + ''; u := '' + '' end.",
      "var x: integer; begin x := ' 12 ' * 2; x := 'True' and False; x := not 'False' end.",
      // division by zero with integer and constant operands
      "var x, y: integer; begin y := 7; x := y div 0 + 1; y := 1 end.",
      "var x, y: integer; begin y := 2147483647; x := y mod 0 end.",
      "var x, y: integer; begin x := 9; y := 4; x := (x + y * 2) mod 0; y := 1 end.",
      "var x, y: integer; begin x := 3; y := 8; y := (y div (x - 3)) * 2; x := 1 end.",
      "var x: integer; begin x := 1.5 / 0 end.",
      // div and mod by constants of every sign
      "var x, y: integer; begin x := -7; y := x div 2 + x mod 2 + x div -2 + x mod -2 + x mod 7 + x div 1 end.",
      "var x, y: integer; begin x := 2147483647; y := x div 3 + x mod 1000003 + (-x - 1) div 3 end.",
      // Booleans and bit operations
      "var x, y: integer; begin x := (1 < 2) and (3 > 2); y := x xor True; x := 6 and 3 or 8; y := not 0 end.",
      "var x: integer; begin x := 1 shl 31; x := x shr 1; x := -1 shl 33 end.",
      "var a, x: integer; begin a := 1 < 2; x := a and (3 > 2); x := a xor a; x := x or a; a := not x end.",
      "var a, x: integer; begin a := 1 < 2; x := 6; x := a and x end.",
      "var a, x: integer; begin a := 6; x := (1 < 2) or a end.",
      // bit operations with a constant last, on integers of every sign and on other kinds
      "var x, y: integer; begin x := -2147483647 - 1; y := x shr 31; y := x shl 1; x := x and 65535 end.",
      "var x, y: integer; begin x := -5; y := x shl 33 xor 7; x := x shr -1 or 2; y := y and -2 end.",
      "var a, x, y: integer; begin a := 1 < 2; x := a and 1; y := a xor 0; x := a or 6; a := 2.5 end.",
      "var x, y, s: integer; begin s := ' 12 '; x := s and 7; y := s shl 2; s := 1.5; x := s or 1 end.",
      "var x, y: integer; begin x := 1.5; y := x xor 3 end.",
      // loops whose limit changes or is kept
      "var i, n, s: integer; begin n := 3; for i := 1 to n do begin s := s + 1; if i = 1 then n := 5 end end.",
      "var i, n, s: integer; begin n := 3; for i := 1 to n + 1 do begin s := s + i; n := n - 1 end end.",
      "var i, n, s: integer; begin n := 3; for i := 1 to n * 2 do s := s + i end.",
      "var i, s: integer; begin for i := 1 to i + 3 do s := s + 1; s := s + i end.",
      "var i, n, s: integer; begin n := 6; for i := n downto n - 3 do s := s * 10 + i end.",
      "var i, n, s: integer; begin n := 'x'; for i := 1 to n do s := 1 end.",
      "var i, s: integer; begin for i := 1 to 3 do begin s := s + 1; i := 'a' end end.",
      "var i, s: string; begin s := '3'; for i := 1 to s + 1 do s := s + 'x' end.",
      // operands that a call in the same expression changes
      "var x, y: integer;\nfunction F(a: integer): integer; begin x := x + 10; Result := a end;\n"
      "begin x := 1; y := x + F(2); x := F(3) + x; y := y * 10 + F(1) - F(2) end.",
      "var x, y: integer; begin x := 1; y := 2; x := x + TSWAP(x, y); y := y * 10 + x end.",
      // host calls of three arguments to a data word: whole words and a last part-word, var
      // arguments in each word
      "var a, b, c, d: integer; begin a := 1; b := 'b'; c := 2.5; d := 'd';\n"
      "c := TJOIN8(a, b, c, d, a + 1, b, 7, b) + TJOIN8(d, d, d, d, d, d, d, d);\n"
      "a := TJOIN8(1, 2, 3, a, 5, 6, 'x', a);\n"
      "d := TJOIN8(c, a, b, d, 0, 0, 0, c) end.",
      "var x, y: integer;\nprocedure P(var a: integer; b: integer); begin a := a + b; x := x * 2 end;\n"
      "begin x := 3; y := 4; P(y, x); P(x, x + y) end.",
      // texts built in their own variable: joined where they are when every
      // term is a text, and otherwise added one by one, the variable left as
      // it was when a term fails
      "var i: integer; s, t: string; begin s := 'a'; t := '-'; for i := 1 to 5 do s := s + t + 'b' + t; t := s end.",
      "var s, t, u: string; begin s := 'a'; t := 'b'; u := 'c'; s := s + t + u + 'd' + t; u := s + 'e' + u end.",
      "var s, t: string; begin s := 'a'; t := 'x'; s := s + t + 1; s := s + 'b' end.",
      "var s, t: string; begin s := 'a'; t := 2; s := s + 'b' + t; s := 0 end.",
      "var s, t: string; begin s := '1'; t := 2; s := s + '2' + t; t := t + 'x' + 'y' end.",
      "var s, t: string; begin s := 1; s := s + '2' + '3'; t := 1.5; t := t + '2' + '0.25' end.",
      "var s, t: string; begin s := 'ab'; t := s; s := s + 'c' + 'd'; t := t + s + t end.",
      "var s: string; begin s := ''; s := s + '' + ''; s := s + 'a' + s end.",
      "var s, t: string; begin s := 'a'; s := s + 'b' + (1 < 2); t := True; t := t + 'x' + 'y' end.",
      "var s, t: string;\nfunction F(a: integer): integer; begin s := s + '!'; Result := s + a end;\n"
      "begin s := 'a'; t := 'b'; s := s + t + F(1); t := s + F(2) + t + 'x' end.",
      // the sum a statement stores takes its temporary: a call's result or
      // the copy of the variable made before a call, which the variable may
      // share, give away or keep after a failure
      "var s, t: string; begin s := 'ab'; s := s + TADD('c', 'd'); t := s; s := s + TADD('e', 'f') + 'g' end.",
      "var s: string; begin s := 'abc'; s := s + TADD(1, 2); s := 'x' end.",
      "var s, t: string;\nfunction G(x: integer): integer; begin Result := x end;\n"
      "begin s := 'ab'; t := TADD('c', 'd') + s; s := TADD('e', 'f') + s; s := G(s) + s; t := G(t) + G(t) end.",
      "var s, t: string; begin s := 2; t := 1.5; s := s + TADD(3, 4); t := t + TADD(0.25, 1); s := s + TADD(2147483647, 0) end.",
      "var s, t: string;\nfunction F(a: integer): integer; begin s := 'new'; Result := a end;\n"
      "begin s := 'old'; s := s + F('!'); t := 'x'; t := t + F(t) + F('y') end.",
      // calls before the first `+`: the variable grows where it is when the
      // calls left it holding its copy's text
      "var s, t: string;\nfunction F(a: integer): integer; begin s := s + '!'; Result := a end;\n"
      "begin s := 'a'; s := s + F('b') + 'c'; t := 'x'; t := t + F('y') + t + 'z'; s := s + F(1) + 'q' end.",
      "var s: string; begin s := 'ab'; s := s + TADD('c', 'd') + 'e' + TADD('f', ''); s := s + TADD('g', 'h') + 1 end.",
      "var s, t: string; begin s := 'ab'; t := s; s := s + TADD('c', 'd') + 'e'; t := t + 'z' end.",
      "var i: integer; s, t: string; begin s := ''; t := ';'; for i := 1 to 4 do s := s + TADD(i, 10) + t + '|' end.",
      // constant texts added before the calls: added after them where the
      // variable holds a text the calls left alone, before them otherwise
      "var i: integer; s: string; begin s := ''; for i := 1 to 4 do s := s + '<li>' + TADD(i, 10) + '</li>' end.",
      "var s, t: string;\nfunction F(a: integer): integer; begin s := s + '!'; Result := a end;\n"
      "begin s := 'a'; s := s + 'b' + 'c' + F('d') + 'e'; t := 'x'; t := t + ',' + F(t) + t end.",
      "var s, t: string;\nfunction G(a: integer): integer; begin Result := s + a end;\n"
      "begin s := 'a'; s := s + '-' + G('b'); s := s + '+' + G(s) + G('c') end.",
      "var s: string; begin s := 5; s := s + '2' + TADD(1, 2); s := s + 'x' + TADD(1, 2) end.",
      "var s: string; begin s := TNOTHING; s := s + 'a' + TADD('b', 'c'); s := 1.5; s := s + '0.25' + TADD(1, 1) end.",
      "var s: string; begin s := 'a'; s := s + 'b' + TADD(1, 2) + 'z'; s := s + 'c' + TADD(2, 3) + 4 end.",
      "var s, t: string; begin s := 'a'; t := s; s := s + ',' + TADD('b', 'c'); t := t + ';' + TADD(t, s) end.",
      // values of variables and results of calls before the last call: kept
      // and added after it while they hold texts, added where written
      // (before the calls after them) when they do not
      "var i: integer; s: string; begin s := ''; for i := 1 to 3 do s := s + '<a ' + TTAG('p', [i]) + '>' + "
      "TTAG('q', [i, i]) + '</a>' end.",
      "var s, t: string;\nfunction F(a: integer): integer; begin t := t + '!'; Result := a end;\n"
      "begin t := ''; s := 'x'; s := s + 'a' + TADD(1, 2) + 'b' + F('c') end.",
      "var s, t: string;\nfunction F(a: integer): integer; begin t := t + '!'; Result := a end;\n"
      "begin t := ''; s := '1'; s := s + '2' + TADD(3, 0) + '4' + F('5'); s := s + TADD('a', 'b') + F('c') + F(t) end.",
      "var s, t: string;\nfunction F(a: integer): integer; begin s := s + '?'; Result := a end;\n"
      "begin s := 'x'; s := s + '(' + TADD('a', 'b') + ',' + F('c') + ')' + F(s); t := 1; t := t + '2' + F('3') + F(4) end.",
      "var s, t, u: string;\nfunction F(a: integer): integer; begin t := t + a; Result := a end;\n"
      "begin s := 'x'; t := 'y'; u := 'z'; s := s + t + ':' + F('1') + u + F(t); s := s + u + F(2) + t end.",
      "var s, t: string;\nfunction F(a: integer): integer; begin t := 7; Result := a end;\n"
      "begin s := 'x'; t := 'y'; s := s + t + F('1') + t; t := 'y'; s := s + s + F('2') end.",
      // constants folded at compile time and not
      "var x: integer; begin x := -(-2147483647 - 1); x := 2 * 3 + 'a' + 'b'; x := 1 div 0 end.",
  };
  for (const char* source : sources) ExpectSameOutcome(source);
}

}  // namespace
}  // namespace orv
