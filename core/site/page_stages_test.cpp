// The page stages and the passes over one page.
#include "core/site/page_stages.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "core/site/define_stage.h"
#include "core/site/markup_scan.h"
#include "core/site/page_test_support.h"
#include "core/site/process_page.h"
#include "platform/exception.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/window.h"

namespace orv {
namespace {

namespace fs = std::filesystem;

class StageTest : public test::PageTest {
 protected:
  StageTest() : PageTest("stage test") {}

  // Runs `stage` over `page` and returns the page joined with "\n".
  std::string Apply(void (*stage)(TParseStruct&), const std::string& page) {
    SetPage(SplitLines(page));
    stage(context_);
    std::string out;
    for (const std::string& line : Lines()) out += line + "\n";
    return out;
  }
};

TEST_F(StageTest, VariablesBuiltinsFirstAndExactNames) {
  build_.UserVars.Add("Title", "Home");
  build_.UserVars.Add("title", "lower");
  build_.UserVars.Add("SourceDir", "project value");
  build_.BuiltinVars.Add("SourceDir", "builtin value");
  EXPECT_EQ(Apply(VariableStage, "<%Title%> and <%title%> and <%SourceDir%>"), "Home and lower and builtin value\n");
  // The search resumes one before the old closing delimiter: a short value
  // makes the stage skip the start of markup right behind it.
  EXPECT_EQ(Apply(VariableStage, "<%Title%>|<%title%>"), "Home|<%title%>\n");
  EXPECT_TRUE(context_.Page.Rescan);
  EXPECT_EQ(Apply(VariableStage, "<% Title %>"), "<!-- ERROR:  Title  -->\n");
  EXPECT_TRUE(context_.Page.Rescan);
  EXPECT_EQ(Apply(VariableStage, "no markup <%unclosed"), "no markup <%unclosed\n");
  EXPECT_FALSE(context_.Page.Rescan);
}

TEST_F(StageTest, ValueLineBreaksBecomeLines) {
  build_.UserVars.Add("Two", "a\rb");
  EXPECT_EQ(Apply(VariableStage, "<%Two%>c"), "a\nbc\n");
}

TEST_F(StageTest, TextIncludeKindsAndPlaces) {
  WriteFileBytes(dir_ + "src/footer.hsn", "<b>foot</b>\nline2");
  EXPECT_EQ(Apply(IncludeStage, "<p><&footer.hsn&></p>"), "<p><b>foot</b>\nline2\n</p>\n");
  WriteFileBytes(dir_ + "abs.TXT", "absolute");
  EXPECT_EQ(Apply(IncludeStage, "<&" + dir_ + "abs.TXT&>"), "absolute\n\n");
  fs::create_directories(DataDir() + "snippets");
  WriteFileBytes(DataDir() + "snippets/snip.js", "snippet");
  EXPECT_EQ(Apply(IncludeStage, "<&snip.js&>"), "snippet\n\n");
  fs::remove_all(DataDir() + "snippets");
  EXPECT_EQ(Apply(IncludeStage, "<&missing.htm&>"), "<!-- ERROR: missing.htm -->\n");
  EXPECT_EQ(Apply(IncludeStage, "<&logo.png&>"), "<!-- ERROR: logo.png -->\n");
  EXPECT_EQ(Apply(IncludeStage, "<&&>"), "<!-- ERROR:  -->\n");
  WriteFileBytes(dir_ + "src/empty.txt", "");
  EXPECT_EQ(Apply(IncludeStage, "a<&empty.txt&>b"), "ab\n");
}

TEST_F(StageTest, AllNineTextKindsAreIncluded) {
  for (const char* ext : {".htm", ".html", ".txt", ".htf", ".hsn", ".ops", ".hts", ".js", ".VBS"}) {
    WriteFileBytes(dir_ + "src/f" + ext, "ok");
    EXPECT_EQ(Apply(IncludeStage, std::string("<&f") + ext + "&>"), "ok\n\n") << ext;
  }
}

TEST_F(StageTest, UnreadableIncludeEndsTheBuild) {
  fs::create_symlink("/proc/self/mem", dir_ + "src/broken.txt");
  SetPage({"<&broken.txt&>"});
  EXPECT_THROW(IncludeStage(context_), EInOutError);
}

TEST_F(StageTest, ExternalPrograms) {
  EXPECT_EQ(Apply(ExtAppStage, "[<*echo hello*>]"), "[hello\n]\n");
  EXPECT_EQ(Apply(ExtAppStage, "<*orv-no-such-program-q 2>/dev/null*>"),
            "<!-- ERROR: orv-no-such-program-q 2>/dev/null-->\n");
  EXPECT_EQ(Apply(ExtAppStage, "<*true*>x"), "x\n");
}

TEST_F(StageTest, ACommandThatRunsTooLongIsEndedAndNamed) {
  build_.Limits.CommandTimeoutSeconds = 1;
  build_.CurrentFile = "/site/src/slow.hts";
  testing::internal::CaptureStderr();
  EXPECT_EQ(Apply(ExtAppStage, "[<*sleep 100*>]"), "[<!-- ERROR: sleep 100-->]\n");
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "/site/src/slow.hts:1: warning: the command \"sleep 100\" ran longer than 1 seconds and was stopped\n");
}

TEST_F(StageTest, ACommandThatLeftABackgroundChildReturnsItsOutput) {
  // Waiting for the child that holds the pipe would run into the time limit.
  build_.Limits.CommandTimeoutSeconds = 1;
  EXPECT_EQ(Apply(ExtAppStage, "[<*sleep 3 & echo bg*>]"), "[bg\n]\n");
}

// What a command writes on standard error is shown as notes at its line, a
// few lines each, and does not reach the page.
TEST_F(StageTest, ACommandsStandardErrorBecomesNotes) {
  build_.CurrentFile = "/site/src/e.hts";
  std::string many;
  for (int i = 1; i <= 8; ++i) many += "echo e" + std::to_string(i) + " >&2; ";
  testing::internal::CaptureStderr();
  EXPECT_EQ(Apply(ExtAppStage, "<*echo one >&2; echo >&2; echo out*>\n"), "out\n\n");
  EXPECT_EQ(Apply(ExtAppStage, "x\n<*" + many + "exit 2*>"), "x\n\n");
  const std::string first = "/site/src/e.hts:1: note: the command \"echo one >&2; echo >&2; echo out\" wrote: ";
  const std::string second = "/site/src/e.hts:2: note: the command \"" + many + "exit 2\" wrote";
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            first + "one\n" +
                "/site/src/e.hts:2: warning: the command \"" + many + "exit 2\" exited with status 2\n" +
                second + ": e1\n" + second + ": e2\n" + second + ": e3\n" + second + ": e4\n" + second + ": e5\n" +
                second + " 3 more lines on standard error, not shown\n");
}

TEST_F(StageTest, IncludesChangedDuringTheBuildAreReadAgain) {
  WriteFileBytes(dir_ + "src/part.htm", "first text");
  EXPECT_EQ(Apply(IncludeStage, "<&part.htm&><&part.htm&>"), "first text\nfirst text\n\n");
  WriteFileBytes(dir_ + "src/part.htm", "second text");  // another size
  EXPECT_EQ(Apply(IncludeStage, "<&part.htm&>"), "second text\n\n");
  WriteFileBytes(dir_ + "src/part.htm", "third  text");  // the same size, a later time
  fs::last_write_time(dir_ + "src/part.htm", fs::last_write_time(dir_ + "src/part.htm") + std::chrono::seconds(5));
  EXPECT_EQ(Apply(IncludeStage, "<&part.htm&>"), "third  text\n\n");
  for (const char* text : {"fourth text", "fifth  text"}) {  // the same size, perhaps the same clock tick
    WriteFileBytes(dir_ + "src/part.htm", text);
    EXPECT_EQ(Apply(IncludeStage, "<&part.htm&>"), std::string(text) + "\n\n");
  }
  fs::remove(dir_ + "src/part.htm");
  EXPECT_EQ(Apply(IncludeStage, "<&part.htm&>"), "<!-- ERROR: part.htm -->\n");
}

TEST_F(StageTest, GetAttr) {
  EXPECT_EQ(GetAttr(" type=\"AUTHOR\" value=\"Jane\"", "type=\""), "AUTHOR");
  EXPECT_EQ(GetAttr(" TYPE=\"A\"", "type=\""), "A");
  EXPECT_EQ(GetAttr(" type=\"A\" type=\"B\"", "type=\""), "B");
  EXPECT_EQ(GetAttr(" value=\"open", "value=\""), "");
  EXPECT_EQ(GetAttr(" type=\"A\" type=\"open", "type=\""), "");
  EXPECT_EQ(GetAttr("nothing", "type=\""), "");
  EXPECT_EQ(GetAttr("type=\"\"", "type=\""), "");
}

TEST_F(StageTest, DefinesCollectReplaceAndPersist) {
  std::string page =
      "author first\n"
      "{$DEFINE type=\"AUTHOR\" value=\"Jane\"}\n"
      "<p>kept</p>{$define type=\"V\" value=\"2.1\"} gone\n"
      "{.$DEFINE type=\"X\" value=\"1\"}\n"
      "AUTHOR V X author\n";
  EXPECT_EQ(Apply(DefineStage, page), "Jane first\nJane 2.1 X author\n");
  ASSERT_EQ(context_.Defines.Count(), 2);
  EXPECT_EQ(context_.Defines.Items(0).Name, "V");  // collected from the last line up
  EXPECT_EQ(Apply(DefineStage, "next page: AUTHOR\n"), "next page: Jane\n");
  Apply(DefineStage, "{$DEFINE type=\"V\" value=\"2.1\"}\n{$DEFINE type=\"V\" value=\"3\"}\n");
  EXPECT_EQ(context_.Defines.Count(), 3);  // the identical V is not added again
}

TEST_F(StageTest, DefineEdgeCases) {
  EXPECT_EQ(Apply(DefineStage, "{$DEFINE type=\"N\" value=\"1\"\nN\n"), "{$DEFINE type=\"N\" value=\"1\"\nN\n");
  EXPECT_EQ(context_.Defines.Count(), 0);
  EXPECT_EQ(Apply(DefineStage, "{$DEFINE value=\"v\"}\nabc\n"), "abc\n");  // empty name matches nothing
  EXPECT_EQ(Apply(DefineStage, "{$DEFINE type=\"LOOP\" value=\"LOOP LOOP\"}\nLOOP-LOOP\n"),
            "LOOP LOOP-LOOP LOOP\n");
  EXPECT_EQ(Apply(DefineStage, "{$DEFINE type=\"A?C\" value=\"#\"}\nABC AxC\n"), "# #\n");
}

TEST_F(StageTest, ExternalProgramOutputIsExpanded) {
  build_.UserVars.Add("Who", "world");
  SetPage({"<*echo '<%Who%>'*>"});
  ProcessPage(context_);
  EXPECT_EQ(Lines(), (LineList{"world", ""}));
}

// The passes over one page, with their progress steps.
using PassTest = StageTest;

TEST_F(PassTest, OnePassSendsFiveStepsAndNestedPassesOneMore) {
  build_.UserVars.Add("A", "<%B%>");
  build_.UserVars.Add("B", "b");
  EXPECT_EQ(Steps({"plain"}), 5);
  EXPECT_EQ(Steps({"<%B%>"}), 6);  // the variable stage found markup: one nested pass
  EXPECT_EQ(Lines(), (LineList{"b"}));
  EXPECT_EQ(Steps({"<%A%>"}), 7);
  EXPECT_EQ(Lines(), (LineList{"b"}));
}

TEST_F(PassTest, VariablesIncludesAndProgramsCombine) {
  WriteFileBytes(dir_ + "src/inc.htm", "<%T%>");
  build_.UserVars.Add("T", "<*echo run*>");
  build_.UserVars.Add("I", "<&inc.htm&>");
  Steps({"<%I%>!"});
  EXPECT_EQ(Lines(), (LineList{"run", "", "!"}));
}

TEST_F(PassTest, SwitchesLeaveMarkupAlone) {
  build_.UserVars.Add("T", "x");
  context_.Settings.UseVars = context_.Settings.UseIncludes = context_.Settings.UseExtApps = false;
  EXPECT_EQ(Steps({"<%T%><&a.htm&><*echo*>"}), 5);
  EXPECT_EQ(Lines(), (LineList{"<%T%><&a.htm&><*echo*>"}));
}

TEST_F(PassTest, SelfReferenceIsBoundedAndMarked) {
  build_.Limits.MaxPassDepth = 8;
  build_.UserVars.Add("A", "<%A%>");
  Steps({"before <%A%> after"});
  EXPECT_EQ(Lines(), (LineList{std::string("before ") + kNestingLimitComment + "<%A%> after"}));
  EXPECT_TRUE(context_.Page.LimitReached);
}

TEST_F(PassTest, SelfIncludeIsBounded) {
  build_.Limits.MaxPassDepth = 5;
  WriteFileBytes(dir_ + "src/me.htm", "x<&me.htm&>");
  Steps({"<&me.htm&>"});
  std::string text = context_.Page.Text;
  EXPECT_NE(text.find(kNestingLimitComment), std::string::npos);
  EXPECT_LT(text.size(), 200u);
}

TEST_F(PassTest, SelfGrowingDefineIsBoundedBySize) {
  build_.Limits.MaxPageBytes = 1 << 16;
  build_.UserVars.Add("V", "<%V%>v");
  Steps({"{$DEFINE type=\"DD\" value=\"DD DD\"}", "DD <%V%>"});
  std::string text = context_.Page.Text;
  EXPECT_NE(text.find(kPageTooLargeComment), std::string::npos);
  EXPECT_LE(text.size(), (1u << 16) + 200);
  EXPECT_TRUE(context_.Page.LimitReached);
}

TEST_F(PassTest, SelfIncludingTwiceEndsAtTheBound) {
  build_.Limits.MaxPageBytes = 1 << 18;
  WriteFileBytes(dir_ + "src/me.hsn", "<&me.hsn&>\n<&me.hsn&>\n");
  Steps({"<&me.hsn&>"});
  std::string text = context_.Page.Text;
  EXPECT_TRUE(context_.Page.LimitReached);
  EXPECT_NE(text.find(kPageTooLargeComment), std::string::npos);
  EXPECT_LE(text.size(), (1u << 18) + 200);
}

TEST_F(PassTest, DoublingValueIsBoundedBySize) {
  build_.Limits.MaxPageBytes = 1 << 16;
  build_.UserVars.Add("D", "<%D%><%D%>");
  Steps({"<%D%>"});
  std::string text = context_.Page.Text;
  EXPECT_NE(text.find(kPageTooLargeComment), std::string::npos);
  EXPECT_LE(text.size(), (1u << 16) + 200);
}

}  // namespace
}  // namespace orv
