// The controls unit: members of TControl and TWinControl, which every
// visual class inherits, and the colour, cursor, alignment and drag-mode
// constants.
#include "core/host/class_bindings.h"
#include "core/host/class_binding.h"

namespace orv {
namespace {

using enum MemberKind;

constexpr MemberBinding kMembers[] = {
    {"TControl", "PERFORM", Function, "vvv"},
    {"TControl", "BRINGTOFRONT", Procedure},
    {"TControl", "HIDE", Procedure},
    {"TControl", "INVALIDATE", Procedure},
    {"TControl", "REFRESH", Procedure},
    {"TControl", "REPAINT", Procedure},
    {"TControl", "SENDTOBACK", Procedure},
    {"TControl", "SETBOUNDS", Procedure, "vvvv"},
    {"TControl", "SHOW", Procedure},
    {"TControl", "UPDATE", Procedure},
    {"TControl", "ALIGN", Property},
    {"TControl", "CLIENTHEIGHT", Property},
    {"TControl", "CLIENTWIDTH", Property},
    {"TControl", "LEFT", Property},
    {"TControl", "TOP", Property},
    {"TControl", "WIDTH", Property},
    {"TControl", "HEIGHT", Property},
    {"TControl", "CURSOR", Property},
    {"TControl", "PARENT", Property},
    {"TControl", "SHOWHINT", Property},
    {"TControl", "VISIBLE", Property},
    {"TControl", "ENABLED", Property},
    {"TControl", "HINT", Property},
    {"TControl", "CAPTION", Property},
    {"TWinControl", "CANFOCUS", Function},
    {"TWinControl", "CONTAINSCONTROL", Function, "v"},
    {"TWinControl", "FOCUSED", Function},
    {"TWinControl", "INSERTCONTROL", Procedure, "v"},
    {"TWinControl", "REMOVECONTROL", Procedure, "v"},
    {"TWinControl", "SCALEBY", Procedure, "vv"},
    {"TWinControl", "SCROLLBY", Procedure, "vv"},
    {"TWinControl", "SETFOCUS", Procedure},
    {"TWinControl", "HELPCONTEXT", Property},
    {"TWinControl", "ALIGN", Property},
    {"TWinControl", "COLOR", Property},
    {"TWinControl", "DRAGCURSOR", Property},
    {"TWinControl", "DRAGMODE", Property},
    {"TWinControl", "TABORDER", Property},
    {"TWinControl", "TEXT", Property},
    {"TWinControl", "CTL3D", Property},
    {"TWinControl", "ENABLED", Property},
    {"TWinControl", "PARENTCOLOR", Property},
    {"TWinControl", "PARENTCTL3D", Property},
    {"TWinControl", "PARENTFONT", Property},
    {"TWinControl", "PARENTSHOWHINT", Property},
    {"TWinControl", "SHOWHINT", Property},
    {"TWinControl", "TABSTOP", Property},
    {"TWinControl", "VISIBLE", Property},
    {"TWinControl", "FONT", Property},
    {"TWinControl", "POPUPMENU", Property},
    {"TWinControl", "CONTROLCOUNT", ReadOnly},
    {"TWinControl", "SHOWING", ReadOnly},
};

constexpr ConstBinding kConstants[] = {
    {"clNavy", 8388608}, {"crDefault", 0},  {"crArrow", -2},      {"crCross", -3},  {"crSize", -5},
    {"crIBeam", -4},     {"crHourglass", -11}, {"crDrag", -12},   {"alNone", 0},    {"alTop", 1},
    {"alBottom", 2},     {"alLeft", 3},     {"alRight", 4},       {"alClient", 5},  {"dmAutomatic", 1},
    {"dmManual", 0},
};

}  // namespace

void RegisterControlsLibrary() {
  RegisterMembers<kMembers>();
  RegisterConstants(kConstants);
}

}  // namespace orv
