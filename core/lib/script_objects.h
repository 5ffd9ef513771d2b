// The lifetime of objects that scripts create (TStringList.Create and the
// constructors of the bound classes).
//
// Rule: every object a script creates is adopted by the pool that is active
// while the script runs. A script may free it at any time (L.Free); when the
// pool is destroyed, each adopted object that is still alive and has no owner
// component is freed (objects with an owner are freed by their owner). A host
// gives each script component its own pool and activates it around every run,
// so the lists a page block forgets to free go away with the block's
// component, and a build of many pages does not grow. Objects created while
// no pool is active belong to a process-wide pool, freed when the process
// ends. Values that still refer to a freed object find nothing there (see
// object handles in components/object.h) and the script gets an error, never
// freed memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "components/object.h"

namespace orv {

// A set of script-created objects that dies with its owner.
class ScriptObjectPool {
 public:
  ScriptObjectPool() = default;
  // Frees the surviving adopted objects that have no owner.
  ~ScriptObjectPool();
  ScriptObjectPool(const ScriptObjectPool&) = delete;
  ScriptObjectPool& operator=(const ScriptObjectPool&) = delete;

  // Takes `object` into the pool; returns it.
  TObject* Adopt(std::unique_ptr<TObject> object);
  // The adopted objects that are still alive.
  size_t LiveCount() const;

  // Makes a pool the one that adopts new script objects while it lives;
  // activations nest, the innermost wins.
  class Activation {
   public:
    explicit Activation(ScriptObjectPool& pool);
    ~Activation();
    Activation(const Activation&) = delete;
    Activation& operator=(const Activation&) = delete;

   private:
    ScriptObjectPool& pool_;
  };

 private:
  void Compact();

  std::vector<uint32_t> handles_;
  size_t compact_at_ = 64;
};

// The pool new script objects go to: the innermost active one, else the
// process-wide pool.
ScriptObjectPool& CurrentObjectPool();

// Adopts `object` into CurrentObjectPool() and returns it.
TObject* AdoptScriptObject(std::unique_ptr<TObject> object);

}  // namespace orv
