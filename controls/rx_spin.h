// The numeric spin edit of the insert dialogs: an edit that takes only
// number keys, steps its value with the arrow keys or its up/down button, and
// keeps the value inside its range when the user leaves it.
#pragma once

#include <functional>

#include "controls/edits.h"

namespace orv {

// Whether a spin edit holds whole numbers or reals.
enum TValueType : int { vtInteger = 0, vtFloat = 1 };

// The up/down button drawn inside a spin edit's right edge: a press on the
// upper half runs OnUpClick, on the lower half OnDownClick.
class TRxSpinButton : public TGraphicControl {
 public:
  explicit TRxSpinButton(TComponent* owner);
  std::string ClassName() const override { return "TRxSpinButton"; }

  std::function<void()> OnUpClick;
  std::function<void()> OnDownClick;

 protected:
  QWidget* CreateWidget(QWidget* parent) override;
};

// An edit for a number between MinValue and MaxValue (no limit when they are
// equal). Typing lets through control keys, digits, signs and, for reals, the
// decimal point; other keys beep. Up and Down (keys or button) step by
// Increment; Enter and Escape reach the form's default and cancel buttons.
// Leaving the edit, and Enter, put a number outside the range back to the
// nearest bound; text that is not a number is left for the form to report.
class TRxSpinEdit : public TCustomEdit {
 public:
  explicit TRxSpinEdit(TComponent* owner);
  std::string ClassName() const override { return "TRxSpinEdit"; }

  // The value of the text; EConvertError when the text is not a number.
  double Value() const;
  // Shows `value` clamped to the range: whole for vtInteger, with Decimal
  // decimals for vtFloat.
  void SetValue(double value);
  double MinValue() const { return min_value_; }
  void SetMinValue(double value) { min_value_ = value; }
  double MaxValue() const { return max_value_; }
  void SetMaxValue(double value) { max_value_ = value; }
  double Increment() const { return increment_; }
  void SetIncrement(double value) { increment_ = value; }
  TValueType ValueType() const { return value_type_; }
  void SetValueType(TValueType type) { value_type_ = type; }
  int Decimal() const { return decimal_; }
  void SetDecimal(int decimal) { decimal_ = decimal; }
  bool EditorEnabled() const { return editor_enabled_; }
  void SetEditorEnabled(bool enabled) { editor_enabled_ = enabled; }
  int Alignment() const { return alignment_; }
  void SetAlignment(int alignment);
  TRxSpinButton* Button() const { return button_; }

  // One step up or down, as the arrow keys and the button do.
  void UpClick();
  void DownClick();

  bool WidgetEvent(QEvent* event) override;
  // Keeps the button at the right edge inside the edit.
  void SetBounds(int left, int top, int width, int height) override;

 protected:
  QWidget* CreateWidget(QWidget* parent) override;

 private:
  bool HasRange() const { return min_value_ != max_value_; }
  double Clamped(double value) const;
  void Step(double delta);
  // Whether a typed character may enter the text.
  bool AcceptsChar(char c) const;
  void CheckValue();

  TRxSpinButton* button_;
  double min_value_ = 0;
  double max_value_ = 0;
  double increment_ = 1;
  TValueType value_type_ = vtInteger;
  int decimal_ = 2;
  bool editor_enabled_ = true;
  int alignment_ = taLeftJustify;
};

}  // namespace orv
