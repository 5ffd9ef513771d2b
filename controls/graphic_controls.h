// Controls that draw themselves: bevels (QFrame lines and boxes), shapes
// and images painted with QPainter, and paint boxes that a program draws on
// through their canvas in OnPaint.
#pragma once

#include "controls/control.h"

namespace orv {

enum : int { stRectangle = 0, stSquare = 1, stRoundRect = 2, stRoundSquare = 3, stEllipse = 4, stCircle = 5 };
enum : int { bsBox = 0, bsFrame = 1, bsTopLine = 2, bsBottomLine = 3, bsLeftLine = 4, bsRightLine = 5 };
enum : int { bsLowered = 0, bsRaised = 1 };

// A control painted by its own Paint, not only by OnPaint.
class TPaintedControl : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
  bool WidgetEvent(QEvent* event) override;
};

// A sunken or raised box, frame or line.
class TBevel : public TPaintedControl {
 public:
  explicit TBevel(TComponent* owner);
  std::string ClassName() const override { return "TBevel"; }
  int Shape() const { return shape_; }
  void SetShape(int shape);
  int Style() const { return style_; }
  void SetStyle(int style);

 protected:
  void Paint() override;

 private:
  int shape_ = bsBox;
  int style_ = bsLowered;
};

// A rectangle, square, rounded rectangle, ellipse or circle drawn with its pen and brush.
class TShape : public TPaintedControl {
 public:
  explicit TShape(TComponent* owner);
  std::string ClassName() const override { return "TShape"; }
  int Shape() const { return shape_; }
  void SetShape(int shape);
  TPen* Pen() const { return Canvas()->Pen(); }
  TBrush* Brush() const { return Canvas()->Brush(); }
  // Repaints after the pen or the brush changed.
  void StyleChanged(TObject* sender);

 protected:
  void Paint() override;

 private:
  int shape_ = stRectangle;
};

// An area that the program paints in OnPaint through Canvas.
class TPaintBox : public TGraphicControl {
 public:
  explicit TPaintBox(TComponent* owner);
  std::string ClassName() const override { return "TPaintBox"; }
};

// A picture, drawn at its size, centred or stretched.
class TImage : public TPaintedControl {
 public:
  explicit TImage(TComponent* owner);
  std::string ClassName() const override { return "TImage"; }
  TPicture* Picture() const { return picture_.get(); }
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool value);
  bool Center() const { return center_; }
  void SetCenter(bool value);
  bool Stretch() const { return stretch_; }
  void SetStretch(bool value);

 protected:
  void Paint() override;

 private:
  void PictureChanged();
  std::unique_ptr<TPicture> picture_;
  bool auto_size_ = false;
  bool center_ = false;
  bool stretch_ = false;
};

}  // namespace orv
