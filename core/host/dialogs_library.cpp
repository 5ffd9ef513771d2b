// The dialogs unit: the common dialogs (open, save, colour, font, print,
// find and replace), the message and input dialogs as plain routines, and
// the message-dialog, font-device, print-range and colour constants.
#include "core/host/class_binding.h"
#include "core/host/class_bindings.h"

namespace orv {
namespace {

using enum MemberKind;

constexpr MemberBinding kMembers[] = {
    {"TCommonDialog", "CREATE", Constructor},
    {"TCommonDialog", "CTL3D", Property},
    {"TCommonDialog", "HELPCONTEXT", Property},
    {"TOpenDialog", "CREATE", Constructor},
    {"TOpenDialog", "EXECUTE", Function},
    {"TOpenDialog", "DEFAULTEXT", Property},
    {"TOpenDialog", "FILENAME", Property},
    {"TOpenDialog", "FILTER", Property},
    {"TOpenDialog", "INITIALDIR", Property},
    {"TOpenDialog", "TITLE", Property},
    {"TOpenDialog", "FILEEDITSTYLE", Property},
    {"TOpenDialog", "FILTERINDEX", Property},
    {"TOpenDialog", "HISTORYLIST", Property},
    {"TOpenDialog", "FILES", ReadOnly},
    {"TSaveDialog", "CREATE", Constructor},
    {"TSaveDialog", "EXECUTE", Function},
    {"TColorDialog", "CREATE", Constructor},
    {"TColorDialog", "EXECUTE", Function},
    {"TColorDialog", "COLOR", Property},
    {"TColorDialog", "CTL3D", Property},
    {"TColorDialog", "CUSTOMCOLORS", Property},
    {"TFontDialog", "CREATE", Constructor},
    {"TFontDialog", "EXECUTE", Function},
    {"TFontDialog", "FONT", Property},
    {"TFontDialog", "DEVICE", Property},
    {"TFontDialog", "MINFONTSIZE", Property},
    {"TFontDialog", "MAXFONTSIZE", Property},
    {"TPrinterSetupDialog", "CREATE", Constructor},
    {"TPrinterSetupDialog", "EXECUTE", Procedure},
    {"TPrintDialog", "CREATE", Constructor},
    {"TPrintDialog", "EXECUTE", Function},
    {"TPrintDialog", "COLLATE", Property},
    {"TPrintDialog", "PRINTTOFILE", Property},
    {"TPrintDialog", "COPIES", Property},
    {"TPrintDialog", "FROMPAGE", Property},
    {"TPrintDialog", "MINPAGE", Property},
    {"TPrintDialog", "MAXPAGE", Property},
    {"TPrintDialog", "PRINTRANGE", Property},
    {"TPrintDialog", "TOPAGE", Property},
    {"TFindDialog", "CREATE", Constructor},
    {"TFindDialog", "EXECUTE", Function},
    {"TFindDialog", "CLOSEDIALOG", Procedure},
    {"TFindDialog", "LEFT", Property},
    {"TFindDialog", "TOP", Property},
    {"TFindDialog", "FINDTEXT", Property},
    {"TFindDialog", "HANDLE", ReadOnly},
    {"TReplaceDialog", "CREATE", Constructor},
    {"TReplaceDialog", "REPLACETEXT", Property},
    {"", "CREATEMESSAGEDIALOG", Function, "vva"},
    {"", "MESSAGEDLG", Function, "vvav"},
    {"", "MESSAGEDLGPOS", Function, "vvavvv"},
    {"", "INPUTBOX", Function, "vvv"},
    {"", "INPUTQUERY", Function, "vvr"},
    {"", "SHOWMESSAGE", Procedure, "v"},
    {"", "SHOWMESSAGEPOS", Procedure, "vvv"},
};

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
  RegisterMembers<kMembers>();
  RegisterConstants(kConstants);
}

}  // namespace orv
