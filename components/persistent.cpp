#include "components/persistent.h"

#include "platform/exception.h"

namespace orv {

void TPersistent::Assign(const TPersistent* source) {
  std::string from = source ? source->ClassName() : "nil";
  throw EConvertError("Cannot assign a " + from + " to a " + ClassName());
}

}  // namespace orv
