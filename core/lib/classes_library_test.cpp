#include "core/lib/classes_library.h"

#include <gtest/gtest.h>

#include <memory>

#include "components/component.h"
#include "components/errors.h"
#include "components/string_list.h"
#include "core/lib/image_info.h"
#include "core/lib/library_test_support.h"
#include "core/lib/script_objects.h"
#include "core/script/compiler_error.h"
#include "core/script/object_value.h"

namespace orv {
namespace {

class ClassesLibraryTest : public LibraryTest {
 protected:
  // A new list made as a script makes it, adopted by this test's pool.
  TStringList* NewList() {
    Variant made = Call("TSTRINGLIST.Create");
    auto* list = dynamic_cast<TStringList*>(VariantToObj(made));
    EXPECT_NE(list, nullptr);
    return list;
  }

  ScriptObjectPool pool_;
  ScriptObjectPool::Activation active_{pool_};
};

TEST_F(ClassesLibraryTest, CreateMakesANewEmptyListEachTime) {
  TStringList* a = NewList();
  TStringList* b = NewList();
  EXPECT_NE(a, b);
  EXPECT_EQ(a->Count(), 0);
  EXPECT_EQ(Entry("TSTRINGLIST.CREATE").ParamKinds, std::vector<ParamKind>{pkNone});
  EXPECT_EQ(pool_.LiveCount(), 2u);
}

TEST_F(ClassesLibraryTest, SortedListAndFind) {
  TStringList* l = NewList();
  Call("TSTRINGLIST.ADD", {Variant("b")}, l);
  Call("TSTRINGLIST.ADD", {Variant("a")}, l);
  Call("TSTRINGLIST.SORTED_SET", {Variant(true)}, l);
  EXPECT_EQ(Call("TSTRINGLIST.STRINGS", {Variant(0)}, l).AsString(), "a");
  EXPECT_TRUE(Call("TSTRINGLIST.FIND", {Variant("b"), Variant()}, l).AsBoolean());
  EXPECT_EQ(args_[1].AsInteger(), 1);
  EXPECT_EQ(Entry("TSTRINGLIST.FIND").ParamKinds, (std::vector<ParamKind>{pkValue, pkVar}));
  EXPECT_TRUE(Call("TSTRINGLIST.SORTED", {}, l).AsBoolean());
  Call("TSTRINGLIST.DUPLICATES_SET", {Variant(2)}, l);
  EXPECT_EQ(Call("TSTRINGLIST.DUPLICATES", {}, l).AsInteger(), 2);
  EXPECT_THROW(Call("TSTRINGLIST.ADD", {Variant("a")}, l), EStringListError);
  EXPECT_THROW(Call("TSTRINGLIST.DUPLICATES_SET", {Variant(7)}, l), EConvertError);
}

TEST_F(ClassesLibraryTest, StringsMembersReachedThroughTheClassChain) {
  TStringList* l = NewList();
  Call("TSTRINGLIST.TEXT_SET", {Variant("x=1\ny=2")}, l);
  EXPECT_EQ(Call("TSTRINGLIST.COUNT", {}, l).AsInteger(), 2);
  EXPECT_EQ(Call("TSTRINGLIST.NAMES", {Variant(1)}, l).AsString(), "y");
  EXPECT_EQ(Call("TSTRINGLIST.VALUES", {Variant("x")}, l).AsString(), "1");
  Call("TSTRINGLIST.VALUES_VET", {Variant("z"), Variant("3")}, l);
  EXPECT_EQ(Call("TSTRINGLIST.COMMATEXT", {}, l).AsString(), "x=1,y=2,z=3");
  Call("TSTRINGLIST.STRINGS_VET", {Variant(0), Variant("first")}, l);
  EXPECT_EQ(Call("TSTRINGLIST.INDEXOF", {Variant("FIRST")}, l).AsInteger(), 0);
  EXPECT_EQ(Call("TSTRINGLIST.INDEXOFNAME", {Variant("z")}, l).AsInteger(), 2);
  EXPECT_LT(FindFunction("TSTRINGS.Names_VET"), 0) << "Names is read-only";
  Call("TSTRINGLIST.EXCHANGE", {Variant(0), Variant(2)}, l);
  Call("TSTRINGLIST.MOVE", {Variant(0), Variant(1)}, l);
  Call("TSTRINGLIST.INSERT", {Variant(0), Variant("top")}, l);
  Call("TSTRINGLIST.DELETE", {Variant(3)}, l);
  Call("TSTRINGLIST.APPEND", {Variant("end")}, l);
  EXPECT_EQ(l->CommaText(), "top,y=2,z=3,end");
  TStringList* other = NewList();
  Call("TSTRINGLIST.ASSIGN", {ObjToVariant(l)}, other);
  EXPECT_TRUE(Call("TSTRINGLIST.EQUALS", {ObjToVariant(l)}, other).AsBoolean());
  EXPECT_FALSE(Call("TSTRINGLIST.EQUALS", {Variant(0)}, other).AsBoolean());
  Call("TSTRINGLIST.ADDSTRINGS", {ObjToVariant(l)}, other);
  EXPECT_EQ(other->Count(), 8);
  EXPECT_EQ(Call("TSTRINGLIST.ADDOBJECT", {Variant("o"), ObjToVariant(l)}, other).AsInteger(), 8);
  EXPECT_EQ(VariantToObj(Call("TSTRINGLIST.OBJECTS", {Variant(8)}, other)), l);
  EXPECT_EQ(Call("TSTRINGLIST.INDEXOFOBJECT", {ObjToVariant(l)}, other).AsInteger(), 8);
  Call("TSTRINGLIST.OBJECTS_VET", {Variant(8), Variant(0)}, other);
  EXPECT_TRUE(Call("TSTRINGLIST.OBJECTS", {Variant(8)}, other).IsEmpty());
  Call("TSTRINGLIST.BEGINUPDATE", {}, other);
  Call("TSTRINGLIST.CLEAR", {}, other);
  Call("TSTRINGLIST.ENDUPDATE", {}, other);
  EXPECT_EQ(other->Count(), 0);
}

TEST_F(ClassesLibraryTest, FilesThroughTheBindings) {
  TStringList* l = NewList();
  std::string path = testing::TempDir() + "classes_library_test.txt";
  Call("TSTRINGLIST.COMMATEXT_SET", {Variant("a,b")}, l);
  Call("TSTRINGLIST.SAVETOFILE", {Variant(path)}, l);
  TStringList* back = NewList();
  Call("TSTRINGLIST.LOADFROMFILE", {Variant(path)}, back);
  EXPECT_EQ(back->CommaText(), "a,b");
  EXPECT_THROW(Call("TSTRINGLIST.LOADFROMFILE", {Variant("/no/such/file")}, back), EInOutError);
  EXPECT_THROW(Call("TSTRINGLIST.STRINGS", {Variant(5)}, back), EListError);
}

TEST_F(ClassesLibraryTest, MembersOnNilOrOnTheWrongClassAreScriptErrors) {
  TComponent component;
  struct Case {
    const char* name;
    TObject* self;
    std::initializer_list<Variant> args;
    const char* message;
  } cases[] = {
      {"TSTRINGS.ADD", nullptr, {Variant("x")}, "TStrings.ADD called on a nil object"},
      {"TSTRINGS.ADD", &component, {Variant("x")}, "TStrings.ADD called on an object of class TComponent"},
      {"TSTRINGLIST.SORT", nullptr, {}, "TStringList.SORT called on a nil object"},
      {"TCOMPONENT.NAME", nullptr, {}, "TComponent.NAME called on a nil object"},
  };
  for (const Case& c : cases) {
    try {
      Call(c.name, c.args, c.self);
      FAIL() << c.name;
    } catch (const ECompilerError& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
  }
  TStringList* l = NewList();
  try {
    Call("TSTRINGLIST.ADDSTRINGS", {ObjToVariant(&component)}, l);
    FAIL();
  } catch (const ECompilerError& e) {
    EXPECT_STREQ(e.what(), "Argument of TStrings.ADDSTRINGS must be a TStrings, not a TComponent");
  }
  EXPECT_THROW(Call("TSTRINGLIST.ADDSTRINGS", {Variant()}, l), ECompilerError);
  try {
    Call("TSTRINGLIST.ASSIGN", {ObjToVariant(&component)}, l);
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "Cannot assign a TComponent to a TStringList");
  }
}

TEST_F(ClassesLibraryTest, ComponentMembers) {
  TComponent owner;
  auto* child = new TComponent(&owner);
  Call("TCOMPONENT.NAME_SET", {Variant("Child")}, child);
  Call("TCOMPONENT.TAG_SET", {Variant(9)}, child);
  EXPECT_EQ(Call("TCOMPONENT.TAG", {}, child).AsInteger(), 9);
  EXPECT_EQ(VariantToObj(Call("TCOMPONENT.FINDCOMPONENT", {Variant("child")}, &owner)), child);
  EXPECT_TRUE(Call("TCOMPONENT.FINDCOMPONENT", {Variant("none")}, &owner).IsEmpty());
  EXPECT_EQ(Call("TCOMPONENT.COMPONENTCOUNT", {}, &owner).AsInteger(), 1);
  EXPECT_EQ(VariantToObj(Call("TCOMPONENT.COMPONENTS", {Variant(0)}, &owner)), child);
  EXPECT_EQ(VariantToObj(Call("TCOMPONENT.OWNER", {}, child)), &owner);
  EXPECT_EQ(Call("TCOMPONENT.COMPONENTINDEX", {}, child).AsInteger(), 0);
  EXPECT_FALSE(Call("TCOMPONENT.HASPARENT", {}, child).AsBoolean());
  EXPECT_TRUE(Call("TCOMPONENT.GETPARENTCOMPONENT", {}, child).IsEmpty());
  Call("TCOMPONENT.REMOVECOMPONENT", {ObjToVariant(child)}, &owner);
  EXPECT_EQ(child->Owner(), nullptr);
  Call("TCOMPONENT.INSERTCOMPONENT", {ObjToVariant(child)}, &owner);
  EXPECT_EQ(child->Owner(), &owner);
  EXPECT_THROW(Call("TCOMPONENT.NAME_SET", {Variant("1bad")}, child), EComponentError);
  EXPECT_THROW(Call("TCOMPONENT.COMPONENTS", {Variant(3)}, &owner), EListError);
  EXPECT_THROW(Call("TCOMPONENT.INSERTCOMPONENT", {ObjToVariant(&owner)}, child), EComponentError);
  int32_t dup = FindConst("DUPACCEPT");
  ASSERT_GE(dup, 0);
  EXPECT_EQ(ConstAt(dup).AsInteger(), 1);
}

TEST_F(ClassesLibraryTest, ImageInfoProperties) {
  TImageInfo info;
  info.Width = 640;
  info.Height = 480;
  info.ImgType = 2;
  EXPECT_EQ(Call("TIMAGEINFO.WIDTH", {}, &info).AsInteger(), 640);
  EXPECT_EQ(Call("TIMAGEINFO.HEIGHT", {}, &info).AsInteger(), 480);
  EXPECT_EQ(Call("TIMAGEINFO.IMGTYPE", {}, &info).AsInteger(), 2);
  EXPECT_LT(FindFunction("TIMAGEINFO.WIDTH_SET"), 0);
  EXPECT_TRUE(info.InheritsFrom("TObject"));
}

}  // namespace
}  // namespace orv
