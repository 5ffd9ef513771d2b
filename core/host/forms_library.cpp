// The forms unit: forms, data modules, the screen and the application,
// with the close-action, form-style, modal-result, border-style and
// scroll-bar-kind constants.
#include "core/host/class_binding.h"
#include "core/host/class_bindings.h"

namespace orv {
namespace {

using enum MemberKind;

constexpr MemberBinding kMembers[] = {
    {"TForm", "CREATE", Constructor},
    {"TForm", "CLOSEQUERY", Function},
    {"TForm", "SHOWMODAL", Function},
    {"TForm", "ARRANGEICONS", Procedure},
    {"TForm", "CASCADE", Procedure},
    {"TForm", "CLOSE", Procedure},
    {"TForm", "FOCUSCONTROL", Procedure, "v"},
    {"TForm", "HIDE", Procedure},
    {"TForm", "NEXT", Procedure},
    {"TForm", "PREVIOUS", Procedure},
    {"TForm", "PRINT", Procedure},
    {"TForm", "RELEASE", Procedure},
    {"TForm", "SHOW", Procedure},
    {"TForm", "TILE", Procedure},
    {"TForm", "MODALRESULT", Property},
    {"TForm", "CLIENTHEIGHT", Property},
    {"TForm", "CLIENTWIDTH", Property},
    {"TForm", "COLOR", Property},
    {"TForm", "FORMSTYLE", Property},
    {"TForm", "PIXELSPERINCH", Property},
    {"TForm", "ACTIVECONTROL", Property},
    {"TForm", "MENU", Property},
    {"TForm", "CAPTION", Property},
    {"TForm", "CTL3D", Property},
    {"TForm", "ENABLED", Property},
    {"TForm", "KEYPREVIEW", Property},
    {"TForm", "ACTIVE", ReadOnly},
    {"TForm", "ACTIVEMDICHILD", ReadOnly},
    {"TForm", "MDICHILDCOUNT", ReadOnly},
    {"TDataModule", "CREATE", Constructor},
    {"TScrollBox", "CREATE", Constructor},
    {"TScreen", "CURSOR", Property},
    {"TScreen", "ACTIVECONTROL", ReadOnly},
    {"TScreen", "ACTIVEFORM", ReadOnly},
    {"TScreen", "FONTS", ReadOnly},
    {"TScreen", "DATAMODULECOUNT", ReadOnly},
    {"TScreen", "HEIGHT", ReadOnly},
    {"TScreen", "PIXELSPERINCH", ReadOnly},
    {"TScreen", "WIDTH", ReadOnly},
    {"TScreen", "FORMCOUNT", ReadOnly},
    {"TScreen", "FORMS", IndexedReadOnly, "v"},
    {"TApplication", "HELPCOMMAND", Function, "vv"},
    {"TApplication", "HELPCONTEXT", Function, "v"},
    {"TApplication", "HELPJUMP", Function, "v"},
    {"TApplication", "BRINGTOFRONT", Procedure},
    {"TApplication", "HANDLEEXCEPTION", Procedure, "v"},
    {"TApplication", "HANDLEMESSAGE", Procedure},
    {"TApplication", "PROCESSMESSAGES", Procedure},
    {"TApplication", "HELPFILE", Property},
    {"TApplication", "HINT", Property},
    {"TApplication", "TITLE", Property},
    {"TApplication", "HINTCOLOR", Property},
    {"TApplication", "HINTPAUSE", Property},
    {"TApplication", "HINTSHORTPAUSE", Property},
    {"TApplication", "HINTHIDEPAUSE", Property},
    {"TApplication", "SHOWHINT", Property},
    {"TApplication", "SHOWMAINFORM", Property},
    {"TApplication", "UPDATEFORMATSETTINGS", Property},
    {"TApplication", "ACTIVE", ReadOnly},
    {"TApplication", "EXENAME", ReadOnly},
    {"TApplication", "MAINFORM", ReadOnly},
};

constexpr ConstBinding kConstants[] = {
    {"caNone", 0},     {"caHide", 1},      {"caFree", 2},      {"caMinimize", 3},    {"fsNormal", 0},
    {"fsMDIChild", 1}, {"fsMDIForm", 2},   {"fsStayOnTop", 3}, {"mrCancel", 2},      {"mrNone", 0},
    {"mrOk", 1},       {"mrAbort", 3},     {"mrRetry", 4},     {"mrIgnore", 5},      {"mrYes", 6},
    {"mrNo", 7},       {"mrAll", 8},       {"bsDialog", 3},    {"bsSingle", 1},      {"bsNone", 0},
    {"bsSizeable", 2}, {"bsToolWindow", 4}, {"bsSizeToolWin", 5}, {"sbHorizontal", 0}, {"sbVertical", 1},
};

}  // namespace

void RegisterFormsLibrary() {
  RegisterMembers<kMembers>();
  RegisterConstants(kConstants);
}

}  // namespace orv
