#include "core/lib/script_objects.h"

#include <gtest/gtest.h>

#include <memory>

#include "components/component.h"
#include "components/string_list.h"

namespace orv {
namespace {

TEST(ScriptObjectsTest, PoolFreesForgottenObjectsButNotOwnedOnes) {
  TComponent owner;
  uint32_t forgotten = 0, owned_handle = 0, freed = 0;
  {
    ScriptObjectPool pool;
    ScriptObjectPool::Activation active(pool);
    forgotten = AdoptScriptObject(std::make_unique<TStringList>())->Handle();
    auto* owned = static_cast<TComponent*>(AdoptScriptObject(std::make_unique<TComponent>()));
    owner.InsertComponent(owned);
    owned_handle = owned->Handle();
    TObject* early = AdoptScriptObject(std::make_unique<TStringList>());
    freed = early->Handle();
    delete early;  // the script freed it itself
    EXPECT_EQ(pool.LiveCount(), 2u);
  }
  EXPECT_EQ(ObjectFromHandle(forgotten), nullptr);
  EXPECT_EQ(ObjectFromHandle(freed), nullptr);
  EXPECT_NE(ObjectFromHandle(owned_handle), nullptr) << "its owner frees it";
}

TEST(ScriptObjectsTest, ActivationsNestAndTheInnermostWins) {
  ScriptObjectPool outer, inner;
  ScriptObjectPool::Activation a(outer);
  {
    ScriptObjectPool::Activation b(inner);
    EXPECT_EQ(&CurrentObjectPool(), &inner);
  }
  EXPECT_EQ(&CurrentObjectPool(), &outer);
}

TEST(ScriptObjectsTest, ManyCreatedAndFreedObjectsDoNotGrowThePool) {
  ScriptObjectPool pool;
  for (int i = 0; i < 10000; ++i) delete pool.Adopt(std::make_unique<TStringList>());
  EXPECT_EQ(pool.LiveCount(), 0u);
  // A build of many pages: each block's pool goes with its component.
  int survivors = 0;
  for (int page = 0; page < 1000; ++page) {
    uint32_t handle = 0;
    {
      ScriptObjectPool block;
      ScriptObjectPool::Activation active(block);
      handle = AdoptScriptObject(std::make_unique<TStringList>())->Handle();
    }
    if (ObjectFromHandle(handle)) ++survivors;
  }
  EXPECT_EQ(survivors, 0);
}

}  // namespace
}  // namespace orv
