// Forms: windows that hold controls. A form's widget is a QDialog named
// after the form; ShowModal runs a Qt event loop until the form gets a modal
// result, so timers, posted messages and sockets keep flowing meanwhile.
#pragma once

#include <QEventLoop>
#include <vector>

#include "controls/control.h"

namespace orv {

class TMainMenu;

// Modal results.
enum : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7, mrAll = 8 };
// What closing a form does (the OnClose event's action).
enum : int { caNone = 0, caHide = 1, caFree = 2, caMinimize = 3 };
// Form border styles.
enum : int { bsNone = 0, bsSingle = 1, bsSizeable = 2, bsDialog = 3, bsToolWindow = 4, bsSizeToolWin = 5 };
// Form positions.
enum : int { poDesigned = 0, poDefault = 1, poDefaultPosOnly = 2, poDefaultSizeOnly = 3, poScreenCenter = 4 };

// A windowed control whose contents can scroll.
class TScrollingWinControl : public TWinControl {
 public:
  using TWinControl::TWinControl;
  std::string ClassName() const override { return "TScrollingWinControl"; }
};

// A scrolling area for controls larger than itself (a QScrollArea).
class TScrollBox : public TScrollingWinControl {
 public:
  explicit TScrollBox(TComponent* owner);
  std::string ClassName() const override { return "TScrollBox"; }

 public:
  QWidget* ClientWidget() override;

 protected:
  QWidget* CreateWidget(QWidget* parent) override;
  int DefaultColor() const override { return clBtnFace; }

 private:
  QPointer<QWidget> client_;
};

// A form: caption, border, position, modal result and the form events.
class TCustomForm : public TScrollingWinControl {
 public:
  explicit TCustomForm(TComponent* owner);
  ~TCustomForm() override;
  std::string ClassName() const override { return "TCustomForm"; }

  void SetVisible(bool visible) override;
  void SetBounds(int left, int top, int width, int height) override;
  int ClientWidth() const override { return Width(); }
  void SetClientWidth(int width) override { SetBounds(Left(), Top(), width, Height()); }
  int ClientHeight() const override { return Height(); }
  void SetClientHeight(int height) override { SetBounds(Left(), Top(), Width(), height); }

  // Shows the form modally and returns its modal result once it closes.
  int ShowModal();
  int ModalResult() const { return modal_result_; }
  // Setting a result other than mrNone closes a modal form.
  void SetModalResult(int result);
  // Asks OnCloseQuery, then runs OnClose and does what its action says.
  void Close();
  bool CloseQuery();
  // Frees the form once the events now being handled are over.
  void Release();
  bool Active() const;

  int BorderStyle() const { return border_style_; }
  void SetBorderStyle(int style);
  int Position() const { return position_; }
  void SetPosition(int position) { position_ = position; }
  int FormStyle() const { return form_style_; }
  void SetFormStyle(int style);
  bool KeyPreview() const { return key_preview_; }
  void SetKeyPreview(bool preview) { key_preview_ = preview; }
  TWinControl* ActiveControl() const { return active_control_; }
  void SetActiveControl(TWinControl* control);
  void FocusControl(TWinControl* control) { SetActiveControl(control); }
  TMainMenu* Menu() const { return menu_; }
  void SetMenu(TMainMenu* menu);
  int PixelsPerInch() const { return 96; }
  void SetPixelsPerInch(int) {}
  // With Scaled set and a TextHeight given, the layout follows the font:
  // TextHeight is the height of a line of the font the form was laid out
  // for, and when the form's window is made, or its font changes later,
  // every control is scaled by the font's line height / TextHeight (which
  // then takes the new height). A form without TextHeight keeps its layout.
  bool Scaled() const { return scaled_; }
  void SetScaled(bool scaled) { scaled_ = scaled; }
  int TextHeight() const { return text_height_; }
  void SetTextHeight(int height) { text_height_ = height; }
  void ChangeScale(int multiplier, int divider) override;

  TMethod OnCreate;
  TMethod OnDestroy;
  TMethod OnShow;
  TMethod OnHide;
  TMethod OnActivate;
  TMethod OnDeactivate;
  TMethod OnClose;
  TMethod OnCloseQuery;
  // Raised when the window paints; its handler draws through Canvas.
  TMethod OnPaint;
  TCanvas* Canvas() const { return canvas_.get(); }

  bool WidgetEvent(QEvent* event) override;
  void Loaded() override;
  // What the form's window does when the user closes it; true when it closed.
  bool HandleCloseRequest();
  // Escape in a modal form: the Cancel button's click, else mrCancel.
  void CancelModal();
  QWidget* ClientWidget() override;

 protected:
  QWidget* CreateWidget(QWidget* parent) override;
  void WidgetCreated() override;
  void ApplyCaption() override;
  void Dispatch(TMessage& message) override;

 protected:
  void FontChanged() override;

 private:
  void ApplyWindowFlags();
  void Center();
  // Scales the layout to the font's line height (see Scaled).
  void ScaleToFont();

  int modal_result_ = mrNone;
  QEventLoop* modal_loop_ = nullptr;
  int border_style_ = bsSizeable;
  int position_ = poDesigned;
  int form_style_ = 0;
  bool key_preview_ = false;
  TWinControl* active_control_ = nullptr;
  TMainMenu* menu_ = nullptr;
  bool created_ = false;
  bool scaled_ = true;
  int text_height_ = 0;
  std::unique_ptr<TCanvas> canvas_ = std::make_unique<TCanvas>();
};

// The form class of applications and scripts.
class TForm : public TCustomForm {
 public:
  explicit TForm(TComponent* owner) : TCustomForm(owner) {}
  std::string ClassName() const override { return "TForm"; }
};

// A container for non-visual components (timers, dialogs); it has no window.
class TDataModule : public TComponent {
 public:
  explicit TDataModule(TComponent* owner);
  ~TDataModule() override;
  std::string ClassName() const override { return "TDataModule"; }
  TMethod OnCreate;
  TMethod OnDestroy;
};

// The forms that exist, in the order they were made (the screen lists them).
const std::vector<TCustomForm*>& ExistingForms();
// How many data modules exist.
int ExistingDataModules();

}  // namespace orv
