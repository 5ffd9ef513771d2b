// ProcessPage against the literal passes (page_passes_reference.h) on
// generated pages: the same page text, the same number of progress steps and
// the same defines, with every combination of the stage switches.
#include "core/site/process_page.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "core/site/page_passes_reference.h"
#include "core/site/page_stages.h"
#include "core/site/page_test_support.h"

namespace orv {
namespace {

class PassEquivalenceTest : public test::PageTest {
 protected:
  PassEquivalenceTest() : PageTest("pass equivalence") {}

  void SetUp() override {
    PageTest::SetUp();
    build_.Limits.MaxPassDepth = 6;
    const std::pair<const char*, const char*> vars[] = {
        {"A", "<%B%>"}, {"B", "b\rb2"}, {"C", "<&inc.htm&>"}, {"T", "Title"}, {"D", "x<%D%>"},
        {"E", "<*echo e*>"}, {"L", "a\nb\r\n"}, {"F", "{$DEFINE type=\"FV\" value=\"fv\"}"}, {"O", "<%"}};
    for (const auto& [name, value] : vars) build_.UserVars.Add(name, value);
    build_.BuiltinVars.Add("T", "builtin title");
    WriteFileBytes(dir_ + "src/inc.htm", "inc <%T%> <&inc2.htm&>\n");
    WriteFileBytes(dir_ + "src/inc2.htm", "inc2\r{$DEFINE type=\"DX\" value=\"dx DX\"}\r\nDX <%A%>");
    WriteFileBytes(dir_ + "src/me.htm", "m<&me.htm&>");
    WriteFileBytes(dir_ + "src/empty.htm", "");
  }

  std::string Replace(char stage, const std::string& content) {
    if (stage == '%') {
      const TUserSetting* var = build_.BuiltinVars.Find(content);
      if (!var) var = build_.UserVars.Find(content);
      return var ? var->Value : MarkupErrorComment(content);
    }
    if (stage == '*') return "e\r\n";  // the only command the pieces make is "echo e"
    std::string path = dir_ + "src/" + content;
    if (content.size() < 4 || content.substr(content.size() - 4) != ".htm" || !FileExists(path))
      return MarkupErrorComment(content);
    return JoinLines(SplitLines(ReadFileBytes(path)));
  }
};

TEST_F(PassEquivalenceTest, GeneratedPagesGiveTheSamePagesAndSteps) {
  const char* pieces[] = {"<%A%>", "<%B%>", "<%C%>", "<%T%>", "<%nope%>", "<%D%>", "<%L%>", "<%F%>", "<%O%>%>",
                          "<&inc.htm&>", "<&inc2.htm&>", "<&me.htm&>", "<&missing.htm&>", "<&x.png&>",
                          "<&empty.htm&>", "<%E%>", "{$DEFINE type=\"REL\" value=\"2.1\"}\n", "REL rel Rel",
                          "{.$DEFINE type=\"Q\" value=\"1\"}\n", "{$define type=\"W?\" value=\"w\"}", "Wx ",
                          "\r", "\n", "\r\n", "text ", "<", "%>", "<%", "&>", "<&", "{", "}", "{$DEFINE", "DX", "<+",
                          "+>"};
  std::mt19937 random(20261207);
  // With scripts on, the pages hold no "<+" (the reference runs no blocks):
  // what is compared then is that the stage finds nothing and the passes
  // over pages without markup still send their steps.
  for (int switches = 0; switches < 16; ++switches) {
    TProjectSettings& settings = context_.Settings;
    settings.UseScripts = switches & 8;
    settings.UseVars = switches & 1;
    settings.UseIncludes = switches & 2;
    settings.UseExtApps = switches & 4;
    context_.Defines.Clear();
    ReferencePasses reference(settings, build_.Limits.MaxPassDepth,
                              [this](char stage, const std::string& content) { return Replace(stage, content); });
    for (int round = 0; round < 100; ++round) {
      std::string page;
      int count = static_cast<int>(random() % 24);
      for (int i = 0; i < count; ++i) {
        std::string piece = pieces[random() % std::size(pieces)];
        if (!settings.UseScripts || piece.find('+') == std::string::npos) page += piece;
      }
      int steps = Steps(SplitLines(page));
      reference.Run(SplitLines(page));
      ASSERT_EQ(context_.Page.Text, JoinLines(reference.Page)) << "switches " << switches << " page " << page;
      ASSERT_EQ(steps, reference.Steps) << "switches " << switches << " page " << page;
      ASSERT_EQ(context_.Defines.Count(), reference.Defines.Count());
      for (int d = 0; d < reference.Defines.Count(); ++d) {
        EXPECT_EQ(context_.Defines.Items(d).Name, reference.Defines.Items(d).Name);
        EXPECT_EQ(context_.Defines.Items(d).Value, reference.Defines.Items(d).Value);
      }
    }
  }
}

TEST(FirstOpenerTest, OnlySwitchedOnStagesCount) {
  TProjectSettings settings;
  EXPECT_EQ(FirstOpener("a <b <% <&", settings), 5u);
  settings.UseVars = false;
  EXPECT_EQ(FirstOpener("a <b <% <&", settings), 8u);
  settings.UseIncludes = settings.UseScripts = settings.UseExtApps = false;
  EXPECT_EQ(FirstOpener("<+<%<&<*", settings), std::string::npos);
  settings.UseExtApps = true;
  EXPECT_EQ(FirstOpener("<+<%<&<*", settings), 6u);
  EXPECT_EQ(FirstOpener("text ending in <", settings), std::string::npos);
}

// With every stage on, FirstOpener finds the earliest of the four openers
// whichever stage's opener is looked for first, as plain searches do.
TEST(FirstOpenerTest, FindsTheEarliestOpenerInAnyOrder) {
  const TProjectSettings settings;
  const char* texts[] = {"<*x<+", "<% <+", "<&<%", "a<+b<*c", "<<%<", "%<&&<+", "+<+", "<", "", "<+", "x<*",
                         "<%<%", "&<*<&<%<+", "< + % & *", "<<<<*"};
  for (std::string_view text : texts) {
    size_t expected = std::string_view::npos;
    for (const char* open : {"<+", "<%", "<&", "<*"}) expected = std::min(expected, text.find(open));
    EXPECT_EQ(FirstOpener(text, settings), expected) << text;
  }
}

}  // namespace
}  // namespace orv
