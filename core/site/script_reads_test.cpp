// Which compiled page blocks an incremental build records, and which may
// run while the build's pages are still being written.
#include "core/site/script_reads.h"

#include <gtest/gtest.h>

#include "core/script/runner.h"
#include "core/site/core_startup.h"

namespace orv {
namespace {

class ScriptReadsTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { CoreStartup(); }
  static void TearDownTestSuite() { CoreShutdown(); }
};

TEST_F(ScriptReadsTest, BlocksAreJudgedByEveryRoutineTheyMayCall) {
  struct Case {
    const char* script;
    bool keeps_to_build;
    bool recorded;
  };
  const Case cases[] = {
      {"begin end.", true, true},
      {"begin WriteLn('<p>' + IntToStr(Length('abc')) + '</p>') end.", true, true},
      {"begin DefVar('A', GetVar('B') + ExtractFileName(CurFile)) end.", true, true},
      {"begin InsertImage('a.gif', 1, ''); InsertImageEx('b.gif', 0, '', 'p/', 0) end.", true, true},
      {"begin BuildFile('a.hts'); DelQueue('b.html') end.", true, true},
      {"var L: TStringList; begin L := TStringList.Create; L.Add('x'); L.Sort; WriteLn(L.Text); L.Free end.", true,
       true},
      // The clock and the internal variables reach no file, but their
      // values are not recorded.
      {"begin WriteLn(DateToStr(Date) + FormatDateTime('hh:nn', Now)) end.", true, false},
      {"begin Result := 3 end.", true, false},
      {"var L: TStringList; begin L := TStringList.Create; L.LoadFromFile('a.txt'); L.Free end.", true, true},
      // Files the build does not settle, or changes.
      {"var L: TStringList; begin L := TStringList.Create; L.SaveToFile('a.txt'); L.Free end.", false, false},
      {"begin DeleteFile('a.html') end.", false, false},
      {"begin CreateDir('a'); ForceDirectories('b/c') end.", false, false},
      {"begin RunMacro('a.ops') end.", false, false},
      {"begin RunForm('a.dfm') end.", false, false},
      // One routine that reaches out is enough, wherever it stands.
      {"procedure P; begin DeleteFile('a') end; begin WriteLn('x'); if False then P end.", false, false},
  };
  for (const Case& c : cases) {
    TKelRuner runner(c.script);
    runner.CompileOnly = true;
    runner.Run();
    EXPECT_EQ(KeepsToTheBuild(runner.Program()->Program()), c.keeps_to_build) << c.script;
    EXPECT_EQ(ReadsAreRecorded(runner.Program()->Program()), c.recorded) << c.script;
  }
}

}  // namespace
}  // namespace orv
