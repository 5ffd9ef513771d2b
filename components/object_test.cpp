#include "components/object.h"

#include <gtest/gtest.h>

#include <memory>

namespace orv {
namespace {

class TThing : public TObject {
 public:
  std::string ClassName() const override { return "TThing"; }
};

TEST(ObjectTest, HandlesFindLiveObjectsOnly) {
  auto thing = std::make_unique<TThing>();
  uint32_t handle = thing->Handle();
  EXPECT_NE(handle, 0u);
  EXPECT_EQ(thing->Handle(), handle);
  EXPECT_EQ(ObjectFromHandle(handle), thing.get());
  thing.reset();
  EXPECT_EQ(ObjectFromHandle(handle), nullptr);
  EXPECT_EQ(ObjectFromHandle(0), nullptr);
  TThing other;
  EXPECT_NE(other.Handle(), handle) << "a retired handle is never given again";
}

TEST(ObjectTest, ClassChainWalksRegisteredParents) {
  RegisterClass("TThingBase", "TObject");
  RegisterClass("TThing", "TThingBase");
  EXPECT_EQ(ClassParent("tthing"), "TThingBase");
  EXPECT_EQ(ClassParent("TThingBase"), "TObject");
  EXPECT_EQ(ClassParent("TObject"), "");
  EXPECT_EQ(ClassParent("TUnknown"), "");
  TThing thing;
  EXPECT_TRUE(thing.InheritsFrom("TTHINGBASE"));
  EXPECT_TRUE(thing.InheritsFrom("TObject"));
  EXPECT_FALSE(thing.InheritsFrom("TStrings"));
}

TEST(ObjectTest, ParentCycleDoesNotHang) {
  RegisterClass("TLoopA", "TLoopB");
  RegisterClass("TLoopB", "TLoopA");
  class TLoop : public TObject {
   public:
    std::string ClassName() const override { return "TLoopA"; }
  } loop;
  EXPECT_FALSE(loop.InheritsFrom("TOther"));
}

}  // namespace
}  // namespace orv
