// The class tables of the common dialogs, and the library's message and
// input dialogs as routines.
#include "controls/class_tables.h"

#include "components/class_table.h"
#include "controls/common_dialogs.h"
#include "controls/dialogs.h"
#include "controls/form.h"

namespace orv {

using namespace publish;
using types::Boolean;
using types::Integer;
using types::String;

namespace {

void RegisterCommonDialogs() {
  RegisterClassTable({
      .name = "TCommonDialog",
      .published = {Bound(Prop("Ctl3D", Boolean, &TCommonDialog::Ctl3D, &TCommonDialog::SetCtl3D)),
                    Bound(Prop("HelpContext", Integer, &TCommonDialog::HelpContext, &TCommonDialog::SetHelpContext)),
                    Event("OnShow", "TNotifyEvent", &TCommonDialog::OnShow),
                    Event("OnClose", "TNotifyEvent", &TCommonDialog::OnClose)},
      .methods = {Method("Execute", &TCommonDialog::Execute)},
      .bound = {"Create"},
  });
  RegisterClassTable({
      .name = "TOpenDialog",
      .factory = Factory<TOpenDialog>(),
      .published = {Bound(Prop("FileName", String, &TOpenDialog::FileName, &TOpenDialog::SetFileName)),
                    Bound(Prop("Filter", String, &TOpenDialog::Filter, &TOpenDialog::SetFilter)),
                    Bound(Prop("FilterIndex", Integer, &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex)),
                    Bound(Prop("InitialDir", String, &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir)),
                    Bound(Prop("DefaultExt", String, &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt)),
                    Bound(Prop("Title", String, &TOpenDialog::Title, &TOpenDialog::SetTitle)),
                    Prop("Options", Integer, &TOpenDialog::Options, &TOpenDialog::SetOptions),
                    Bound(Prop("FileEditStyle", Integer, &TOpenDialog::FileEditStyle,
                               &TOpenDialog::SetFileEditStyle)),
                    Bound(SubObject("HistoryList", &TOpenDialog::HistoryList))},
      .properties = {Bound(Prop("Files", types::TPersistentRef, &TOpenDialog::Files))},
      .bound = {"Create", "Execute"},
  });
  RegisterClassTable({.name = "TSaveDialog", .factory = Factory<TSaveDialog>(), .bound = {"Create", "Execute"}});
  RegisterClassTable({
      .name = "TColorDialog",
      .factory = Factory<TColorDialog>(),
      .published = {Bound(Prop("Color", types::TColor, &TColorDialog::Color, &TColorDialog::SetColor)),
                    Bound(SubObject("CustomColors", &TColorDialog::CustomColors))},
      .bound = {"Create", "Execute", "Ctl3D"},
  });
  RegisterClassTable({
      .name = "TFontDialog",
      .factory = Factory<TFontDialog>(),
      .published = {Bound(SubObject("Font", &TFontDialog::Font)),
                    Bound(Prop("Device", Integer, &TFontDialog::Device, &TFontDialog::SetDevice)),
                    Bound(Prop("MinFontSize", Integer, &TFontDialog::MinFontSize, &TFontDialog::SetMinFontSize)),
                    Bound(Prop("MaxFontSize", Integer, &TFontDialog::MaxFontSize, &TFontDialog::SetMaxFontSize))},
      .bound = {"Create", "Execute"},
  });
}

void RegisterPrintDialogs() {
  // Scripts call a printer setup dialog's Execute as a procedure.
  RegisterClassTable({.name = "TPrinterSetupDialog",
                      .factory = Factory<TPrinterSetupDialog>(),
                      .bound = {"Create", {"Execute", MemberKind::Procedure}}});
  RegisterClassTable({
      .name = "TPrintDialog",
      .factory = Factory<TPrintDialog>(),
      .published = {Bound(Prop("Collate", Boolean, &TPrintDialog::Collate, &TPrintDialog::SetCollate)),
                    Bound(Prop("PrintToFile", Boolean, &TPrintDialog::PrintToFile, &TPrintDialog::SetPrintToFile)),
                    Bound(Prop("Copies", Integer, &TPrintDialog::Copies, &TPrintDialog::SetCopies)),
                    Bound(Prop("FromPage", Integer, &TPrintDialog::FromPage, &TPrintDialog::SetFromPage)),
                    Bound(Prop("ToPage", Integer, &TPrintDialog::ToPage, &TPrintDialog::SetToPage)),
                    Bound(Prop("MinPage", Integer, &TPrintDialog::MinPage, &TPrintDialog::SetMinPage)),
                    Bound(Prop("MaxPage", Integer, &TPrintDialog::MaxPage, &TPrintDialog::SetMaxPage)),
                    Bound(Prop("PrintRange", Integer, &TPrintDialog::PrintRange, &TPrintDialog::SetPrintRange))},
      .bound = {"Create", "Execute"},
  });
}

void RegisterFindDialogs() {
  RegisterClassTable({
      .name = "TFindDialog",
      .factory = Factory<TFindDialog>(),
      .published = {Bound(Prop("FindText", String, &TFindDialog::FindText, &TFindDialog::SetFindText)),
                    Bound(Prop("Left", Integer, &TFindDialog::Left, &TFindDialog::SetLeft)),
                    Bound(Prop("Top", Integer, &TFindDialog::Top, &TFindDialog::SetTop)),
                    Event("OnFind", "TNotifyEvent", &TFindDialog::OnFind)},
      .properties = {Bound(Prop("Handle", Integer, &TFindDialog::Handle))},
      .methods = {Bound(Method("CloseDialog", &TFindDialog::CloseDialog))},
      .bound = {"Create", "Execute"},
  });
  RegisterClassTable({
      .name = "TReplaceDialog",
      .factory = Factory<TReplaceDialog>(),
      .published = {Bound(Prop("ReplaceText", String, &TReplaceDialog::ReplaceText, &TReplaceDialog::SetReplaceText)),
                    Event("OnReplace", "TNotifyEvent", &TReplaceDialog::OnReplace)},
      .bound = {"Create"},
  });
}

// The buttons of a message dialog from a set of button numbers (bit n for
// button n).
std::vector<int> Buttons(const PropertyValue& set) {
  std::vector<int> buttons;
  int64_t mask = std::get<int64_t>(set);
  for (int button = 0; button < 16; ++button)
    if (mask & (int64_t{1} << button)) buttons.push_back(button);
  return buttons;
}

int Number(const PropertyValue& value) { return static_cast<int>(std::get<int64_t>(value)); }
const std::string& Text(const PropertyValue& value) { return std::get<std::string>(value); }

// Scripts pass the buttons ('a') as a list of button numbers, which arrives
// here as their set; InputQuery's third parameter ('r') receives the edit's
// final text.
void RegisterDialogRoutines() {
  const TypeInfo* text = &String;
  const TypeInfo* number = &Integer;
  RegisterRoutines({
      Bound(Routine("ShowMessage", &ShowMessage)),
      Bound(Routine("ShowMessagePos", &ShowMessagePos)),
      Bound(Routine("InputBox", &InputBox)),
      Bound(MethodInfo{"CreateMessageDialog", {text, number, number}, &types::TComponentRef,
                       [](TObject*, std::vector<PropertyValue>& a) {
                         return PropertyValue(
                             static_cast<TObject*>(CreateMessageDialog(Text(a[0]), Number(a[1]), Buttons(a[2]))));
                       }},
            "vva"),
      Bound(MethodInfo{"MessageDlg", {text, number, number, number}, number,
                       [](TObject*, std::vector<PropertyValue>& a) {
                         return PropertyValue(
                             int64_t{MessageDlg(Text(a[0]), Number(a[1]), Buttons(a[2]), Number(a[3]))});
                       }},
            "vvav"),
      Bound(MethodInfo{"MessageDlgPos", {text, number, number, number, number, number}, number,
                       [](TObject*, std::vector<PropertyValue>& a) {
                         return PropertyValue(int64_t{MessageDlgPos(Text(a[0]), Number(a[1]), Buttons(a[2]),
                                                                    Number(a[3]), Number(a[4]), Number(a[5]))});
                       }},
            "vvavvv"),
      Bound(MethodInfo{"InputQuery", {text, text, text}, &Boolean,
                       [](TObject*, std::vector<PropertyValue>& a) {
                         std::string value = Text(a[2]);
                         bool ok = InputQuery(Text(a[0]), Text(a[1]), value);
                         a[2] = std::move(value);
                         return PropertyValue(ok);
                       }},
            "vvr"),
  });
}

}  // namespace

void RegisterDialogClasses() {
  RegisterCommonDialogs();
  RegisterPrintDialogs();
  RegisterFindDialogs();
  RegisterDialogRoutines();
}

}  // namespace orv
