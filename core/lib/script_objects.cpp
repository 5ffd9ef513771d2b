#include "core/lib/script_objects.h"

#include <algorithm>

#include "components/component.h"

namespace orv {
namespace {

std::vector<ScriptObjectPool*>& ActivePools() {
  static std::vector<ScriptObjectPool*> pools;
  return pools;
}

// Built before the process pool, so the object table and the list of active
// pools outlive it: the pool frees its objects when the process ends.
struct TablesFirst {
  TablesFirst() {
    ObjectFromHandle(0);
    ActivePools();
  }
};

struct ProcessPoolHolder : TablesFirst {
  ScriptObjectPool pool;
};

ScriptObjectPool& ProcessPool() {
  static ProcessPoolHolder holder;
  return holder.pool;
}

}  // namespace

ScriptObjectPool::~ScriptObjectPool() {
  auto& active = ActivePools();
  active.erase(std::remove(active.begin(), active.end(), this), active.end());
  for (uint32_t handle : handles_) {
    TObject* object = ObjectFromHandle(handle);
    if (!object) continue;
    auto* component = dynamic_cast<TComponent*>(object);
    if (component && component->Owner()) continue;
    delete object;
  }
}

TObject* ScriptObjectPool::Adopt(std::unique_ptr<TObject> object) {
  TObject* raw = object.release();
  handles_.push_back(raw->Handle());
  if (handles_.size() >= compact_at_) Compact();
  return raw;
}

void ScriptObjectPool::Compact() {
  handles_.erase(std::remove_if(handles_.begin(), handles_.end(),
                                [](uint32_t handle) { return ObjectFromHandle(handle) == nullptr; }),
                 handles_.end());
  compact_at_ = std::max<size_t>(64, handles_.size() * 2);
}

size_t ScriptObjectPool::LiveCount() const {
  return static_cast<size_t>(std::count_if(handles_.begin(), handles_.end(),
                                           [](uint32_t handle) { return ObjectFromHandle(handle) != nullptr; }));
}

ScriptObjectPool::Activation::Activation(ScriptObjectPool& pool) : pool_(pool) {
  ActivePools().push_back(&pool);
}

ScriptObjectPool::Activation::~Activation() {
  auto& active = ActivePools();
  auto it = std::find(active.rbegin(), active.rend(), &pool_);
  if (it != active.rend()) active.erase(std::next(it).base());
}

ScriptObjectPool& CurrentObjectPool() {
  auto& active = ActivePools();
  return active.empty() ? ProcessPool() : *active.back();
}

TObject* AdoptScriptObject(std::unique_ptr<TObject> object) {
  return CurrentObjectPool().Adopt(std::move(object));
}

}  // namespace orv
