// The standard controls unit: labels, edits, memos, combo and list boxes,
// buttons, check boxes, radio buttons, group boxes and scroll bars, with the
// alignment, character-case, scroll-bar, combo, check and list-style
// constants.
#include "core/host/class_binding.h"
#include "core/host/class_bindings.h"

namespace orv {
namespace {

using enum MemberKind;

constexpr MemberBinding kMembers[] = {
    {"TGroupBox", "CREATE", Constructor},
    {"TCustomLabel", "CREATE", Constructor},
    {"TLabel", "CREATE", Constructor},
    {"TLabel", "ALIGNMENT", Property},
    {"TLabel", "AUTOSIZE", Property},
    {"TLabel", "SHOWACCELCHAR", Property},
    {"TLabel", "TRANSPARENT", Property},
    {"TLabel", "WORDWRAP", Property},
    {"TLabel", "FOCUSCONTROL", Property},
    {"TCustomEdit", "CREATE", Constructor},
    {"TCustomEdit", "CLEAR", Procedure},
    {"TCustomEdit", "CLEARSELECTION", Procedure},
    {"TCustomEdit", "COPYTOCLIPBOARD", Procedure},
    {"TCustomEdit", "CUTTOCLIPBOARD", Procedure},
    {"TCustomEdit", "PASTEFROMCLIPBOARD", Procedure},
    {"TCustomEdit", "SELECTALL", Procedure},
    {"TCustomEdit", "MODIFIED", Property},
    {"TCustomEdit", "SELLENGTH", Property},
    {"TCustomEdit", "SELSTART", Property},
    {"TCustomEdit", "SELTEXT", Property},
    {"TEdit", "CREATE", Constructor},
    {"TEdit", "AUTOSELECT", Property},
    {"TEdit", "AUTOSIZE", Property},
    {"TEdit", "OEMCONVERT", Property},
    {"TEdit", "READONLY", Property},
    {"TEdit", "BORDERSTYLE", Property},
    {"TEdit", "CHARCASE", Property},
    {"TEdit", "MAXLENGTH", Property},
    {"TEdit", "PASSWORDCHAR", Property},
    {"TCustomMemo", "CREATE", Constructor},
    {"TCustomMemo", "LINES", Property},
    {"TMemo", "CREATE", Constructor},
    {"TMemo", "ALIGNMENT", Property},
    {"TMemo", "SCROLLBARS", Property},
    {"TMemo", "WANTRETURNS", Property},
    {"TMemo", "WANTTABS", Property},
    {"TMemo", "WORDWRAP", Property},
    {"TCustomComboBox", "SELECTALL", Procedure},
    {"TCustomComboBox", "DROPPEDDOWN", Property},
    {"TCustomComboBox", "ITEMS", Property},
    {"TCustomComboBox", "ITEMINDEX", Property},
    {"TCustomComboBox", "SELLENGTH", Property},
    {"TCustomComboBox", "SELSTART", Property},
    {"TCustomComboBox", "SELTEXT", Property},
    {"TComboBox", "CREATE", Constructor},
    {"TComboBox", "STYLE", Property},
    {"TComboBox", "ITEMHEIGHT", Property},
    {"TComboBox", "MAXLENGTH", Property},
    {"TComboBox", "SORTED", Property},
    {"TButton", "CREATE", Constructor},
    {"TButton", "CLICK", Procedure},
    {"TButton", "CANCEL", Property},
    {"TButton", "DEFAULT", Property},
    {"TButton", "MODALRESULT", Property},
    {"TCheckBox", "CREATE", Constructor},
    {"TCheckBox", "ALIGNMENT", Property},
    {"TCheckBox", "STATE", Property},
    {"TCheckBox", "ALLOWGRAYED", Property},
    {"TCheckBox", "CHECKED", Property},
    {"TRadioButton", "CREATE", Constructor},
    {"TRadioButton", "ALIGNMENT", Property},
    {"TCustomListBox", "CREATE", Constructor},
    {"TCustomListBox", "CLEAR", Procedure},
    {"TCustomListBox", "ITEMS", Property},
    {"TCustomListBox", "ITEMINDEX", Property},
    {"TCustomListBox", "TOPINDEX", Property},
    {"TListBox", "CREATE", Constructor},
    {"TListBox", "COLUMNS", Property},
    {"TListBox", "ITEMHEIGHT", Property},
    {"TListBox", "STYLE", Property},
    {"TListBox", "TABWIDTH", Property},
    {"TListBox", "EXTENDEDSELECT", Property},
    {"TListBox", "INTEGRALHEIGHT", Property},
    {"TListBox", "MULTISELECT", Property},
    {"TListBox", "SORTED", Property},
    {"TScrollBar", "CREATE", Constructor},
    {"TScrollBar", "KIND", Property},
    {"TScrollBar", "LARGECHANGE", Property},
    {"TScrollBar", "MAX", Property},
    {"TScrollBar", "MIN", Property},
    {"TScrollBar", "POSITION", Property},
    {"TScrollBar", "SMALLCHANGE", Property},
};

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
  RegisterMembers<kMembers>();
  RegisterConstants(kConstants);
}

}  // namespace orv
