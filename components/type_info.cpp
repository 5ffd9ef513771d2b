#include "components/type_info.h"

#include <map>

#include "platform/paths.h"

namespace orv {

std::optional<int64_t> TypeInfo::ValueOf(std::string_view wanted) const {
  for (const auto& [name, value] : names)
    if (SameText(name, wanted)) return value;
  return std::nullopt;
}

std::optional<std::string> TypeInfo::NameOf(int64_t wanted) const {
  for (const auto& [name, value] : names)
    if (value == wanted) return name;
  return std::nullopt;
}

namespace {

// An enumeration whose values are the ordinals of `names` in order.
TypeInfo Enumeration(std::string name, std::vector<std::string> names, TypeKind kind = TypeKind::Enumeration) {
  TypeInfo type{std::move(name), kind, {}};
  for (size_t i = 0; i < names.size(); ++i) type.names.emplace_back(std::move(names[i]), static_cast<int64_t>(i));
  return type;
}

// System colours are numbers with the top bit set and the colour's index below.
constexpr int64_t SystemColor(int index) { return static_cast<int32_t>(0x80000000u | static_cast<uint32_t>(index)); }

}  // namespace

namespace types {
const TypeInfo Integer{"Integer", TypeKind::Integer, {}};
const TypeInfo Cardinal{"Cardinal", TypeKind::Integer, {}};
const TypeInfo Double{"Double", TypeKind::Float, {}};
const TypeInfo String{"String", TypeKind::String, {}};
const TypeInfo Binary{"Binary", TypeKind::String, {}};
const TypeInfo Char{"Char", TypeKind::Char, {}};
const TypeInfo Boolean{"Boolean", TypeKind::Boolean, {}};
const TypeInfo TColor{"TColor",
                      TypeKind::Integer,
                      {{"clBlack", 0x000000},         {"clMaroon", 0x000080},
                       {"clGreen", 0x008000},         {"clOlive", 0x008080},
                       {"clNavy", 0x800000},          {"clPurple", 0x800080},
                       {"clTeal", 0x808000},          {"clGray", 0x808080},
                       {"clSilver", 0xC0C0C0},        {"clRed", 0x0000FF},
                       {"clLime", 0x00FF00},          {"clYellow", 0x00FFFF},
                       {"clBlue", 0xFF0000},          {"clFuchsia", 0xFF00FF},
                       {"clAqua", 0xFFFF00},          {"clWhite", 0xFFFFFF},
                       {"clNone", 0x1FFFFFFF},        {"clScrollBar", SystemColor(0)},
                       {"clBackground", SystemColor(1)}, {"clActiveCaption", SystemColor(2)},
                       {"clInactiveCaption", SystemColor(3)}, {"clMenu", SystemColor(4)},
                       {"clWindow", SystemColor(5)},  {"clWindowFrame", SystemColor(6)},
                       {"clMenuText", SystemColor(7)}, {"clWindowText", SystemColor(8)},
                       {"clCaptionText", SystemColor(9)}, {"clActiveBorder", SystemColor(10)},
                       {"clInactiveBorder", SystemColor(11)}, {"clAppWorkSpace", SystemColor(12)},
                       {"clHighlight", SystemColor(13)}, {"clHighlightText", SystemColor(14)},
                       {"clBtnFace", SystemColor(15)}, {"clBtnShadow", SystemColor(16)},
                       {"clGrayText", SystemColor(17)}, {"clBtnText", SystemColor(18)},
                       {"clInactiveCaptionText", SystemColor(19)}, {"clBtnHighlight", SystemColor(20)},
                       {"cl3DDkShadow", SystemColor(21)}, {"cl3DLight", SystemColor(22)},
                       {"clInfoText", SystemColor(23)}, {"clInfoBk", SystemColor(24)}}};
const TypeInfo TCursor{"TCursor",
                       TypeKind::Integer,
                       {{"crDefault", 0},    {"crNone", -1},      {"crArrow", -2},     {"crCross", -3},
                        {"crIBeam", -4},     {"crSize", -5},      {"crSizeNESW", -6},  {"crSizeNS", -7},
                        {"crSizeNWSE", -8},  {"crSizeWE", -9},    {"crUpArrow", -10},  {"crHourGlass", -11},
                        {"crDrag", -12},     {"crNoDrop", -13},   {"crHSplit", -14},   {"crVSplit", -15},
                        {"crMultiDrag", -16}, {"crSQLWait", -17}, {"crNo", -18},       {"crAppStart", -19},
                        {"crHelp", -20},     {"crHandPoint", -21}}};
const TypeInfo TModalResult{"TModalResult",
                            TypeKind::Integer,
                            {{"mrNone", 0}, {"mrOk", 1}, {"mrCancel", 2}, {"mrAbort", 3}, {"mrRetry", 4},
                             {"mrIgnore", 5}, {"mrYes", 6}, {"mrNo", 7}, {"mrAll", 8}}};
const TypeInfo TAlign = Enumeration("TAlign", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"});
const TypeInfo TAnchors = Enumeration("TAnchors", {"akLeft", "akTop", "akRight", "akBottom"}, TypeKind::Set);
const TypeInfo TAlignment = Enumeration("TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"});
const TypeInfo TFormBorderStyle = Enumeration(
    "TFormBorderStyle", {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"});
const TypeInfo TBorderStyle = Enumeration("TBorderStyle", {"bsNone", "bsSingle"});
const TypeInfo TPosition = Enumeration(
    "TPosition", {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly", "poScreenCenter"});
const TypeInfo TScrollStyle = Enumeration("TScrollStyle", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"});
const TypeInfo TEditCharCase = Enumeration("TEditCharCase", {"ecNormal", "ecUpperCase", "ecLowerCase"});
const TypeInfo TCheckBoxState = Enumeration("TCheckBoxState", {"cbUnchecked", "cbChecked", "cbGrayed"});
const TypeInfo TComboBoxStyle = Enumeration(
    "TComboBoxStyle", {"csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable"});
const TypeInfo TListBoxStyle =
    Enumeration("TListBoxStyle", {"lbStandard", "lbOwnerDrawFixed", "lbOwnerDrawVariable"});
const TypeInfo TScrollBarKind = Enumeration("TScrollBarKind", {"sbHorizontal", "sbVertical"});
const TypeInfo TShapeType = Enumeration(
    "TShapeType", {"stRectangle", "stSquare", "stRoundRect", "stRoundSquare", "stEllipse", "stCircle"});
const TypeInfo TBevelShape = Enumeration(
    "TBevelShape", {"bsBox", "bsFrame", "bsTopLine", "bsBottomLine", "bsLeftLine", "bsRightLine"});
const TypeInfo TBevelStyle = Enumeration("TBevelStyle", {"bsLowered", "bsRaised"});
const TypeInfo TPanelBevel = Enumeration("TPanelBevel", {"bvNone", "bvLowered", "bvRaised"});
const TypeInfo TViewStyle = Enumeration("TViewStyle", {"vsIcon", "vsSmallIcon", "vsList", "vsReport"});
const TypeInfo TFontStyles =
    Enumeration("TFontStyles", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}, TypeKind::Set);
const TypeInfo TPenStyle =
    Enumeration("TPenStyle", {"psSolid", "psDash", "psDot", "psDashDot", "psDashDotDot", "psClear"});
const TypeInfo TBrushStyle = Enumeration("TBrushStyle", {"bsSolid", "bsClear", "bsHorizontal", "bsVertical",
                                                         "bsFDiagonal", "bsBDiagonal", "bsCross", "bsDiagCross"});
const TypeInfo TProgressBarOrientation = Enumeration("TProgressBarOrientation", {"pbHorizontal", "pbVertical"});
const TypeInfo TComponentRef{"TComponent", TypeKind::Class, {}};
const TypeInfo TPersistentRef{"TPersistent", TypeKind::Class, {}};
}  // namespace types

const TypeInfo* FindEventTypeInfo(std::string_view name) {
  static const std::map<std::string, TypeInfo> events = [] {
    std::map<std::string, TypeInfo> found;
    for (const char* event :
         {"TNotifyEvent", "TCloseEvent", "TCloseQueryEvent", "TDragDropEvent", "TDragOverEvent", "TEndDragEvent",
          "TStartDragEvent", "TKeyPressEvent", "TKeyEvent", "TMouseEvent", "TMouseMoveEvent", "THelpEvent",
          "TScrollEvent", "TLVColumnClickEvent", "TLVChangeEvent", "TTabChangingEvent"})
      found.emplace(UpperCase(event), TypeInfo{event, TypeKind::Method, {}});
    return found;
  }();
  auto it = events.find(UpperCase(name));
  return it == events.end() ? nullptr : &it->second;
}

}  // namespace orv
