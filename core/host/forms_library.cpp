// The forms unit: the close-action, form-style, modal-result, border-style
// and scroll-bar-kind constants. The members of forms, data modules, the
// screen and the application come from the class tables
// (RegisterVisualClassBindings).
#include "core/host/class_binding.h"
#include "core/host/class_bindings.h"

namespace orv {
namespace {

constexpr ConstBinding kConstants[] = {
    {"caNone", 0},     {"caHide", 1},      {"caFree", 2},      {"caMinimize", 3},    {"fsNormal", 0},
    {"fsMDIChild", 1}, {"fsMDIForm", 2},   {"fsStayOnTop", 3}, {"mrCancel", 2},      {"mrNone", 0},
    {"mrOk", 1},       {"mrAbort", 3},     {"mrRetry", 4},     {"mrIgnore", 5},      {"mrYes", 6},
    {"mrNo", 7},       {"mrAll", 8},       {"bsDialog", 3},    {"bsSingle", 1},      {"bsNone", 0},
    {"bsSizeable", 2}, {"bsToolWindow", 4}, {"bsSizeToolWin", 5}, {"sbHorizontal", 0}, {"sbVertical", 1},
};

}  // namespace

void RegisterFormsLibrary() {
  RegisterConstants(kConstants);
}

}  // namespace orv
