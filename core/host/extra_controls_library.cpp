// The extra controls unit: the shape, bevel and border constants. The
// members of shapes, paint boxes, images, bevels, timers, panels, notebooks,
// headers and radio groups come from the class tables
// (RegisterVisualClassBindings).
#include "core/host/class_binding.h"
#include "core/host/class_bindings.h"

namespace orv {
namespace {

constexpr ConstBinding kConstants[] = {
    {"stEllipse", 4},   {"stRectangle", 0}, {"stRoundRect", 2}, {"stRoundSquare", 3}, {"stSquare", 1},
    {"stCircle", 5},    {"bsBox", 0},       {"bsFrame", 1},     {"bsTopLine", 2},     {"bsBottomLine", 3},
    {"bsLeftLine", 4},  {"bsRightLine", 5}, {"bsLowered", 0},   {"bsRaised", 1},      {"bvNone", 0},
    {"bvLowered", 1},   {"bvRaised", 2},    {"bsNone", 0},      {"bsSingle", 1},
};

}  // namespace

void RegisterExtraControlsLibrary() {
  RegisterConstants(kConstants);
}

}  // namespace orv
