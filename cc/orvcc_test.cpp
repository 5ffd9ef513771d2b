// orvcc's progress display, and the orvcc program itself run as a user runs
// it: arguments, exit statuses, messages and the pages it builds.
#include <gtest/gtest.h>

#include <poll.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "cc/progress_view.h"
#include "cc/run_program_test_support.h"
#include "orv/core.h"
#include "orv/myrecord.h"
#include "platform/build_stats.h"
#include "platform/files.h"
#include "platform/folders.h"

namespace orv {
namespace {

namespace fs = std::filesystem;

std::string ViewOutput(ProgressView::Mode mode) {
  char* buffer = nullptr;
  size_t size = 0;
  std::FILE* out = open_memstream(&buffer, &size);
  ProgressView view(out, mode, 30);
  auto record = [](const char* text) { return reinterpret_cast<LPARAM>(orv_myrecord_new(text, "", "")); };
  view.Handle(ORV_BUILD_SETRANGE, record("14"));
  view.Handle(ORV_BUILD_FILE, record("/s/a.hts"));
  view.Handle(ORV_BUILD_STEP, 0);
  view.Handle(ORV_BUILD_FILE, record("/s/a-very-long-name-of-a-page.hts"));
  view.Handle(ORV_BUILD_RESET, 0);
  view.Handle(ORV_BUILD_FILE, record(""));
  view.Handle(ORV_BUILD_SETRANGE, record("6"));
  view.Handle(ORV_BUILD_FILE, record("/s/q.hts"));
  view.Finish();
  std::fclose(out);
  std::string text(buffer, size);
  std::free(buffer);
  return text;
}

TEST(ProgressViewTest, LinesTerminalAndQuiet) {
  EXPECT_EQ(ViewOutput(ProgressView::Mode::Lines),
            "Compiling /s/a.hts (1 of 2)\n"
            "Compiling /s/a-very-long-name-of-a-page.hts (2 of 2)\n"
            "Compiling /s/q.hts (1 of 1)\n");
  EXPECT_EQ(ViewOutput(ProgressView::Mode::Terminal),
            "\r\033[KCompiling /s/a.hts (1 of 2)"
            "\r\033[KCompiling /s/a-very-long-name"
            "\r\033[KCompiling /s/q.hts (1 of 1)"
            "\r\033[K");
  EXPECT_EQ(ViewOutput(ProgressView::Mode::Quiet), "");
}

// A warning clears the status line and stands on a line of its own, in
// every mode; the next page's status comes back.
TEST(ProgressViewTest, WarningsStandOnTheirOwnLines) {
  for (ProgressView::Mode mode : {ProgressView::Mode::Terminal, ProgressView::Mode::Lines, ProgressView::Mode::Quiet}) {
    char* buffer = nullptr;
    size_t size = 0;
    std::FILE* out = open_memstream(&buffer, &size);
    ProgressView view(out, mode, 80);
    view.Handle(ORV_BUILD_SETRANGE, reinterpret_cast<LPARAM>(orv_myrecord_new("14", "", "")));
    view.Handle(ORV_BUILD_FILE, reinterpret_cast<LPARAM>(orv_myrecord_new("/s/a.hts", "", "")));
    view.Report("/s/a.hts:2: warning: unknown variable \"X\"");
    view.Handle(ORV_BUILD_FILE, reinterpret_cast<LPARAM>(orv_myrecord_new("/s/b.hts", "", "")));
    view.Finish();
    std::fclose(out);
    std::string text(buffer, size);
    std::free(buffer);
    const std::string warning = "/s/a.hts:2: warning: unknown variable \"X\"\n";
    switch (mode) {
      case ProgressView::Mode::Terminal:
        EXPECT_EQ(text, "\r\033[KCompiling /s/a.hts (1 of 2)\r\033[K" + warning +
                            "\r\033[KCompiling /s/b.hts (2 of 2)\r\033[K");
        break;
      case ProgressView::Mode::Lines:
        EXPECT_EQ(text, "Compiling /s/a.hts (1 of 2)\n" + warning + "Compiling /s/b.hts (2 of 2)\n");
        break;
      case ProgressView::Mode::Quiet:
        EXPECT_EQ(text, warning);
        break;
    }
  }
}

using test::Outcome;

class OrvccTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = DataDir() + "orvcc test \xc3\xa9/";
    fs::remove_all(dir_);
    fs::create_directories(dir_ + "src");
  }
  void TearDown() override { fs::remove_all(dir_); }

  Outcome Orvcc(const std::string& args) { return test::RunProgram(ProgramDir() + "orvcc", args, dir_); }

  // Writes p.orv: sources in src/, output in out/, and `pages` as [files] 0, 1, ...
  void WriteProject(std::initializer_list<const char*> pages) {
    std::string text = "[directories]\nsrc=src\nout=out\n[files]\n";
    int key = 0;
    for (const char* page : pages) text += std::to_string(key++) + "=" + page + "\n";
    WriteFileBytes(dir_ + "p.orv", text);
  }

  std::string dir_;
};

TEST_F(OrvccTest, NoProjectIsAnError) {
  Outcome run = Orvcc("");
  EXPECT_EQ(run.status, 2);
  EXPECT_EQ(run.err, "No project specified\n");
  EXPECT_EQ(Orvcc("--quiet").status, 2);
  EXPECT_EQ(Orvcc("--bogus x.orv").status, 2);
}

TEST_F(OrvccTest, HelpAndVersion) {
  Outcome version = Orvcc("--version");
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "orvcc 1.0.0.0\n");
  Outcome help = Orvcc("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("Usage: orvcc"), std::string::npos);
}

// A second project is refused rather than ignored, before anything is built.
TEST_F(OrvccTest, MoreThanOneProjectIsAUsageError) {
  WriteFileBytes(dir_ + "src/index.hts", "x\n");
  WriteProject({"src/index.hts"});
  for (const char* mode : {"", "--window "}) {
    Outcome run = Orvcc(std::string(mode) + "'" + dir_ + "p.orv' '" + dir_ + "p.orv'");
    EXPECT_EQ(run.status, 2) << mode;
    EXPECT_EQ(run.err, "orvcc: only one PROJECT-FILE may be given, not 2 (try orvcc --help)\n") << mode;
  }
  EXPECT_EQ(Orvcc("-q '" + dir_ + "p.orv' -- b.orv c.orv").status, 2);
  EXPECT_FALSE(fs::exists(dir_ + "out"));
}

TEST_F(OrvccTest, BuildsTheProjectWithProgressLines) {
  WriteFileBytes(dir_ + "src/index.hts", "v<%BuildNum%>\n");
  WriteProject({"src/index.hts"});
  Outcome run = Orvcc("'" + dir_ + "p.orv'");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err, "Compiling " + dir_ + "src/index.hts (1 of 1)\n");
  EXPECT_EQ(ReadFileBytes(dir_ + "out/index.html"), "v1.0.0.0\r\n");
  Outcome quiet = Orvcc("--quiet --console '" + dir_ + "p.orv'");
  EXPECT_EQ(quiet.status, 0);
  EXPECT_EQ(quiet.err, "");
}

// External commands run in the project file's folder, so the pages are the
// same wherever orvcc is started from (the test runs it from the build tree).
TEST_F(OrvccTest, CommandsRunInTheProjectFolder) {
  WriteFileBytes(dir_ + "marker.txt", "found");
  WriteFileBytes(dir_ + "src/index.hts", "<*cat marker.txt*> <*pwd*>\n");
  WriteProject({"src/index.hts"});
  Outcome run = Orvcc("--quiet '" + dir_ + "p.orv'");
  EXPECT_EQ(run.status, 0) << run.err;
  // Each command's output becomes whole lines.
  EXPECT_EQ(ReadFileBytes(dir_ + "out/index.html"), "found\r\n " + fs::canonical(dir_).string() + "\r\n\r\n");
}

// A build leaves its counts in the data folder for libengine.so: the page
// lines read, and the include, variable and command markups expanded (those
// that includes brought in among them).
TEST_F(OrvccTest, BuildLeavesItsStatistics) {
  WriteFileBytes(dir_ + "src/inc.hsn", "i <%V%>\n");
  WriteFileBytes(dir_ + "src/a.hts", "a <%V%> <%V%>\n<&inc.hsn&>\n<*echo x*>\n");
  WriteFileBytes(dir_ + "src/b.hts", "b\n<%V%>\n");
  WriteFileBytes(dir_ + "p.orv",
                 "[directories]\nsrc=src\nout=out\n[variables]\nV=v\n[files]\n0=src/a.hts\n1=src/b.hts\n");
  DeleteFile(BuildStatsFile());
  Outcome run = Orvcc("--quiet '" + dir_ + "p.orv'");
  EXPECT_EQ(run.status, 0) << run.err;
  TBuildStats stats = ReadBuildStats(BuildStatsFile());
  EXPECT_EQ(stats.Lines, 3 + 2);
  EXPECT_EQ(stats.Includes, 1);
  EXPECT_EQ(stats.Variables, 2 + 1 + 1);
  EXPECT_EQ(stats.Programs, 1);
  EXPECT_EQ(stats.Databases, 0);
}

// Every page that cannot be written is named as an error, the others are
// written, and the build ends with status 1.
TEST_F(OrvccTest, EveryPageThatCannotBeWrittenIsAnError) {
  fs::create_directories(dir_ + "src/sub");
  WriteFileBytes(dir_ + "src/a.hts", "a\n");
  WriteFileBytes(dir_ + "src/sub/b.hts", "b\n");
  WriteFileBytes(dir_ + "src/sub/c.hts", "c\n");
  fs::create_directories(dir_ + "out");
  WriteFileBytes(dir_ + "out/sub", "a file where the folder should be");
  WriteProject({"src/sub/b.hts", "src/a.hts", "src/sub/c.hts"});
  Outcome run = Orvcc("--quiet '" + dir_ + "p.orv'");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, dir_ + "out/sub/b.html: error: cannot write the page: Not a directory\n" + dir_ +
                         "out/sub/c.html: error: cannot write the page: Not a directory\n"
                         "2 pages could not be written (see above)\n");
  EXPECT_EQ(ReadFileBytes(dir_ + "out/a.html"), "a\r\n");
}

// A file that names no source folder and no page is not a project: an empty
// file, or a file given by mistake, is an error instead of an empty success.
TEST_F(OrvccTest, AFileThatIsNoProjectIsAnError) {
  for (const char* text : {"", "root:x:0:0:root:/root:/bin/bash\n", "[directory]\nsrc=src\n"}) {
    WriteFileBytes(dir_ + "p.orv", text);
    Outcome run = Orvcc("--quiet '" + dir_ + "p.orv'");
    EXPECT_EQ(run.status, 1) << text;
    EXPECT_NE(run.err.find("names no source folder"), std::string::npos) << run.err;
  }
  WriteFileBytes(dir_ + "p.orv", "[directories]\nsrc=src\n");
  EXPECT_EQ(Orvcc("--quiet '" + dir_ + "p.orv'").status, 0) << "a new project without pages yet builds nothing";
}

TEST_F(OrvccTest, AProjectFileThatCannotBeReadIsAnError) {
  Outcome missing = Orvcc("'" + dir_ + "none.orv'");
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err, "orvcc: project file not found: " + dir_ + "none.orv\n");
  Outcome folder = Orvcc("'" + dir_ + "src'");
  EXPECT_EQ(folder.status, 1);
  EXPECT_EQ(folder.err, "orvcc: project file cannot be read: " + dir_ + "src (not a regular file)\n");
  Outcome below_a_file = Orvcc("'" + dir_ + "none.orv/p.orv'");
  EXPECT_EQ(below_a_file.status, 1);
  EXPECT_NE(below_a_file.err.find("project file not found"), std::string::npos) << below_a_file.err;
  WriteFileBytes(dir_ + "locked.orv", "[files]\n");
  fs::permissions(dir_ + "locked.orv", fs::perms::none);
  if (::geteuid() != 0) {  // root reads it anyway
    Outcome locked = Orvcc("'" + dir_ + "locked.orv'");
    EXPECT_EQ(locked.status, 1);
    EXPECT_EQ(locked.err, "orvcc: project file cannot be read: " + dir_ + "locked.orv (Permission denied)\n");
  }
  EXPECT_FALSE(fs::exists(dir_ + "out"));
}

TEST_F(OrvccTest, CommandTimeLimitAndPageSizeOptions) {
  WriteFileBytes(dir_ + "src/a.hts", "[<*sleep 100*>]\n");
  WriteProject({"src/a.hts"});
  Outcome run = Orvcc("-q --command-timeout 1 '" + dir_ + "p.orv'");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.err,
            dir_ + "src/a.hts:1: warning: the command \"sleep 100\" ran longer than 1 seconds and was stopped\n");
  EXPECT_EQ(ReadFileBytes(dir_ + "out/a.html"), "[<!-- ERROR: sleep 100-->]\r\n");

  WriteFileBytes(dir_ + "src/a.hts", "<&me.hsn&>\n");
  WriteFileBytes(dir_ + "src/me.hsn", "<&me.hsn&>\n<&me.hsn&>\n");
  run = Orvcc("-q --max-page-size=1 '" + dir_ + "p.orv'");
  EXPECT_EQ(run.status, 0) << run.err;
  std::string page = ReadFileBytes(dir_ + "out/a.html");
  EXPECT_NE(page.find("<!-- ERROR: page too large, expansion stopped -->"), std::string::npos);
  EXPECT_LE(page.size(), (1u << 20) + 4096);

  for (const char* bad : {"--command-timeout", "--command-timeout=-1", "--command-timeout x", "--max-page-size=0"}) {
    Outcome wrong = Orvcc(std::string("-q '") + dir_ + "p.orv' " + bad);
    EXPECT_EQ(wrong.status, 2) << bad;
    EXPECT_NE(wrong.err.find("orvcc: "), std::string::npos) << bad;
  }
}

TEST_F(OrvccTest, ErrorLeavingTheBuildGivesStatusOne) {
  fs::create_symlink("/proc/self/mem", dir_ + "src/broken.txt");
  WriteFileBytes(dir_ + "src/a.hts", "<&broken.txt&>\n");
  WriteProject({"src/a.hts"});
  Outcome run = Orvcc("-q '" + dir_ + "p.orv'");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("broken.txt"), std::string::npos) << run.err;
}

// Whether the process `pid` has ended (or ends within ten seconds).
bool Ended(pid_t pid) {
  int fd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
  if (fd < 0) return errno == ESRCH;
  struct pollfd wait_for = {fd, POLLIN, 0};
  bool ended = ::poll(&wait_for, 1, 10000) == 1;
  ::close(fd);
  return ended;
}

// A command's background child does not hold orvcc's caller: the command's
// standard error is its own, which orvcc reads and shows at the page's line,
// and what is left of it is ended with its shell.
TEST_F(OrvccTest, ACommandsBackgroundChildDoesNotHoldTheCaller) {
  const std::string command = "sleep 30 & echo $! >pid.txt; echo bg; echo warned >&2";
  WriteFileBytes(dir_ + "src/a.hts", "<*" + command + "*>\n");
  WriteProject({"src/a.hts"});
  // As a log capture runs it: orvcc's standard error into a pipe, which
  // ends when everything that holds it open has ended.
  const std::string log = dir_ + "log.txt";
  int raw = std::system(("'" + ProgramDir() + "orvcc' -q '" + dir_ + "p.orv' 2>&1 </dev/null | cat >'" + log + "'")
                            .c_str());
  EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 0);
  EXPECT_EQ(ReadFileBytes(log), dir_ + "src/a.hts:1: note: the command \"" + command + "\" wrote: warned\n");
  EXPECT_EQ(ReadFileBytes(dir_ + "out/a.html"), "bg\r\n\r\n");
  EXPECT_TRUE(Ended(static_cast<pid_t>(std::stol(ReadFileBytes(dir_ + "pid.txt")))));
}

// A page script that never ends stops the build at the time limit, with the
// page and the line in the message; a wrong limit is a usage error.
TEST_F(OrvccTest, ScriptTimeoutEndsAnEndlessPageScript) {
  WriteFileBytes(dir_ + "src/a.hts", "before\n<+ begin\n  while True do begin end;\nend. +>\n");
  WriteProject({"src/a.hts"});
  Outcome run = Orvcc("-q --script-timeout 1 '" + dir_ + "p.orv'");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("a.hts:3: Script ran longer than 1 seconds (line 2)"), std::string::npos) << run.err;
  Outcome bad = Orvcc("--script-timeout=x '" + dir_ + "p.orv'");
  EXPECT_EQ(bad.status, 2);
  EXPECT_EQ(bad.err, "orvcc: --script-timeout needs a number of seconds, not 'x'\n");
}

// Warnings go to standard error, between the progress lines, and change the
// exit status only with --strict, which still builds every page.
TEST_F(OrvccTest, WarningsAndStrict) {
  WriteFileBytes(dir_ + "src/a.hts", "one\n<%Titel%>\n");
  WriteFileBytes(dir_ + "src/b.hts", "fine\n");
  WriteProject({"src/a.hts", "src/b.hts"});
  const std::string warning = dir_ + "src/a.hts:2: warning: unknown variable \"Titel\"\n";
  Outcome run = Orvcc("'" + dir_ + "p.orv'");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.err, "Compiling " + dir_ + "src/a.hts (1 of 2)\n" + warning + "Compiling " + dir_ +
                         "src/b.hts (2 of 2)\n");
  const std::string page = ReadFileBytes(dir_ + "out/a.html");
  fs::remove_all(dir_ + "out");
  Outcome strict = Orvcc("-q --strict '" + dir_ + "p.orv'");
  EXPECT_EQ(strict.status, 1);
  EXPECT_EQ(strict.err, warning + "Strict build: 1 warning (see above)\n");
  EXPECT_EQ(ReadFileBytes(dir_ + "out/a.html"), page);
  EXPECT_TRUE(fs::exists(dir_ + "out/b.html")) << "every page is built";
  WriteFileBytes(dir_ + "src/a.hts", "one\n");
  Outcome clean = Orvcc("-q --strict '" + dir_ + "p.orv'");
  EXPECT_EQ(clean.status, 0);
  EXPECT_EQ(clean.err, "");
  EXPECT_NE(Orvcc("--help").out.find("--strict"), std::string::npos);
}

// A script error names the page's line and shows its message on one line.
TEST_F(OrvccTest, AScriptErrorNamesThePagesLineOnOneLine) {
  WriteFileBytes(dir_ + "src/a.hts", "x\n<+\nbegin\n  WriteLn(1;\nend.\n+>\n");
  WriteProject({"src/a.hts"});
  Outcome run = Orvcc("-q '" + dir_ + "p.orv'");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, dir_ + "src/a.hts:4: Syntax error in  (3): ) expected.\n");
}

// A console build waits for nobody: a page script's messages go to
// standard error and its dialogs answer as Escape would, whether Qt draws
// off screen or a display is named (the build never connects to it).
TEST_F(OrvccTest, AConsoleBuildWaitsForNobody) {
  WriteFileBytes(dir_ + "src/a.hts",
                 "<+ ShowMessage('hello'); WriteLn(MessageDlg('Sure?', mtConfirmation, [mbYes, mbNo], 0));\n"
                 "   WriteLn(InputBox('Name', 'Your name:', 'kept')) +>\n");
  WriteProject({"src/a.hts"});
  for (const char* env : {"QT_QPA_PLATFORM=offscreen", "-u QT_QPA_PLATFORM DISPLAY=:98765", test::kNoDisplay}) {
    SCOPED_TRACE(env);
    fs::remove_all(dir_ + "out");
    Outcome run = test::RunProgramWithin(120, env, ProgramDir() + "orvcc", "-q '" + dir_ + "p.orv'", dir_);
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("hello\n"), std::string::npos) << run.err;
    EXPECT_NE(run.err.find("Confirmation: Sure?\n"), std::string::npos) << run.err;
    EXPECT_EQ(ReadFileBytes(dir_ + "out/a.html"), "7\r\nkept\r\n\r\n");
  }
}

// orvcc --window without a display builds as the console does, with the
// console's status, instead of waiting for a window nobody sees.
TEST_F(OrvccTest, WindowWithoutADisplayBuildsAsOnTheConsole) {
  WriteFileBytes(dir_ + "src/a.hts", "fine\n");
  WriteFileBytes(dir_ + "src/b.hts", "<+ WriteLn(1; +>\n");
  WriteProject({"src/a.hts"});
  for (const char* env : {test::kNoDisplay, "QT_QPA_PLATFORM=offscreen DISPLAY=:98765"}) {
    SCOPED_TRACE(env);
    Outcome good = test::RunProgramWithin(120, env, ProgramDir() + "orvcc", "--window '" + dir_ + "p.orv'", dir_);
    EXPECT_EQ(good.status, 0) << good.err;
    EXPECT_NE(good.err.find("orvcc: no display to show the window on: building as on the console\n"),
              std::string::npos)
        << good.err;
    EXPECT_EQ(ReadFileBytes(dir_ + "out/a.html"), "fine\r\n");
  }
  WriteProject({"src/b.hts"});
  Outcome bad = test::RunProgramWithin(120, test::kNoDisplay, ProgramDir() + "orvcc",
                                       "-q --window '" + dir_ + "p.orv'", dir_);
  EXPECT_EQ(bad.status, 1);
  EXPECT_EQ(bad.err, dir_ + "src/b.hts:1: Syntax error in  (1): ) expected.\n");
}

// Page scripts have a memory budget; beyond it the build ends with the
// memory error at the script's line.
TEST_F(OrvccTest, ScriptMemoryEndsAGrowingPageScript) {
  WriteFileBytes(dir_ + "src/a.hts", "x\n<+ var s: string;\nbegin s := 'x'; while True do s := s + s end. +>\n");
  WriteProject({"src/a.hts"});
  Outcome run = test::RunProgramWithin(120, "", ProgramDir() + "orvcc", "-q --script-memory 64 '" + dir_ + "p.orv'",
                                       dir_);
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("a.hts:3: Memory ran out while running the script"), std::string::npos) << run.err;
  Outcome bad = Orvcc("--script-memory=x '" + dir_ + "p.orv'");
  EXPECT_EQ(bad.status, 2);
  EXPECT_EQ(bad.err, "orvcc: --script-memory needs a whole number of MiB, not 'x'\n");
  EXPECT_NE(Orvcc("--help").out.find("--script-memory MIB"), std::string::npos);
}

TEST_F(OrvccTest, MissingCoreOrExportIsReported) {
  fs::create_directories(dir_ + "bin");
  fs::copy_file(ProgramDir() + "orvcc", dir_ + "bin/orvcc");
  fs::copy_file(ProgramDir() + "liborvplatform.so", dir_ + "bin/liborvplatform.so");
  Outcome missing = test::RunProgram(dir_ + "bin/orvcc", "x.orv", dir_);
  EXPECT_EQ(missing.status, 3);
  EXPECT_NE(missing.err.find("cannot load liborvcore.so"), std::string::npos) << missing.err;
  fs::copy_file(ProgramDir() + "liborvplatform.so", dir_ + "bin/liborvcore.so");
  Outcome no_export = test::RunProgram(dir_ + "bin/orvcc", "x.orv", dir_);
  EXPECT_EQ(no_export.status, 3);
  EXPECT_NE(no_export.err.find("no export ProcessProject"), std::string::npos) << no_export.err;
}

TEST_F(OrvccTest, BuildsTheBundledExample) {
  fs::copy(std::string(ORV_SOURCE_TREE) + "/examples/site", dir_ + "example", fs::copy_options::recursive);
  fs::remove_all(dir_ + "example/out");
  Outcome run = Orvcc("--console '" + dir_ + "example/site.orv'");
  EXPECT_EQ(run.status, 0) << run.err;
  for (const char* page : {"index.html", "about.html", "news/first.html", "scripts.html"}) {
    std::string text = ReadFileBytes(dir_ + "example/out/" + page);
    for (const char* open : {"<%", "<&", "<*", "<+", "{$DEFINE", "{.$DEFINE"})
      EXPECT_EQ(text.find(open), std::string::npos) << page << " " << open;
  }
  std::string index = ReadFileBytes(dir_ + "example/out/index.html");
  EXPECT_NE(index.find("<title>Welcome - ORV Example</title>"), std::string::npos) << index;
  EXPECT_NE(index.find("<li><a href=\"news/first.html\">First news</a></li>\n"), std::string::npos) << index;
  EXPECT_EQ(index.find('\r'), std::string::npos);  // lineends=lf
  EXPECT_NE(index.find("<a href=\"about.html\">About</a>"), std::string::npos) << index;
  std::string news = ReadFileBytes(dir_ + "example/out/news/first.html");
  EXPECT_NE(news.find("<a href=\"../about.html\">About</a>"), std::string::npos) << news;
  std::string scripts = ReadFileBytes(dir_ + "example/out/scripts.html");
  EXPECT_NE(scripts.find("<tr><td>3</td><td>9</td></tr>\n"), std::string::npos) << scripts;
  EXPECT_NE(scripts.find("<img src=\"../images/logo.gif\" width=24 height=12 alt=\"logo.gif\">"), std::string::npos)
      << scripts;
}

// The src of every <img> tag in `page`, in order.
std::vector<std::string> ImageSources(const std::string& page) {
  static const std::regex tag("<img\\s[^>]*?src=\"([^\"]*)\"", std::regex::icase);
  std::vector<std::string> sources;
  for (auto it = std::sregex_iterator(page.begin(), page.end(), tag); it != std::sregex_iterator(); ++it)
    sources.push_back((*it)[1].str());
  return sources;
}

TEST(ImageSourcesTest, FindsEverySrc) {
  EXPECT_EQ(ImageSources("<p><img src=\"a.gif\"><IMG alt=\"x\" src=\"../b.gif\" width=2>"),
            (std::vector<std::string>{"a.gif", "../b.gif"}));
  EXPECT_TRUE(ImageSources("<image src=\"a.gif\"> <img>").empty());
}

// The example is built where the tests put it, as a user would build it, and
// every image of every page must load from the page's own folder, pages in
// sub-folders included.
TEST_F(OrvccTest, EveryImageOfTheExampleResolvesFromItsPage) {
  fs::copy(std::string(ORV_SOURCE_TREE) + "/examples/site", dir_ + "example", fs::copy_options::recursive);
  fs::remove_all(dir_ + "example/out");
  Outcome run = Orvcc("--quiet '" + dir_ + "example/site.orv'");
  ASSERT_EQ(run.status, 0) << run.err;
  std::set<std::string> pages_with_images;
  for (const auto& entry : fs::recursive_directory_iterator(dir_ + "example/out")) {
    if (entry.path().extension() != ".html") continue;
    std::string page = fs::relative(entry.path(), dir_ + "example/out").string();
    for (const std::string& src : ImageSources(ReadFileBytes(entry.path().string()))) {
      fs::path target = entry.path().parent_path() / src;
      EXPECT_TRUE(fs::is_regular_file(target)) << page << ": " << src << " does not resolve";
      pages_with_images.insert(page);
    }
  }
  EXPECT_EQ(pages_with_images, (std::set<std::string>{"news/first.html", "scripts.html"}));
}

}  // namespace
}  // namespace orv
