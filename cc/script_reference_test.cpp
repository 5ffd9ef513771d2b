// The generated script reference: its rows for each kind of registration,
// and the notes checked against what start-up really registers.
#include "cc/script_reference.h"

#include <gtest/gtest.h>

#include "core/script/host_registry.h"
#include "core/site/core_startup.h"

namespace orv {
namespace {

void Nothing(TObject*, const std::string&, ArgBlock&, Variant&) {}

class ScriptReferenceTest : public testing::Test {
 protected:
  void SetUp() override { CoreStartup(); }
  void TearDown() override { CoreShutdown(); }
};

TEST_F(ScriptReferenceTest, NotesFitTheRegistry) {
  std::vector<std::string> stale = StaleNotes();
  EXPECT_TRUE(stale.empty()) << stale.front();
}

TEST_F(ScriptReferenceTest, RowsShowKindsAndParameters) {
  std::string text = ScriptReference();
  struct Case {
    const char* row;
  } cases[] = {
      {"| `Copy(S, Index, Count)` | function | up to Count characters of S from position Index (from 1) |\n"},
      {"| `Delete(var S, Index, Count)` | procedure |"},
      {"| `Format(Fmt, [Values])` | function |"},
      {"| `Print([Values])` | procedure |"},
      {"| `CurFile` | function | the full path of the page being built; empty outside a build |\n"},
      {"| `TSTRINGS.STRINGS[Index]` | indexed property | line Index (from 0) |\n"},
      {"| `TSTRINGS.TEXT` | property |"},
      {"| `TSTRINGS.COUNT` | function | the number of lines |\n"},
      {"| `TSTRINGLIST.FIND(S, var Index)` | function |"},
      {"| `PI` | `3.14159265358979` | the number pi |\n"},
      {"### TSTRINGLIST\n\nDerived from TSTRINGS.\n"},
  };
  for (const Case& c : cases) EXPECT_NE(text.find(c.row), std::string::npos) << c.row;
  EXPECT_EQ(text.find("_SET"), std::string::npos);
  EXPECT_EQ(text.find("_VET"), std::string::npos);
}

TEST_F(ScriptReferenceTest, RoutinesWithoutNotesShowTheirKinds) {
  RegisterProc("RefTestProc", Nothing, {pkValue, pkVar, pkArray});
  RegisterIndexedProp("TREFTEST.CELLS", 2, Nothing, Nothing);
  RegisterFunc("TREFTEST.ONLY_SET", Nothing, {pkValue});
  std::string text = ScriptReference();
  EXPECT_NE(text.find("| `RefTestProc(value, var value, [values])` | procedure |  |\n"), std::string::npos);
  EXPECT_NE(text.find("### TREFTEST\n\n| Member"), std::string::npos);
  EXPECT_NE(text.find("| `TREFTEST.CELLS[value, value]` | indexed property |  |\n"), std::string::npos);
  EXPECT_NE(text.find("| `TREFTEST.ONLY_SET(value)` | function |  |\n"), std::string::npos);
}

TEST_F(ScriptReferenceTest, NotesThatNoLongerFitAreReported) {
  RegisterFunc("Copy", Nothing, {pkValue});
  RegisterFunc("TOBJECT.FREE", Nothing, {pkValue, pkValue});
  std::vector<std::string> stale = StaleNotes();
  ASSERT_EQ(stale.size(), 2u);
  EXPECT_EQ(stale[0], "Copy: the note names 3 parameters, the routine takes 1");
  EXPECT_EQ(stale[1], "TOBJECT.FREE: the note names 0 parameters, the routine takes 2");
  EXPECT_NE(ScriptReference().find("| `Copy(value)` | function | up to Count"), std::string::npos);
}

}  // namespace
}  // namespace orv
