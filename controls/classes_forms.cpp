// The class tables of forms, data modules, the application and the screen,
// with the one application and screen object of the process.
#include "controls/class_tables.h"

#include "components/class_table.h"
#include "controls/application.h"
#include "controls/class_table_rows.h"
#include "controls/form.h"
#include "controls/menus.h"

namespace orv {

using namespace publish;
using types::Boolean;
using types::Integer;
using types::String;

namespace {

// A method kept for scripts written for a platform that had it, which does
// nothing here (multiple-document windows, printing a form's image).
MethodInfo Ignored(std::string name) {
  return {std::move(name), {}, nullptr, [](TObject*, std::vector<PropertyValue>&) { return PropertyValue(); }};
}

// A read-only property with a fixed value.
PropertyInfo Fixed(std::string name, const TypeInfo& type, PropertyValue value) {
  return {std::move(name), &type, [value](const TObject&) { return value; }, nullptr};
}

void RegisterForm() {
  RegisterClassTable({
      .name = "TCustomForm",
      .published = {CaptionProperty(),
                    Prop("ClientWidth", Integer, &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth),
                    Prop("ClientHeight", Integer, &TCustomForm::ClientHeight, &TCustomForm::SetClientHeight),
                    Prop("BorderStyle", types::TFormBorderStyle, &TCustomForm::BorderStyle,
                         &TCustomForm::SetBorderStyle),
                    Prop("Position", types::TPosition, &TCustomForm::Position, &TCustomForm::SetPosition),
                    Prop("FormStyle", Integer, &TCustomForm::FormStyle, &TCustomForm::SetFormStyle),
                    Prop("KeyPreview", Boolean, &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview),
                    Prop("PixelsPerInch", Integer, &TCustomForm::PixelsPerInch, &TCustomForm::SetPixelsPerInch),
                    Prop("Scaled", Boolean, &TCustomForm::Scaled, &TCustomForm::SetScaled),
                    Prop("TextHeight", Integer, &TCustomForm::TextHeight, &TCustomForm::SetTextHeight),
                    Reference("ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl),
                    Reference("Menu", &TCustomForm::Menu, &TCustomForm::SetMenu),
                    Event("OnCreate", "TNotifyEvent", &TCustomForm::OnCreate),
                    Event("OnDestroy", "TNotifyEvent", &TCustomForm::OnDestroy),
                    Event("OnShow", "TNotifyEvent", &TCustomForm::OnShow),
                    Event("OnHide", "TNotifyEvent", &TCustomForm::OnHide),
                    Event("OnActivate", "TNotifyEvent", &TCustomForm::OnActivate),
                    Event("OnDeactivate", "TNotifyEvent", &TCustomForm::OnDeactivate),
                    Event("OnClose", "TCloseEvent", &TCustomForm::OnClose),
                    Event("OnCloseQuery", "TCloseQueryEvent", &TCustomForm::OnCloseQuery),
                    Event("OnPaint", "TNotifyEvent", &TCustomForm::OnPaint)},
      .properties = {Prop("ModalResult", types::TModalResult, &TCustomForm::ModalResult,
                          &TCustomForm::SetModalResult),
                     Prop("Active", Boolean, &TCustomForm::Active),
                     Fixed("ActiveMDIChild", types::TComponentRef, static_cast<TObject*>(nullptr)),
                     Fixed("MDIChildCount", Integer, int64_t{0})},
      .methods = {Method("ShowModal", &TCustomForm::ShowModal), Method("CloseQuery", &TCustomForm::CloseQuery),
                  Method("Close", &TCustomForm::Close), Method("FocusControl", &TCustomForm::FocusControl),
                  Method("Release", &TCustomForm::Release), Ignored("ArrangeIcons"), Ignored("Cascade"),
                  Ignored("Next"), Ignored("Previous"), Ignored("Print"), Ignored("Tile")},
  });
  RegisterClassTable({
      .name = "TForm",
      .factory = Factory<TForm>(),
      .bound = {"Create",        "CloseQuery",     "ShowModal",     "ArrangeIcons",  "Cascade",     "Close",
                "FocusControl",  "Hide",           "Next",          "Previous",      "Print",       "Release",
                "Show",          "Tile",           "ModalResult",   "ClientHeight",  "ClientWidth", "Color",
                "FormStyle",     "PixelsPerInch",  "ActiveControl", "Menu",          "Caption",     "Ctl3D",
                "Enabled",       "KeyPreview",     "Active",        "ActiveMDIChild", "MDIChildCount"},
  });
  RegisterClassTable({.name = "TDataModule",
                      .factory = Factory<TDataModule>(),
                      .published = {Event("OnCreate", "TNotifyEvent", &TDataModule::OnCreate),
                                    Event("OnDestroy", "TNotifyEvent", &TDataModule::OnDestroy)},
                      .bound = {"Create"}});
}

void RegisterApplication() {
  RegisterClassTable({
      .name = "TApplication",
      .published = {Bound(Prop("Title", String, &TApplication::Title, &TApplication::SetTitle))},
      .properties = {Bound(Prop("HelpFile", String, &TApplication::HelpFile, &TApplication::SetHelpFile)),
                     Bound(Prop("Hint", String, &TApplication::Hint, &TApplication::SetHint)),
                     Bound(Prop("HintColor", types::TColor, &TApplication::HintColor, &TApplication::SetHintColor)),
                     Bound(Prop("HintPause", Integer, &TApplication::HintPause, &TApplication::SetHintPause)),
                     Bound(Prop("HintShortPause", Integer, &TApplication::HintShortPause,
                                &TApplication::SetHintShortPause)),
                     Bound(Prop("HintHidePause", Integer, &TApplication::HintHidePause,
                                &TApplication::SetHintHidePause)),
                     Bound(Prop("ShowHint", Boolean, &TApplication::ShowHint, &TApplication::SetShowHint)),
                     Bound(Prop("ShowMainForm", Boolean, &TApplication::ShowMainForm,
                                &TApplication::SetShowMainForm)),
                     Bound(Prop("UpdateFormatSettings", Boolean, &TApplication::UpdateFormatSettings,
                                &TApplication::SetUpdateFormatSettings)),
                     Bound(Prop("Active", Boolean, &TApplication::Active)),
                     Bound(Prop("ExeName", String, &TApplication::ExeName)),
                     Bound(Prop("MainForm", types::TComponentRef, &TApplication::MainForm))},
      .methods = {Bound(Method("HelpCommand", &TApplication::HelpCommand)),
                  Bound(Method("HelpContext", &TApplication::HelpContext)),
                  Bound(Method("HelpJump", &TApplication::HelpJump)),
                  Bound(Method("BringToFront", &TApplication::BringToFront)),
                  // Shows the error being handled; a script calls it outside
                  // any error, so there is nothing to show.
                  Bound(MethodInfo{"HandleException", {&types::TComponentRef}, nullptr,
                                   [](TObject*, std::vector<PropertyValue>&) { return PropertyValue(); }}),
                  Bound(Method("HandleMessage", &TApplication::HandleMessage)),
                  Bound(Method("ProcessMessages", &TApplication::ProcessMessages))},
  });
  RegisterClassInstance("TApplication", [] { return Application(); });
}

void RegisterScreen() {
  RegisterClassTable({
      .name = "TScreen",
      .properties = {Bound(Prop("Cursor", types::TCursor, &TScreen::Cursor, &TScreen::SetCursor)),
                     Bound(Prop("ActiveControl", types::TComponentRef, &TScreen::ActiveControl)),
                     Bound(Prop("ActiveForm", types::TComponentRef, &TScreen::ActiveForm)),
                     Bound(PropertyInfo{"Fonts", &types::TPersistentRef,
                                        [](const TObject& o) {
                                          TScreen& screen = As<TScreen>(const_cast<TObject&>(o));
                                          return PropertyValue(static_cast<TObject*>(screen.Fonts()));
                                        },
                                        nullptr}),
                     Bound(Prop("DataModuleCount", Integer, &TScreen::DataModuleCount)),
                     Bound(Prop("Height", Integer, &TScreen::Height)),
                     Bound(Prop("PixelsPerInch", Integer, &TScreen::PixelsPerInch)),
                     Bound(Prop("Width", Integer, &TScreen::Width)),
                     Bound(Prop("FormCount", Integer, &TScreen::FormCount))},
      .methods = {Bound(Method("Forms", &TScreen::Forms), MemberKind::IndexedReadOnly)},
  });
  RegisterClassInstance("TScreen", [] { return Screen(); });
}

}  // namespace

void RegisterFormClasses() {
  RegisterForm();
  RegisterApplication();
  RegisterScreen();
}

}  // namespace orv
