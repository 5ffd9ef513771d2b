#include "components/component.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "components/errors.h"

namespace orv {
namespace {

// Counts its destructions, and records what it is told.
class TProbe : public TComponent {
 public:
  explicit TProbe(TComponent* owner, int* destroyed = nullptr)
      : TComponent(owner), destroyed_(destroyed) {}
  ~TProbe() override {
    if (destroyed_) ++*destroyed_;
  }
  std::vector<std::string> heard;

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    heard.push_back((operation == TOperation::opInsert ? "+" : "-") + component->Name());
    TComponent::Notification(component, operation);
  }

 private:
  int* destroyed_;
};

TEST(ComponentTest, OwnerDestroysOwnedComponents) {
  int destroyed = 0;
  auto* owner = new TComponent;
  auto* a = new TProbe(owner, &destroyed);
  new TProbe(a, &destroyed);
  new TProbe(owner, &destroyed);
  EXPECT_EQ(owner->ComponentCount(), 2);
  EXPECT_EQ(a->Owner(), owner);
  EXPECT_EQ(a->ComponentCount(), 1);
  delete owner;
  EXPECT_EQ(destroyed, 3);
}

TEST(ComponentTest, DestroyedComponentLeavesItsOwner) {
  TComponent owner;
  auto* a = new TComponent(&owner);
  auto* b = new TComponent(&owner);
  delete a;
  ASSERT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(owner.Components(0), b);
  EXPECT_EQ(b->ComponentIndex(), 0);
}

TEST(ComponentTest, NamesAreCheckedAndFoundWithoutCase) {
  TComponent owner;
  auto* a = new TComponent(&owner);
  auto* b = new TComponent(&owner);
  a->SetName("Button1");
  EXPECT_EQ(owner.FindComponent("BUTTON1"), a);
  EXPECT_EQ(owner.FindComponent(""), nullptr);
  EXPECT_EQ(owner.FindComponent("Missing"), nullptr);
  try {
    b->SetName("button1");
    FAIL();
  } catch (const EComponentError& e) {
    EXPECT_STREQ(e.what(), "A component named button1 already exists");
  }
  a->SetName("BUTTON1");  // renaming itself in another case is fine
  for (const char* bad : {"1abc", "a b", "a-b", "é"}) {
    try {
      b->SetName(bad);
      FAIL() << bad;
    } catch (const EComponentError& e) {
      EXPECT_EQ(std::string(e.what()), "'" + std::string(bad) + "' is not a valid component name");
    }
  }
  b->SetName("_x9");
  b->SetName("");
  EXPECT_EQ(b->Name(), "");
}

TEST(ComponentTest, ComponentIndexMovesWithinOwnerAndClamps) {
  TComponent owner;
  TComponent* c[3];
  for (auto& item : c) item = new TComponent(&owner);
  c[0]->SetComponentIndex(2);
  EXPECT_EQ(owner.Components(2), c[0]);
  EXPECT_EQ(c[1]->ComponentIndex(), 0);
  c[0]->SetComponentIndex(-5);
  EXPECT_EQ(c[0]->ComponentIndex(), 0);
  c[0]->SetComponentIndex(99);
  EXPECT_EQ(c[0]->ComponentIndex(), 2);
  TComponent loose;
  EXPECT_EQ(loose.ComponentIndex(), -1);
  loose.SetComponentIndex(3);
  EXPECT_EQ(loose.ComponentIndex(), -1);
}

TEST(ComponentTest, ComponentsOutOfRangeIsAListError) {
  TComponent owner;
  try {
    owner.Components(0);
    FAIL();
  } catch (const EListError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (0)");
  }
  EXPECT_THROW(owner.Components(-1), EListError);
}

TEST(ComponentTest, InsertMovesBetweenOwnersAndRefusesLoops) {
  TComponent first, second;
  auto* child = new TComponent(&first);
  auto* grandchild = new TComponent(child);
  second.InsertComponent(child);
  EXPECT_EQ(first.ComponentCount(), 0);
  EXPECT_EQ(child->Owner(), &second);
  EXPECT_THROW(grandchild->InsertComponent(child), EComponentError);
  EXPECT_THROW(child->InsertComponent(child), EComponentError);
  EXPECT_EQ(child->Owner(), &second);
  second.RemoveComponent(child);
  EXPECT_EQ(child->Owner(), nullptr);
  first.RemoveComponent(grandchild);  // not its owner: nothing happens
  EXPECT_EQ(grandchild->Owner(), child);
  second.InsertComponent(nullptr);
  delete child;
}

TEST(ComponentTest, InsertRefusesATakenName) {
  TComponent owner, other;
  (new TComponent(&owner))->SetName("Edit1");
  auto* stranger = new TComponent(&other);
  stranger->SetName("edit1");
  EXPECT_THROW(owner.InsertComponent(stranger), EComponentError);
  EXPECT_EQ(stranger->Owner(), &other);
}

TEST(ComponentTest, TagAndCleanup) {
  TComponent c;
  c.SetTag(-7);
  c.SetName("Named");
  EXPECT_EQ(c.Tag(), -7);
  c.CleanupInstance();
  EXPECT_EQ(c.Name(), "");
  EXPECT_EQ(c.GetParentComponent(), nullptr);
  EXPECT_FALSE(c.HasParent());
}

TEST(ComponentTest, OwnerIsToldOfInsertAndRemove) {
  TProbe owner(nullptr);
  auto* child = new TComponent(&owner);
  child->SetName("Kid");
  owner.RemoveComponent(child);
  owner.InsertComponent(child);
  delete child;
  std::vector<std::string> expected = {"+", "-Kid", "+Kid", "-Kid"};
  EXPECT_EQ(owner.heard, expected);
}

TEST(ComponentTest, FreeNotificationReachesOtherTrees) {
  TProbe watcher(nullptr);
  auto* watched = new TComponent;
  watched->SetName("Far");
  watcher.FreeNotification(watched);
  delete watched;
  ASSERT_EQ(watcher.heard.size(), 1u);
  EXPECT_EQ(watcher.heard[0], "-Far");
  // Destroying the watcher first unlinks it, so nothing dangles.
  auto* other = new TComponent;
  {
    TProbe gone(nullptr);
    gone.FreeNotification(other);
  }
  delete other;
}

}  // namespace
}  // namespace orv
