// TApplication and TScreen: one of each per process, above the forms and
// controls (which reach the application through application_link.h). The
// Qt application beneath them is made on first need (qt_application.h).
#pragma once

#include <memory>
#include <string>

#include "components/component.h"
#include "components/string_list.h"

namespace orv {

class TCustomForm;
class TControl;

// The application: title, main form, the message loop and error display.
class TApplication : public TComponent {
 public:
  explicit TApplication(TComponent* owner);
  std::string ClassName() const override { return "TApplication"; }

  // The title set, else the program's file name.
  std::string Title() const;
  void SetTitle(std::string_view title);
  std::string ExeName() const;
  TCustomForm* MainForm() const { return main_form_; }
  void SetMainForm(TCustomForm* form) { main_form_ = form; }
  bool Active() const;
  bool Terminated() const { return terminated_; }

  // Handles the posted messages, timers, sockets and Qt events that are ready.
  void ProcessMessages();
  // Waits for the next message or event and handles it.
  void HandleMessage();
  // Shows the main form and runs the loop until Terminate or until the main
  // form is closed.
  void Run();
  void Terminate();
  // Shows an error's message in an error message box.
  void ShowException(const std::exception& error);
  // What the loop does with an error that leaves an event handler.
  void HandleException(const std::exception& error) { ShowException(error); }
  void BringToFront();

  const std::string& HelpFile() const { return help_file_; }
  void SetHelpFile(std::string_view file) { help_file_ = file; }
  const std::string& Hint() const { return hint_; }
  void SetHint(std::string_view hint) { hint_ = hint; }
  int HintColor() const { return hint_color_; }
  void SetHintColor(int color) { hint_color_ = color; }
  int HintPause() const { return hint_pause_; }
  void SetHintPause(int pause) { hint_pause_ = pause; }
  int HintShortPause() const { return hint_short_pause_; }
  void SetHintShortPause(int pause) { hint_short_pause_ = pause; }
  int HintHidePause() const { return hint_hide_pause_; }
  void SetHintHidePause(int pause) { hint_hide_pause_ = pause; }
  bool ShowHint() const { return show_hint_; }
  void SetShowHint(bool show) { show_hint_ = show; }
  bool ShowMainForm() const { return show_main_form_; }
  void SetShowMainForm(bool show) { show_main_form_ = show; }
  bool UpdateFormatSettings() const { return update_format_settings_; }
  void SetUpdateFormatSettings(bool update) { update_format_settings_ = update; }
  bool HelpCommand(int, int64_t) { return false; }
  bool HelpContext(int) { return false; }
  bool HelpJump(const std::string&) { return false; }

 private:
  std::string title_;
  TCustomForm* main_form_ = nullptr;
  bool terminated_ = false;
  std::string help_file_;
  std::string hint_;
  int hint_color_ = static_cast<int32_t>(0x80000018);
  int hint_pause_ = 500;
  int hint_short_pause_ = 50;
  int hint_hide_pause_ = 2500;
  bool show_hint_ = true;
  bool show_main_form_ = true;
  bool update_format_settings_ = true;
};

// The screen: its size, the forms that exist, the active form and control.
class TScreen : public TComponent {
 public:
  explicit TScreen(TComponent* owner);
  std::string ClassName() const override { return "TScreen"; }

  int Width() const;
  int Height() const;
  int PixelsPerInch() const;
  // The forms that exist, in the order they were made.
  int FormCount() const;
  TCustomForm* Forms(int index) const;
  int DataModuleCount() const;
  TCustomForm* ActiveForm() const;
  TControl* ActiveControl() const;
  // The font families installed (made on first use).
  TStringList* Fonts();
  int Cursor() const { return cursor_; }
  // Sets the cursor over every form (crDefault restores each control's own).
  void SetCursor(int cursor);

 private:
  int cursor_ = 0;
  std::unique_ptr<TStringList> fonts_;
};

// The process's application and screen, made on first use.
TApplication* Application();
TScreen* Screen();

}  // namespace orv
