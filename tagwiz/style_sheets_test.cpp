#include "tagwiz/style_sheets.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "platform/exception.h"
#include "platform/files.h"
#include "platform/record_file.h"

namespace orv {
namespace {

std::string Texts(std::initializer_list<std::string> texts) {
  std::string out;
  for (const std::string& t : texts) PutText(out, t);
  return out;
}

std::string Int32(uint32_t v) {
  std::string out;
  PutInt32(out, v);
  return out;
}

TEST(StyleSheetsTest, NewStyleWritesItsDefaultsByteForByte) {
  TCSSList list;
  (new TStyleSheet(list))->SetDefaults("body");
  EXPECT_EQ(list.SaveToBytes(),
            Int32(1) + Texts({"body", "", "Arial", "9", "pt", "9", "pt", "None", "None", "Left", "None", "0", "pt",
                              "0", "pt", "0", "pt", "0", "#000000", "16777215", "#FFFFFF"}));
  EXPECT_EQ(TCSSList().SaveToBytes(), std::string(4, '\0')) << "an empty list is four zero bytes";
}

TEST(StyleSheetsTest, LookupAndRemovalActOnTheFirstOfTwoNames) {
  TCSSList list;
  TStyleSheet* first = new TStyleSheet(list);
  first->SetDefaults("h1");
  TStyleSheet* second = new TStyleSheet(list);
  second->SetDefaults("h1");
  second->Texts[TStyleSheet::kSize] = "12";
  (new TStyleSheet(list))->SetDefaults("H1");
  EXPECT_EQ(list.FindStyle("h1"), first);
  EXPECT_EQ(list.FindStyle("H1"), &list.Items(2)) << "names are compared with case";
  EXPECT_EQ(list.FindStyle("h2"), nullptr);
  list.RemoveStyle("h1");
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.FindStyle("h1"), second);
  list.RemoveStyle("nothing");
  EXPECT_EQ(list.Count(), 2);
  delete second;
  EXPECT_EQ(list.Count(), 1) << "a destroyed style leaves its list";
}

TEST(StyleSheetsTest, RoundTripOfEveryTextLength) {
  TCSSList list;
  for (int length = 0; length <= 300; ++length) {
    TStyleSheet* style = new TStyleSheet(list);
    for (size_t i = 0; i < TStyleSheet::kTextCount; ++i)
      style->Texts[i] = std::string(static_cast<size_t>((length + static_cast<int>(i)) % 301),
                                    static_cast<char>('a' + (length + i) % 26));
  }
  const std::string bytes = list.SaveToBytes();
  TCSSList back;
  back.LoadFromBytes(bytes, "styles.dat");
  ASSERT_EQ(back.Count(), 301);
  for (int i = 0; i < back.Count(); ++i) EXPECT_EQ(back.Items(i).Texts, list.Items(i).Texts) << i;
  EXPECT_EQ(back.SaveToBytes(), bytes);
}

TEST(StyleSheetsTest, TextsAreCutAtTheirFirstZeroByte) {
  std::string bytes = Int32(1) + Texts({std::string("bo\0dy", 5)});
  for (size_t i = 1; i < TStyleSheet::kTextCount; ++i) bytes += Texts({"x"});
  TCSSList list;
  list.LoadFromBytes(bytes, "styles.dat");
  EXPECT_EQ(list.Items(0).Texts[0], "bo");
}

TEST(StyleSheetsTest, DamagedFilesAreRefusedAndTheListKept) {
  TCSSList list;
  (new TStyleSheet(list))->SetDefaults("kept");
  const std::string good = list.SaveToBytes();
  struct Case {
    std::string bytes;
    const char* why;
  } cases[] = {
      {"", "the count runs past the end of the file"},
      {Int32(2) + good.substr(4), "the count runs past the end of the file"},
      {Int32(0xFFFFFFFF), "the count is negative"},
      {good.substr(0, good.size() - 1), "a text runs past the end of the file"},
      {Int32(1) + Int32(0x80000000) + std::string(200, 'x'), "a text length is negative"},
      {Int32(1) + std::string(84, '\0').replace(0, 4, Int32(1000)), "a text runs past the end of the file"},
  };
  for (const Case& c : cases) {
    try {
      list.LoadFromBytes(c.bytes, "/data/styles.dat");
      ADD_FAILURE() << c.why;
    } catch (const EInOutError& e) {
      EXPECT_EQ(std::string(e.what()), std::string("Style file \"/data/styles.dat\" is corrupt: ") + c.why);
    }
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Items(0).Texts[0], "kept");
  }
}

TEST(StyleSheetsTest, FilesAreReplacedWholeOrNotAtAll) {
  const auto dir = std::filesystem::temp_directory_path() / ("orv-styles-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const std::string path = (dir / "styles.dat").string();
  TCSSList list;
  (new TStyleSheet(list))->SetDefaults("p");
  list.SaveToFile(path);
  TCSSList back;
  back.LoadFromFile(path);
  EXPECT_EQ(back.SaveToBytes(), list.SaveToBytes());
  EXPECT_THROW(list.SaveToFile((dir / "no-such-folder" / "styles.dat").string()), EInOutError);
  EXPECT_THROW(back.LoadFromFile((dir / "missing.dat").string()), EInOutError);
  EXPECT_EQ(back.Count(), 1);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace orv
