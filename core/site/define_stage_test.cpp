// The define stage against its literal form (page_passes_reference.h): on
// generated pages whose defines make names out of one another's values and
// the text around them, the same page and defines; and the name search that
// lets the stage pass over defines that cannot occur.
#include "core/site/define_stage.h"

#include <gtest/gtest.h>

#include <bit>
#include <random>
#include <string>
#include <vector>

#include "core/site/define_index.h"
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

// A list that grows by batches, as a build's defines do page by page, is
// searched by a few automata that find what one automaton over the whole
// list finds; a list that lost an item is taken in anew.
TEST(DefineNameFinderTest, AGrowingListFindsWhatTheWholeListFinds) {
  const char* parts[] = {"ab", "B", "x?", "cD", "@", "e", "Q?q", "zz", "?", "Abc"};
  const char* text[] = {"A", "b", "AB", "x", "y", "c", "d", "@", "`", "E", "q", "Z", " ", "\r\n"};
  std::mt19937 random(2031);
  TUserSettingList defines;
  DefineNameFinder growing;
  for (int round = 0; round < 300; ++round) {
    if (round == 150) defines.Delete(defines.Items(3).Name);
    for (int i = static_cast<int>(random() % (round % 10 == 0 ? 40 : 3)); i >= 0; --i)
      defines.Add(std::string(parts[random() % std::size(parts)]) + parts[random() % std::size(parts)], "v");
    growing.Prepare(defines);
    DefineNameFinder whole;
    whole.Prepare(defines);
    ASSERT_EQ(whole.AutomatonCount(), 1u);
    ASSERT_LE(growing.AutomatonCount(), static_cast<size_t>(std::bit_width(static_cast<size_t>(defines.Count()))));
    ASSERT_EQ(growing.LongestName(), whole.LongestName());
    std::string page;
    for (int i = static_cast<int>(random() % 40); i > 0; --i) page += text[random() % std::size(text)];
    std::vector<bool> found(defines.Count()), expected(defines.Count());
    growing.Find(page, found);
    whole.Find(page, expected);
    ASSERT_EQ(found, expected) << "round " << round << " page " << page;
  }
}

TEST(DefineIndexTest, HoldsExactlyTheNameAndValuePairsOfTheList) {
  TUserSettingList defines;
  DefineIndex index;
  EXPECT_FALSE(index.Holds(defines, "A", "1"));
  defines.Add("A", "1");
  defines.Add("ab", "c");
  defines.Add("", "");
  const struct {
    const char* name;
    const char* value;
    bool held;
  } cases[] = {
      {"A", "1", true}, {"a", "1", false}, {"A", "2", false}, {"ab", "c", true},
      {"a", "bc", false}, {"abc", "", false}, {"", "", true}, {"", "A1", false},
  };
  for (const auto& c : cases) EXPECT_EQ(index.Holds(defines, c.name, c.value), c.held) << c.name << "=" << c.value;
  defines.Add("a", "bc");
  EXPECT_TRUE(index.Holds(defines, "a", "bc")) << "an item added since is indexed";
  defines.Delete("A");
  EXPECT_FALSE(index.Holds(defines, "A", "1")) << "a list that lost an item is indexed anew";
  EXPECT_TRUE(index.Holds(defines, "ab", "c"));
  TUserSettingList other;
  EXPECT_FALSE(index.Holds(other, "ab", "c")) << "another list";
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
