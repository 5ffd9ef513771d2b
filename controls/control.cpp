#include "controls/control.h"

#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "controls/control_error.h"
#include "controls/event_firing.h"
#include "controls/menus.h"
#include "controls/qt_application.h"
#include "controls/qt_text.h"
#include "platform/window.h"

namespace orv {

// Receives the signals and events of one control's widget.
class ControlEvents : public QObject {
 public:
  explicit ControlEvents(TControl& control) : control_(control) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    return watched == control_.ExistingWidget() && control_.WidgetEvent(event);
  }

 private:
  TControl& control_;
};

void FireEvent(const TMethod& event, TObject* sender, EventArgs& args) {
  auto* control = dynamic_cast<TControl*>(sender);
  RunHandler(event, sender, args, control ? control->ExistingWidget() : nullptr);
}

void FireEvent(const TMethod& event, TObject* sender) {
  EventArgs none;
  FireEvent(event, sender, none);
}

namespace {

// The shift state of a mouse or key event as a set (ssShift, ssAlt, ssCtrl,
// ssLeft, ssRight, ssMiddle).
int64_t ShiftState(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
  int64_t state = 0;
  if (modifiers & Qt::ShiftModifier) state |= 1;
  if (modifiers & Qt::AltModifier) state |= 2;
  if (modifiers & Qt::ControlModifier) state |= 4;
  if (buttons & Qt::LeftButton) state |= 8;
  if (buttons & Qt::RightButton) state |= 16;
  if (buttons & Qt::MiddleButton) state |= 32;
  return state;
}

int64_t MouseButton(Qt::MouseButton button) {
  return button == Qt::RightButton ? 1 : button == Qt::MiddleButton ? 2 : 0;
}

// The virtual-key code of a Qt key: letters and digits keep their ASCII
// codes; the common editing keys get theirs.
int64_t VirtualKey(int key) {
  if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z)) return key;
  switch (key) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Return: case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    default:
      if (key >= Qt::Key_F1 && key <= Qt::Key_F12) return 112 + (key - Qt::Key_F1);
      return 0;
  }
}

// How an error names a control: its name, or its class when it has none.
std::string NameOrClass(const TControl& control) {
  return control.Name().empty() ? control.ClassName() : control.Name();
}

}  // namespace

bool PaintOnCanvas(QWidget* widget, TCanvas& canvas, const std::function<void()>& paint) {
  QPainter painter(widget);
  canvas.Begin(&painter);
  paint();
  canvas.End();
  return true;
}

TControl::TControl(TComponent* owner)
    : TComponent(owner),
      events_(std::make_unique<ControlEvents>(*this)),
      font_(std::make_unique<TFont>()),
      constraints_(std::make_unique<TSizeConstraints>()) {
  font_->OnChange = [this] {
    if (!inheriting_font_) parent_font_ = false;
    ApplyFont();
    FontChanged();
  };
  constraints_->OnChange = [this] { SetBounds(left_, top_, width_, height_); };
}

TControl::~TControl() {
  if (parent_) parent_->RemoveControl(this);
  if (widget_ && InEventDelivery(widget_)) {
    widget_->hide();
    widget_->deleteLater();
  } else {
    delete widget_.data();
  }
}

QObject* TControl::Receiver() const { return events_.get(); }

QWidget* TControl::Widget() {
  if (widget_) return widget_;
  EnsureQtApplication();
  QWidget* parent_widget = parent_ ? parent_->ClientWidget() : nullptr;
  if (!widget_) MakeWidget(parent_widget);  // the parent's widget may have made ours
  return widget_;
}

void TControl::MakeWidget(QWidget* parent) {
  QWidget* widget = CreateWidget(parent);
  widget_ = widget;
  widget->setObjectName(ToQString(Name()));
  widget->installEventFilter(events_.get());
  if (parent) widget->setGeometry(left_, top_, width_, height_);
  widget->setEnabled(enabled_);
  if (!hint_.empty()) widget->setToolTip(ToQString(hint_));
  if (cursor_ != 0) widget->setCursor(ToQtCursor(cursor_));
  // OnMouseMove hears the pointer move with no button pressed too.
  if (OnMouseMove.Assigned()) widget->setMouseTracking(true);
  ApplyFont();
  ApplyColor();
  ApplyCaption();
  WidgetCreated();
  if (parent) widget->setVisible(visible_);
}

QWidget* TControl::CreateWidget(QWidget* parent) { return new QWidget(parent); }

void TControl::RecreateWidget() {
  if (!widget_) return;
  QWidget* parent = widget_->parentWidget();
  delete widget_.data();
  MakeWidget(parent);
}

void TControl::Renamed() {
  if (widget_) widget_->setObjectName(ToQString(Name()));
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent_) parent_->RemoveControl(this);
  if (parent) parent->InsertControl(this);
  if (parent_font_) InheritFont();
  RecordAnchorBase();
}

void TControl::SetParentFont(bool parent_font) {
  parent_font_ = parent_font;
  if (parent_font) InheritFont();
}

void TControl::InheritFont() {
  if (!parent_) return;
  inheriting_font_ = true;
  font_->Assign(parent_->Font());
  inheriting_font_ = false;
}

void TControl::FontChanged() {}

TComponent* TControl::GetParentComponent() const { return parent_; }

void TControl::SetParentComponent(TComponent* parent) {
  if (auto* control = dynamic_cast<TWinControl*>(parent)) SetParent(control);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  width = constraints_->ClampWidth(std::max(width, 0));
  height = constraints_->ClampHeight(std::max(height, 0));
  bool resized = width != width_ || height != height_;
  PlaceBounds(left, top, width, height);
  RecordAnchorBase();
  if (parent_ && align_ != 0) parent_->AlignControls();
  if (resized) FireEvent(OnResize, this);
}

void TControl::PlaceBounds(int left, int top, int width, int height) {
  left_ = left;
  top_ = top;
  width_ = std::max(width, 0);
  height_ = std::max(height, 0);
  if (widget_ && widget_->parentWidget()) widget_->setGeometry(left_, top_, width_, height_);
}

void TControl::TakeWidgetSize() {
  if (!widget_) return;
  width_ = widget_->width();
  height_ = widget_->height();
}

void TControl::RecordAnchorBase() {
  if (!parent_) return;
  anchor_base_ = AnchorBase{left_, top_, width_, height_, parent_->ClientWidth(), parent_->ClientHeight()};
}

void TControl::SetAnchors(int64_t anchors) {
  anchors_ = anchors;
  RecordAnchorBase();
}

QRect TControl::AnchoredBounds(int parent_width, int parent_height) const {
  const AnchorBase& base = *anchor_base_;
  // One axis: the start and the length from the base and the parent's growth.
  auto follow = [this](int start, int length, int growth, TAnchorKind near, TAnchorKind far) {
    const bool to_near = anchors_ & (int64_t{1} << near);
    const bool to_far = anchors_ & (int64_t{1} << far);
    if (to_near && to_far) return std::pair{start, length + growth};
    if (to_far) return std::pair{start + growth, length};
    if (!to_near) return std::pair{start + growth / 2, length};
    return std::pair{start, length};
  };
  auto [left, width] = follow(base.left, base.width, parent_width - base.parent_width, akLeft, akRight);
  auto [top, height] = follow(base.top, base.height, parent_height - base.parent_height, akTop, akBottom);
  return QRect(left, top, constraints_->ClampWidth(std::max(width, 0)), constraints_->ClampHeight(std::max(height, 0)));
}

void TControl::ChangeScale(int multiplier, int divider) {
  const int left = MulDiv(left_, multiplier, divider);
  const int top = MulDiv(top_, multiplier, divider);
  const int right = MulDiv(left_ + width_, multiplier, divider);
  const int bottom = MulDiv(top_ + height_, multiplier, divider);
  constraints_->ScaleBy(multiplier, divider);
  // Only the control's own record changes: its widget follows once the whole
  // tree is scaled, so that no resize on the way moves anchored controls.
  left_ = left;
  top_ = top;
  width_ = std::max(right - left, 0);
  height_ = std::max(bottom - top, 0);
}

void TControl::SetVisible(bool visible) {
  visible_ = visible;
  if (widget_) widget_->setVisible(visible);
  else if (visible && parent_ && parent_->ExistingWidget()) Widget();
}

bool TControl::Showing() const {
  for (const TControl* control = this; control; control = control->parent_)
    if (!control->visible_) return false;
  return true;
}

void TControl::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (widget_) widget_->setEnabled(enabled);
}

void TControl::SetCaption(std::string_view caption) {
  caption_ = caption;
  if (widget_) ApplyCaption();
}

void TControl::SetColor(int color) {
  color_ = color;
  parent_color_ = false;
  ApplyColor();
}

void TControl::SetParentColor(bool parent_color) {
  parent_color_ = parent_color;
  if (parent_color && parent_) color_ = parent_->Color();
  ApplyColor();
}

void TControl::ApplyColor() {
  if (!widget_) return;
  QPalette palette = widget_->palette();
  palette.setColor(ColorRole(), ToQColor(color_));
  // The text of a disabled control keeps the style's grey, so the user sees
  // that it cannot be used.
  for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    palette.setColor(group, QPalette::WindowText, ToQColor(font_->Color()));
    palette.setColor(group, QPalette::Text, ToQColor(font_->Color()));
  }
  widget_->setPalette(palette);
  if (ColorRole() == QPalette::Window) widget_->setAutoFillBackground(color_ != DefaultColor());
}

void TControl::ApplyFont() {
  if (!widget_) return;
  widget_->setFont(font_->ToQFont());
  ApplyColor();
}

void TControl::SetHint(std::string_view hint) {
  hint_ = hint;
  if (widget_) widget_->setToolTip(ToQString(hint_));
}

void TControl::SetShowHint(bool show_hint) { show_hint_ = show_hint; }

void TControl::SetCursor(int cursor) {
  cursor_ = cursor;
  if (widget_) widget_->setCursor(ToQtCursor(cursor));
}

void TControl::SetAlign(int align) {
  align_ = align;
  if (parent_) parent_->AlignControls();
}

void TControl::BringToFront() {
  if (widget_) widget_->raise();
}

void TControl::SendToBack() {
  if (widget_) widget_->lower();
}

void TControl::Invalidate() {
  if (widget_) widget_->update();
}

void TControl::Repaint() {
  if (widget_) widget_->repaint();
}

void TControl::Update() {
  if (widget_) widget_->update();
}

int64_t TControl::Perform(uint32_t message, int64_t wparam, int64_t lparam) {
  TMessage sent{message, wparam, lparam, 0};
  Dispatch(sent);
  return sent.Result;
}

void TControl::Click() { FireEvent(OnClick, this); }

TPopupMenu* TControl::PopupMenu() const { return dynamic_cast<TPopupMenu*>(ObjectFromHandle(popup_menu_)); }

void TControl::SetPopupMenu(TPopupMenu* menu) { popup_menu_ = menu ? menu->Handle() : 0; }

bool TControl::WidgetEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::ContextMenu: {
      TPopupMenu* menu = PopupMenu();
      if (!menu || !menu->AutoPopup()) return false;
      QPoint at = static_cast<QContextMenuEvent*>(event)->globalPos();
      menu->Popup(at.x(), at.y());
      return true;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      EventArgs args{MouseButton(mouse->button()), ShiftState(mouse->modifiers(), mouse->buttons()),
                     int64_t{mouse->position().toPoint().x()}, int64_t{mouse->position().toPoint().y()}};
      FireEvent(event->type() == QEvent::MouseButtonPress ? OnMouseDown : OnMouseUp, this, args);
      return false;
    }
    case QEvent::MouseMove: {
      auto* mouse = static_cast<QMouseEvent*>(event);
      EventArgs args{ShiftState(mouse->modifiers(), mouse->buttons()), int64_t{mouse->position().toPoint().x()},
                     int64_t{mouse->position().toPoint().y()}};
      FireEvent(OnMouseMove, this, args);
      return false;
    }
    case QEvent::MouseButtonDblClick:
      FireEvent(OnDblClick, this);
      return false;
    case QEvent::Resize:
      if (widget_ && !widget_->parentWidget()) TakeWidgetSize();
      return false;
    default:
      return false;
  }
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
  DestroyComponents();
  for (TControl* control : controls_) control->parent_ = nullptr;
  controls_.clear();
}

TControl* TWinControl::Controls(int index) const {
  if (index < 0 || index >= ControlCount()) throw ListIndexError(index);
  return controls_[static_cast<size_t>(index)];
}

void TWinControl::InsertControl(TControl* control) {
  if (!control || control->parent_ == this) return;
  if (control == this) throw EControlError("Control " + NameOrClass(*this) + " cannot be its own parent");
  if (auto* holder = dynamic_cast<TWinControl*>(control); holder && holder->ContainsControl(this))
    throw EControlError("Control " + NameOrClass(*control) + " cannot be placed in " + NameOrClass(*this) +
                        ", which lies inside it");
  if (control->parent_) control->parent_->RemoveControl(control);
  controls_.push_back(control);
  control->parent_ = this;
  if (control->parent_color_) control->color_ = Color();
  if (control->ExistingWidget()) {
    control->ExistingWidget()->setParent(ExistingWidget() ? ClientWidget() : nullptr);
    control->ExistingWidget()->setGeometry(control->left_, control->top_, control->width_, control->height_);
    control->ExistingWidget()->setVisible(control->visible_ && ExistingWidget());
  } else if (ExistingWidget()) {
    control->MakeWidget(ClientWidget());
  }
  AlignControls();
}

void TWinControl::RemoveControl(TControl* control) {
  auto it = std::find(controls_.begin(), controls_.end(), control);
  if (it == controls_.end()) return;
  controls_.erase(it);
  control->parent_ = nullptr;
  if (control->ExistingWidget()) control->ExistingWidget()->setParent(nullptr);
}

bool TWinControl::ContainsControl(const TControl* control) const {
  for (; control; control = control->Parent())
    if (control == this) return true;
  return false;
}

void TWinControl::WidgetCreated() {
  for (TControl* control : controls_)
    if (!control->ExistingWidget()) control->MakeWidget(ClientWidget());
  if (ExistingWidget()) ExistingWidget()->setFocusPolicy(tab_stop_ ? Qt::StrongFocus : Qt::ClickFocus);
  AlignControls();
}

bool TWinControl::CanFocus() const { return Showing() && Enabled(); }

bool TWinControl::Focused() const { return ExistingWidget() && ExistingWidget()->hasFocus(); }

void TWinControl::SetFocus() { Widget()->setFocus(Qt::OtherFocusReason); }

int TWinControl::TabOrder() const {
  if (!Parent()) return -1;
  int order = 0;
  for (TControl* sibling : Parent()->controls_) {
    if (sibling == this) return order;
    if (dynamic_cast<TWinControl*>(sibling)) ++order;
  }
  return -1;
}

void TWinControl::SetTabOrder(int order) {
  TWinControl* parent = Parent();
  if (!parent) return;
  auto& siblings = parent->controls_;
  siblings.erase(std::find(siblings.begin(), siblings.end(), this));
  auto at = siblings.begin();
  for (int seen = 0; at != siblings.end() && seen < order; ++at)
    if (dynamic_cast<TWinControl*>(*at)) ++seen;
  siblings.insert(at, this);
  QWidget* previous = nullptr;
  for (TControl* sibling : siblings) {
    auto* windowed = dynamic_cast<TWinControl*>(sibling);
    if (!windowed || !windowed->ExistingWidget()) continue;
    if (previous) QWidget::setTabOrder(previous, windowed->ExistingWidget());
    previous = windowed->ExistingWidget();
  }
}

void TWinControl::SetTabStop(bool tab_stop) {
  tab_stop_ = tab_stop;
  if (ExistingWidget()) ExistingWidget()->setFocusPolicy(tab_stop ? Qt::StrongFocus : Qt::ClickFocus);
}

void TWinControl::ScaleBy(int multiplier, int divider) {
  if (divider == 0 || multiplier == divider) return;
  for (TControl* control : controls_) control->ChangeScale(multiplier, divider);
  // The scaled places are where the anchors hold the controls from now on,
  // all of them before any widget moves (a resized page lays out its
  // controls at once); then the widgets take them, parents first.
  std::function<void(TWinControl&)> record = [&record](TWinControl& parent) {
    for (TControl* control : parent.controls_) {
      control->RecordAnchorBase();
      if (auto* inner = dynamic_cast<TWinControl*>(control)) record(*inner);
    }
  };
  std::function<void(TWinControl&)> show = [&show](TWinControl& parent) {
    for (TControl* control : parent.controls_) {
      if (QWidget* widget = control->ExistingWidget(); widget && widget->parentWidget())
        widget->setGeometry(control->left_, control->top_, control->width_, control->height_);
      if (auto* inner = dynamic_cast<TWinControl*>(control)) show(*inner);
    }
  };
  record(*this);
  show(*this);
  AlignControls();
}

void TWinControl::ChangeScale(int multiplier, int divider) {
  TControl::ChangeScale(multiplier, divider);
  for (TControl* control : controls_) control->ChangeScale(multiplier, divider);
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  const bool resized = width != Width() || height != Height();
  TControl::SetBounds(left, top, width, height);
  if (resized) AlignControls();
}

void TWinControl::FontChanged() {
  for (TControl* control : controls_)
    if (control->ParentFont()) control->InheritFont();
}

void TWinControl::ScrollBy(int dx, int dy) {
  for (TControl* control : controls_)
    control->SetBounds(control->Left() + dx, control->Top() + dy, control->Width(), control->Height());
}

HWND TWinControl::WindowHandle() {
  if (!window_)
    window_ = std::make_unique<Window>([this](uint32_t message, WPARAM wparam, LPARAM lparam) -> LRESULT {
      TMessage received{message, static_cast<int64_t>(wparam), static_cast<int64_t>(lparam), 0};
      Dispatch(received);
      return static_cast<LRESULT>(received.Result);
    });
  return window_->Handle();
}

void TWinControl::AlignControls() {
  int left = 0;
  int top = 0;
  int right = ClientWidth();
  int bottom = ClientHeight();
  auto place = [](TControl* control, int l, int t, int w, int h) {
    control->PlaceBounds(l, t, w, h);
    if (auto* container = dynamic_cast<TWinControl*>(control)) container->AlignControls();
  };
  for (TControl* control : controls_)
    if (control->Align() == 0 && control->anchors_ != kDefaultAnchors && control->anchor_base_) {
      const QRect bounds = control->AnchoredBounds(right, bottom);
      place(control, bounds.x(), bounds.y(), bounds.width(), bounds.height());
    }
  for (int align : {1, 2, 3, 4, 5})
    for (TControl* control : controls_) {
      if (control->Align() != align || !control->Visible()) continue;
      switch (align) {
        case 1: place(control, left, top, right - left, control->Height()); top += control->Height(); break;
        case 2: place(control, left, bottom - control->Height(), right - left, control->Height());
                bottom -= control->Height(); break;
        case 3: place(control, left, top, control->Width(), bottom - top); left += control->Width(); break;
        case 4: place(control, right - control->Width(), top, control->Width(), bottom - top);
                right -= control->Width(); break;
        default: place(control, left, top, right - left, bottom - top); break;
      }
    }
}

bool TWinControl::KeyEvent(QKeyEvent* key) {
  // A handler may free this control: nothing of it is used once it is gone.
  uint32_t self = Handle();
  EventArgs args{VirtualKey(key->key()), ShiftState(key->modifiers(), Qt::NoButton)};
  FireEvent(key->type() == QEvent::KeyPress ? OnKeyDown : OnKeyUp, this, args);
  if (!ObjectFromHandle(self)) return true;
  auto* code = std::get_if<int64_t>(&args[0]);
  if (code && *code == 0 && VirtualKey(key->key()) != 0) return true;  // the handler ate the key
  if (key->type() != QEvent::KeyPress || !OnKeyPress.code || key->text().size() != 1) return false;
  std::string typed = FromQString(key->text());
  EventArgs press{typed};
  FireEvent(OnKeyPress, this, press);
  if (!ObjectFromHandle(self)) return true;
  auto* changed = std::get_if<std::string>(&press[0]);
  if (!changed || changed->empty() || (*changed)[0] == '\0') return true;
  if (*changed == typed) return false;
  QKeyEvent retyped(QEvent::KeyPress, key->key(), key->modifiers(), ToQString(*changed), key->isAutoRepeat());
  retyping_ = true;
  QCoreApplication::sendEvent(ExistingWidget(), &retyped);
  if (ObjectFromHandle(self)) retyping_ = false;
  return true;
}

bool TWinControl::WidgetEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::FocusIn:
      FireEvent(OnEnter, this);
      break;
    case QEvent::FocusOut:
      FireEvent(OnExit, this);
      break;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
      if (retyping_) break;
      if (KeyEvent(static_cast<QKeyEvent*>(event))) return true;
      break;
    case QEvent::Resize:
      TControl::WidgetEvent(event);
      AlignControls();
      return false;
    default:
      break;
  }
  return TControl::WidgetEvent(event);
}

}  // namespace orv
