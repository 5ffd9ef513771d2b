// The dialogs unit: the message-dialog, font-device, print-range and colour
// constants. The members of the common dialogs and the message and input
// routines come from the class tables (RegisterVisualClassBindings).
#include "core/host/class_binding.h"
#include "core/host/class_bindings.h"

namespace orv {
namespace {

constexpr ConstBinding kConstants[] = {
    {"mtWarning", 0},  {"mtError", 1},         {"mtInformation", 2}, {"mtCustom", 4},     {"mtConfirmation", 3},
    {"mbYes", 0},      {"mbNo", 1},            {"mbOK", 2},          {"mbCancel", 3},     {"mbAbort", 4},
    {"mbRetry", 5},    {"mbIgnore", 6},        {"mbAll", 7},         {"mbHelp", 10},      {"fsEdit", 0},
    {"fsComboBox", 1}, {"clBlack", 0},         {"clGreen", 32768},   {"clGray", 8421504}, {"clRed", 255},
    {"clBlue", 16711680}, {"clWhite", 16777215}, {"clMaroon", 128},  {"fdScreen", 0},     {"fdPrinter", 1},
    {"fdBoth", 2},     {"prAllPages", 0},      {"prSelection", 1},   {"prPageNums", 2},
};

}  // namespace

void RegisterDialogsLibrary() {
  RegisterConstants(kConstants);
}

}  // namespace orv
