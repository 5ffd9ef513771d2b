#include "controls/form.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "controls/application_link.h"
#include "controls/control_error.h"
#include "controls/menus.h"
#include "controls/qt_application.h"
#include "controls/qt_text.h"
#include "platform/run_limits.h"

namespace orv {
namespace {

// The close request a window receives.
constexpr uint32_t WM_CLOSE = 0x0010;

// The forms that exist, in the order they were made. The list lives as
// long as the process, as forms may be freed while it ends.
std::vector<TCustomForm*>& MadeForms() {
  static auto* forms = new std::vector<TCustomForm*>;
  return *forms;
}

int data_modules = 0;

// A form's window: a dialog whose client widget holds the controls, below
// the menu bar when the form has one.
class FormWidget : public QDialog {
 public:
  explicit FormWidget(TCustomForm& form) : form_(form.Handle()) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    layout->addWidget(client);
  }
  void reject() override {
    if (TCustomForm* form = Form()) form->CancelModal();
  }
  void closeEvent(QCloseEvent* event) override {
    event->ignore();
    if (TCustomForm* form = Form()) form->HandleCloseRequest();
  }

  QWidget* client;

 private:
  // The form; null once it is freed (its widget may outlive it briefly when
  // a handler freed it).
  TCustomForm* Form() const { return dynamic_cast<TCustomForm*>(ObjectFromHandle(form_)); }

  uint32_t form_;
};

FormWidget* AsFormWidget(QWidget* widget) { return static_cast<FormWidget*>(widget); }

}  // namespace

TScrollBox::TScrollBox(TComponent* owner) : TScrollingWinControl(owner) { SetBounds(0, 0, 185, 41); }

QWidget* TScrollBox::CreateWidget(QWidget* parent) {
  auto* area = new QScrollArea(parent);
  client_ = new QWidget();
  client_->resize(Width(), Height());
  area->setWidget(client_);
  return area;
}

QWidget* TScrollBox::ClientWidget() {
  Widget();
  return client_;
}

TCustomForm::TCustomForm(TComponent* owner) : TScrollingWinControl(owner) {
  color_ = clBtnFace;
  TControl::SetVisible(false);
  TControl::SetBounds(0, 0, 320, 240);
  MadeForms().push_back(this);
}

TCustomForm::~TCustomForm() {
  FireEvent(OnDestroy, this);
  if (modal_loop_) modal_loop_->exit();
  LinkedApplication().FormFreed(*this);
  std::erase(MadeForms(), this);
  DestroyComponents();
}

QWidget* TCustomForm::CreateWidget(QWidget*) { return new FormWidget(*this); }

QWidget* TCustomForm::ClientWidget() { return AsFormWidget(Widget())->client; }

void TCustomForm::WidgetCreated() {
  ScaleToFont();
  ApplyWindowFlags();
  if (menu_) AsFormWidget(ExistingWidget())->layout()->setMenuBar(menu_->MenuBar());
  TScrollingWinControl::WidgetCreated();
}

void TCustomForm::ApplyWindowFlags() {
  QWidget* widget = ExistingWidget();
  if (!widget) return;
  Qt::WindowFlags flags = Qt::Dialog;
  if (border_style_ == bsNone) flags |= Qt::FramelessWindowHint;
  if (border_style_ == bsToolWindow || border_style_ == bsSizeToolWin) flags = Qt::Tool;
  if (border_style_ != bsSizeable && border_style_ != bsSizeToolWin) flags |= Qt::MSWindowsFixedSizeDialogHint;
  if (form_style_ == 3) flags |= Qt::WindowStaysOnTopHint;
  if (border_style_ == bsSizeable) flags |= Qt::WindowMinMaxButtonsHint;
  flags |= Qt::WindowCloseButtonHint | Qt::WindowTitleHint;
  bool shown = widget->isVisible();
  widget->setWindowFlags(flags);
  SetBounds(Left(), Top(), Width(), Height());
  if (shown) widget->show();
}

void TCustomForm::ApplyCaption() {
  if (QWidget* widget = ExistingWidget()) widget->setWindowTitle(ToQString(caption_));
}

void TCustomForm::SetBounds(int left, int top, int width, int height) {
  TScrollingWinControl::SetBounds(left, top, width, height);
  QWidget* widget = ExistingWidget();
  if (!widget) return;
  int menu = widget->layout() && widget->layout()->menuBar() ? widget->layout()->menuBar()->sizeHint().height() : 0;
  widget->move(left, top);
  if (border_style_ == bsSizeable || border_style_ == bsSizeToolWin) {
    const TSizeConstraints& limits = *Constraints();
    widget->setMinimumSize(limits.MinWidth(), limits.MinHeight() > 0 ? limits.MinHeight() + menu : 0);
    widget->setMaximumSize(limits.MaxWidth() > 0 ? limits.MaxWidth() : QWIDGETSIZE_MAX,
                           limits.MaxHeight() > 0 ? limits.MaxHeight() + menu : QWIDGETSIZE_MAX);
    widget->resize(Width(), Height() + menu);
  } else {
    widget->setFixedSize(Width(), Height() + menu);
  }
}

void TCustomForm::ChangeScale(int multiplier, int divider) {
  // The window keeps its place on the screen; its client area and the
  // controls in it scale.
  const int left = Left();
  const int top = Top();
  TScrollingWinControl::ChangeScale(multiplier, divider);
  PlaceBounds(left, top, Width(), Height());
}

void TCustomForm::ScaleToFont() {
  if (!scaled_ || text_height_ <= 0) return;
  const int height = QFontMetrics(Font()->ToQFont()).height();
  if (height <= 0 || height == text_height_) return;
  const int design = std::exchange(text_height_, height);
  Constraints()->ScaleBy(height, design);
  PlaceBounds(Left(), Top(), MulDiv(Width(), height, design), MulDiv(Height(), height, design));
  ScaleBy(height, design);
  SetBounds(Left(), Top(), Width(), Height());
}

void TCustomForm::FontChanged() {
  TScrollingWinControl::FontChanged();
  if (ExistingWidget()) ScaleToFont();
}

void TCustomForm::SetBorderStyle(int style) {
  border_style_ = style;
  ApplyWindowFlags();
}

void TCustomForm::SetFormStyle(int style) {
  form_style_ = style;
  ApplyWindowFlags();
}

void TCustomForm::SetMenu(TMainMenu* menu) {
  menu_ = menu;
  if (ExistingWidget() && menu) AsFormWidget(ExistingWidget())->layout()->setMenuBar(menu->MenuBar());
}

void TCustomForm::SetActiveControl(TWinControl* control) {
  active_control_ = control;
  if (control && ExistingWidget() && ExistingWidget()->isVisible()) control->SetFocus();
}

void TCustomForm::Center() {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  QRect area = screen->availableGeometry();
  QWidget* widget = ExistingWidget();
  SetBounds(area.x() + (area.width() - widget->width()) / 2, area.y() + (area.height() - widget->height()) / 2,
            Width(), Height());
}

void TCustomForm::SetVisible(bool visible) {
  if (visible == Visible() && (!ExistingWidget() || ExistingWidget()->isVisible() == visible)) return;
  if (!visible) {
    TControl::SetVisible(false);
    FireEvent(OnHide, this);
    return;
  }
  QWidget* widget = Widget();
  FireEvent(OnShow, this);
  if (position_ == poScreenCenter) Center();
  TControl::SetVisible(true);
  widget->activateWindow();
  if (active_control_) active_control_->SetFocus();
}

bool TCustomForm::Active() const { return ExistingWidget() && ExistingWidget()->isActiveWindow(); }

void TCustomForm::Loaded() {
  TScrollingWinControl::Loaded();
  if (created_) return;
  created_ = true;
  FireEvent(OnCreate, this);
}

int TCustomForm::ShowModal() {
  if (modal_loop_ || Visible()) throw EControlError("Cannot make a visible window modal");
  QWidget* widget = Widget();
  modal_result_ = mrNone;
  widget->setWindowModality(Qt::ApplicationModal);
  QEventLoop loop;
  modal_loop_ = &loop;
  Show();
  if (WindowsUnseen() && modal_result_ == mrNone) {
    CancelModal();
    if (modal_result_ == mrNone) modal_result_ = mrCancel;
  }
  // A script that shows the form runs under its time limit: the form gives
  // up, as Cancel would, once the limit is reached, and the run then ends
  // with the limit's error.
  QTimer deadline;
  deadline.setSingleShot(true);
  QObject::connect(&deadline, &QTimer::timeout, &loop, [this, &loop] {
    modal_result_ = mrCancel;
    loop.exit();
  });
  if (const auto left = RunTimeLeft(); left.count() >= 0)
    deadline.start(static_cast<int>(std::min<long long>(left.count(), 1 << 30)));
  if (modal_result_ == mrNone) loop.exec(QEventLoop::DialogExec);
  modal_loop_ = nullptr;
  Hide();
  widget->setWindowModality(Qt::NonModal);
  CheckRunLimits();
  return modal_result_;
}

void TCustomForm::SetModalResult(int result) {
  modal_result_ = result;
  if (!modal_loop_ || result == mrNone) return;
  if (!CloseQuery()) {
    modal_result_ = mrNone;
    return;
  }
  EventArgs args{int64_t{caHide}};
  FireEvent(OnClose, this, args);
  if (std::get<int64_t>(args[0]) == caNone) {
    modal_result_ = mrNone;
    return;
  }
  modal_loop_->exit();
}

bool TCustomForm::CloseQuery() {
  EventArgs args{true};
  FireEvent(OnCloseQuery, this, args);
  auto* can_close = std::get_if<bool>(&args[0]);
  return !can_close || *can_close;
}

void TCustomForm::Close() {
  if (modal_loop_) {
    SetModalResult(mrCancel);
    return;
  }
  if (!CloseQuery()) return;
  EventArgs args{int64_t{caHide}};
  FireEvent(OnClose, this, args);
  auto* action = std::get_if<int64_t>(&args[0]);
  int close_action = action ? static_cast<int>(*action) : caHide;
  if (close_action == caNone) return;
  if (close_action == caMinimize) {
    if (ExistingWidget()) ExistingWidget()->showMinimized();
    return;
  }
  Hide();
  LinkedApplication().FormClosed(*this);
  if (close_action == caFree) Release();
}

bool TCustomForm::HandleCloseRequest() {
  Close();
  return !Visible();
}

void TCustomForm::CancelModal() {
  for (int i = 0; i < ComponentCount(); ++i)
    if (auto* control = dynamic_cast<TControl*>(Components(i)); control && control->ClickAsCancel()) return;
  if (modal_loop_) SetModalResult(mrCancel);
}

void TCustomForm::Release() {
  uint32_t handle = Handle();
  QTimer::singleShot(0, QCoreApplication::instance(), [handle] { delete ObjectFromHandle(handle); });
}

void TCustomForm::Dispatch(TMessage& message) {
  if (message.Msg == WM_CLOSE) {
    Close();
    return;
  }
  TScrollingWinControl::Dispatch(message);
}

bool TCustomForm::WidgetEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::WindowActivate:
      FireEvent(OnActivate, this);
      break;
    case QEvent::WindowDeactivate:
      FireEvent(OnDeactivate, this);
      break;
    case QEvent::Paint:
      if (OnPaint.code) PaintOnCanvas(ExistingWidget(), *canvas_, [this] { FireEvent(OnPaint, this); });
      break;
    default:
      break;
  }
  return TScrollingWinControl::WidgetEvent(event);
}

TDataModule::TDataModule(TComponent* owner) : TComponent(owner) { ++data_modules; }

TDataModule::~TDataModule() {
  FireEvent(OnDestroy, this);
  --data_modules;
}

const std::vector<TCustomForm*>& ExistingForms() { return MadeForms(); }

int ExistingDataModules() { return data_modules; }

}  // namespace orv
