// The define stage against its literal form (page_passes_reference.h): on
// generated pages whose defines make names out of one another's values and
// the text around them, the same page and defines; and the name search that
// lets the stage pass over defines that cannot occur.
#include "core/site/define_stage.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/site/define_names.h"
#include "core/site/page_passes_reference.h"
#include "core/site/page_test_support.h"
#include "platform/user_settings.h"

namespace orv {
namespace {

TEST(DefineNameFinderTest, FindsEveryNameThatMayOccur) {
  TUserSettingList defines;
  for (const char* name : {"COLOR", "a?c", "???", "", "@x", "Zeta", "olo", "b??"}) defines.Add(name, "v");
  DefineNameFinder finder;
  finder.Prepare(defines);
  EXPECT_EQ(finder.LongestName(), 5u);
  const struct {
    const char* text;
    std::vector<bool> found;
  } cases[] = {
      {"", {false, false, false, false, false, false, false, false}},
      {"ab", {false, true, false, false, false, false, false, true}},
      {"colors", {true, false, true, false, false, false, true, false}},
      {"xAYc", {false, true, true, false, false, false, false, false}},
      {"`X zeTA", {false, true, true, false, true, true, false, false}},
      {"@x", {false, false, false, false, true, false, false, false}},
      {"ab\r\n", {false, true, true, false, false, false, false, true}},
  };
  for (const auto& c : cases) {
    std::vector<bool> found(defines.Count());
    finder.Find(c.text, found);
    EXPECT_EQ(found, c.found) << c.text;
  }
}

class DefineEquivalenceTest : public test::PageTest {
 protected:
  DefineEquivalenceTest() : PageTest("define equivalence") {}
};

// Defines whose names appear in other defines' values, across the joins
// with the text beside them, with '?', in other letter cases, empty values
// and lines the stage removes: the stage gives what replacing every define
// in turn over the whole page gives.
TEST_F(DefineEquivalenceTest, DefinesThatMakeOneAnother) {
  const char* names[] = {"AB", "B", "x?y", "CD", "c", "@q", "E", "BE", "??", "ZZZ"};
  const char* values[] = {"", "B", "Ab", "xBy", "cd", "E", "`Q", "Z", "ZZ", "x\\y", "c?d", "AB AB"};
  const char* text[] = {"A", "B", "AB", "ab", "x", "y", "C", "D", "cd", "@", "`q", "E", "Z", " ", "\r\n", "\n", "?"};
  std::mt19937 random(2029);
  TProjectSettings off;
  off.UseScripts = off.UseVars = off.UseIncludes = off.UseExtApps = false;
  context_.Settings = off;
  for (int round = 0; round < 400; ++round) {
    std::string page;
    for (int i = static_cast<int>(random() % 30); i > 0; --i) {
      if (random() % 5 == 0) {
        page += std::string("{$DEFINE type=\"") + names[random() % std::size(names)] + "\" value=\"" +
                values[random() % std::size(values)] + "\"}\n";
      } else {
        page += text[random() % std::size(text)];
      }
    }
    if (round % 4 == 0) context_.Defines.Clear();  // otherwise defines carry over, as between pages
    ReferencePasses reference(context_.Settings, build_.Limits.MaxPassDepth,
                              [](char, const std::string& content) { return content; });
    for (int d = 0; d < context_.Defines.Count(); ++d)
      reference.Defines.Add(context_.Defines.Items(d).Name, context_.Defines.Items(d).Value);
    Steps(SplitLines(page));
    reference.Run(SplitLines(page));
    ASSERT_EQ(context_.Page.Text, JoinLines(reference.Page)) << "round " << round << " page " << page;
    ASSERT_EQ(context_.Defines.Count(), reference.Defines.Count());
  }
}

}  // namespace
}  // namespace orv
