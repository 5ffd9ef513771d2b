// TPersistent: the base of every object that can copy its state from another
// object of a compatible class.
#pragma once

#include "components/object.h"

namespace orv {

// An object whose contents can be copied from another object with Assign.
class TPersistent : public TObject {
 public:
  std::string ClassName() const override { return "TPersistent"; }
  size_t InstanceSize() const override { return sizeof(TPersistent); }

  // Copies `source` into this object. Classes that know how override it; the
  // base raises EConvertError "Cannot assign a TX to a TY" ("nil" for none).
  virtual void Assign(const TPersistent* source);
};

}  // namespace orv
