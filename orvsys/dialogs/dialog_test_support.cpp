#include "orvsys/dialogs/dialog_test_support.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QRadioButton>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <cstdlib>
#include <memory>
#include <unistd.h>

#include "orv/host.h"

namespace orv::test {

namespace fs = std::filesystem;

void DialogTest::SetUp() {
  static int serial = 0;
  // Read once: each test points TMPDIR at its own folder.
  static const fs::path base = fs::temp_directory_path();
  root_ = base / ("orv-sys-" + std::to_string(::getpid()) + "-" + std::to_string(++serial));
  home_ = root_ / "home";
  temp_ = root_ / "tmp";
  fs::create_directories(home_);
  fs::create_directories(temp_);
  setenv("ORV_HOME", home_.c_str(), 1);
  setenv("TMPDIR", temp_.c_str(), 1);
  setenv("XDG_DATA_HOME", XdgHome().c_str(), 1);
  setenv("ORV_REGISTRY", (root_ / "registry.ini").c_str(), 1);
  host_ = std::make_unique<Window>([this](uint32_t message, WPARAM, LPARAM lparam) -> LRESULT {
    HostMessage seen{message, {}};
    if (message == ORV_MSG_OPEN_FILE || message == ORV_MSG_OPEN_NEW) {
      auto* record = reinterpret_cast<TMyRecord*>(lparam);
      for (int i = 0; i < 3; ++i) seen.Fields.emplace_back(orv_myrecord_field(record, i));
      orv_myrecord_free(record);
    }
    messages_.push_back(seen);
    return 0;
  });
}

void DialogTest::TearDown() {
  ProcessMessages();
  host_.reset();
  unsetenv("ORV_REGISTRY");
  std::error_code ignored;
  fs::remove_all(root_, ignored);
}

const std::vector<HostMessage>& DialogTest::Messages() {
  ProcessMessages();
  return messages_;
}

QWidget* Control(const char* window, const char* name) {
  QWidget* widget = FindIn(window, name);
  EXPECT_NE(widget, nullptr) << window << "." << name;
  return widget;
}

void Click(const char* window, const char* name) {
  QWidget* widget = Control(window, name);
  if (widget == nullptr) return;
  // A check box or radio button reacts to clicks on its box and text only:
  // click the box, as a user does.
  if (qobject_cast<QCheckBox*>(widget) || qobject_cast<QRadioButton*>(widget))
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, QPoint(8, widget->height() / 2));
  else
    QTest::mouseClick(widget, Qt::LeftButton);
}

void Type(const char* window, const char* name, const std::string& text) {
  auto* edit = qobject_cast<QLineEdit*>(Control(window, name));
  ASSERT_NE(edit, nullptr) << name;
  edit->setFocus();
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Delete);
  QTest::keyClicks(edit, QString::fromStdString(text));
}

std::string TextOf(const char* window, const char* name) {
  QWidget* widget = Control(window, name);
  if (auto* edit = qobject_cast<QLineEdit*>(widget)) return edit->text().toStdString();
  if (auto* label = qobject_cast<QLabel*>(widget)) return label->text().toStdString();
  if (auto* memo = qobject_cast<QPlainTextEdit*>(widget)) return memo->toPlainText().toStdString();
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text().toStdString();
  return {};
}

bool IsChecked(const char* window, const char* name) {
  auto* button = qobject_cast<QAbstractButton*>(Control(window, name));
  return button != nullptr && button->isChecked();
}

bool IsEnabled(const char* window, const char* name) {
  QWidget* widget = Control(window, name);
  return widget != nullptr && widget->isEnabled();
}

bool HasFocus(const char* window, const char* name) {
  QWidget* widget = Control(window, name);
  return widget != nullptr && widget->window()->focusWidget() == widget;
}

bool IsShown(const char* window, const char* name) {
  QWidget* widget = Control(window, name);
  return widget != nullptr && !widget->isHidden();
}

void ShowTab(const char* window, const char* pages, int index) {
  auto* tabs = qobject_cast<QTabWidget*>(Control(window, pages));
  ASSERT_NE(tabs, nullptr);
  tabs->setCurrentIndex(index);
}

static QAbstractItemView* View(const char* window, const char* list) {
  auto* view = qobject_cast<QAbstractItemView*>(Control(window, list));
  EXPECT_NE(view, nullptr) << list;
  return view;
}

void ClickRow(const char* window, const char* list, int row, Qt::KeyboardModifiers modifiers) {
  QAbstractItemView* view = View(window, list);
  if (!view) return;
  view->doItemsLayout();
  const QRect rect = view->visualRect(view->model()->index(row, 0));
  QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, rect.center());
}

std::vector<std::string> RowTexts(const char* window, const char* list) {
  std::vector<std::string> rows;
  QAbstractItemView* view = View(window, list);
  if (!view) return rows;
  const QAbstractItemModel* model = view->model();
  for (int row = 0; row < model->rowCount(); ++row) {
    QStringList cells;
    for (int column = 0; column < model->columnCount(); ++column) cells << model->index(row, column).data().toString();
    rows.push_back(cells.join(" | ").toStdString());
  }
  return rows;
}

void DoubleClickRow(const char* window, const char* list, int row) {
  QAbstractItemView* view = View(window, list);
  if (!view) return;
  view->doItemsLayout();
  const QRect rect = view->visualRect(view->model()->index(row, 0));
  QTest::mousePress(view->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
  QTest::mouseRelease(view->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
  QTest::mouseDClick(view->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
}

// Checks from the event loop, `left` more times at most, whether `condition` holds.
static void Poll(std::shared_ptr<std::function<bool()>> condition, std::shared_ptr<std::function<void()>> step,
                 int left, std::string what) {
  WhenShown([condition, step, left, what] {
    if ((*condition)())
      (*step)();
    else if (left == 0)
      ADD_FAILURE() << what;
    else
      Poll(condition, step, left - 1, what);
  });
}

void WhenTrue(std::function<bool()> condition, std::function<void()> step) {
  Poll(std::make_shared<std::function<bool()>>(std::move(condition)),
       std::make_shared<std::function<void()>>(std::move(step)), 100000, "the condition never held");
}

void WhenUp(const char* window, std::function<void()> step) {
  const QString name = window;
  Poll(std::make_shared<std::function<bool()>>([name] {
         QWidget* modal = QApplication::activeModalWidget();
         return modal != nullptr && modal->objectName() == name && modal->isVisible();
       }),
       std::make_shared<std::function<void()>>(std::move(step)), 100000, std::string(window) + " did not come up");
}

void Screenshot(const char* window, const char* file) {
  QWidget* widget = nullptr;
  for (QWidget* top : QApplication::topLevelWidgets())
    if (top->objectName() == window && top->isVisible()) widget = top;
  ASSERT_NE(widget, nullptr) << window;
  EXPECT_TRUE(SaveScreenshot(widget, file));
}

TCustomForm* FormNamed(const char* name) {
  for (int i = 0; i < Screen()->FormCount(); ++i)
    if (Screen()->Forms(i)->Name() == name) return Screen()->Forms(i);
  return nullptr;
}

void AnswerMessage(const char* button, std::string* text) {
  WhenUp("MessageDlg", [button, text] {
    if (text) *text = TextOf("MessageDlg", "Message");
    Click("MessageDlg", button);
  });
}

}  // namespace orv::test
