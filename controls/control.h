// TControl and TWinControl: the visual components. Each control owns a Qt
// widget that is made the first time it is needed (when its form is shown,
// or when someone asks for it), so a control that is never shown costs no
// widget. The widget's objectName is the component's name. Until the widget
// exists, the control keeps its state (bounds, caption, colour, ...) itself.
#pragma once

#include <QEvent>
#include <QPalette>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "components/component.h"
#include "components/property_value.h"
#include "controls/graphics.h"
#include "controls/size_constraints.h"
#include "orv/window.h"

class QKeyEvent;

namespace orv {

class TWinControl;
class TPopupMenu;
class Window;
class ControlEvents;

// The edges of its parent that a control follows (members of its Anchors set).
enum TAnchorKind : int { akLeft = 0, akTop = 1, akRight = 2, akBottom = 3 };
// Anchors as a bit set: the default, left and top.
inline constexpr int64_t kDefaultAnchors = (1 << akLeft) | (1 << akTop);

// Colour values the controls use as defaults.
inline constexpr int32_t clBtnFace = static_cast<int32_t>(0x8000000F);
inline constexpr int32_t clWindow = static_cast<int32_t>(0x80000005);

// Calls an event handler, if one is set, with the sender and the arguments
// (event_firing.h); a control's widget counts as receiving an event while
// the handler runs. An error that leaves the handler is shown by
// Application.HandleException.
void FireEvent(const TMethod& event, TObject* sender, EventArgs& args);
void FireEvent(const TMethod& event, TObject* sender);

// A visual component: position and size in its parent, visibility, caption,
// colour, font, cursor, hint and the mouse events.
class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;
  std::string ClassName() const override { return "TControl"; }

  // The control's widget, made now if it does not exist yet (and a Qt
  // application with it).
  QWidget* Widget();
  // The widget if it was made; null otherwise.
  QWidget* ExistingWidget() const { return widget_; }

  TWinControl* Parent() const { return parent_; }
  void SetParent(TWinControl* parent);
  TComponent* GetParentComponent() const override;
  bool HasParent() const override { return parent_ != nullptr; }
  void SetParentComponent(TComponent* parent) override;

  int Left() const { return left_; }
  void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
  int Top() const { return top_; }
  void SetTop(int top) { SetBounds(left_, top, width_, height_); }
  int Width() const { return width_; }
  void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
  int Height() const { return height_; }
  void SetHeight(int height) { SetBounds(left_, top_, width_, height); }
  virtual void SetBounds(int left, int top, int width, int height);
  virtual int ClientWidth() const { return width_; }
  virtual void SetClientWidth(int width) { SetWidth(width); }
  virtual int ClientHeight() const { return height_; }
  virtual void SetClientHeight(int height) { SetHeight(height); }

  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, and so are all its parents.
  bool Showing() const;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);

  // The control's text: a label's or button's caption, an edit's text.
  virtual std::string Caption() const { return caption_; }
  virtual void SetCaption(std::string_view caption);
  std::string Text() const { return Caption(); }
  void SetText(std::string_view text) { SetCaption(text); }

  int Color() const { return color_; }
  void SetColor(int color);
  bool ParentColor() const { return parent_color_; }
  void SetParentColor(bool parent_color);
  // The control's font. While ParentFont is set it is a copy of the
  // parent's and follows it; changing it clears ParentFont.
  TFont* Font() const { return font_.get(); }
  bool ParentFont() const { return parent_font_; }
  void SetParentFont(bool parent_font);
  const std::string& Hint() const { return hint_; }
  void SetHint(std::string_view hint);
  bool ShowHint() const { return show_hint_; }
  void SetShowHint(bool show_hint);
  bool ParentShowHint() const { return parent_show_hint_; }
  void SetParentShowHint(bool value) { parent_show_hint_ = value; }
  int Cursor() const { return cursor_; }
  void SetCursor(int cursor);
  int Align() const { return align_; }
  void SetAlign(int align);
  // The parent's edges the control keeps its distance to when the parent is
  // resized: with both edges of a pair it stretches, with one it moves with
  // that edge, with neither it stays centred between them.
  int64_t Anchors() const { return anchors_; }
  void SetAnchors(int64_t anchors);
  // The smallest and largest size the control may take.
  TSizeConstraints* Constraints() const { return constraints_.get(); }
  // Multiplies position, size and constraints by `multiplier` / `divider`;
  // a control that holds others scales them too.
  virtual void ChangeScale(int multiplier, int divider);
  // Places the control without moving its anchor point: for the layout its
  // parent makes (aligning, anchoring, scaling, a page control's pages).
  void PlaceBounds(int left, int top, int width, int height);
  int DragCursor() const { return drag_cursor_; }
  void SetDragCursor(int cursor) { drag_cursor_ = cursor; }
  int DragMode() const { return drag_mode_; }
  void SetDragMode(int mode) { drag_mode_ = mode; }
  // The menu a right click on the control pops up (when its AutoPopup is
  // set); null when none or when that menu was freed.
  TPopupMenu* PopupMenu() const;
  void SetPopupMenu(TPopupMenu* menu);

  void BringToFront();
  void SendToBack();
  void Invalidate();
  void Refresh() { Repaint(); }
  void Repaint();
  void Update();
  // Sends a message to the control (Dispatch) and returns its answer.
  int64_t Perform(uint32_t message, int64_t wparam, int64_t lparam);
  // What a user's click does: runs OnClick.
  virtual void Click();
  // Escape in its modal form: a control that answers it for the form (an
  // enabled Cancel button, which clicks) does so and returns true.
  virtual bool ClickAsCancel() { return false; }

  TMethod OnClick;
  TMethod OnDblClick;
  TMethod OnMouseDown;
  TMethod OnMouseMove;
  TMethod OnMouseUp;
  TMethod OnResize;

  // Handles an event of the widget before the widget does; true stops it.
  virtual bool WidgetEvent(QEvent* event);

 protected:
  // Makes the widget for `parent` (null for a window). The default is a plain QWidget.
  virtual QWidget* CreateWidget(QWidget* parent);
  // After the widget was made: connect its signals, make children's widgets.
  virtual void WidgetCreated() {}
  // Puts the caption into the widget.
  virtual void ApplyCaption() {}
  // The palette role the control's Color paints, and its default colour.
  virtual QPalette::ColorRole ColorRole() const { return QPalette::Window; }
  virtual int DefaultColor() const { return clBtnFace; }
  void Renamed() override;
  // Makes the widget again (after a change that needs another kind of widget).
  void RecreateWidget();
  // After the font changed (set, or taken from the parent).
  virtual void FontChanged();
  // Remembers the control's bounds and its parent's client size as the
  // point its anchors keep.
  void RecordAnchorBase();
  // Takes the size of the widget when Qt has set it (a window the user
  // resized, a page its tab widget laid out).
  void TakeWidgetSize();
  // The object that receives the widget's signals and events; signal
  // connections made with it end with the control.
  QObject* Receiver() const;
  void ApplyColor();
  void ApplyFont();

  std::string caption_;
  int color_ = clBtnFace;

 private:
  friend class TWinControl;
  void MakeWidget(QWidget* parent);
  // Takes the parent's font while ParentFont is set.
  void InheritFont();
  // The bounds its anchors give the control in a parent of the given client size.
  QRect AnchoredBounds(int parent_width, int parent_height) const;

  // Where the control stood, and its parent's client size, when it was last
  // placed by its program or form file.
  struct AnchorBase {
    int left = 0, top = 0, width = 0, height = 0, parent_width = 0, parent_height = 0;
  };

  QPointer<QWidget> widget_;
  std::unique_ptr<ControlEvents> events_;
  TWinControl* parent_ = nullptr;
  std::unique_ptr<TFont> font_;
  int left_ = 0;
  int top_ = 0;
  int width_ = 100;
  int height_ = 25;
  bool visible_ = true;
  bool enabled_ = true;
  bool parent_color_ = false;
  bool parent_font_ = true;
  bool show_hint_ = false;
  bool parent_show_hint_ = true;
  std::string hint_;
  int cursor_ = 0;
  int align_ = 0;
  int64_t anchors_ = kDefaultAnchors;
  std::optional<AnchorBase> anchor_base_;
  std::unique_ptr<TSizeConstraints> constraints_;
  bool inheriting_font_ = false;
  int drag_cursor_ = -12;
  int drag_mode_ = 0;
  uint32_t popup_menu_ = 0;  // handle, so a freed menu reads as none
};

// A control that can hold other controls, take the focus and receive keys;
// it has a window handle that receives window messages.
class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;
  std::string ClassName() const override { return "TWinControl"; }

  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int index) const;
  // Makes this control `control`'s parent. A control that would hold itself,
  // directly or through its children, is refused with EControlError
  // ("Control P cannot be its own parent", "Control A cannot be placed in
  // B, which lies inside it"): the parents of a control always end.
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  bool ContainsControl(const TControl* control) const;

  bool CanFocus() const;
  bool Focused() const;
  void SetFocus();
  int TabOrder() const;
  void SetTabOrder(int order);
  bool TabStop() const { return tab_stop_; }
  void SetTabStop(bool tab_stop);
  bool Ctl3D() const { return ctl3d_; }
  void SetCtl3D(bool value) { ctl3d_ = value; }
  bool ParentCtl3D() const { return parent_ctl3d_; }
  void SetParentCtl3D(bool value) { parent_ctl3d_ = value; }
  int HelpContext() const { return help_context_; }
  void SetHelpContext(int value) { help_context_ = value; }
  // Scales the controls it holds (not itself) by `multiplier` / `divider`.
  void ScaleBy(int multiplier, int divider);
  void ScrollBy(int dx, int dy);
  void SetBounds(int left, int top, int width, int height) override;
  void ChangeScale(int multiplier, int divider) override;

  // The window handle that receives window messages for this control
  // (made on first use); they reach Dispatch.
  HWND WindowHandle();

  // Places the aligned children (alTop, alBottom, alLeft, alRight, alClient)
  // and those anchored to its right or bottom edge, or to neither of a pair.
  void AlignControls();

  TMethod OnEnter;
  TMethod OnExit;
  TMethod OnKeyDown;
  TMethod OnKeyPress;
  TMethod OnKeyUp;

  bool WidgetEvent(QEvent* event) override;

  // The widget that holds the children's widgets (the widget itself by default).
  virtual QWidget* ClientWidget() { return Widget(); }

 protected:
  void WidgetCreated() override;
  void FontChanged() override;

 private:
  // The key events of the widget: OnKeyDown and OnKeyUp may swallow a key
  // (code 0), OnKeyPress may swallow the typed character (#0) or type
  // another in its place. True stops the event.
  bool KeyEvent(QKeyEvent* key);

  std::vector<TControl*> controls_;
  std::unique_ptr<Window> window_;
  // Set while a character that OnKeyPress chose goes to the widget.
  bool retyping_ = false;
  bool tab_stop_ = true;
  bool ctl3d_ = true;
  bool parent_ctl3d_ = true;
  int help_context_ = 0;
};

// Runs `paint` with `canvas` drawing on `widget` inside its paint event.
bool PaintOnCanvas(QWidget* widget, TCanvas& canvas, const std::function<void()>& paint);

// The canvas and the OnPaint event of a control that paints itself, with a
// window of its own (TCustomControl) or without one (TGraphicControl).
template <class Base>
class TCanvasControl : public Base {
 public:
  explicit TCanvasControl(TComponent* owner) : Base(owner), canvas_(std::make_unique<TCanvas>()) {}
  TCanvas* Canvas() const { return canvas_.get(); }

  TMethod OnPaint;

  bool WidgetEvent(QEvent* event) override {
    if (event->type() == QEvent::Paint && OnPaint.code)
      return PaintOnCanvas(this->ExistingWidget(), *canvas_, [this] { Paint(); });
    return Base::WidgetEvent(event);
  }

 protected:
  // Draws the control on the canvas; the default runs OnPaint.
  virtual void Paint() { FireEvent(OnPaint, this); }

 private:
  std::unique_ptr<TCanvas> canvas_;
};

// A control without a window of its own on the original platform: a label,
// a shape, a paint box. Here it has a widget like every control.
class TGraphicControl : public TCanvasControl<TControl> {
 public:
  using TCanvasControl::TCanvasControl;
  std::string ClassName() const override { return "TGraphicControl"; }
};

// A windowed control that paints itself on a canvas.
class TCustomControl : public TCanvasControl<TWinControl> {
 public:
  using TCanvasControl::TCanvasControl;
  std::string ClassName() const override { return "TCustomControl"; }
};

}  // namespace orv
