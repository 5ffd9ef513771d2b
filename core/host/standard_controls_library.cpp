// The standard controls unit: the alignment, character-case, scroll-bar,
// combo, check and list-style constants. The members of labels, edits,
// memos, combo and list boxes, buttons, check boxes, radio buttons, group
// boxes and scroll bars come from the class tables
// (RegisterVisualClassBindings).
#include "core/host/class_binding.h"
#include "core/host/class_bindings.h"

namespace orv {
namespace {

constexpr ConstBinding kConstants[] = {
    {"taLeftJustify", 0}, {"taCenter", 2},       {"taRightJustify", 1},  {"ecUpperCase", 1},
    {"ecLowerCase", 2},   {"ecNormal", 0},       {"ssNone", 0},          {"ssHorizontal", 1},
    {"ssVertical", 2},    {"ssBoth", 3},         {"csDropDown", 0},      {"csSimple", 1},
    {"csDropDownList", 2}, {"csOwnerDrawFixed", 3}, {"csOwnerDrawVariable", 4}, {"cbUnchecked", 0},
    {"cbChecked", 1},     {"cbGrayed", 2},       {"lbStandard", 0},      {"lbOwnerDrawFixed", 1},
    {"lbOwnerDrawVariable", 2},
};

}  // namespace

void RegisterStandardControlsLibrary() {
  RegisterConstants(kConstants);
}

}  // namespace orv
