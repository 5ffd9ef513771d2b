// Buttons: push buttons with modal results, check boxes, radio buttons and
// speed buttons (QPushButton, QCheckBox, QRadioButton, QToolButton).
#pragma once

#include "controls/control.h"

class QAbstractButton;

namespace orv {

// Check box states.
enum : int { cbUnchecked = 0, cbChecked = 1, cbGrayed = 2 };

// Base of the controls a user presses.
class TButtonControl : public TWinControl {
 public:
  using TWinControl::TWinControl;
  std::string ClassName() const override { return "TButtonControl"; }

 protected:
  void ApplyCaption() override;
  void WidgetCreated() override;
  QAbstractButton* Button() const;
};

// A push button; a click sets its form's modal result when it has one.
class TButton : public TButtonControl {
 public:
  explicit TButton(TComponent* owner);
  std::string ClassName() const override { return "TButton"; }

  bool Default() const { return default_; }
  void SetDefault(bool value);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }
  int ModalResult() const { return modal_result_; }
  void SetModalResult(int result) { modal_result_ = result; }
  void Click() override;
  bool ClickAsCancel() override;

 protected:
  QWidget* CreateWidget(QWidget* parent) override;

 private:
  bool default_ = false;
  bool cancel_ = false;
  int modal_result_ = 0;
};

// A check box with two or three states.
class TCustomCheckBox : public TButtonControl {
 public:
  explicit TCustomCheckBox(TComponent* owner);
  std::string ClassName() const override { return "TCustomCheckBox"; }

  bool Checked() const { return State() == cbChecked; }
  void SetChecked(bool checked) { SetState(checked ? cbChecked : cbUnchecked); }
  int State() const;
  void SetState(int state);
  bool AllowGrayed() const { return allow_grayed_; }
  void SetAllowGrayed(bool allow);
  int Alignment() const { return alignment_; }
  void SetAlignment(int alignment) { alignment_ = alignment; }

 protected:
  QWidget* CreateWidget(QWidget* parent) override;

 private:
  int state_ = cbUnchecked;
  bool allow_grayed_ = false;
  int alignment_ = 1;
};

// The TCheckBox class as forms and scripts use it (TCustomCheckBox with its properties published).
class TCheckBox : public TCustomCheckBox {
 public:
  using TCustomCheckBox::TCustomCheckBox;
  std::string ClassName() const override { return "TCheckBox"; }
};

// A radio button; checking one unchecks the others of the same parent.
class TRadioButton : public TButtonControl {
 public:
  explicit TRadioButton(TComponent* owner);
  std::string ClassName() const override { return "TRadioButton"; }

  bool Checked() const;
  void SetChecked(bool checked);
  int Alignment() const { return alignment_; }
  void SetAlignment(int alignment) { alignment_ = alignment; }

 protected:
  QWidget* CreateWidget(QWidget* parent) override;

 private:
  bool checked_ = false;
  int alignment_ = 1;
};

// A flat tool-bar button that may stay down (a group of them acts as radio buttons).
class TSpeedButton : public TGraphicControl {
 public:
  explicit TSpeedButton(TComponent* owner);
  std::string ClassName() const override { return "TSpeedButton"; }

  bool Down() const;
  void SetDown(bool down);
  int GroupIndex() const { return group_index_; }
  void SetGroupIndex(int group) { group_index_ = group; }
  bool AllowAllUp() const { return allow_all_up_; }
  void SetAllowAllUp(bool allow) { allow_all_up_ = allow; }
  bool Flat() const { return flat_; }
  void SetFlat(bool flat);
  TPicture* Glyph() const { return glyph_.get(); }
  void Click() override;

 protected:
  QWidget* CreateWidget(QWidget* parent) override;
  void ApplyCaption() override;

 private:
  bool down_ = false;
  int group_index_ = 0;
  bool allow_all_up_ = false;
  bool flat_ = false;
  std::unique_ptr<TPicture> glyph_;
};

}  // namespace orv
