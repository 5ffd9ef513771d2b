#include "controls/application.h"

#include <QApplication>
#include <QFontDatabase>
#include <QScreen>
#include <filesystem>

#include "components/errors.h"
#include "controls/application_link.h"
#include "controls/dialogs.h"
#include "controls/form.h"
#include "controls/qt_application.h"
#include "platform/message_loop.h"
#include "platform/message_service.h"
#include "platform/run_limits.h"

namespace orv {
namespace {

// The platform's message boxes and beeps, shown with the library's dialogs.
class QtMessageSink : public MessageSink {
 public:
  void ShowMessage(MessageKind kind, const std::string& caption, const std::string& text) override {
    int type = kind == MessageKind::Error ? mtError : kind == MessageKind::Warning ? mtWarning : mtInformation;
    std::unique_ptr<TForm> dialog(CreateMessageDialog(text, type, {mbOK}));
    if (!caption.empty()) dialog->SetCaption(caption);
    dialog->ShowModal();
  }
  void Beep() override { QApplication::beep(); }
};

// The application as the forms and controls beneath it reach it.
class Link final : public ApplicationLink {
 public:
  std::string Title() const override { return Application()->Title(); }
  void HandleException(const std::exception& error) override { Application()->HandleException(error); }
  void FormClosed(TCustomForm& form) override {
    if (Application()->MainForm() == &form) Application()->Terminate();
  }
  void FormFreed(TCustomForm& form) override {
    if (Application()->MainForm() == &form) Application()->SetMainForm(nullptr);
  }
  std::shared_ptr<MessageSink> WindowedMessageSink() override { return std::make_shared<QtMessageSink>(); }
};

// Runs when the library is loaded. The link is never destroyed: forms may
// still be freed while the process ends.
[[maybe_unused]] const bool linked = [] {
  static Link* link = new Link;
  SetLinkedApplication(*link);
  return true;
}();

}  // namespace

TApplication::TApplication(TComponent* owner) : TComponent(owner) {}

std::string TApplication::Title() const {
  if (!title_.empty()) return title_;
  const std::string exe = ExeName();
  return exe.substr(exe.find_last_of('/') + 1);
}

void TApplication::SetTitle(std::string_view title) { title_ = title; }

std::string TApplication::ExeName() const {
  std::error_code error;
  return std::filesystem::read_symlink("/proc/self/exe", error).string();
}

bool TApplication::Active() const { return QApplication::activeWindow() != nullptr; }

void TApplication::ProcessMessages() {
  EnsureQtApplication();
  orv_process_messages();
}

void TApplication::HandleMessage() {
  EnsureQtApplication();
  // A script waiting for a message waits no longer than its time limit.
  WaitMessages(RunTimeLeft());
  CheckRunLimits();
}

void TApplication::Run() {
  EnsureQtApplication();
  terminated_ = false;
  if (main_form_ && show_main_form_) main_form_->Show();
  while (!terminated_ && main_form_ && main_form_->Visible()) HandleMessage();
}

void TApplication::Terminate() {
  terminated_ = true;
  WakeMessageLoop();
}

void TApplication::ShowException(const std::exception& error) {
  std::unique_ptr<TForm> dialog(CreateMessageDialog(error.what(), mtError, {mbOK}));
  dialog->ShowModal();
}

void TApplication::BringToFront() {
  if (main_form_ && main_form_->ExistingWidget()) main_form_->ExistingWidget()->raise();
}

TScreen::TScreen(TComponent* owner) : TComponent(owner) {}

int TScreen::Width() const {
  EnsureQtApplication();
  return QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->geometry().width() : 0;
}

int TScreen::Height() const {
  EnsureQtApplication();
  return QGuiApplication::primaryScreen() ? QGuiApplication::primaryScreen()->geometry().height() : 0;
}

int TScreen::PixelsPerInch() const {
  EnsureQtApplication();
  return QGuiApplication::primaryScreen() ? static_cast<int>(QGuiApplication::primaryScreen()->logicalDotsPerInch())
                                          : 96;
}

int TScreen::FormCount() const { return static_cast<int>(ExistingForms().size()); }

TCustomForm* TScreen::Forms(int index) const {
  if (index < 0 || index >= FormCount()) throw ListIndexError(index);
  return ExistingForms()[static_cast<size_t>(index)];
}

int TScreen::DataModuleCount() const { return ExistingDataModules(); }

TCustomForm* TScreen::ActiveForm() const {
  QWidget* active = QApplication::activeWindow();
  for (TCustomForm* form : ExistingForms())
    if (active && form->ExistingWidget() == active) return form;
  return nullptr;
}

TControl* TScreen::ActiveControl() const {
  QWidget* focus = QApplication::focusWidget();
  for (TCustomForm* form : ExistingForms())
    for (int i = 0; focus && i < form->ComponentCount(); ++i)
      if (auto* control = dynamic_cast<TControl*>(form->Components(i)); control && control->ExistingWidget() == focus)
        return control;
  return nullptr;
}

TStringList* TScreen::Fonts() {
  if (!fonts_) {
    EnsureQtApplication();
    fonts_ = std::make_unique<TStringList>();
    for (const QString& family : QFontDatabase::families()) fonts_->Add(family.toStdString());
  }
  return fonts_.get();
}

void TScreen::SetCursor(int cursor) {
  cursor_ = cursor;
  EnsureQtApplication();
  while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
  if (cursor != 0) QApplication::setOverrideCursor(ToQtCursor(cursor));
}

TApplication* Application() {
  static TApplication* application = new TApplication(nullptr);
  return application;
}

TScreen* Screen() {
  static TScreen* screen = new TScreen(nullptr);
  return screen;
}

}  // namespace orv
