// Fonts, pens, brushes, pictures and the canvas of the visual classes, and
// how TColor and TCursor values become Qt colours and cursors.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <Qt>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "components/persistent.h"

class QPainter;
class QPalette;

namespace orv {

class TCanvas;

// A point on a canvas, in pixels.
struct TPoint {
  int X = 0;
  int Y = 0;
};

// The Qt colour of a TColor: 0x00BBGGRR, or a system colour (clBtnFace,
// clWindow, ...) taken from the application palette's matching role.
QColor ToQColor(int32_t color);
// The TColor of a Qt colour.
int32_t FromQColor(const QColor& color);
// The Qt cursor shape of a TCursor value (crDefault: the arrow).
Qt::CursorShape ToQtCursor(int cursor);

// Base of the drawing tools: tells its owner when it changes.
class TGraphicsObject : public TPersistent {
 public:
  std::string ClassName() const override { return "TGraphicsObject"; }
  std::function<void()> OnChange;

 protected:
  void Changed() {
    if (OnChange) OnChange();
  }
  // Stores `value` and tells the owner when it differs from the old one.
  template <class T>
  void Update(T& field, T value) {
    if (field == value) return;
    field = std::move(value);
    Changed();
  }
};

// A font: name, size in points, colour and style (fsBold ... as set bits).
class TFont : public TGraphicsObject {
 public:
  std::string ClassName() const override { return "TFont"; }
  void Assign(const TPersistent* source) override;

  const std::string& Name() const { return name_; }
  void SetName(std::string_view name);
  int Size() const { return size_; }
  void SetSize(int size);
  // Height in pixels at 96 pixels per inch, negative as a character height.
  int Height() const { return -size_ * 96 / 72; }
  void SetHeight(int height);
  int Color() const { return color_; }
  void SetColor(int color);
  int64_t Style() const { return style_; }
  void SetStyle(int64_t style);

  QFont ToQFont() const;

 private:
  std::string name_ = "Sans Serif";
  int size_ = 8;
  int color_ = static_cast<int32_t>(0x80000008);  // clWindowText
  int64_t style_ = 0;
};

// A pen: colour, width and style (psSolid ...).
class TPen : public TGraphicsObject {
 public:
  std::string ClassName() const override { return "TPen"; }
  void Assign(const TPersistent* source) override;
  int Color() const { return color_; }
  void SetColor(int color);
  int Width() const { return width_; }
  void SetWidth(int width);
  int Style() const { return style_; }
  void SetStyle(int style);

 private:
  int color_ = 0;
  int width_ = 1;
  int style_ = 0;
};

// A brush: colour and style (bsSolid, bsClear, hatches).
class TBrush : public TGraphicsObject {
 public:
  std::string ClassName() const override { return "TBrush"; }
  void Assign(const TPersistent* source) override;
  int Color() const { return color_; }
  void SetColor(int color);
  int Style() const { return style_; }
  void SetStyle(int style);

 private:
  int color_ = 0xFFFFFF;
  int style_ = 0;
};

// An image held by a TImage or a speed button: loaded from a file or from
// its data (any format Qt reads; written as PNG), or an icon of the
// desktop's theme by name. It is kept as a QImage, which needs no Qt
// application, so a picture can exist before any widget does; an icon is
// drawn the first time it is shown.
class TPicture : public TGraphicsObject {
 public:
  std::string ClassName() const override { return "TPicture"; }
  void Assign(const TPersistent* source) override;
  // Loads the picture; EInOutError when the file cannot be read as an image.
  void LoadFromFile(const std::string& path);
  void SetImage(const QImage& image);
  int Width() const { return Image().width(); }
  int Height() const { return Image().height(); }
  const QImage& Image() const;

  // The image as PNG data; empty for none, and for an icon (which its name
  // gives). Setting it takes any format Qt reads; EInOutError otherwise.
  std::string Data() const;
  void SetData(std::string_view bytes);
  // An icon of the desktop's theme ("dialog-error", "document-save"), or
  // the style's own picture for the common ones when the theme has none,
  // drawn IconSize pixels square.
  const std::string& IconName() const { return icon_name_; }
  void SetIconName(std::string_view name);
  int IconSize() const { return icon_size_; }
  void SetIconSize(int size);
  // False for an icon by name, whose data a form file does not carry.
  bool StoresData() const { return icon_name_.empty(); }

  // The picture `width` × `height` pixels from TColor values, row by row;
  // pixels without a value are black.
  void SetPixels(int width, int height, const std::vector<int32_t>& colors);
  // Stretches the picture to `width` × `height`, each pixel taken from the
  // nearest one; nothing changes for an empty picture or size.
  void Stretch(int width, int height);
  // Draws on the picture: `draw` gets a canvas whose drawing lands in it.
  // An icon by name becomes a picture of its own first.
  void Paint(const std::function<void(TCanvas&)>& draw);

 private:
  // The picture as pixels this picture owns, ready to change.
  QImage& OwnImage();

  mutable QImage image_;
  std::string icon_name_;
  int icon_size_ = 32;
  mutable bool icon_drawn_ = false;
};

// Drawing on a control while it paints (inside its OnPaint event) through
// QPainter; outside a paint event the drawing calls do nothing.
class TCanvas : public TPersistent {
 public:
  TCanvas();
  std::string ClassName() const override { return "TCanvas"; }

  TFont* Font() const { return font_.get(); }
  TPen* Pen() const { return pen_.get(); }
  TBrush* Brush() const { return brush_.get(); }

  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Rectangle(int x1, int y1, int x2, int y2);
  void RoundRect(int x1, int y1, int x2, int y2, int rx, int ry);
  void Ellipse(int x1, int y1, int x2, int y2);
  void FillRect(int x1, int y1, int x2, int y2);
  // The polygon through `points`, outlined with the pen and filled with the
  // brush.
  void Polygon(const std::vector<TPoint>& points);
  void TextOut(int x, int y, const std::string& text);
  void Draw(int x, int y, const TPicture& picture);
  int TextWidth(const std::string& text) const;
  int TextHeight(const std::string& text) const;

  // The painter of the paint event in progress (null outside one).
  void Begin(QPainter* painter) { painter_ = painter; }
  void End() { painter_ = nullptr; }
  QPainter* Painter() const { return painter_; }

 private:
  void Prepare(bool fill);

  std::unique_ptr<TFont> font_;
  std::unique_ptr<TPen> pen_;
  std::unique_ptr<TBrush> brush_;
  QPainter* painter_ = nullptr;
  int x_ = 0;
  int y_ = 0;
};

}  // namespace orv
