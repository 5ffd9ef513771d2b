// Scripts that use the library, compiled and run by the engine: the results
// they report through a test routine, and the errors that end them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/lib/library_test_support.h"
#include "core/lib/script_objects.h"
#include "core/script/compiler_error.h"
#include "core/script/runner.h"

namespace orv {
namespace {

class ScriptLibraryTest : public LibraryTest {
 protected:
  static void SetUpTestSuite() {
    LibraryTest::SetUpTestSuite();
    RegisterTestOut();
  }

  // Runs `script` in a pool of its own; returns what it reported.
  std::vector<std::string> Run(const std::string& script) { return RunReporting(script, pool_); }

  ScriptObjectPool pool_;
};

using Lines = std::vector<std::string>;

TEST_F(ScriptLibraryTest, SortedStringList) {
  EXPECT_EQ(Run("var L: TStringList; I: Integer;\n"
                "begin\n"
                "  L := TStringList.Create; L.Add('b'); L.Add('a'); L.Sorted := True;\n"
                "  TESTOUT(L.Strings[0]);\n"
                "  if L.Find('b', I) then TESTOUT(I);\n"
                "  L.Strings[1] := 'c'; TESTOUT(L.CommaText); TESTOUT(L.Count);\n"
                "  L.Free;\n"
                "end."),
            (Lines{"a", "1", "a,c", "2"}));
  EXPECT_EQ(pool_.LiveCount(), 0u) << "the script freed what it created";
}

// Lines and script texts share their bytes; a change on either side, or to
// another list holding the same text, never shows anywhere else.
TEST_F(ScriptLibraryTest, SharedLinesStaySeparate) {
  struct Case {
    const char* body;
    Lines out;
  };
  const Case cases[] = {
      {"L.Add('ab'); S := L.Strings[0]; L.Strings[0] := L.Strings[0] + 'c'; TESTOUT(S); TESTOUT(L.Strings[0]);",
       {"ab", "abc"}},
      {"S := 'a'; S := S + 'b'; L.Add(S); S := S + 'c'; TESTOUT(S); TESTOUT(L.Strings[0]);", {"abc", "ab"}},
      {"S := 'x' + 'y'; L.Add(S); M.Add(L.Strings[0]); L.Strings[0] := 'q'; TESTOUT(M.Strings[0]); TESTOUT(S); "
       "TESTOUT(L.Strings[0]);",
       {"xy", "xy", "q"}},
      {"L.Add('one'); S := L.Strings[0]; Insert('-', S, 2); Delete(S, 1, 1); TESTOUT(S); TESTOUT(L.Strings[0]);",
       {"-ne", "one"}},
      {"L.Add('b'); L.Add('a'); S := L.Strings[1]; L.Sorted := True; L.Delete(0); TESTOUT(S); TESTOUT(L.Text);",
       {"a", "b\r\n"}},
      {"L.Add('k'); L.Strings[0] := L.Strings[0]; L.Exchange(0, 0); M.Assign(L); M.Strings[0] := M.Strings[0] + '!'; "
       "TESTOUT(L.Strings[0]); TESTOUT(M.Strings[0]);",
       {"k", "k!"}},
      {"L.Add(''); S := L.Strings[0] + 'z'; TESTOUT(S); TESTOUT(Length(L.Strings[0]));", {"z", "0"}},
      {"L.Add('a=1'); M.Add(L.Strings[0]); M.Values['a'] := '2'; TESTOUT(L.Strings[0]); TESTOUT(M.Strings[0]);",
       {"a=1", "a=2"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.body);
    EXPECT_EQ(Run(std::string("var L, M: TStringList; S: string;\nbegin\n"
                              "  L := TStringList.Create; M := TStringList.Create;\n  ") +
                  c.body + "\n  L.Free; M.Free;\nend."),
              c.out);
  }
}

TEST_F(ScriptLibraryTest, ValuesNamesAndForgottenLists) {
  EXPECT_EQ(Run("var L: TStringList;\n"
                "begin L := TStringList.Create; L.Text := 'a=1'#13#10'b=2';\n"
                "  L.Values['c'] := '3'; TESTOUT(L.Values['b']); TESTOUT(L.Names[2]);\n"
                "  TESTOUT(L.ClassName) end."),
            (Lines{"2", "c", "TStringList"}));
  EXPECT_EQ(pool_.LiveCount(), 1u) << "forgotten, and freed with the pool";
}

TEST_F(ScriptLibraryTest, StringAndConversionRoutines) {
  EXPECT_EQ(Run("var S: string; V, C: Integer;\n"
                "begin\n"
                "  TESTOUT(Pos('', 'abc')); TESTOUT(Copy('abc', 2, 10)); TESTOUT(Copy('abc', 4, 1));\n"
                "  S := 'ab'; Insert('X', S, 99); TESTOUT(S);\n"
                "  Val('12a', V, C); TESTOUT(C); TESTOUT(V);\n"
                "  TESTOUT(inttohex(255, 4)); TESTOUT(UPCASE('abc'));\n"
                "  TESTOUT(Format('%-3s|%5.1f|%x', ['ab', 2.25, 255]));\n"
                "  TESTOUT(FormatFloat('#,##0.00', 1234.5)); TESTOUT(StrToInt('$1F'));\n"
                "  TESTOUT(DateToStr(EncodeDate(2024, 3, 5)));\n"
                "  TESTOUT(FloatToStr(pi));\n"
                "end."),
            (Lines{"0", "bc", "", "abX", "3", "0", "00FF", "A", "ab |  2.3|FF", "1,234.50", "31", "05.03.2024",
                   "3.14159265358979"}));
}

TEST_F(ScriptLibraryTest, ConversionErrorsEndTheRun) {
  struct Case {
    const char* script;
    const char* message;
  } cases[] = {
      {"begin TESTOUT(StrToInt('12x')); TESTOUT('not reached') end.", "'12x' is not a valid integer value"},
      {"begin TESTOUT(StrToDate('xx')) end.", "'xx' is not a valid date"},
      {"begin TESTOUT(EncodeDate(2023, 2, 29)) end.", "Invalid argument to date encode"},
      {"var L: TStringList; begin L.Add('x') end.", "TStrings.ADD called on a nil object"},
      {"var L: TStringList; begin L := TStringList.Create; L.Free; L.Add('x') end.",
       "TStrings.ADD called on a nil object"},
      {"var L: TStringList; begin L := TStringList.Create; TESTOUT(L.Strings[3]) end.", "List index out of bounds (3)"},
  };
  for (const Case& c : cases) {
    try {
      Run(c.script);
      FAIL() << c.script;
    } catch (const Exception& e) {
      EXPECT_STREQ(e.what(), c.message) << c.script;
    }
    EXPECT_TRUE(TestOut().empty()) << c.script;
  }
}

}  // namespace
}  // namespace orv
