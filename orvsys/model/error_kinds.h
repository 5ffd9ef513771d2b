// The error kinds the error centre knows: the runtime's exception class
// names in the order its list shows them, and a short explanation of each.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace orv {

// The class names in list order ("EAbort", "EOutOfMemory", ...).
const std::vector<std::string>& ErrorKindNames();

// The explanation of the class named `class_name` (compared with its exact
// case); "No explanation available for this error type" for any other name.
std::string ErrorExplanation(std::string_view class_name);

}  // namespace orv
