// EControlError, the error the visual classes raise themselves: a control
// placed inside itself, a visible window made modal, a Qt application
// without widgets.
#pragma once

#include "components/errors.h"

namespace orv {

// An error of the visual classes.
class EControlError : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace orv
