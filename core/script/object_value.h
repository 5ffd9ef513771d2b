// Objects inside script values. An object travels as its 32-bit handle in the
// process-wide object table (components/object.h), stored in the value field
// of an Empty value, so a stale value can never reach freed memory.
#pragma once

#include "components/object.h"
#include "core/script/variant.h"

namespace orv {

// An Empty value carrying `object`'s handle; a plain Empty value for nullptr.
Variant ObjToVariant(TObject* object);

// The live object whose handle is in `value`'s value field, whatever the type
// code (an integer holding a handle works as well); nullptr for 0, for a
// handle whose object was freed, and for kinds without a value field
// (reals, strings, arrays).
TObject* VariantToObj(const Variant& value);

// VariantToObj for callers that need an object: raises ECompilerError
// "Object reference is not valid" when there is none.
TObject* RequireObject(const Variant& value);

}  // namespace orv
