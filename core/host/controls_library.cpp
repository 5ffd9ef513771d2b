// The controls unit: the colour, cursor, alignment and drag-mode constants.
// The members of TControl and TWinControl come, like those of every visual
// class, from the class tables (RegisterVisualClassBindings).
#include "core/host/class_binding.h"
#include "core/host/class_bindings.h"

namespace orv {
namespace {

constexpr ConstBinding kConstants[] = {
    {"clNavy", 8388608}, {"crDefault", 0},  {"crArrow", -2},      {"crCross", -3},  {"crSize", -5},
    {"crIBeam", -4},     {"crHourglass", -11}, {"crDrag", -12},   {"alNone", 0},    {"alTop", 1},
    {"alBottom", 2},     {"alLeft", 3},     {"alRight", 4},       {"alClient", 5},  {"dmAutomatic", 1},
    {"dmManual", 0},
};

}  // namespace

void RegisterControlsLibrary() {
  RegisterConstants(kConstants);
}

}  // namespace orv
