// Exceptions raised by the component library's lists and components.
#pragma once

#include <string>

#include "platform/exception.h"

namespace orv {

// An index outside a list ("List index out of bounds (5)").
class EListError : public Exception {
 public:
  using Exception::Exception;
};

// An operation a string list refuses: a duplicate in a list that does not
// accept them, or an insertion at a position in a sorted list.
class EStringListError : public EListError {
 public:
  using EListError::EListError;
};

// An invalid component name, a name already taken within an owner, or an
// ownership that would form a loop.
class EComponentError : public Exception {
 public:
  using Exception::Exception;
};

// The error for a list index that is out of range.
inline EListError ListIndexError(long long index) {
  return EListError("List index out of bounds (" + std::to_string(index) + ")");
}

}  // namespace orv
