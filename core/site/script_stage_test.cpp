// Pages with script blocks built end to end: the output that replaces a
// block, markup in the output, build state shared through the routines,
// queued pages, errors that end the build, and the compile cache.
#include "core/site/script_stage.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/script/compiler_error.h"
#include "core/script/dyna_vars.h"
#include "core/host/kel_comp.h"
#include "core/site/build_driver.h"
#include "core/site/core_startup.h"
#include "core/site/markup_scan.h"
#include "core/site/process_page.h"
#include "core/site/site_routines.h"
#include "platform/files.h"
#include "platform/folders.h"

namespace orv {
namespace {

namespace fs = std::filesystem;

class ScriptPagesTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { CoreStartup(); }
  static void TearDownTestSuite() { CoreShutdown(); }

  void SetUp() override {
    dir_ = DataDir() + "script pages/";
    fs::remove_all(dir_);
    fs::create_directories(dir_ + "src");
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Writes the pages (name, text) into src/ and a project listing them in
  // order, with Title=Home.
  void Project(const std::vector<std::pair<std::string, std::string>>& pages) {
    std::string project =
        "[directories]\nsrc=src\nout=out\nimg=img\n[other]\nimgprep=i/\n[variables]\nTitle=Home\n[files]\n";
    int n = 0;
    for (const auto& [name, text] : pages) {
      WriteFileBytes(dir_ + "src/" + name, text);
      project += std::to_string(n++) + "=src/" + name + "\n";
    }
    WriteFileBytes(dir_ + "p.orv", project);
  }
  void Build() { ProcessProject(dir_ + "p.orv", "", nullptr, false); }
  std::string Out(const std::string& name) { return ReadFileBytes(dir_ + "out/" + name); }

  // Builds one page and returns its output.
  std::string Page(const std::string& text) {
    Project({{"a.hts", text}});
    Build();
    return Out("a.html");
  }

  std::string dir_;
};

TEST_F(ScriptPagesTest, OutputReplacesTheBlock) {
  struct Case {
    const char* page;
    const char* expected;
  };
  const Case cases[] = {
      {"a<+ WriteLn('<b>'); WriteLn('x'); +>b\n", "a<b>\r\nx\r\nb\r\n"},
      {"a<+begin WriteLn('y') end.+>b\n", "ay\r\nb\r\n"},
      {"a<+ +>b\n", "ab\r\n"},
      {"a<+ var I: Integer; begin I := 1 end. +>b\n", "ab\r\n"},
      {"1<+ WriteLn('x') +>2<+ WriteLn('y') +>3\n", "1x\r\n2y\r\n3\r\n"},
      {"<+ WriteLn('') +>\n", "\r\n\r\n"},
      {"<+\nbegin\n  WriteLn('two'#13#10'lines');\nend.\n+>\n", "two\r\nlines\r\n\r\n"},
      {"a <+ no end\n", "a <+ no end\r\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(Page(c.page), c.expected) << c.page;
}

TEST_F(ScriptPagesTest, MarkupInOutputIsExpandedByTheNestedPass) {
  EXPECT_EQ(Page("<+ WriteLn('<%Title%>') +>|<+ WriteLn('<' + \"+ WriteLn('inner') +\" + '>') +>\n"),
            "Home\r\n|inner\r\n\r\n\r\n");
}

TEST_F(ScriptPagesTest, ScriptsOffLeaveBlocksUntouched) {
  Project({{"a.hts", "a<+ WriteLn('x') +>\n"}});
  WriteFileBytes(dir_ + "p.orv", ReadFileBytes(dir_ + "p.orv") + "[Compiler]\nscripts=0\n");
  Build();
  EXPECT_EQ(Out("a.html"), "a<+ WriteLn('x') +>\r\n");
}

TEST_F(ScriptPagesTest, DefVarIsSeenLaterInThePageAndByLaterPages) {
  Project({{"a.hts", "<%Title%>/<+ DefVar('Title', 'New'); DefVar('Made', GetVar('Title') + '!') +><%Title%>\n"},
           {"b.hts", "<%Title%> <%Made%> <+ WriteLn(GetVar('Made') + GetVar('ProjFile') + GetVar('none')) +>\n"}});
  Build();
  EXPECT_EQ(Out("a.html"), "New/New\r\n") << "the variable stage runs after the script stage";
  EXPECT_EQ(Out("b.html"), "New New! New!p.orv\r\n\r\n");
}

// DefVar sets the project's variable of a name; a built-in variable of the
// same name keeps its value and still comes first for <%name%> and GetVar.
// Many pages each setting a variable of their own (found through the
// variables' index) see their own and every earlier page's.
TEST_F(ScriptPagesTest, DefVarSetsTheProjectsVariableBesideABuiltInOne) {
  std::vector<std::pair<std::string, std::string>> pages = {
      {"a.hts", "<+ DefVar('ProjFile', 'mine'); DefVar('ProjFile', 'mine again') +><%ProjFile%>|<+ "
                "WriteLn(GetVar('ProjFile')) +>\n"}};
  for (int i = 0; i < 40; ++i) {
    const std::string n = std::to_string(i);
    pages.emplace_back("p" + n + ".hts", "<+ DefVar('V" + n + "', 'v" + n + "'); DefVar('Title', 'T" + n +
                                             "') +><%V" + n + "%> <%V0%> <%Title%>\n");
  }
  Project(pages);
  Build();
  EXPECT_EQ(Out("a.html"), "p.orv|p.orv\r\n\r\n");
  EXPECT_EQ(Out("p0.html"), "v0 v0 T0\r\n");
  EXPECT_EQ(Out("p39.html"), "v39 v0 T39\r\n");
}

TEST_F(ScriptPagesTest, BuildFileOfCurFileFromListedAndQueuedPages) {
  Project({{"a.hts", "<+ BuildFile(CurFile); DefVar('Runs', GetVar('Runs') + 'x') +><%Runs%>\n"}});
  Build();
  EXPECT_EQ(Out("a.html"), "xx\r\n") << "built once from the list and once more from the queue, not again";
}

TEST_F(ScriptPagesTest, ErrorNamesThePageAndEndsTheBuildAfterTheQueues) {
  Project({{"a.hts", "<+ BuildFile(CurFile); DelQueue('" + dir_ + "del.txt'); DeleteFile('" + dir_ +
                         "now.txt'); DefVar('N', GetVar('N') + 'x') +><%N%>\n"},
           {"b.hts", "x\n<+\nbegin\n  WriteLn(1;\nend.\n+>\n"},
           {"c.hts", "never\n"}});
  WriteFileBytes(dir_ + "del.txt", "x");
  WriteFileBytes(dir_ + "now.txt", "x");
  try {
    Build();
    ADD_FAILURE() << "the build should fail";
  } catch (const ECompilerError& e) {
    EXPECT_EQ(std::string(e.what()), dir_ + "src/b.hts:4: Syntax error in  (3): \r\n) expected.")
        << "the block's first line, 2, and its third line make the page's line 4";
  }
  EXPECT_EQ(Out("a.html"), "xx\r\n") << "a.hts was built again from the queue";
  EXPECT_FALSE(fs::exists(dir_ + "now.txt"));
  EXPECT_FALSE(fs::exists(dir_ + "out/b.html"));
  EXPECT_FALSE(fs::exists(dir_ + "out/c.html"));
  EXPECT_FALSE(fs::exists(dir_ + "del.txt"));
}

TEST_F(ScriptPagesTest, RunErrorNamesThePage) {
  Project({{"a.hts", "<+ WriteLn(StrToInt('abc')) +>\n"}});
  try {
    Build();
    ADD_FAILURE() << "the build should fail";
  } catch (const ECompilerError& e) {
    EXPECT_EQ(std::string(e.what()), dir_ + "src/a.hts:1: 'abc' is not a valid integer value");
  }
}

TEST_F(ScriptPagesTest, ImagesFromScriptsAndIncludes) {
  fs::create_directories(dir_ + "img");
  fs::copy_file(std::string(ORV_SOURCE_TREE) + "/examples/site/static/images/logo.gif", dir_ + "img/logo.gif");
  Project({{"a.hts", "<&logo.gif&>|<+ InsertImage('logo.gif', 1, ''); InsertImageEx('none.gif', 0, '', 'p/', 0) +>\n"}});
  Build();
  EXPECT_EQ(Out("a.html"),
            "<img src=\"i/logo.gif\" width=24 height=12 alt=\"logo.gif\">|"
            "<img src=\"i/logo.gif\" width=24 height=12 alt=\"logo.gif\">\r\n"
            "<!-- File does not exist -->\r\n\r\n");
}

// An image is looked at once while no script runs; a page whose script
// deletes it (scripts run before includes) looks again, and finds it gone.
TEST_F(ScriptPagesTest, AnImageAScriptDeletesIsMissedFromThen) {
  fs::create_directories(dir_ + "img");
  fs::copy_file(std::string(ORV_SOURCE_TREE) + "/examples/site/static/images/logo.gif", dir_ + "img/logo.gif");
  Project({{"a.hts", "<&logo.gif&>\n"},
           {"b.hts", "<&logo.gif&><+ DeleteFile('" + dir_ + "img/logo.gif') +>\n"},
           {"c.hts", "<&logo.gif&>\n"}});
  Build();
  const std::string tag = "<img src=\"i/logo.gif\" width=24 height=12 alt=\"logo.gif\">";
  EXPECT_EQ(Out("a.html"), tag + "\r\n");
  EXPECT_EQ(Out("b.html"), "<!-- ERROR: logo.gif -->\r\n");
  EXPECT_EQ(Out("c.html"), "<!-- ERROR: logo.gif -->\r\n");
}

// Pages are written beside the build, and blocks that keep to the build run
// while they are: a page that a block loads (LoadFromFile) is settled first,
// so the block finds it written whole.
TEST_F(ScriptPagesTest, ABlockFindsEveryEarlierPageItLoadsWritten) {
  std::vector<std::pair<std::string, std::string>> pages;
  const int count = 150;  // enough for the writer to run on a thread of its own
  for (int i = 0; i < count; ++i) {
    std::string text = "<+ WriteLn('<p>page ' + IntToStr(" + std::to_string(i) + ") + '</p>') +>\n";
    if (i % 10 == 9) {
      text += "<+ var L: TStringList; begin L := TStringList.Create; L.LoadFromFile('" + dir_ + "out/p" +
              std::to_string(i - 1) + ".html'); WriteLn('before: ' + L.Strings[0]); L.Free end. +>\n";
    }
    pages.emplace_back("p" + std::to_string(i) + ".hts", text);
  }
  Project(pages);
  Build();
  for (int i = 0; i < count; ++i) {
    std::string expected = "<p>page " + std::to_string(i) + "</p>\r\n\r\n";
    if (i % 10 == 9) expected += "before: <p>page " + std::to_string(i - 1) + "</p>\r\n\r\n";
    EXPECT_EQ(Out("p" + std::to_string(i) + ".html"), expected) << i;
  }
}

TEST_F(ScriptPagesTest, BlocksShareNoVariablesAndStartFresh) {
  // The same text twice on a page and on two pages: compiled once, and each
  // run starts from fresh slots and a fresh Result.
  const std::string block = "<+ var N: Integer; begin N := N + 1; WriteLn(N) end. +>";
  Project({{"a.hts", block + block + "\n"}, {"b.hts", block + "\n"}});
  Build();
  EXPECT_EQ(Out("a.html"), "1\r\n1\r\n\r\n");
  EXPECT_EQ(Out("b.html"), "1\r\n\r\n");
}

TEST_F(ScriptPagesTest, NestingIsBoundedForSelfReproducingBlocks) {
  std::string page =
      Page("<+ DefVar('L', '<' + \"+ WriteLn(GetVar('L')) +\" + '>'); WriteLn(GetVar('L')) +>\n");
  EXPECT_NE(page.find(kNestingLimitComment), std::string::npos);
  EXPECT_LT(page.size(), 1000u);
}

// Output beyond the page-size bound is not kept while the block runs on: the
// page gets the size comment before the block, and the block still runs to
// its end (its DefVar is seen by the next page).
TEST_F(ScriptPagesTest, OutputBeyondThePageBoundIsNotKept) {
  DefaultExpansionLimits().MaxPageBytes = 4096;
  Project({{"a.hts",
            "a\n<+ var I: Integer; S: String;\nbegin S := '';\n  for I := 1 to 10 do S := S + 'xxxxxxxxxx';\n"
            "  for I := 1 to 1000 do WriteLn(S);\n  DefVar('Done', 'yes') end. +>\nz\n"},
           {"b.hts", "<%Done%>\n"}});
  Build();
  DefaultExpansionLimits().MaxPageBytes = ExpansionLimits().MaxPageBytes;
  EXPECT_EQ(Out("a.html").rfind(std::string("a\r\n") + kPageTooLargeComment + "<+ var I", 0), 0u) << Out("a.html");
  EXPECT_EQ(Out("b.html"), "yes\r\n");
}

TEST(SiteRoutinesTest, OutsideABuildNothingFails) {
  CoreStartup();
  std::vector<std::string> lines;
  SetStandaloneOutput([&lines](const std::string& line) { lines.push_back(line); });
  TKelComp comp;
  comp.SetScriptText(
      "begin WriteLn('a'); DefVar('x', 'y'); BuildFile('f'); DelQueue('g');\n"
      "WriteLn('[' + GetVar('x') + CurFile + ']'); WriteLn(Ord('')); WriteLn(Ord('A'));\n"
      "InsertImage('/no/such.gif', 1, ''); Result := MSFrontPage end.");
  Variant result = comp.Evaluate();
  SetStandaloneOutput(nullptr);
  EXPECT_EQ(lines, (std::vector<std::string>{"a", "[]", "0", "65", "<!-- File does not exist -->"}));
  EXPECT_EQ(result.AsString().rfind("Where do you want to go today?  ", 0), 0u);
  comp.SetScriptText("begin WriteLn('discarded'); Result := ScanF('abcABC', 'ABC', -1) end.");
  EXPECT_EQ(comp.Evaluate().AsInteger(), 1);
  CoreShutdown();
}

}  // namespace
}  // namespace orv
