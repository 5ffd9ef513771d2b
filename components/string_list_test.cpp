#include "components/string_list.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "components/errors.h"

namespace orv {
namespace {

TEST(StringListTest, AddInsertDeleteAndBounds) {
  TStringList l;
  EXPECT_EQ(l.Add("b"), 0);
  l.Insert(0, "a");
  l.Insert(2, "c");
  EXPECT_EQ(l.CommaText(), "a,b,c");
  l.Delete(1);
  EXPECT_EQ(l.CommaText(), "a,c");
  l.Put(1, "z");
  EXPECT_EQ(l.Get(1), "z");
  for (int bad : {-1, 2}) {
    try {
      l.Get(bad);
      FAIL();
    } catch (const EListError& e) {
      EXPECT_EQ(std::string(e.what()), "List index out of bounds (" + std::to_string(bad) + ")");
    }
  }
  EXPECT_THROW(l.Insert(3, "x"), EListError);
  EXPECT_THROW(l.Delete(2), EListError);
  EXPECT_THROW(l.PutObject(5, nullptr), EListError);
  l.Clear();
  EXPECT_EQ(l.Count(), 0);
}

TEST(StringListTest, SortingAndFind) {
  TStringList l;
  l.Add("b");
  l.Add("a");
  l.SetSorted(true);
  EXPECT_EQ(l.Get(0), "a");
  int index = -1;
  EXPECT_TRUE(l.Find("b", index));
  EXPECT_EQ(index, 1);
  EXPECT_FALSE(l.Find("ab", index));
  EXPECT_EQ(index, 1) << "the insertion position";
  EXPECT_FALSE(l.Find("zz", index));
  EXPECT_EQ(index, 2);
  EXPECT_TRUE(l.Find("B", index)) << "case is ignored by default";
  EXPECT_EQ(l.Add("ab"), 1);
  EXPECT_EQ(l.CommaText(), "a,ab,b");
  EXPECT_EQ(l.IndexOf("AB"), 1);
}

TEST(StringListTest, DuplicatesModes) {
  TStringList l;
  l.SetSorted(true);
  l.Add("x");
  l.Add("y");
  EXPECT_EQ(l.Add("X"), 0);
  EXPECT_EQ(l.Count(), 2) << "dupIgnore is the default";
  l.SetDuplicates(dupError);
  try {
    l.Add("y");
    FAIL();
  } catch (const EStringListError& e) {
    EXPECT_STREQ(e.what(), "String list does not allow duplicates");
  }
  l.SetDuplicates(dupAccept);
  EXPECT_EQ(l.Add("x"), 1) << "an accepted duplicate goes after its equals";
  EXPECT_EQ(l.CommaText(), "x,x,y");
  int index = -1;
  EXPECT_TRUE(l.Find("x", index));
  EXPECT_EQ(index, 0) << "Find gives the first of equals";
  TStringList unsorted;
  unsorted.SetDuplicates(dupError);
  unsorted.Add("d");
  unsorted.Add("d");
  EXPECT_EQ(unsorted.Count(), 2) << "duplicates apply to sorted lists only";
}

TEST(StringListTest, SortedListKeepsItsOrder) {
  TStringList l;
  l.SetCommaText("a,c,e");
  l.SetSorted(true);
  for (auto op : {+[](TStringList& s) { s.Insert(0, "z"); }, +[](TStringList& s) { s.Exchange(0, 1); },
                  +[](TStringList& s) { s.Move(0, 2); }, +[](TStringList& s) { s.Put(0, "x"); }}) {
    try {
      op(l);
      FAIL();
    } catch (const EStringListError& e) {
      EXPECT_STREQ(e.what(), "Operation not allowed on sorted list");
    }
    EXPECT_EQ(l.CommaText(), "a,c,e");
  }
  l.Put(1, "d");
  EXPECT_EQ(l.CommaText(), "a,d,e") << "a replacement that keeps the order is allowed";
  EXPECT_THROW(l.Put(1, "e"), EStringListError) << "it would make a duplicate";
  l.SetValue("k", "v");
  EXPECT_EQ(l.CommaText(), "a,d,e,k=v");
}

TEST(StringListTest, CaseSensitivity) {
  TStringList l;
  l.SetCommaText("b,B,a");
  EXPECT_EQ(l.IndexOf("B"), 0);
  l.SetCaseSensitive(true);
  EXPECT_EQ(l.IndexOf("B"), 1);
  l.SetSorted(true);
  EXPECT_EQ(l.CommaText(), "B,a,b");
  l.SetCaseSensitive(false);
  EXPECT_EQ(l.Get(0), "a") << "the list is sorted again";
}

TEST(StringListTest, SortIsStableAndHandlesHighBytes) {
  TStringList l;
  l.SetCommaText("b,A,a,\xc3\xa9,B");
  l.Sort();
  EXPECT_EQ(l.CommaText(), "A,a,b,B,\xc3\xa9");
}

TEST(StringListTest, SharedLinesAreNotChangedThroughEachOther) {
  TStringList a, b;
  a.Add("first");
  SharedText line = a.GetShared(0);
  EXPECT_EQ(line.Rep(), a.GetShared(0).Rep()) << "a read shares the line";
  b.AddShared(line);
  a.Put(0, "changed");
  EXPECT_EQ(line.View(), "first");
  EXPECT_EQ(b.Get(0), "first");
  b.PutShared(0, SharedText("other"));
  EXPECT_EQ(line.View(), "first");
  EXPECT_EQ(a.Get(0), "changed");
  a.Clear();
  b.Clear();
  EXPECT_EQ(line.View(), "first") << "the text outlives the lists it was in";
  EXPECT_EQ(line.Rep()->refs, 1u);
}

TEST(StringListTest, SharedAddKeepsSortedAndDuplicateRules) {
  TStringList l;
  l.SetSorted(true);
  l.SetDuplicates(dupIgnore);
  EXPECT_EQ(l.AddShared(SharedText("b")), 0);
  EXPECT_EQ(l.AddShared(SharedText("a")), 0);
  EXPECT_EQ(l.AddShared(SharedText("B")), 1) << "an equal line (no case) is not added";
  EXPECT_EQ(l.Count(), 2);
  l.SetDuplicates(dupError);
  EXPECT_THROW(l.AddShared(SharedText("a")), EStringListError);
  EXPECT_THROW(l.PutShared(0, SharedText("z")), EStringListError) << "z belongs elsewhere";
  l.PutShared(0, SharedText("A"));
  EXPECT_EQ(l.Get(0), "A");
}

TEST(StringListTest, ObjectsAreHeldByHandle) {
  TStringList l;
  auto obj = std::make_unique<TStringList>();
  l.AddObject("line", obj.get());
  EXPECT_EQ(l.GetObject(0), obj.get());
  obj.reset();
  EXPECT_EQ(l.GetObject(0), nullptr) << "a destroyed object reads as none";
}

TEST(StringListTest, CleanupInstanceEmptiesTheList) {
  TStringList l;
  l.Add("a");
  l.CleanupInstance();
  EXPECT_EQ(l.Count(), 0);
  EXPECT_EQ(l.ClassName(), "TStringList");
  EXPECT_GT(l.InstanceSize(), sizeof(TObject));
}

// An unsorted list finds the first line equal to the key: ignoring ASCII
// case unless the list is case-sensitive, never a line that only begins
// or ends like the key, and non-ASCII bytes only as they stand.
TEST(StringListTest, UnsortedIndexOf) {
  TStringList l;
  for (const char* line : {"key1", "key12", "Key1", "", "k\xC3\xA9y", "KEY12"}) l.Add(line);
  struct Case {
    const char* key;
    int ignoring_case, keeping_case;
  };
  for (const Case& c : {Case{"key1", 0, 0}, Case{"KEY1", 0, -1}, Case{"Key1", 0, 2}, Case{"key12", 1, 1},
                        Case{"KEY12", 1, 5}, Case{"key", -1, -1}, Case{"key123", -1, -1}, Case{"", 3, 3},
                        Case{"K\xC3\xA9Y", 4, -1}, Case{"k\xC3\x89y", -1, -1}}) {
    l.SetCaseSensitive(false);
    EXPECT_EQ(l.IndexOf(c.key), c.ignoring_case) << c.key;
    l.SetCaseSensitive(true);
    EXPECT_EQ(l.IndexOf(c.key), c.keeping_case) << c.key;
  }
}

}  // namespace
// A list stops growing at 256 MiB: the change that would pass the bound
// fails and leaves the list as it was; room freed by a change is room again.
TEST(StringListTest, ListLargerThanTheBoundIsAnError) {
  const std::string big(TStringList::kMaxBytes / 2, 'x');
  TStringList list;
  list.Add(big);
  try {
    list.Add(big);
    ADD_FAILURE() << "no error";
  } catch (const EStringListError& e) {
    EXPECT_STREQ(e.what(), "String list larger than 256 MiB");
  }
  EXPECT_EQ(list.Count(), 1);
  EXPECT_THROW(list.Insert(0, big), EStringListError);
  list.Add("small");
  EXPECT_THROW(list.Put(1, big), EStringListError);
  EXPECT_EQ(list.Get(1), "small");
  list.Put(0, "");
  list.Put(1, big);
  list.Delete(1);
  list.Add(big);
  list.Clear();
  list.Add(big);
  EXPECT_EQ(list.Count(), 1);
}

}  // namespace orv
