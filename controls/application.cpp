#include "controls/application.h"

#include <QApplication>
#include <QFontDatabase>
#include <QScreen>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>

#include "controls/dialogs.h"
#include "controls/form.h"
#include "controls/qt_loop.h"
#include "platform/display.h"
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

bool windows_unseen = false;

}  // namespace

void EnsureQtApplication() {
  static QPointer<QtLoopIntegration> integration;
  if (integration) return;
  if (QCoreApplication* existing = QCoreApplication::instance()) {
    if (!qobject_cast<QApplication*>(existing)) throw EControlError("The Qt application of this program has no widgets");
  } else {
    // Without a display the windows are drawn off screen where nobody sees
    // them: say so once, and keep messages on standard error, as a modal
    // message box there could never be answered. A program that nobody
    // attends draws off screen too, display or not.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && (!DisplayAvailable() || Unattended())) {
      windows_unseen = !DisplayAvailable();
      qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static int argc = 1;
    static char name[] = "orv";
    static char* argv[] = {name, nullptr};
    // The application lives as long as the process.
    static QApplication* made = new QApplication(argc, argv);
    (void)made;
  }
  integration = new QtLoopIntegration();
  integration->setParent(QCoreApplication::instance());
  if (windows_unseen)
    std::fprintf(stderr, "%s: no display (DISPLAY and WAYLAND_DISPLAY are not set): windows are not shown\n",
                 program_invocation_short_name);
  if (!WindowsUnseen()) SetMessageSink(std::make_shared<QtMessageSink>());
}

bool WindowsUnseen() { return windows_unseen || Unattended(); }

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

TCustomForm* TScreen::Forms(int index) const {
  if (index < 0 || index >= FormCount()) throw ListIndexError(index);
  return forms_[static_cast<size_t>(index)];
}

void TScreen::RemoveForm(TCustomForm* form) { std::erase(forms_, form); }

TCustomForm* TScreen::ActiveForm() const {
  QWidget* active = QApplication::activeWindow();
  for (TCustomForm* form : forms_)
    if (active && form->ExistingWidget() == active) return form;
  return nullptr;
}

TControl* TScreen::ActiveControl() const {
  QWidget* focus = QApplication::focusWidget();
  for (TCustomForm* form : forms_)
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
