// Tests of the operations TStrings builds on its primitives, run on a
// TStringList.
#include "components/strings.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "components/errors.h"
#include "components/string_list.h"

namespace orv {
namespace {

std::vector<std::string> Lines(const TStrings& s) {
  std::vector<std::string> out;
  for (int i = 0; i < s.Count(); ++i) out.push_back(s.Get(i));
  return out;
}

using V = std::vector<std::string>;

TEST(StringsTest, TextJoinsWithCrLfAndSplitsAnyLineEnd) {
  TStringList l;
  struct Case {
    const char* text;
    V lines;
  } cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\n", {"a"}},
      {"a\r\nb", {"a", "b"}},
      {"a\nb\rc\r\n\r\nd", {"a", "b", "c", "", "d"}},
      {"\n", {""}},
      {"\r\r\n", {"", ""}},
      {"x\n\n", {"x", ""}},
  };
  for (const Case& c : cases) {
    l.SetText(c.text);
    EXPECT_EQ(Lines(l), c.lines) << c.text;
  }
  l.SetText("a\nb");
  EXPECT_EQ(l.Text(), "a\r\nb\r\n");
}

TEST(StringsTest, CommaTextQuotesWhatNeedsIt) {
  TStringList l;
  for (const char* s : {"plain", "two words", "a,b", "say \"hi\"", "", "tab\there"}) l.Add(s);
  EXPECT_EQ(l.CommaText(), "plain,\"two words\",\"a,b\",\"say \"\"hi\"\"\",\"\",\"tab\there\"");
  TStringList back;
  back.SetCommaText(l.CommaText());
  EXPECT_TRUE(back.Equals(l));
}

TEST(StringsTest, CommaTextReading) {
  TStringList l;
  struct Case {
    const char* text;
    V lines;
  } cases[] = {
      {"", {}},
      {"a,b", {"a", "b"}},
      {"  a , b  ", {"a", "b"}},
      {"a b", {"a", "b"}},
      {"a,,b", {"a", "", "b"}},
      {"a,", {"a", ""}},
      {",a", {"", "a"}},
      {"\"x, y\",z", {"x, y", "z"}},
      {"\"un\"\"q\"", {"un\"q"}},
      {"\"open", {"open"}},
      {"\"\"", {""}},
      {"caf\xc3\xa9", {"caf\xc3\xa9"}},
  };
  for (const Case& c : cases) {
    l.SetCommaText(c.text);
    EXPECT_EQ(Lines(l), c.lines) << c.text;
  }
}

TEST(StringsTest, NamesAndValues) {
  TStringList l;
  l.SetText("Title=Home\nnoequals\nEmpty=\nA=b=c");
  EXPECT_EQ(l.Names(0), "Title");
  EXPECT_EQ(l.Names(1), "");
  EXPECT_EQ(l.Values("title"), "Home");
  EXPECT_EQ(l.Values("A"), "b=c");
  EXPECT_EQ(l.Values("Empty"), "");
  EXPECT_EQ(l.Values("missing"), "");
  EXPECT_EQ(l.IndexOfName("EMPTY"), 2);
  EXPECT_EQ(l.IndexOfName("noequals"), -1);
  l.SetValue("Title", "About");
  EXPECT_EQ(l.Get(0), "Title=About");
  l.SetValue("New", "1");
  EXPECT_EQ(l.Get(4), "New=1");
  l.SetValue("title", "");
  EXPECT_EQ(l.IndexOfName("Title"), -1);
  l.SetValue("never", "");
  EXPECT_EQ(l.Count(), 4);
  EXPECT_THROW(l.Names(9), EListError);
}

TEST(StringsTest, IndexOfIgnoresCaseAndIndexOfObjectFindsObjects) {
  TStringList l, o1, o2;
  l.Add("Alpha");
  l.AddObject("beta", &o1);
  EXPECT_EQ(l.IndexOf("ALPHA"), 0);
  EXPECT_EQ(l.IndexOf("gamma"), -1);
  EXPECT_EQ(l.IndexOfObject(&o1), 1);
  EXPECT_EQ(l.IndexOfObject(&o2), -1);
  EXPECT_EQ(l.IndexOfObject(nullptr), 0);
}

TEST(StringsTest, MoveAndExchangeCarryObjects) {
  TStringList l, obj;
  l.SetCommaText("a,b,c,d");
  l.PutObject(0, &obj);
  l.Move(0, 2);
  EXPECT_EQ(l.CommaText(), "b,c,a,d");
  EXPECT_EQ(l.GetObject(2), &obj);
  l.Exchange(2, 3);
  EXPECT_EQ(l.CommaText(), "b,c,d,a");
  EXPECT_EQ(l.GetObject(3), &obj);
  EXPECT_EQ(l.GetObject(2), nullptr);
  EXPECT_THROW(l.Move(0, 4), EListError);
  EXPECT_THROW(l.Exchange(-1, 0), EListError);
  EXPECT_EQ(l.CommaText(), "b,c,d,a") << "a failed move loses nothing";
}

TEST(StringsTest, AssignAddStringsAndEquals) {
  TStringList a, b;
  a.SetCommaText("x,y");
  b.SetCommaText("old");
  b.Assign(&a);
  EXPECT_TRUE(b.Equals(a));
  b.AddStrings(b);
  EXPECT_EQ(b.CommaText(), "x,y,x,y");
  EXPECT_FALSE(b.Equals(a));
  TStringList c;
  c.SetCommaText("X,y");
  EXPECT_FALSE(c.Equals(a)) << "Equals compares exact bytes";
  b.Assign(&b);
  EXPECT_EQ(b.Count(), 4);
  try {
    b.Assign(nullptr);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "Cannot assign a nil to a TStringList");
  }
  TPersistent plain;
  try {
    b.Assign(&plain);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "Cannot assign a TPersistent to a TStringList");
  }
}

TEST(StringsTest, FilesRoundTripWithCrLf) {
  std::string path = testing::TempDir() + "strings_test.txt";
  TStringList l;
  l.SetText("one\ntwo\n\xff\xfe bytes");
  l.SaveToFile(path);
  std::ifstream in(path, std::ios::binary);
  std::string raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(raw, "one\r\ntwo\r\n\xff\xfe bytes\r\n");
  TStringList back;
  back.Add("stale");
  back.LoadFromFile(path);
  EXPECT_TRUE(back.Equals(l));
  std::remove(path.c_str());
}

TEST(StringsTest, FileErrorsNameTheFileAndKeepTheList) {
  TStringList l;
  l.Add("kept");
  std::string missing = testing::TempDir() + "no/such/file.txt";
  try {
    l.LoadFromFile(missing);
    FAIL();
  } catch (const EInOutError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Cannot open file \"" + missing + "\"", 0), 0u) << e.what();
  }
  EXPECT_THROW(l.LoadFromFile(testing::TempDir()), EInOutError) << "a folder is not a file";
  EXPECT_THROW(l.SaveToFile(missing), EInOutError);
  EXPECT_EQ(l.CommaText(), "kept");
}

TEST(StringsTest, UpdatesAreBatched) {
  TStringList l;
  int changes = 0;
  l.OnChange = [&](TStringList&) { ++changes; };
  l.Add("a");
  EXPECT_EQ(changes, 1);
  l.BeginUpdate();
  l.BeginUpdate();
  l.Add("b");
  l.Add("c");
  l.EndUpdate();
  EXPECT_EQ(changes, 1);
  l.EndUpdate();
  EXPECT_EQ(changes, 2);
  l.EndUpdate();  // an extra EndUpdate is harmless
  EXPECT_EQ(l.UpdateCount(), 0);
  l.SetCommaText("x,y,z");
  EXPECT_EQ(changes, 3) << "SetCommaText is one change";
}

}  // namespace
}  // namespace orv
