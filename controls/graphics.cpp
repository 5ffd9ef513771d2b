#include "controls/graphics.h"

#include <QApplication>
#include <QBuffer>
#include <QIcon>
#include <QStyle>
#include <algorithm>
#include <climits>
#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <QPolygon>

#include "controls/qt_text.h"
#include "platform/exception.h"

namespace orv {

QColor ToQColor(int32_t color) {
  auto value = static_cast<uint32_t>(color);
  if ((value & 0xFF000000u) == 0x80000000u) {
    QPalette palette = QApplication::palette();
    switch (value & 0xFF) {
      case 5:  return palette.color(QPalette::Base);              // clWindow
      case 6:  return palette.color(QPalette::WindowText);        // clWindowFrame
      case 7:  return palette.color(QPalette::WindowText);        // clMenuText
      case 8:  return palette.color(QPalette::Text);              // clWindowText
      case 13: return palette.color(QPalette::Highlight);
      case 14: return palette.color(QPalette::HighlightedText);
      case 15: return palette.color(QPalette::Button);            // clBtnFace
      case 16: return palette.color(QPalette::Dark);              // clBtnShadow
      case 17: return palette.color(QPalette::Disabled, QPalette::Text);  // clGrayText
      case 18: return palette.color(QPalette::ButtonText);
      case 20: return palette.color(QPalette::Light);             // clBtnHighlight
      case 21: return palette.color(QPalette::Shadow);            // cl3DDkShadow
      case 22: return palette.color(QPalette::Midlight);          // cl3DLight
      case 23: return palette.color(QPalette::ToolTipText);       // clInfoText
      case 24: return palette.color(QPalette::ToolTipBase);       // clInfoBk
      default: return palette.color(QPalette::Window);
    }
  }
  return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                static_cast<int>((value >> 16) & 0xFF));
}

int32_t FromQColor(const QColor& color) {
  return color.red() | (color.green() << 8) | (color.blue() << 16);
}

Qt::CursorShape ToQtCursor(int cursor) {
  switch (cursor) {
    case -1: return Qt::BlankCursor;
    case -3: return Qt::CrossCursor;
    case -4: return Qt::IBeamCursor;
    case -5: return Qt::SizeAllCursor;
    case -6: return Qt::SizeBDiagCursor;
    case -7: return Qt::SizeVerCursor;
    case -8: return Qt::SizeFDiagCursor;
    case -9: return Qt::SizeHorCursor;
    case -10: return Qt::UpArrowCursor;
    case -11: return Qt::WaitCursor;
    case -12: return Qt::DragMoveCursor;
    case -13: case -18: return Qt::ForbiddenCursor;
    case -14: return Qt::SplitHCursor;
    case -15: return Qt::SplitVCursor;
    case -16: return Qt::DragCopyCursor;
    case -17: case -19: return Qt::BusyCursor;
    case -20: return Qt::WhatsThisCursor;
    case -21: return Qt::PointingHandCursor;
    default: return Qt::ArrowCursor;
  }
}

void TFont::Assign(const TPersistent* source) {
  auto* font = dynamic_cast<const TFont*>(source);
  if (!font) return TGraphicsObject::Assign(source);
  name_ = font->name_;
  size_ = font->size_;
  color_ = font->color_;
  style_ = font->style_;
  Changed();
}
void TFont::SetName(std::string_view name) { Update(name_, std::string(name)); }
void TFont::SetSize(int size) { Update(size_, size); }
void TFont::SetHeight(int height) { SetSize((height < 0 ? -height : height) * 72 / 96); }
void TFont::SetColor(int color) { Update(color_, color); }
void TFont::SetStyle(int64_t style) { Update(style_, style); }

QFont TFont::ToQFont() const {
  QFont font(ToQString(name_));
  if (size_ > 0) font.setPointSize(size_);
  font.setBold(style_ & 1);
  font.setItalic(style_ & 2);
  font.setUnderline(style_ & 4);
  font.setStrikeOut(style_ & 8);
  return font;
}

void TPen::Assign(const TPersistent* source) {
  auto* pen = dynamic_cast<const TPen*>(source);
  if (!pen) return TGraphicsObject::Assign(source);
  color_ = pen->color_;
  width_ = pen->width_;
  style_ = pen->style_;
  Changed();
}
void TPen::SetColor(int color) { Update(color_, color); }
void TPen::SetWidth(int width) { Update(width_, width); }
void TPen::SetStyle(int style) { Update(style_, style); }

void TBrush::Assign(const TPersistent* source) {
  auto* brush = dynamic_cast<const TBrush*>(source);
  if (!brush) return TGraphicsObject::Assign(source);
  color_ = brush->color_;
  style_ = brush->style_;
  Changed();
}
void TBrush::SetColor(int color) { Update(color_, color); }
void TBrush::SetStyle(int style) { Update(style_, style); }

void TPicture::Assign(const TPersistent* source) {
  auto* picture = dynamic_cast<const TPicture*>(source);
  if (!picture) return TGraphicsObject::Assign(source);
  image_ = picture->image_;
  icon_name_ = picture->icon_name_;
  icon_size_ = picture->icon_size_;
  icon_drawn_ = picture->icon_drawn_;
  Changed();
}

void TPicture::LoadFromFile(const std::string& path) {
  QImage loaded;
  if (!loaded.load(ToQString(path))) throw EInOutError("Cannot load picture \"" + path + "\"");
  SetImage(loaded);
}

void TPicture::SetImage(const QImage& image) {
  image_ = image;
  icon_name_.clear();
  Changed();
}

namespace {

// The style's picture for the icons a dialog most often shows, for a
// desktop without an icon theme.
QStyle::StandardPixmap StyleIcon(const std::string& name) {
  static const std::pair<const char*, QStyle::StandardPixmap> kIcons[] = {
      {"dialog-error", QStyle::SP_MessageBoxCritical},     {"dialog-warning", QStyle::SP_MessageBoxWarning},
      {"dialog-information", QStyle::SP_MessageBoxInformation}, {"dialog-question", QStyle::SP_MessageBoxQuestion},
      {"document-save", QStyle::SP_DialogSaveButton},      {"document-open", QStyle::SP_DialogOpenButton},
      {"folder", QStyle::SP_DirIcon}};
  for (const auto& [icon, pixmap] : kIcons)
    if (name == icon) return pixmap;
  return QStyle::SP_FileIcon;
}

}  // namespace

const QImage& TPicture::Image() const {
  if (!icon_name_.empty() && !icon_drawn_ && qobject_cast<QApplication*>(QCoreApplication::instance())) {
    const QIcon fallback = QApplication::style()->standardIcon(StyleIcon(icon_name_));
    image_ = QIcon::fromTheme(ToQString(icon_name_), fallback).pixmap(icon_size_, icon_size_).toImage();
    // An icon that has no picture as large as asked for is drawn larger.
    if (!image_.isNull() && image_.width() < icon_size_)
      image_ = image_.scaled(icon_size_, icon_size_, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    icon_drawn_ = true;
  }
  return image_;
}

std::string TPicture::Data() const {
  if (!icon_name_.empty() || image_.isNull()) return "";
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image_.save(&buffer, "PNG");
  return bytes.toStdString();
}

void TPicture::SetData(std::string_view bytes) {
  QImage loaded;
  const bool fits = bytes.size() <= static_cast<size_t>(INT_MAX);
  if (!bytes.empty() &&
      (!fits || !loaded.loadFromData(reinterpret_cast<const uchar*>(bytes.data()), static_cast<int>(bytes.size()))))
    throw EInOutError("The picture's data is not an image");
  SetImage(loaded);
}

void TPicture::SetIconName(std::string_view name) {
  icon_name_ = name;
  image_ = QImage();
  icon_drawn_ = false;
  Changed();
}

void TPicture::SetIconSize(int size) {
  icon_size_ = std::max(size, 1);
  if (!icon_name_.empty()) SetIconName(std::string(icon_name_));
}

QImage& TPicture::OwnImage() {
  Image();
  icon_name_.clear();
  // Qt paints only on pictures of whole pixels, not on palettes.
  if (!image_.isNull() && image_.format() <= QImage::Format_Indexed8) image_.convertTo(QImage::Format_ARGB32);
  return image_;
}

void TPicture::SetPixels(int width, int height, const std::vector<int32_t>& colors) {
  QImage image(std::max(width, 0), std::max(height, 0), QImage::Format_RGB32);
  image.fill(Qt::black);
  const auto columns = static_cast<size_t>(image.width());
  const size_t count = std::min(colors.size(), columns * static_cast<size_t>(image.height()));
  for (size_t i = 0; i < count; ++i)
    image.setPixel(static_cast<int>(i % columns), static_cast<int>(i / columns), ToQColor(colors[i]).rgb());
  SetImage(image);
}

void TPicture::Stretch(int width, int height) {
  if (width <= 0 || height <= 0 || Image().isNull() || Image().size() == QSize(width, height)) return;
  QImage& image = OwnImage();
  image = image.scaled(width, height);
  Changed();
}

void TPicture::Paint(const std::function<void(TCanvas&)>& draw) {
  QImage& image = OwnImage();
  if (image.isNull()) return;
  {
    QPainter painter(&image);
    TCanvas canvas;
    canvas.Begin(&painter);
    draw(canvas);
    canvas.End();
  }
  Changed();
}

TCanvas::TCanvas()
    : font_(std::make_unique<TFont>()), pen_(std::make_unique<TPen>()), brush_(std::make_unique<TBrush>()) {}

void TCanvas::Prepare(bool fill) {
  static const Qt::PenStyle kPenStyles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine,
                                            Qt::DashDotLine, Qt::DashDotDotLine, Qt::NoPen};
  static const Qt::BrushStyle kBrushStyles[] = {Qt::SolidPattern, Qt::NoBrush, Qt::HorPattern,
                                                Qt::VerPattern, Qt::FDiagPattern, Qt::BDiagPattern,
                                                Qt::CrossPattern, Qt::DiagCrossPattern};
  QPen pen(ToQColor(pen_->Color()));
  pen.setWidth(pen_->Width());
  pen.setStyle(kPenStyles[static_cast<size_t>(pen_->Style()) % 6]);
  painter_->setPen(pen);
  painter_->setBrush(fill ? QBrush(ToQColor(brush_->Color()), kBrushStyles[static_cast<size_t>(brush_->Style()) % 8])
                          : QBrush());
  painter_->setFont(font_->ToQFont());
}

void TCanvas::MoveTo(int x, int y) {
  x_ = x;
  y_ = y;
}

void TCanvas::LineTo(int x, int y) {
  if (painter_) {
    Prepare(false);
    painter_->drawLine(x_, y_, x, y);
  }
  MoveTo(x, y);
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  if (!painter_) return;
  Prepare(true);
  painter_->drawRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1);
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int rx, int ry) {
  if (!painter_) return;
  Prepare(true);
  painter_->drawRoundedRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1, rx / 2.0, ry / 2.0);
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  if (!painter_) return;
  Prepare(true);
  painter_->drawEllipse(x1, y1, x2 - x1 - 1, y2 - y1 - 1);
}

void TCanvas::FillRect(int x1, int y1, int x2, int y2) {
  if (!painter_) return;
  painter_->fillRect(x1, y1, x2 - x1, y2 - y1, ToQColor(brush_->Color()));
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
  if (!painter_ || points.empty()) return;
  Prepare(true);
  QPolygon polygon;
  for (const TPoint& point : points) polygon << QPoint(point.X, point.Y);
  painter_->drawPolygon(polygon);
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
  if (!painter_) return;
  Prepare(false);
  painter_->setPen(ToQColor(font_->Color()));
  QFontMetrics metrics(font_->ToQFont());
  painter_->drawText(x, y + metrics.ascent(), ToQString(text));
}

void TCanvas::Draw(int x, int y, const TPicture& picture) {
  if (painter_) painter_->drawImage(x, y, picture.Image());
}

int TCanvas::TextWidth(const std::string& text) const {
  return QFontMetrics(font_->ToQFont())
      .horizontalAdvance(ToQString(text));
}

int TCanvas::TextHeight(const std::string&) const { return QFontMetrics(font_->ToQFont()).height(); }

}  // namespace orv
