#include "controls/graphic_controls.h"

#include <QEvent>
#include <QPainter>
#include <algorithm>

namespace orv {

bool TPaintedControl::WidgetEvent(QEvent* event) {
  if (event->type() != QEvent::Paint) return TGraphicControl::WidgetEvent(event);
  QPainter painter(ExistingWidget());
  Canvas()->Begin(&painter);
  Paint();
  Canvas()->End();
  return true;
}

TBevel::TBevel(TComponent* owner) : TPaintedControl(owner) { SetBounds(0, 0, 50, 50); }

void TBevel::SetShape(int shape) {
  shape_ = shape;
  Invalidate();
}

void TBevel::SetStyle(int style) {
  style_ = style;
  Invalidate();
}

void TBevel::Paint() {
  QWidget* widget = ExistingWidget();
  QPainter& painter = *Canvas()->Painter();
  QColor dark = widget->palette().color(QPalette::Dark);
  QColor light = widget->palette().color(QPalette::Light);
  QColor first = style_ == bsLowered ? dark : light;
  QColor second = style_ == bsLowered ? light : dark;
  int w = Width() - 1;
  int h = Height() - 1;
  auto line = [&](int x1, int y1, int x2, int y2, const QColor& color) {
    painter.setPen(color);
    painter.drawLine(x1, y1, x2, y2);
  };
  switch (shape_) {
    case bsTopLine: line(0, 0, w, 0, first); line(0, 1, w, 1, second); break;
    case bsBottomLine: line(0, h - 1, w, h - 1, first); line(0, h, w, h, second); break;
    case bsLeftLine: line(0, 0, 0, h, first); line(1, 0, 1, h, second); break;
    case bsRightLine: line(w - 1, 0, w - 1, h, first); line(w, 0, w, h, second); break;
    case bsFrame:
      painter.setPen(first);
      painter.drawRect(0, 0, w - 1, h - 1);
      painter.setPen(second);
      painter.drawRect(1, 1, w - 1, h - 1);
      break;
    default:
      line(0, 0, w, 0, first); line(0, 0, 0, h, first);
      line(0, h, w, h, second); line(w, 0, w, h, second);
      break;
  }
}

TShape::TShape(TComponent* owner) : TPaintedControl(owner) {
  SetBounds(0, 0, 65, 65);
  Pen()->OnChange = [this] { StyleChanged(this); };
  Brush()->OnChange = [this] { StyleChanged(this); };
}

void TShape::SetShape(int shape) {
  shape_ = shape;
  Invalidate();
}

void TShape::StyleChanged(TObject*) { Invalidate(); }

void TShape::Paint() {
  int inset = Pen()->Width() / 2;
  int x = inset;
  int y = inset;
  int w = Width() - inset * 2;
  int h = Height() - inset * 2;
  if (shape_ == stSquare || shape_ == stRoundSquare || shape_ == stCircle) {
    int side = std::min(w, h);
    x += (w - side) / 2;
    y += (h - side) / 2;
    w = h = side;
  }
  int corner = std::min(w, h) / 4;
  switch (shape_) {
    case stRoundRect:
    case stRoundSquare: Canvas()->RoundRect(x, y, x + w, y + h, corner, corner); break;
    case stEllipse:
    case stCircle: Canvas()->Ellipse(x, y, x + w, y + h); break;
    default: Canvas()->Rectangle(x, y, x + w, y + h); break;
  }
  FireEvent(OnPaint, this);
}

TPaintBox::TPaintBox(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 105, 105); }

TImage::TImage(TComponent* owner) : TPaintedControl(owner), picture_(std::make_unique<TPicture>()) {
  SetBounds(0, 0, 105, 105);
  picture_->OnChange = [this] { PictureChanged(); };
}

void TImage::PictureChanged() {
  if (auto_size_ && picture_->Width() > 0) SetBounds(Left(), Top(), picture_->Width(), picture_->Height());
  Invalidate();
}

void TImage::SetAutoSize(bool value) {
  auto_size_ = value;
  PictureChanged();
}

void TImage::SetCenter(bool value) {
  center_ = value;
  Invalidate();
}

void TImage::SetStretch(bool value) {
  stretch_ = value;
  Invalidate();
}

void TImage::Paint() {
  const QImage& image = picture_->Image();
  if (!image.isNull()) {
    QPainter& painter = *Canvas()->Painter();
    if (stretch_) painter.drawImage(QRect(0, 0, Width(), Height()), image);
    else if (center_) painter.drawImage((Width() - image.width()) / 2, (Height() - image.height()) / 2, image);
    else painter.drawImage(0, 0, image);
  }
  FireEvent(OnPaint, this);
}

}  // namespace orv
