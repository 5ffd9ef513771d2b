// Class tables: one table makes a class's descriptor (published properties
// in order), its public members, and its bindings, worked out from the
// members they name, the parents' included.
#include "components/class_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace orv {
namespace {

using namespace publish;

// A component with a member of every kind a table holds.
class TGadget : public TComponent {
 public:
  using TComponent::TComponent;
  std::string ClassName() const override { return "TGadget"; }

  int Size() const { return size_; }
  void SetSize(int size) { size_ = size; }
  bool Hidden() const { return hidden_; }
  void SetHidden(bool hidden) { hidden_ = hidden; }
  int Weight() const { return size_ * 3; }
  int Area(int width, int height) const { return width * height; }
  void Grow(int by) { size_ += by; }
  int Part(int index) const { return index * 10; }

 private:
  int size_ = 1;
  bool hidden_ = false;
};

// A class that adds nothing of its own and binds members of its parents.
class TGizmo : public TGadget {
 public:
  using TGadget::TGadget;
  std::string ClassName() const override { return "TGizmo"; }
};

int Twice(int value) { return value * 2; }

void RegisterGadgets() {
  static const bool done = [] {
    RegisterClassTable({
        .name = "TGadget",
        .parent = "TComponent",
        .factory = Factory<TGadget>(),
        .published = {Bound(Prop("Size", types::Integer, &TGadget::Size, &TGadget::SetSize)),
                      Prop("Hidden", types::Boolean, &TGadget::Hidden, &TGadget::SetHidden)},
        .properties = {Bound(Prop("Weight", types::Integer, &TGadget::Weight))},
        .methods = {Bound(Method("Area", &TGadget::Area)), Bound(Method("Grow", &TGadget::Grow)),
                    Bound(Method("Part", &TGadget::Part), MemberKind::IndexedReadOnly)},
        .bound = {"Create"},
    });
    RegisterClassTable({
        .name = "TGizmo",
        .parent = "TGadget",
        .factory = Factory<TGizmo>(),
        .bound = {"Create", "size", "Hidden", "Weight", {"Area", MemberKind::Procedure}, "tag"},
    });
    RegisterRoutines({Bound(Routine("GadgetTwice", &Twice)), Bound(Routine("GadgetTwiceInto", &Twice), "r"),
                      Routine("GadgetUnbound", &Twice)});
    return true;
  }();
  (void)done;
}

class ClassTableTest : public testing::Test {
 protected:
  void SetUp() override { RegisterGadgets(); }

  // The bindings of `class_name` ("" for the test's routines), as "Name kind params".
  static std::vector<std::string> BindingsOf(const std::string& class_name) {
    static const char* const kKinds[] = {"Property", "ReadOnly", "IndexedReadOnly", "Procedure", "Function",
                                         "Constructor"};
    std::vector<std::string> rows;
    for (const BoundMember& member : BoundMembers()) {
      if (member.class_name != class_name) continue;
      if (class_name.empty() && member.name.rfind("Gadget", 0) != 0) continue;
      rows.push_back(member.name + " " + kKinds[static_cast<int>(member.kind)] + " " + member.params);
    }
    return rows;
  }
};

TEST_F(ClassTableTest, TheTableMakesTheDescriptorAndTheMembers) {
  std::vector<std::string> published;
  for (const PropertyInfo* property : PublishedProperties("TGizmo")) published.push_back(property->name);
  EXPECT_EQ(published, (std::vector<std::string>{"Tag", "Size", "Hidden"})) << "published ones only, in order";
  TComponent owner;
  TComponent* gizmo = CreateComponent("TGizmo", &owner);
  EXPECT_EQ(gizmo->ClassName(), "TGizmo");
  SetPropValue(*gizmo, "Size", int64_t{4});
  const PropertyInfo* weight = FindProperty("TGizmo", "weight");
  ASSERT_NE(weight, nullptr);
  EXPECT_EQ(std::get<int64_t>(weight->get(*gizmo)), 12);
  EXPECT_EQ(FindPublishedProperty(*gizmo, "Weight"), nullptr) << "a public property is never stored";
  const MethodInfo* area = FindMethod("TGizmo", "AREA");
  ASSERT_NE(area, nullptr);
  std::vector<PropertyValue> args{int64_t{3}, int64_t{5}};
  EXPECT_EQ(std::get<int64_t>(area->call(gizmo, args)), 15);
  ASSERT_NE(FindRoutine("GadgetUnbound", ""), nullptr);
}

TEST_F(ClassTableTest, BindingsAreWorkedOutFromTheMembersTheyName) {
  EXPECT_EQ(BindingsOf("TGadget"), (std::vector<std::string>{"Size Property ", "Weight ReadOnly ",
                                                             "Area Function vv", "Grow Procedure v",
                                                             "Part IndexedReadOnly v", "Create Constructor "}));
  // Inherited members, spelled as their class spells them; a kind given in
  // the table wins over the member's own.
  EXPECT_EQ(BindingsOf("TGizmo"),
            (std::vector<std::string>{"Create Constructor ", "Size Property ", "Hidden Property ",
                                      "Weight ReadOnly ", "Area Procedure vv", "Tag Property "}));
  EXPECT_EQ(BindingsOf(""), (std::vector<std::string>{"GadgetTwice Function v", "GadgetTwiceInto Function r"}));
}

TEST_F(ClassTableTest, ABindingOfNoMemberIsRefusedAndASecondTableReplacesTheFirst) {
  struct Case {
    std::vector<TableMember<PropertyInfo>> published;
    std::vector<Binding> bound;
    const char* message;
  };
  const Case cases[] = {
      {{}, {"Nope"}, "TGadgetBroken binds Nope, which it does not have"},
      {{}, {"Size", "Sizes"}, "TGadgetBroken binds Sizes, which it does not have"},
      {{Prop("Grow", types::Integer, &TGadget::Size)},
       {"Grow"},
       "TGadgetBroken binds Grow, which is both a property and a method"},
  };
  for (const Case& c : cases) {
    RegisterClassTable({.name = "TGadgetBroken", .parent = "TGadget", .published = c.published, .bound = c.bound});
    try {
      BoundMembers();
      ADD_FAILURE() << c.message;
    } catch (const EPropertyError& error) {
      EXPECT_STREQ(error.what(), c.message);
    }
  }
  RegisterClassTable({.name = "TGadgetBroken", .parent = "TGadget", .bound = {"Grow"}});
  EXPECT_EQ(BindingsOf("TGadgetBroken"), (std::vector<std::string>{"Grow Procedure v"}));
}

}  // namespace
}  // namespace orv
