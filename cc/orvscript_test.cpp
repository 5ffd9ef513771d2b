// orvscript run as a user runs it: the scripts in examples/, what goes to
// standard output and standard error, and the exit statuses.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "cc/run_program_test_support.h"
#include "platform/files.h"
#include "platform/folders.h"

namespace orv {
namespace {

namespace fs = std::filesystem;

using test::Outcome;

class OrvscriptTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = DataDir() + "orvscript test/";
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }

  Outcome Run(const std::string& args) { return test::RunProgram(ProgramDir() + "orvscript", args, dir_); }

  // Writes `text` as a script file and runs it.
  Outcome RunScript(const std::string& text) {
    WriteFileBytes(dir_ + "s.ops", text);
    return Run("'" + dir_ + "s.ops'");
  }

  std::string dir_;
};

TEST_F(OrvscriptTest, RunsTheExampleScripts) {
  const std::string examples = std::string(ORV_SOURCE_TREE) + "/examples/scripts/";
  Outcome table = Run("'" + examples + "table.ops'");
  EXPECT_EQ(table.status, 0) << table.err;
  EXPECT_EQ(table.out,
            "1 squared is 1\n2 squared is 4\n3 squared is 9\n4 squared is 16\n5 squared is 25\n55\n");
  EXPECT_EQ(table.err, "");
  Outcome strings = Run("'" + examples + "strings.ops'");
  EXPECT_EQ(strings.status, 0) << strings.err;
  EXPECT_EQ(strings.out,
            "file: spring.hts\nfolder: news/2024/\npage: news/2024/spring.html\nstem: spring\n"
            "upper: NEWS/2024/SPRING.HTS\ncode of A: 65\nfound at: 11\nvariable outside a build: []\n");
}

// A script reads the libraries its own process has mapped.
constexpr const char* kMappedQt =
    "var L: TStringList; begin L := TStringList.Create; L.LoadFromFile('/proc/self/maps');\n"
    "  WriteLn(Pos('libQt6Widgets', L.Text) > 0); WriteLn(Pos('liborvcontrols', L.Text) > 0) end.";

TEST_F(OrvscriptTest, QtStaysUnloadedUntilAScriptUsesAVisualClass) {
  Outcome plain = RunScript(kMappedQt);
  EXPECT_EQ(plain.status, 0) << plain.err;
  EXPECT_EQ(plain.out, "False\nFalse\n");
  Outcome visual = RunScript(std::string("var F: TForm; E: TEdit;\n"
                                         "begin F := TForm.Create(0); E := TEdit.Create(F); E.Text := 'x';\n"
                                         "  WriteLn(E.Text + ' ' + E.ClassName); F.Free end.\n"));
  EXPECT_EQ(visual.status, 0) << visual.err;
  EXPECT_EQ(visual.out, "x TEdit\n");
}

// Without a display the windows cannot be seen: the user is told so,
// messages go to standard error, and a dialog nobody can answer answers as
// the Escape key would.
TEST_F(OrvscriptTest, WithoutADisplayWindowsAreNotShownAndTheUserIsTold) {
  WriteFileBytes(dir_ + "s.ops",
                 "var F: TForm; begin F := TForm.Create(0); F.Show; WriteLn(F.ClassName); F.Free;\n"
                 "  ShowMessage('told'); WriteLn(MessageDlg('Sure?', mtConfirmation, [mbYes, mbNo], 0));\n"
                 "  WriteLn(InputBox('Name', 'Your name:', 'kept')) end.");
  Outcome run = test::RunProgram("/usr/bin/env", "-u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY '" +
                                                     ProgramDir() + "orvscript' '" + dir_ + "s.ops'",
                                 dir_);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "TForm\n7\nkept\n");
  EXPECT_NE(run.err.find("orvscript: told\nConfirmation: Sure?\n"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("orvscript: no display (DISPLAY and WAYLAND_DISPLAY are not set): windows are not shown\n"),
            std::string::npos)
      << run.err;
}

// Qt with the visual controls, and the XML parser that measures SVG images
// (liborvsvg.so), are opened when a run first needs them.
TEST_F(OrvscriptTest, ProgramsAndTheCoreLinkOnlyWhatEveryRunNeeds) {
  for (const char* program : {"orvscript", "orvcc", "liborvcore.so"}) {
    Outcome libraries = test::RunProgram("/usr/bin/ldd", "'" + ProgramDir() + program + "'", dir_);
    EXPECT_EQ(libraries.status, 0) << program << libraries.err;
    EXPECT_NE(libraries.out.find("liborvplatform"), std::string::npos) << program << libraries.out;
    EXPECT_EQ(libraries.out.find("libQt"), std::string::npos) << program << libraries.out;
    EXPECT_EQ(libraries.out.find("liborvcontrols"), std::string::npos) << program << libraries.out;
    EXPECT_EQ(libraries.out.find("pugixml"), std::string::npos) << program << libraries.out;
  }
}

// A script that shows a form keeps orvscript running until the form closes;
// this form's timer closes it, so the run ends without a user. It runs on a
// display of its own (Xvfb), where its windows are really shown.
TEST_F(OrvscriptTest, RunFormRunsUntilTheFormCloses) {
  WriteFileBytes(dir_ + "timed.dfm",
                 "object Timed: TTimed\n"
                 "  Caption = 'Closes itself'\n"
                 "  OnCreate = FormCreate\n"
                 "  object Timer1: TTimer\n"
                 "    Interval = 1\n"
                 "    OnTimer = Timer1Timer\n"
                 "  end\n"
                 "end\n");
  WriteFileBytes(dir_ + "timed.pas",
                 "type TTimed = class(TForm)\n"
                 "  procedure FormCreate(Sender: TObject);\n"
                 "  procedure Timer1Timer(Sender: TObject);\n"
                 "end;\n"
                 "var done: Boolean;\n"
                 "procedure TTimed.FormCreate(Sender: TObject); begin WriteLn('created') end;\n"
                 "procedure TTimed.Timer1Timer(Sender: TObject);\n"
                 "var close: Integer;\n"
                 "begin\n"
                 "  if not done then begin\n"
                 "    done := True;\n"
                 "    WriteLn('closing');\n"
                 "    close := 16;\n"
                 "    Self.Dispatch(close);\n"
                 "  end;\n"
                 "end;\n"
                 "begin WriteLn('never run') end.\n");
  WriteFileBytes(dir_ + "s.ops", "begin RunForm('" + dir_ + "timed.dfm'); WriteLn('shown') end.");
  Outcome run = test::RunProgramWithin(120, "-u QT_QPA_PLATFORM", "/usr/bin/xvfb-run",
                                       "-a '" + ProgramDir() + "orvscript' '" + dir_ + "s.ops'", dir_);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "created\nshown\nclosing\n");
}

TEST_F(OrvscriptTest, RunFormOfAMissingFileFails) {
  Outcome run = RunScript("begin RunForm('" + dir_ + "absent.dfm') end.");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("absent.dfm"), std::string::npos) << run.err;
}

TEST_F(OrvscriptTest, EmptyResultPrintsNothingMore) {
  Outcome run = RunScript("begin WriteLn('only'); DefVar('a', 'b'); BuildFile('x'); end.");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "only\n");
}

TEST_F(OrvscriptTest, ErrorsGoToStandardErrorWithStatusOne) {
  Outcome syntax = RunScript("begin\n  WriteLn('before');\n  x := ;\nend.");
  EXPECT_EQ(syntax.status, 1);
  EXPECT_EQ(syntax.out, "");
  EXPECT_EQ(syntax.err, dir_ + "s.ops:3: Syntax error in  (3): Variable <X> not defined.\n") << "on one line";

  Outcome run_error = RunScript("begin\n  WriteLn('before');\n\n  WriteLn(StrToInt('abc'));\nend.");
  EXPECT_EQ(run_error.status, 1);
  EXPECT_EQ(run_error.out, "before\n") << "lines written before the error are kept";
  EXPECT_EQ(run_error.err, dir_ + "s.ops:4: 'abc' is not a valid integer value\n");

  Outcome missing = Run("'" + dir_ + "none.ops'");
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "orvscript: File " + dir_ + "none.ops not found\n");
}

// orvcc's allocator backs its heap with large pages and orvscript's does
// not, unless the user said otherwise in the allocator's own variable,
// whatever its case.
TEST_F(OrvscriptTest, AllocatorTakesLargePagesForBuildsUnlessTheUserChoseOtherwise) {
  WriteFileBytes(dir_ + "s.ops", "begin WriteLn('ran') end.");
  const std::string orvscript = "'" + ProgramDir() + "orvscript' '" + dir_ + "s.ops'";
  const std::string orvcc = "'" + ProgramDir() + "orvcc' --version";
  const struct {
    const std::string& program;
    const char* env;
    const char* option;
  } cases[] = {
      {orvcc, "", "option 'large_os_pages': 1"},
      {orvcc, "MIMALLOC_LARGE_OS_PAGES=0", "option 'large_os_pages': 0"},
      {orvcc, "mimalloc_large_os_pages=0", "option 'large_os_pages': 0"},
      {orvscript, "", "option 'large_os_pages': 0"},
      {orvscript, "MIMALLOC_LARGE_OS_PAGES=1", "option 'large_os_pages': 1"},
  };
  for (const auto& c : cases) {
    Outcome run = test::RunProgram("/usr/bin/env", std::string("MIMALLOC_VERBOSE=1 ") + c.env + " " + c.program, dir_);
    if (run.err.find("mimalloc:") == std::string::npos) GTEST_SKIP() << "built without mimalloc";
    EXPECT_EQ(run.status, 0) << run.err;
    if (&c.program == &orvscript) {
      EXPECT_EQ(run.out, "ran\n");
    }
    EXPECT_NE(run.err.find(c.option), std::string::npos) << c.program << " " << c.env << "\n" << run.err;
  }
}

TEST_F(OrvscriptTest, UsageHelpAndVersion) {
  Outcome help = Run("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("Usage: orvscript", 0), 0u);
  EXPECT_EQ(Run("--version").out, "orvscript 1.0.0.0\n");
  EXPECT_EQ(Run("").status, 2);
  EXPECT_EQ(Run("--bogus x.ops").status, 2);
  EXPECT_EQ(Run("a.ops b.ops").status, 2);
}

// Every ```pascal example of the user's guide compiles and runs; an example
// of bare statements runs as a main block.
TEST_F(OrvscriptTest, UserGuideExamplesRun) {
  std::string guide = ReadFileBytes(std::string(ORV_SOURCE_TREE) + "/docs/user-guide.md");
  const std::string open = "```pascal\n";
  int examples = 0;
  for (size_t at = guide.find(open); at != std::string::npos; at = guide.find(open, at)) {
    at += open.size();
    size_t end = guide.find("```", at);
    ASSERT_NE(end, std::string::npos);
    std::string code = guide.substr(at, end - at);
    if (code.find("end.") == std::string::npos) code = "begin\n" + code + "end.\n";
    Outcome run = RunScript(code);
    EXPECT_EQ(run.status, 0) << code << run.err;
    EXPECT_EQ(run.err, "") << code;
    ++examples;
  }
  EXPECT_GE(examples, 3);
}

// docs/script-reference.md is the program's own output; when a routine is
// added or changed, regenerate it:
//   build/bin/orvscript --reference > docs/script-reference.md
TEST_F(OrvscriptTest, CommittedReferenceIsTheProgramsOutput) {
  Outcome run = Run("--reference");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out.rfind("# Script reference\n", 0), 0u);
  EXPECT_TRUE(run.out == ReadFileBytes(std::string(ORV_SOURCE_TREE) + "/docs/script-reference.md"))
      << "docs/script-reference.md is out of date: build/bin/orvscript --reference > docs/script-reference.md";
  EXPECT_EQ(Run("--reference x.ops").status, 2);
}

// A script that runs itself through RunMacro ends with the nesting error
// instead of exhausting the stack.
TEST_F(OrvscriptTest, ScriptRunningItselfEndsWithTheNestingError) {
  const std::string self = dir_ + "self.ops";
  WriteFileBytes(self, "begin RunMacro('" + self + "'); end.");
  Outcome run = Run("'" + self + "'");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, self + ":1: Script runs nested too deeply (more than 100)\n");
}

// --timeout ends an endless script with the line it was running; without it
// a script has no limit; a value that is no count of seconds is a usage error.
TEST_F(OrvscriptTest, TimeoutEndsAnEndlessScript) {
  const std::string loop = dir_ + "loop.ops";
  WriteFileBytes(loop, "begin\n  WriteLn('start');\n  while True do begin end;\nend.");
  Outcome run = Run("--timeout 1 '" + loop + "'");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "start\n");
  EXPECT_EQ(run.err, loop + ":3: Script ran longer than 1 seconds (line 3)\n");
  EXPECT_EQ(Run("'--timeout=1' '" + loop + "'").status, 1);
  EXPECT_EQ(RunScript("begin WriteLn('quick') end.").out, "quick\n");
  Outcome bad = Run("--timeout soon x.ops");
  EXPECT_EQ(bad.status, 2);
  EXPECT_EQ(bad.err, "orvscript: --timeout needs a number of seconds, not 'soon'\n");
  EXPECT_EQ(Run("--timeout").status, 2);
  EXPECT_EQ(Run("--timeout=-1 x.ops").status, 2);
}

// Without a display (none at all, or Qt told to draw off screen) nobody can
// use or close a form: the script ends with a message instead of waiting
// for ever, and its dialogs answer at once as Escape would.
TEST_F(OrvscriptTest, FormsWithoutADisplayEndTheScriptWithAMessage) {
  const std::string list = std::string(ORV_SOURCE_TREE) + "/examples/forms/list.ops";
  for (const char* env : {test::kNoDisplay, "QT_QPA_PLATFORM=offscreen DISPLAY=:98765"}) {
    SCOPED_TRACE(env);
    Outcome run = test::RunProgramWithin(120, env, ProgramDir() + "orvscript", "'" + list + "'", dir_);
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_NE(run.err.find("orvscript: " + list +
                           ": the script shows a form, but there is no display to show it on; the script ends here"),
              std::string::npos)
        << run.err;
  }
  WriteFileBytes(dir_ + "s.ops", "begin WriteLn(MessageDlg('Sure?', mtConfirmation, [mbYes, mbNo], 0)) end.");
  Outcome dialog = test::RunProgramWithin(120, "QT_QPA_PLATFORM=offscreen", ProgramDir() + "orvscript",
                                          "'" + dir_ + "s.ops'", dir_);
  EXPECT_EQ(dialog.status, 0) << dialog.err;
  EXPECT_EQ(dialog.out, "7\n");
  EXPECT_NE(dialog.err.find("Confirmation: Sure?\n"), std::string::npos) << dialog.err;
}

// Library routines whose work grows with their input keep to the time
// limit: Pos is linear whatever it looks for, ScanF with wildcards ends at
// the limit, and a control cannot be made a parent of itself (the parents
// of a control would loop for ever). The texts are blanks only (a variable
// never assigned would read as "0" and end every comparison at once): each
// place of `s` matches all of `sub` but its last character, so a
// comparison place by place would take hours, in any build.
TEST_F(OrvscriptTest, LibraryRoutinesKeepTheTimeLimit) {
  const std::string texts = "var s, sub: string;\nbegin\n  sub := ''; SetLength(sub, 99999); sub := sub + 'x';\n"
                            "  s := ''; SetLength(s, 20000000);\n";
  WriteFileBytes(dir_ + "pos.ops", texts + "  WriteLn(Pos(sub, s)); WriteLn(Pos('x', s + 'x'))\nend.");
  Outcome pos = test::RunProgramWithin(120, "", ProgramDir() + "orvscript", "--timeout 60 '" + dir_ + "pos.ops'", dir_);
  EXPECT_EQ(pos.status, 0) << pos.err;
  EXPECT_EQ(pos.out, "0\n20000001\n");
  WriteFileBytes(dir_ + "scan.ops", texts + "  WriteLn(ScanF(s, '?' + sub, 1))\nend.");
  Outcome scan = test::RunProgramWithin(120, "", ProgramDir() + "orvscript", "--timeout 1 '" + dir_ + "scan.ops'", dir_);
  EXPECT_EQ(scan.status, 1);
  EXPECT_EQ(scan.err, dir_ + "scan.ops:5: Script ran longer than 1 seconds\n");

  const struct {
    const char* assignments;
    const char* error;
  } cycles[] = {
      {"A.Parent := A", "Control A cannot be its own parent"},
      {"A.Parent := F; B.Parent := A; A.Parent := B", "Control A cannot be placed in B, which lies inside it"},
      {"B.Parent := A; C.Parent := B; A.Parent := C", "Control A cannot be placed in C, which lies inside it"},
      {"N.Parent := N", "Control TPanel cannot be its own parent"},
  };
  for (const auto& c : cycles) {
    SCOPED_TRACE(c.assignments);
    WriteFileBytes(dir_ + "cycle.ops", std::string("var F: TForm; A, B, C, N: TPanel;\nbegin\n"
                                                   "  F := TForm.Create(0); A := TPanel.Create(F); A.Name := 'A';\n"
                                                   "  B := TPanel.Create(F); B.Name := 'B'; C := TPanel.Create(F);\n"
                                                   "  C.Name := 'C'; N := TPanel.Create(F);\n  ") +
                                           c.assignments + ";\n  WriteLn(A.Showing); F.Show\nend.");
    Outcome cycle = test::RunProgramWithin(120, test::kNoDisplay, ProgramDir() + "orvscript",
                                           "--timeout 10 '" + dir_ + "cycle.ops'", dir_);
    EXPECT_EQ(cycle.status, 1);
    EXPECT_EQ(cycle.out, "");
    EXPECT_NE(cycle.err.find(dir_ + "cycle.ops:6: " + c.error + "\n"), std::string::npos) << cycle.err;
  }
}

// A script has a memory budget: objects and texts made in a loop end the
// run with the memory error long before the machine's memory runs out.
TEST_F(OrvscriptTest, MemoryBudgetEndsAGrowingScript) {
  const struct {
    const char* script;
    int line;
  } growing[] = {
      {"var L: TStringList; s: string;\nbegin\n  SetLength(s, 1000000);\n"
       "  while True do begin\n    L := TStringList.Create; L.Add(s)\n  end\nend.", 5},
      {"var s: string;\nbegin\n  s := 'x';\n  while True do\n    s := s + s\nend.", 5},
      // memory looked at as the loop goes round names the loop's test
      {"var L: TStringList;\nbegin\n  while True do\n    L := TStringList.Create\nend.", 3},
  };
  for (const auto& c : growing) {
    SCOPED_TRACE(c.script);
    WriteFileBytes(dir_ + "grow.ops", c.script);
    Outcome run = test::RunProgramWithin(120, "", ProgramDir() + "orvscript",
                                         "--memory 64 --timeout 100 '" + dir_ + "grow.ops'", dir_);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, dir_ + "grow.ops:" + std::to_string(c.line) + ": Memory ran out while running the script\n");
  }
  Outcome bad = Run("--memory lots x.ops");
  EXPECT_EQ(bad.status, 2);
  EXPECT_EQ(bad.err, "orvscript: --memory needs a whole number of MiB, not 'lots'\n");
  EXPECT_NE(Run("--help").out.find("--memory MIB"), std::string::npos);
}

// LoadFromFile reads regular files only: a device that never ends and a
// pipe that nobody writes are refused at once.
TEST_F(OrvscriptTest, LoadFromFileRefusesDevicesAndPipes) {
  ASSERT_EQ(::mkfifo((dir_ + "fifo").c_str(), 0600), 0);
  for (const std::string& path : {std::string("/dev/zero"), dir_ + "fifo"}) {
    WriteFileBytes(dir_ + "load.ops", "var L: TStringList;\nbegin\n  L := TStringList.Create;\n  L.LoadFromFile('" +
                                          path + "')\nend.");
    Outcome run = test::RunProgramWithin(120, "", ProgramDir() + "orvscript", "'" + dir_ + "load.ops'", dir_);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, dir_ + "load.ops:4: Cannot open file \"" + path + "\". Not a regular file\n");
  }
}

}  // namespace
}  // namespace orv
