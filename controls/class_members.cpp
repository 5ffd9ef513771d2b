// What the visual classes offer hosts beside their published properties:
// public properties (never stored in form files) and methods, and the
// routines of the library's dialogs. Like the descriptors, they are
// registered when liborvcontrols.so is loaded, so a host that does not link
// Qt reaches them by name (components/published.h).
#include "components/published.h"
#include "controls/application.h"
#include "controls/buttons.h"
#include "controls/common_dialogs.h"
#include "controls/containers.h"
#include "controls/dialogs.h"
#include "controls/edits.h"
#include "controls/form.h"
#include "controls/graphic_controls.h"
#include "controls/lists.h"
#include "controls/menus.h"

namespace orv {
namespace {

using namespace publish;
using types::Boolean;
using types::Integer;
using types::String;

// A method kept for scripts written for a platform that had it, which does
// nothing here (multiple-document windows, printing a form's image).
MethodInfo Ignored(std::string name) {
  return {std::move(name), {}, nullptr, [](TObject*, std::vector<PropertyValue>&) { return PropertyValue(); }};
}

// A read-only property with a fixed value.
PropertyInfo Fixed(std::string name, const TypeInfo& type, PropertyValue value) {
  return {std::move(name), &type, [value](const TObject&) { return value; }, nullptr};
}

void RegisterControlMembers() {
  RegisterClassMembers(
      "TControl",
      {{Prop("Caption", String, &TControl::Caption, &TControl::SetCaption),
        Prop("Text", String, &TControl::Text, &TControl::SetText),
        Prop("ClientWidth", Integer, &TControl::ClientWidth, &TControl::SetClientWidth),
        Prop("ClientHeight", Integer, &TControl::ClientHeight, &TControl::SetClientHeight),
        Reference("Parent", &TControl::Parent, &TControl::SetParent),
        Prop("Showing", Boolean, &TControl::Showing)},
       {Method("BringToFront", &TControl::BringToFront), Method("Hide", &TControl::Hide),
        Method("Invalidate", &TControl::Invalidate), Method("Refresh", &TControl::Refresh),
        Method("Repaint", &TControl::Repaint), Method("SendToBack", &TControl::SendToBack),
        Method("SetBounds", &TControl::SetBounds), Method("Show", &TControl::Show),
        Method("Update", &TControl::Update), Method("Perform", &TControl::Perform)}});
  RegisterClassMembers(
      "TWinControl",
      {{Prop("ControlCount", Integer, &TWinControl::ControlCount),
        Prop("ParentCtl3D", Boolean, &TWinControl::ParentCtl3D, &TWinControl::SetParentCtl3D)},
       {Method("CanFocus", &TWinControl::CanFocus), Method("ContainsControl", &TWinControl::ContainsControl),
        Method("Focused", &TWinControl::Focused), Method("InsertControl", &TWinControl::InsertControl),
        Method("RemoveControl", &TWinControl::RemoveControl), Method("ScaleBy", &TWinControl::ScaleBy),
        Method("ScrollBy", &TWinControl::ScrollBy), Method("SetFocus", &TWinControl::SetFocus)}});
  RegisterClassMembers("TGraphicControl", {{Prop("Canvas", types::TPersistentRef, &TGraphicControl::Canvas)}, {}});
  RegisterClassMembers("TCustomControl", {{Prop("Canvas", types::TPersistentRef, &TCustomControl::Canvas)}, {}});
}

void RegisterDialogMembers() {
  RegisterClassMembers("TCommonDialog", {{}, {Method("Execute", &TCommonDialog::Execute)}});
  RegisterClassMembers("TOpenDialog", {{Prop("Files", types::TPersistentRef, &TOpenDialog::Files)}, {}});
  RegisterClassMembers("TFindDialog", {{Prop("Handle", Integer, &TFindDialog::Handle)},
                                       {Method("CloseDialog", &TFindDialog::CloseDialog)}});
}

void RegisterExtraControlMembers() {
  RegisterClassMembers("TShape", {{}, {Method("StyleChanged", &TShape::StyleChanged)}});
  RegisterClassMembers("TImage", {{SubObject("Picture", &TImage::Picture)}, {}});
}

void RegisterFormMembers() {
  RegisterClassMembers(
      "TCustomForm",
      {{Prop("ModalResult", types::TModalResult, &TCustomForm::ModalResult, &TCustomForm::SetModalResult),
        Prop("Active", Boolean, &TCustomForm::Active), Fixed("ActiveMDIChild", types::TComponentRef, static_cast<TObject*>(nullptr)),
        Fixed("MDIChildCount", Integer, int64_t{0})},
       {Method("ShowModal", &TCustomForm::ShowModal), Method("CloseQuery", &TCustomForm::CloseQuery),
        Method("Close", &TCustomForm::Close), Method("FocusControl", &TCustomForm::FocusControl),
        Method("Release", &TCustomForm::Release), Ignored("ArrangeIcons"), Ignored("Cascade"), Ignored("Next"),
        Ignored("Previous"), Ignored("Print"), Ignored("Tile")}});
  RegisterClassMembers(
      "TScreen",
      {{Prop("Cursor", types::TCursor, &TScreen::Cursor, &TScreen::SetCursor),
        Prop("ActiveControl", types::TComponentRef, &TScreen::ActiveControl),
        Prop("ActiveForm", types::TComponentRef, &TScreen::ActiveForm),
        {"Fonts", &types::TPersistentRef,
         [](const TObject& o) { return PropertyValue(static_cast<TObject*>(As<TScreen>(const_cast<TObject&>(o)).Fonts())); },
         nullptr},
        Prop("DataModuleCount", Integer, &TScreen::DataModuleCount), Prop("Height", Integer, &TScreen::Height),
        Prop("PixelsPerInch", Integer, &TScreen::PixelsPerInch), Prop("Width", Integer, &TScreen::Width),
        Prop("FormCount", Integer, &TScreen::FormCount)},
       {Method("Forms", &TScreen::Forms)}});
  RegisterClassMembers(
      "TApplication",
      {{Prop("HelpFile", String, &TApplication::HelpFile, &TApplication::SetHelpFile),
        Prop("Hint", String, &TApplication::Hint, &TApplication::SetHint),
        Prop("HintColor", types::TColor, &TApplication::HintColor, &TApplication::SetHintColor),
        Prop("HintPause", Integer, &TApplication::HintPause, &TApplication::SetHintPause),
        Prop("HintShortPause", Integer, &TApplication::HintShortPause, &TApplication::SetHintShortPause),
        Prop("HintHidePause", Integer, &TApplication::HintHidePause, &TApplication::SetHintHidePause),
        Prop("ShowHint", Boolean, &TApplication::ShowHint, &TApplication::SetShowHint),
        Prop("ShowMainForm", Boolean, &TApplication::ShowMainForm, &TApplication::SetShowMainForm),
        Prop("UpdateFormatSettings", Boolean, &TApplication::UpdateFormatSettings,
             &TApplication::SetUpdateFormatSettings),
        Prop("Active", Boolean, &TApplication::Active), Prop("ExeName", String, &TApplication::ExeName),
        Prop("MainForm", types::TComponentRef, &TApplication::MainForm)},
       {Method("HelpCommand", &TApplication::HelpCommand), Method("HelpContext", &TApplication::HelpContext),
        Method("HelpJump", &TApplication::HelpJump), Method("BringToFront", &TApplication::BringToFront),
        // Shows the error being handled; a script calls it outside any error,
        // so there is nothing to show.
        MethodInfo{"HandleException", {&types::TComponentRef}, nullptr,
                   [](TObject*, std::vector<PropertyValue>&) { return PropertyValue(); }},
        Method("HandleMessage", &TApplication::HandleMessage),
        Method("ProcessMessages", &TApplication::ProcessMessages)}});
}

void RegisterStandardControlMembers() {
  RegisterClassMembers(
      "TCustomEdit",
      {{Prop("Modified", Boolean, &TCustomEdit::Modified, &TCustomEdit::SetModified),
        Prop("SelLength", Integer, &TCustomEdit::SelLength, &TCustomEdit::SetSelLength),
        Prop("SelStart", Integer, &TCustomEdit::SelStart, &TCustomEdit::SetSelStart),
        Prop("SelText", String, &TCustomEdit::SelText, &TCustomEdit::SetSelText)},
       {Method("Clear", &TCustomEdit::Clear), Method("ClearSelection", &TCustomEdit::ClearSelection),
        Method("CopyToClipboard", &TCustomEdit::CopyToClipboard),
        Method("CutToClipboard", &TCustomEdit::CutToClipboard),
        Method("PasteFromClipboard", &TCustomEdit::PasteFromClipboard),
        Method("SelectAll", &TCustomEdit::SelectAll)}});
  RegisterClassMembers(
      "TCustomComboBox",
      {{Prop("DroppedDown", Boolean, &TCustomComboBox::DroppedDown, &TCustomComboBox::SetDroppedDown),
        Prop("SelLength", Integer, &TCustomComboBox::SelLength, &TCustomComboBox::SetSelLength),
        Prop("SelStart", Integer, &TCustomComboBox::SelStart, &TCustomComboBox::SetSelStart),
        Prop("SelText", String, &TCustomComboBox::SelText, &TCustomComboBox::SetSelText)},
       {Method("SelectAll", &TCustomComboBox::SelectAll)}});
  RegisterClassMembers("TCustomListBox",
                       {{Prop("TopIndex", Integer, &TCustomListBox::TopIndex, &TCustomListBox::SetTopIndex)},
                        {Method("Clear", &TCustomListBox::Clear)}});
  RegisterClassMembers("TButton", {{}, {Method("Click", &TButton::Click)}});
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

void RegisterDialogRoutines() {
  const TypeInfo* text = &String;
  const TypeInfo* number = &Integer;
  RegisterRoutine(Routine("ShowMessage", &ShowMessage));
  RegisterRoutine(Routine("ShowMessagePos", &ShowMessagePos));
  RegisterRoutine(Routine("InputBox", &InputBox));
  RegisterRoutine({"CreateMessageDialog", {text, number, number}, &types::TComponentRef,
                   [](TObject*, std::vector<PropertyValue>& a) {
                     return PropertyValue(
                         static_cast<TObject*>(CreateMessageDialog(Text(a[0]), Number(a[1]), Buttons(a[2]))));
                   }});
  RegisterRoutine({"MessageDlg", {text, number, number, number}, number, [](TObject*, std::vector<PropertyValue>& a) {
                     return PropertyValue(int64_t{MessageDlg(Text(a[0]), Number(a[1]), Buttons(a[2]), Number(a[3]))});
                   }});
  RegisterRoutine({"MessageDlgPos", {text, number, number, number, number, number}, number,
                   [](TObject*, std::vector<PropertyValue>& a) {
                     return PropertyValue(int64_t{MessageDlgPos(Text(a[0]), Number(a[1]), Buttons(a[2]), Number(a[3]),
                                                                Number(a[4]), Number(a[5]))});
                   }});
  // The third argument is a var parameter: it receives the edit's final text.
  RegisterRoutine({"InputQuery", {text, text, text}, &Boolean, [](TObject*, std::vector<PropertyValue>& a) {
                     std::string value = Text(a[2]);
                     bool ok = InputQuery(Text(a[0]), Text(a[1]), value);
                     a[2] = std::move(value);
                     return PropertyValue(ok);
                   }});
}

// Runs when the library is loaded.
[[maybe_unused]] const bool registered = [] {
  RegisterControlMembers();
  RegisterDialogMembers();
  RegisterExtraControlMembers();
  RegisterFormMembers();
  RegisterStandardControlMembers();
  RegisterDialogRoutines();
  return true;
}();

}  // namespace
}  // namespace orv
