#include "controls/class_tables.h"

namespace orv {
namespace {

// Runs when the library is loaded.
[[maybe_unused]] const bool registered = [] {
  RegisterControlClasses();
  RegisterFormClasses();
  RegisterEditClasses();
  RegisterButtonClasses();
  RegisterListClasses();
  RegisterContainerClasses();
  RegisterGraphicControlClasses();
  RegisterGraphicsClasses();
  RegisterComponentClasses();
  RegisterDialogClasses();
  return true;
}();

}  // namespace
}  // namespace orv
