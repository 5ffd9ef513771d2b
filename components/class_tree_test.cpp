#include "components/class_tree.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "components/object.h"
#include "components/string_list.h"
#include "platform/paths.h"

namespace orv {
namespace {

// Every class of the tree reaches TObject through registered parents.
TEST(ClassTreeTest, EveryClassReachesTheRoot) {
  for (const ClassTreeEntry& entry : StandardClassTree()) {
    std::string name = entry.name;
    int steps = 0;
    while (!SameText(name, "TObject") && steps++ < 20) name = ClassParent(name);
    EXPECT_EQ(name, "TObject") << entry.name;
  }
}

TEST(ClassTreeTest, ParentsComeBeforeChildrenAndNamesAreUnique) {
  std::set<std::string> seen;
  for (const ClassTreeEntry& entry : StandardClassTree()) {
    if (*entry.parent) {
      EXPECT_TRUE(seen.count(UpperCase(entry.parent))) << entry.name;
    }
    EXPECT_TRUE(seen.insert(UpperCase(entry.name)).second) << entry.name;
  }
}

TEST(ClassTreeTest, BoundClassesReachTheMembersOfTheirBases) {
  struct Case {
    const char* child;
    const char* ancestor;
  } cases[] = {
      {"TForm", "TControl"},         {"TForm", "TWinControl"},
      {"TMemo", "TCustomEdit"},      {"TSaveDialog", "TCommonDialog"},
      {"TReplaceDialog", "TFindDialog"}, {"TLabel", "TGraphicControl"},
      {"TRadioGroup", "TCustomControl"}, {"TCheckBox", "TWinControl"},
      {"TStringList", "TPersistent"}, {"TScrollBox", "TWinControl"},
      {"TTimer", "TComponent"},      {"TPanel", "TCustomControl"},
  };
  for (const Case& c : cases) {
    std::string name = c.child;
    while (!name.empty() && !SameText(name, c.ancestor)) name = ClassParent(name);
    EXPECT_FALSE(name.empty()) << c.child << " should derive from " << c.ancestor;
  }
  EXPECT_EQ(ClassParent("TSTRINGLIST"), "TStrings");
  EXPECT_EQ(ClassParent("tcomponent"), "TPersistent");
}

TEST(ClassTreeTest, ObjectsKnowTheirAncestry) {
  TStringList list;
  EXPECT_TRUE(list.InheritsFrom("TStrings"));
  EXPECT_TRUE(list.InheritsFrom("tpersistent"));
  EXPECT_FALSE(list.InheritsFrom("TComponent"));
}

}  // namespace
}  // namespace orv
