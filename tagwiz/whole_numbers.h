// Checking the number boxes of an insert dialog before it builds markup.
#pragma once

#include <initializer_list>

namespace orv {

class TCustomEdit;

// True when every box's text is a whole number. Otherwise shows the
// conversion error of the first one that is not, focuses it and selects its
// text, and returns false.
bool WholeNumbers(std::initializer_list<TCustomEdit*> boxes);

}  // namespace orv
