#include "core/script/object_value.h"

#include "core/script/compiler_error.h"

namespace orv {

Variant ObjToVariant(TObject* object) {
  return Variant::EmptyWithField(object ? object->Handle() : 0);
}

TObject* VariantToObj(const Variant& value) { return ObjectFromHandle(value.ValueField()); }

TObject* RequireObject(const Variant& value) {
  TObject* object = VariantToObj(value);
  if (!object) throw ECompilerError("Object reference is not valid");
  return object;
}

}  // namespace orv
