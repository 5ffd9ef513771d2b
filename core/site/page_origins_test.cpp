// Where page text came from: edits walked backwards to the line of the file
// that holds the text, through replacements, deletions, included files and
// line-end repairs.
#include "core/site/page_origins.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/files.h"
#include "platform/folders.h"

namespace orv {
namespace {

// A page of four lines, "l1" to "l4" (4 bytes each with CR LF).
const char kPage[] = "l1\r\nl2\r\nl3\r\nl4\r\n";

PageOrigins Fresh() {
  PageOrigins origins;
  origins.Start("p.hts", kPage);
  return origins;
}

TEST(PageOriginsTest, UneditedTextIsAtItsOwnLine) {
  PageOrigins origins = Fresh();
  const struct {
    size_t at;
    int line;
  } cases[] = {{0, 1}, {3, 1}, {4, 2}, {13, 4}, {16, 5}, {999, 5}};
  for (const auto& c : cases) {
    std::vector<SourcePlace> places = origins.Locate(c.at);
    ASSERT_EQ(places.size(), 1u);
    EXPECT_EQ(places[0].Path, "p.hts");
    EXPECT_EQ(places[0].Line, c.line) << c.at;
    EXPECT_TRUE(places[0].Written);
  }
}

TEST(PageOriginsTest, BroughtTextBelongsToItsMarkupsLine) {
  PageOrigins origins = Fresh();
  // Line 2's two characters become ten lines of 4 bytes (40 bytes).
  origins.BeginMarkup(4);
  origins.Replace(4, 2, 40);
  EXPECT_EQ(origins.Locate(4 + 39)[0].Line, 2);
  EXPECT_FALSE(origins.Locate(4 + 39)[0].Written);
  // After the inserted text: "\r\n" of line 2, then line 3 at 4 + 40 + 2.
  EXPECT_EQ(origins.Locate(46)[0].Line, 3);
  EXPECT_TRUE(origins.Locate(46)[0].Written);
  // A second edit on the new text: line 4 is now at 50.
  origins.Replace(50, 2, 0);
  EXPECT_EQ(origins.Locate(50)[0].Line, 4);
  EXPECT_EQ(origins.EditCount(), 2u);
}

TEST(PageOriginsTest, IncludedTextIsAtTheIncludedFilesLine) {
  const std::string dir = DataDir() + "page origins/";
  std::filesystem::create_directories(dir);
  WriteFileBytes(dir + "h.hsn", "one\ntwo\nthree\n");
  PageOrigins origins = Fresh();
  // Line 3 ("l3") is an include of h.hsn, in line form 17 bytes.
  origins.BeginMarkup(8);
  origins.TakeFileText(dir + "h.hsn");
  origins.Replace(8, 2, 17);
  std::vector<SourcePlace> places = origins.Locate(8 + 10);  // in "three"
  ASSERT_EQ(places.size(), 2u);
  EXPECT_EQ(places[0].Path, dir + "h.hsn");
  EXPECT_EQ(places[0].Line, 3);
  EXPECT_EQ(places[1].Path, "p.hts");
  EXPECT_EQ(places[1].Line, 3);
  // A variable inside the included text is replaced later: its value
  // belongs to the included file's line.
  origins.Replace(8 + 5, 3, 100);
  places = origins.Locate(8 + 5 + 50);
  ASSERT_EQ(places.size(), 2u);
  EXPECT_EQ(places[0].Line, 2);
  EXPECT_FALSE(places[0].Written);
  // The page's own text after the include keeps its line.
  EXPECT_EQ(origins.Locate(8 + 17 + 97 + 2)[0].Line, 4);
  std::filesystem::remove_all(dir);
}

TEST(PageOriginsTest, EachIncludeIsLocatedInItsOwnFileAcrossPages) {
  const std::string dir = DataDir() + "page origins files/";
  std::filesystem::create_directories(dir);
  WriteFileBytes(dir + "a.hsn", "a1\na2\n");
  WriteFileBytes(dir + "b.hsn", "b1\nb2\nb3\n");
  WriteFileBytes(dir + "p.hts", kPage);
  PageOrigins origins;
  origins.Start(dir + "p.hts", kPage);
  // Lines 4, 3, 2 and 1 ("lN", two bytes each) are includes of p.hts (16
  // bytes in line form), a.hsn (8), b.hsn (12) and a.hsn again, made from
  // the last line to the first so that each stands where the page had it.
  const struct {
    size_t at;
    const char* file;
    size_t size;
  } includes[] = {{12, "p.hts", 16}, {8, "a.hsn", 8}, {4, "b.hsn", 12}, {0, "a.hsn", 8}};
  for (const auto& include : includes) {
    origins.BeginMarkup(include.at);
    origins.TakeFileText(dir + include.file);
    origins.Replace(include.at, 2, include.size);
  }
  // The page is now a.hsn [0, 8), b.hsn [10, 22), a.hsn [24, 32) and p.hts
  // [34, 50), each followed by its line's CR LF. The page's own text
  // included in it is named once, as the page's.
  const struct {
    size_t at;
    const char* file;
    int line;
    size_t chain;
  } places[] = {{4, "a.hsn", 2, 2}, {18, "b.hsn", 3, 2}, {28, "a.hsn", 2, 2}, {46, "p.hts", 4, 1}};
  for (const auto& place : places) {
    std::vector<SourcePlace> found = origins.Locate(place.at);
    ASSERT_EQ(found.size(), place.chain) << place.at;
    EXPECT_EQ(found[0].Path, dir + place.file) << place.at;
    EXPECT_EQ(found[0].Line, place.line) << place.at;
    EXPECT_EQ(found.back().Path, dir + "p.hts");
  }
  // The next page knows none of them until it includes them.
  origins.Start(dir + "q.hts", "z\r\n");
  origins.BeginMarkup(0);
  origins.TakeFileText(dir + "b.hsn");
  origins.Replace(0, 1, 12);
  EXPECT_EQ(origins.Locate(5)[0].Path, dir + "b.hsn");
  EXPECT_EQ(origins.Locate(5)[0].Line, 2);
  std::filesystem::remove_all(dir);
}

TEST(PageOriginsTest, LineEndRepairsShiftTheTextAfterThem) {
  PageOrigins origins;
  origins.Start("p.hts", "a\r\nb\r\nc\r\n");
  // "b" is replaced by "x\ny" (a lone LF), then the text is put in line form.
  origins.Replace(3, 1, 3);
  std::string text = "a\r\nx\ny\r\nc\r\n";
  origins.Normalize(text);
  ASSERT_EQ(text, "a\r\nx\r\ny\r\nc\r\n");
  EXPECT_EQ(origins.Locate(text.find('c'))[0].Line, 3);
  EXPECT_EQ(origins.Locate(text.find('y'))[0].Line, 2);
  // A text already in line form records nothing.
  size_t edits = origins.EditCount();
  origins.Normalize(text);
  EXPECT_EQ(origins.EditCount(), edits);
  // A last line without a break gets one.
  std::string unended = "a\r\nb";
  origins.Normalize(unended);
  EXPECT_EQ(unended, "a\r\nb\r\n");
  EXPECT_EQ(origins.EditCount(), edits + 1);
}

TEST(PageOriginsTest, AStartForgetsTheEditsAndFiles) {
  PageOrigins origins = Fresh();
  origins.Replace(0, 4, 400);
  origins.Start("q.hts", "z\r\n");
  EXPECT_EQ(origins.EditCount(), 0u);
  EXPECT_EQ(origins.PagePath(), "q.hts");
  EXPECT_EQ(origins.Locate(1)[0].Line, 1);
}

}  // namespace
}  // namespace orv
