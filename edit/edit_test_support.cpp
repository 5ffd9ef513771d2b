#include "edit/edit_test_support.h"

#include <unistd.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QDesktopServices>
#include <QLineEdit>
#include <QRadioButton>
#include <cstdlib>
#include <memory>

#include "edit/document.h"
#include "edit/document_tabs.h"

namespace orv::edit::test {

namespace fs = std::filesystem;

EditorApplication* EditorTest::app_ = nullptr;
DialogLibraries* EditorTest::libraries_ = nullptr;

QWidget* Window(const QString& name) {
  for (QWidget* top : QApplication::topLevelWidgets())
    if (top->objectName() == name && top->isVisible()) return top;
  return nullptr;
}

QWidget* Control(const QString& window, const QString& name) {
  QWidget* top = Window(window);
  QWidget* found = top ? top->findChild<QWidget*>(name) : nullptr;
  EXPECT_NE(found, nullptr) << window.toStdString() << "." << name.toStdString();
  return found;
}

void Click(const QString& window, const QString& name) {
  QWidget* widget = Control(window, name);
  if (!widget) return;
  // A check box or radio button reacts to a click on its box.
  if (qobject_cast<QCheckBox*>(widget) || qobject_cast<QRadioButton*>(widget))
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, QPoint(8, widget->height() / 2));
  else
    QTest::mouseClick(widget, Qt::LeftButton);
}

void Type(const QString& window, const QString& name, const QString& text) {
  auto* edit = ControlOf<QLineEdit>(window, name);
  if (!edit) return;
  edit->setFocus();
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Delete);
  QTest::keyClicks(edit, text);
}

namespace {

void Poll(std::shared_ptr<std::function<bool()>> condition, std::shared_ptr<std::function<void()>> step, int left,
          std::string what) {
  QTimer::singleShot(0, qApp, [condition, step, left, what] {
    if ((*condition)()) (*step)();
    else if (left == 0) ADD_FAILURE() << what;
    else Poll(condition, step, left - 1, what);
  });
}

}  // namespace

void WhenTrue(std::function<bool()> condition, std::function<void()> step) {
  Poll(std::make_shared<std::function<bool()>>(std::move(condition)),
       std::make_shared<std::function<void()>>(std::move(step)), 200000, "the condition never held");
}

void WhenUp(const QString& name, std::function<void()> step) {
  Poll(std::make_shared<std::function<bool()>>([name] {
         QWidget* modal = QApplication::activeModalWidget();
         return modal ? modal->objectName() == name && modal->isVisible() : Window(name) != nullptr;
       }),
       std::make_shared<std::function<void()>>(std::move(step)), 200000, name.toStdString() + " did not come up");
}

UrlRecorder::UrlRecorder() {
  for (const char* scheme : {"file", "http", "https"})
    QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), this, "Open");
}

UrlRecorder::~UrlRecorder() {
  for (const char* scheme : {"file", "http", "https"}) QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
}

void EditorTest::SetUpTestSuite() {
  if (app_) return;
  static int argc = 1;
  static char program[] = "orvedit_test";
  static char* argv[] = {program, nullptr};
  app_ = new EditorApplication(argc, argv);
  libraries_ = new DialogLibraries;
  libraries_->Load();
}

void EditorTest::SetUp() {
  static int serial = 0;
  static const fs::path base = fs::temp_directory_path();
  root_ = base / ("orvedit-test-" + std::to_string(::getpid()) + "-" + std::to_string(++serial));
  for (const char* folder : {"home", "tmp", "config", "data"}) fs::create_directories(root_ / folder);
  setenv("ORV_HOME", (root_ / "home").c_str(), 1);
  setenv("TMPDIR", (root_ / "tmp").c_str(), 1);
  setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
  setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
  setenv("ORV_REGISTRY", (root_ / "registry.ini").c_str(), 1);
  unsetenv("ORVCC");
  MakeWindow(*libraries_);
}

void EditorTest::MakeWindow(DialogLibraries& libraries) {
  window_.reset();
  window_ = std::make_unique<MainWindow>(libraries);
  App().SetErrorHandler([this](const QString& receiver, const QString& event, const std::exception& error) {
    window_->ReportException(receiver, error, event);
  });
  window_->show();
  window_->activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(window_.get()));
}

void EditorTest::TearDown() {
  // The test's changes are not to be saved.
  for (Document* document : window_->Tabs().Documents()) document->setModified(false);
  App().SetErrorHandler(nullptr);
  window_.reset();
  orv_process_messages();
  std::error_code ignored;
  fs::remove_all(root_, ignored);
}

Document* EditorTest::Current() { return window_->Tabs().Current(); }

QAction* EditorTest::Action(const char* name) {
  auto* action = window_->findChild<QAction*>(QString::fromLatin1(name));
  EXPECT_NE(action, nullptr) << name;
  return action;
}

void EditorTest::Press(const QKeySequence& keys) {
  // A dialog that just closed hands the focus back only once the window is
  // active again, and shortcuts work only in the active window.
  if (!window_->isActiveWindow()) {
    window_->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  }
  QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window_.get();
  const QKeyCombination key = keys[0];
  QTest::keyClick(target, key.key(), key.keyboardModifiers());
}

void EditorTest::TypeText(const QString& text) {
  ASSERT_NE(Current(), nullptr);
  Current()->setFocus();
  // Each character as the keyboard sends it, also those beyond ASCII.
  for (const QChar c : text) QTest::sendKeyEvent(QTest::Click, Current(), Qt::Key_unknown, QString(c), Qt::NoModifier);
}

std::string EditorTest::CopyExampleSite() {
  const fs::path site = root_ / "site";
  fs::copy(fs::path(std::getenv("ORV_SOURCE_DIR")) / "examples/site", site, fs::copy_options::recursive);
  return (site / "site.orv").string();
}

}  // namespace orv::edit::test
