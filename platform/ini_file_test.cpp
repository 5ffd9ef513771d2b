#include "platform/ini_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <random>

#include "platform/exception.h"
#include "platform/files.h"

namespace orv {
namespace {

class IniFileTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::string(std::getenv("ORV_HOME") ? std::getenv("ORV_HOME") : "/tmp") + "/ini_test";
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    path_ = dir_ + "/p.ini";
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  void Write(const std::string& text) { WriteFileBytes(path_, text); }

  std::string dir_, path_;
};

TEST_F(IniFileTest, NamesIgnoreCaseAndFirstMatchWins) {
  Write("[Dirs]\r\nSrc=/a\r\nsrc=/b\r\n[dirs]\r\nout=/c\r\n");
  TIniFile ini(path_);
  EXPECT_EQ(ini.ReadString("DIRS", "SRC", "x"), "/a");
  EXPECT_EQ(ini.ReadString("dirs", "out", "none"), "none");  // only the first [dirs] counts
  EXPECT_EQ(ini.ReadSection("dirs"), (std::vector<std::string>{"Src", "src"}));
  EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"Dirs", "dirs"}));
  using Pairs = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ(ini.ReadSectionValues("DIRS"), (Pairs{{"Src", "/a"}, {"src", "/b"}}));
}

// Layout names every section and key with its line, repeats included, and
// which of them is read.
TEST_F(IniFileTest, LayoutGivesLinesAndWhatIsRead) {
  Write("; c\nstray=1\n[Dirs]\nSrc=/a\n\nsrc=/b\n[ Other ]\nk=v\n[dirs]\nout=/c\n");
  std::vector<TIniFile::SectionPlace> layout = TIniFile(path_).Layout();
  ASSERT_EQ(layout.size(), 3u);
  EXPECT_EQ(layout[0].Name, "Dirs");
  EXPECT_EQ(layout[0].Line, 3u);
  EXPECT_TRUE(layout[0].Read);
  ASSERT_EQ(layout[0].Keys.size(), 2u);
  EXPECT_EQ(layout[0].Keys[0].Key, "Src");
  EXPECT_EQ(layout[0].Keys[0].Line, 4u);
  EXPECT_TRUE(layout[0].Keys[0].Read);
  EXPECT_EQ(layout[0].Keys[1].Line, 6u);
  EXPECT_FALSE(layout[0].Keys[1].Read) << "src repeats Src";
  EXPECT_EQ(layout[1].Name, "Other");
  EXPECT_EQ(layout[1].Keys[0].Line, 8u);
  EXPECT_EQ(layout[2].Line, 9u);
  EXPECT_FALSE(layout[2].Read) << "[dirs] repeats [Dirs]";
  EXPECT_TRUE(layout[2].Keys[0].Read) << "a key is the first of its name in its own section";
}

TEST_F(IniFileTest, BlanksQuotesCommentsAndStrayLines) {
  Write("; comment\nkey=outside\n[ S ]\n  a  =  v w  \nb=\"quoted\"\nc='x'\nd=\"half\n;e=1\nnoequals\nf=a=b\n");
  TIniFile ini(path_);
  EXPECT_EQ(ini.ReadString("s", "a", ""), "v w");
  EXPECT_EQ(ini.ReadString("s", "b", ""), "quoted");
  EXPECT_EQ(ini.ReadString("s", "c", ""), "x");
  EXPECT_EQ(ini.ReadString("s", "d", ""), "\"half");
  EXPECT_EQ(ini.ReadString("s", "f", ""), "a=b");
  EXPECT_FALSE(ini.ValueExists("s", ";e"));
  EXPECT_EQ(ini.ReadSection("s"), (std::vector<std::string>{"a", "b", "c", "d", "f"}));
}

TEST_F(IniFileTest, IntegersAndBooleans) {
  Write("[c]\nzero=0\none=1\nneg=-7\nhex=$1F\nhex2=0x10\nyes=yes\nmixed=10abc\nempty=\nbig=99999999999\nall=$FFFFFFFF\n");
  TIniFile ini(path_);
  EXPECT_EQ(ini.ReadInteger("c", "neg", 5), -7);
  EXPECT_EQ(ini.ReadInteger("c", "hex", 5), 31);
  EXPECT_EQ(ini.ReadInteger("c", "hex2", 5), 16);
  EXPECT_EQ(ini.ReadInteger("c", "mixed", 5), 5);
  EXPECT_EQ(ini.ReadInteger("c", "empty", 5), 5);
  EXPECT_EQ(ini.ReadInteger("c", "big", 5), 5);
  EXPECT_EQ(ini.ReadInteger("c", "all", 5), -1);
  EXPECT_FALSE(ini.ReadBool("c", "zero", true));
  EXPECT_TRUE(ini.ReadBool("c", "one", false));
  EXPECT_TRUE(ini.ReadBool("c", "yes", true));
  EXPECT_FALSE(ini.ReadBool("c", "yes", false));
  EXPECT_TRUE(ini.ReadBool("c", "missing", true));
}

TEST_F(IniFileTest, MissingFileReadsEmpty) {
  TIniFile ini(dir_ + "/none.ini");
  EXPECT_EQ(ini.ReadString("a", "b", "d"), "d");
  EXPECT_TRUE(ini.ReadSection("a").empty());
}

TEST_F(IniFileTest, WriteCreatesFileAndSection) {
  TIniFile ini(dir_ + "/sub-new.ini");
  ini.WriteString("directories", "src", "/s");
  ini.WriteInteger("directories", "n", 3);
  ini.WriteBool("Compiler", "vars", false);
  EXPECT_EQ(ReadFileBytes(dir_ + "/sub-new.ini"), "[directories]\nsrc=/s\nn=3\n\n[Compiler]\nvars=0\n");
  EXPECT_EQ(TIniFile(dir_ + "/sub-new.ini").ReadInteger("DIRECTORIES", "N", 0), 3);
}

TEST_F(IniFileTest, WriteKeepsOtherLinesAndLineEnds) {
  Write("; top\r\n[A]\r\nx=1\r\n; inside\r\nY=2\r\n\r\n[b]\r\nz=3\r\n");
  TIniFile ini(path_);
  ini.WriteString("a", "y", "new");
  ini.WriteString("a", "w", "added");
  ini.WriteString("B", "z", "");
  EXPECT_EQ(ReadFileBytes(path_),
            "; top\r\n[A]\r\nx=1\r\n; inside\r\nY=new\r\nw=added\r\n\r\n[b]\r\nz=\r\n");
  EXPECT_EQ(ini.ReadString("a", "w", ""), "added");
}

// A file that begins with a byte-order mark keeps it when written; a second
// mark after it (the first line's own) is kept too, so the sections read the
// same again.
TEST_F(IniFileTest, AByteOrderMarkIsKept) {
  const std::string bom = "\xef\xbb\xbf";
  for (const std::string& start : {bom + "[a]\n", bom + bom + "[a]\n", std::string("[a]\n")}) {
    SCOPED_TRACE(start);
    Write(start + "x=1\n");
    std::vector<std::string> sections = TIniFile(path_).ReadSections();
    TIniFile(path_).WriteString("fuzz", "key", "v");
    EXPECT_EQ(ReadFileBytes(path_), start + "x=1\n\n[fuzz]\nkey=v\n");
    TIniFile again(path_);
    sections.push_back("fuzz");
    EXPECT_EQ(again.ReadSections(), sections);
    EXPECT_EQ(again.ReadString("fuzz", "key", ""), "v");
    EXPECT_EQ(again.ReadString("a", "x", ""), start.size() > 4 + bom.size() ? "" : "1");
  }
}

TEST_F(IniFileTest, EraseSectionRemovesEverySectionOfTheNameAndKeepsTheRest) {
  Write("; top\r\n[site]\r\nurl=a\r\n\r\n[other]\r\nx=1\r\n[SITE]\r\nurl=b\r\n");
  TIniFile ini(path_);
  ini.EraseSection(" Site ");
  EXPECT_EQ(ReadFileBytes(path_), "; top\r\n[other]\r\nx=1\r\n");
  EXPECT_FALSE(ini.SectionExists("site"));
  ini.EraseSection("missing");
  EXPECT_EQ(ReadFileBytes(path_), "; top\r\n[other]\r\nx=1\r\n");
}

TEST_F(IniFileTest, WriteRejectsWhatTheFormCannotHold) {
  TIniFile ini(path_);
  EXPECT_THROW(ini.WriteString("s", "k", "a\nb"), EConvertError);
  EXPECT_THROW(ini.WriteString("s", "k=v", "a"), EConvertError);
  EXPECT_THROW(ini.WriteString("s]", "k", "a"), EConvertError);
  EXPECT_THROW(ini.WriteString("s", "", "a"), EConvertError);
  EXPECT_FALSE(FileExists(path_));
}

// Values the reading rules would change are written in one more pair of
// quotes; every other value is written as it is.
TEST_F(IniFileTest, ValuesReadBackExactlyAsWritten) {
  const struct {
    std::string value;
    std::string line;
  } cases[] = {
      {"plain", "k=plain"},
      {"a b", "k=a b"},
      {"", "k="},
      {"'pw'", "k=\"'pw'\""},
      {"\"quoted\"", "k=\"\"quoted\"\""},
      {"\"a\" and \"b\"", "k=\"\"a\" and \"b\"\""},
      {" lead", "k=\" lead\""},
      {"trail\t", "k=\"trail\t\""},
      {"  ", "k=\"  \""},
      {"\"", "k=\""},
      {"'half", "k='half"},
      {"; not a comment", "k=; not a comment"},
      {"a=b", "k=a=b"},
      {"[s]", "k=[s]"},
      {"caf\xc3\xa9", "k=caf\xc3\xa9"},
  };
  for (const auto& c : cases) {
    TIniFile ini(path_);
    ini.WriteString("s", "k", c.value);
    EXPECT_EQ(ReadFileBytes(path_), "[s]\n" + c.line + "\n") << c.value;
    EXPECT_EQ(TIniFile(path_).ReadString("s", "k", "missing"), c.value) << c.value;
    std::filesystem::remove(path_);
  }
}

// Any text without a line break, written and read again by a new reader,
// comes back unchanged, also when it replaces an earlier value.
TEST_F(IniFileTest, RandomValuesRoundTrip) {
  const std::string alphabet = std::string("ab =;'\"\t[]#\\x") + "\xc3\xa9\xff" + std::string(1, '\0');
  std::mt19937 random(23);
  for (int round = 0; round < 500; ++round) {
    std::string value;
    const size_t length = random() % 12;
    for (size_t i = 0; i < length; ++i) value += alphabet[random() % alphabet.size()];
    TIniFile(path_).WriteString("Proxy", "password", value);
    TIniFile(path_).WriteString("Proxy", "other", value);
    const TIniFile ini(path_);
    ASSERT_EQ(ini.ReadString("Proxy", "password", "missing"), value) << "round " << round;
    ASSERT_EQ(ini.ReadString("Proxy", "other", "missing"), value) << "round " << round;
  }
}

// A whole section is replaced: keys of any case stay distinct, comments and
// the other sections stay, and a section that is missing is added.
TEST_F(IniFileTest, WriteSectionValuesReplacesTheKeys) {
  Write("[files]\r\n0=a\r\n[Variables]\r\n; the site's\r\nOld=1\r\nGone=2\r\n\r\n[other]\r\nx=1\r\n");
  TIniFile ini(path_);
  ini.WriteSectionValues("variables", {{"Title", "Home"}, {"TITLE", " spaced "}, {"Empty", ""}});
  EXPECT_EQ(ReadFileBytes(path_),
            "[files]\r\n0=a\r\n[Variables]\r\n; the site's\r\nTitle=Home\r\nTITLE=\" spaced \"\r\nEmpty=\r\n"
            "\r\n[other]\r\nx=1\r\n");
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"Title", "Home"}, {"TITLE", " spaced "}, {"Empty", ""}};
  EXPECT_EQ(TIniFile(path_).ReadSectionValues("VARIABLES"), expected);

  ini.WriteSectionValues("variables", {});
  EXPECT_TRUE(TIniFile(path_).ReadSectionValues("variables").empty());
  EXPECT_EQ(TIniFile(path_).ReadString("other", "x", ""), "1");
  ini.WriteSectionValues("Styles", {{"StyleCount", "1"}, {"0", "body"}});
  EXPECT_EQ(TIniFile(path_).ReadInteger("styles", "stylecount", 0), 1);
  EXPECT_EQ(TIniFile(path_).ReadSections().back(), "Styles");
}

TEST_F(IniFileTest, WriteSectionValuesRejectsBeforeWriting) {
  Write("[v]\na=1\n");
  TIniFile ini(path_);
  for (const std::string& bad : {std::string("k=v"), std::string(" lead"), std::string(";c"), std::string(""),
                                 std::string("a\nb")})
    EXPECT_THROW(ini.WriteSectionValues("v", {{"fine", "1"}, {bad, "x"}}), EConvertError) << bad;
  EXPECT_THROW(ini.WriteSectionValues("v", {{"fine", "a\rb"}}), EConvertError);
  EXPECT_EQ(ReadFileBytes(path_), "[v]\na=1\n");
}

TEST_F(IniFileTest, WriteToUnwritablePlaceRaises) {
  TIniFile ini(dir_ + "/missing-folder/x.ini");
  EXPECT_THROW(ini.WriteString("s", "k", "v"), EInOutError);
}

}  // namespace
}  // namespace orv
