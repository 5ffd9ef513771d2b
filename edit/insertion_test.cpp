#include "edit/insertion.h"

#include <gtest/gtest.h>

namespace orv::edit {
namespace {

TEST(InsertionTest, WrapOrReplace) {
  const struct {
    InsertTexts texts;
    std::string selection;
    std::string replacement;
    size_t caret;
  } cases[] = {
      // A link without a description wraps the selection ...
      {{"<a href=\"p.htm\">", "</a>", "yes"}, "Home", "<a href=\"p.htm\">Home</a>", 24},
      // ... or leaves the caret where the description goes.
      {{"<a href=\"p.htm\">", "</a>", "yes"}, "", "<a href=\"p.htm\"></a>", 16},
      {{"<a href=\"p.htm\">", "</a>", "YES"}, "x", "<a href=\"p.htm\">x</a>", 21},
      // With a description, the link replaces the selection.
      {{"<a href=\"p.htm\">Home", "</a>", "no"}, "old", "<a href=\"p.htm\">Home</a>", 24},
      {{"<TABLE>\r\n</TABLE>", "", "NO"}, "", "<TABLE>\r\n</TABLE>", 17},
      {{"#FF8000", "", "no"}, "#000000", "#FF8000", 7},
      {{"", "", ""}, "gone", "", 0},
  };
  for (const auto& c : cases) {
    const Insertion insertion = ComposeInsertion(c.texts, c.selection);
    EXPECT_EQ(insertion.Replacement, c.replacement);
    EXPECT_EQ(insertion.Caret, c.caret) << c.replacement;
  }
}

}  // namespace
}  // namespace orv::edit
