// Include and variable loops in whole builds: each reported once, at the
// line of the markup that closes it, with the short chain and the include
// notes of its first occurrence; the page ends at the usual bound.
#include "core/site/markup_loops.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/site/build_test_support.h"
#include "core/site/markup_scan.h"
#include "core/site/process_page.h"
#include "platform/files.h"

namespace orv {
namespace {

class MarkupLoopTest : public test::ReportedBuildTest {
 protected:
  MarkupLoopTest() : ReportedBuildTest("markup loops") {}
  std::string Src(const std::string& name) { return dir_ + "src/" + name; }
};

const std::string kArrow = " \xE2\x86\x92 ";
const std::string kNested = "markup nested more than 64 passes deep; expansion stopped";

TEST_F(MarkupLoopTest, AFileIncludedInItselfIsReportedOnce) {
  WriteFileBytes(Src("self.hsn"), "me <&self.hsn&>\n");
  OnePage("<h1>Contact</h1>\n<p>\n<&self.hsn&>\n</p>\n");
  Build();
  EXPECT_EQ(lines_, (std::vector<std::string>{
                        Src("self.hsn") + ":1: warning: include loop: a.hts" + kArrow + "self.hsn" + kArrow + "self.hsn",
                        A() + ":3: note: included from here",
                        Src("self.hsn") + ":1: warning: " + kNested,
                        A() + ":3: note: included from here",
                    }));
  const std::string page = Page();
  EXPECT_NE(page.find(kNestingLimitComment), std::string::npos) << "the page ends at the bound as before";
  EXPECT_LT(page.size(), 4096u);
}

TEST_F(MarkupLoopTest, ALoopThroughAnotherFileNamesTheChain) {
  WriteFileBytes(Src("b.hsn"), "b\n<&c.hsn&>\n");
  WriteFileBytes(Src("c.hsn"), "<&b.hsn&>\n");
  OnePage("top\n<&b.hsn&>\n");
  Build();
  ASSERT_GE(lines_.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(lines_.begin(), lines_.begin() + 3),
            (std::vector<std::string>{
                Src("c.hsn") + ":1: warning: include loop: a.hts" + kArrow + "b.hsn" + kArrow + "c.hsn" + kArrow +
                    "b.hsn",
                Src("b.hsn") + ":2: note: included from here",
                A() + ":2: note: included from here",
            }));
  EXPECT_LE(lines_.size(), 7u);
}

TEST_F(MarkupLoopTest, APageThatIncludesItselfTwiceStaysShort) {
  DefaultExpansionLimits().MaxPageBytes = 1 << 20;
  OnePage("x\n<&a.hts&><&a.hts&>\n");
  Build();
  DefaultExpansionLimits().MaxPageBytes = ExpansionLimits().MaxPageBytes;
  ASSERT_GE(lines_.size(), 2u);
  EXPECT_EQ(lines_[0], A() + ":2: warning: include loop: a.hts" + kArrow + "a.hts");
  EXPECT_LE(lines_.size(), 4u) << "a few lines, not one note per include";
  EXPECT_NE(Page().find(kPageTooLargeComment), std::string::npos);
}

// A variable whose value holds its own markup is reported at the line where
// the markup was written, as is the bound it reaches.
TEST_F(MarkupLoopTest, VariableLoopsAreReportedAtTheirLine) {
  OnePage("one\ntwo\nx <%Loop%> y\n<%A%>\n", "Loop=x<%Loop%>\nA=<%B%>\nB=<%A%>\n");
  Build();
  EXPECT_EQ(lines_, (std::vector<std::string>{
                        A() + ":3: warning: variable loop: a.hts" + kArrow + "Loop" + kArrow + "Loop",
                        A() + ":4: warning: variable loop: a.hts" + kArrow + "A" + kArrow + "B" + kArrow + "A",
                        A() + ":3: warning: " + kNested,
                    }));
}

// Repeated markup that is no loop is not reported, however often it is used.
TEST_F(MarkupLoopTest, RepeatedMarkupIsNoLoop) {
  WriteFileBytes(Src("h.hsn"), "<b><%T%></b>\n");
  std::string page;
  for (int i = 0; i < 40; ++i) page += "<&h.hsn&> <%T%> <%U%>\n";
  OnePage(page, "T=t\nU=<%T%>\n");
  Build();
  EXPECT_TRUE(lines_.empty()) << lines_.front();
}

}  // namespace
}  // namespace orv
