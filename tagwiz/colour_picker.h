// The colour picker of libhuepick.so, loaded by name each time a colour is
// chosen, so tagwiz works (without colours) when the picker is not there.
#pragma once

#include <string>

#include "platform/exception.h"

namespace orv {

// The picker library or its export HuepickDouble cannot be found.
class EColourPickerMissing : public Exception {
 public:
  using Exception::Exception;
};

// A colour the user chose: the HTML text ("#RRGGBB") and the colour value
// as decimal text (red in the low byte).
struct TPickedColour {
  std::string Html;
  std::string Value;
};

// Loads `library` (it stays loaded), finds HuepickDouble and asks it for a
// colour. True with `colour` filled when one was chosen, false when the
// picker was cancelled. Raises EColourPickerMissing, saying why, when the
// library or the export is missing; the export is then never called.
bool PickColour(TPickedColour& colour, const std::string& library = "libhuepick.so");

}  // namespace orv
