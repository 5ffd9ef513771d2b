#include "controls/image_list.h"

#include <QIcon>

#include "controls/qt_application.h"
#include "controls/qt_text.h"
#include "platform/exception.h"

namespace orv {

QImage TImageList::Image(int index) const {
  return index >= 0 && index < Count() ? images_[static_cast<size_t>(index)] : QImage();
}

int TImageList::AddFromFile(const std::string& path) {
  // Drawing an SVG file needs the application's image plug-ins.
  EnsureQtApplication();
  QImage image = QIcon(ToQString(path)).pixmap(width_, height_).toImage();
  if (image.isNull()) throw EInOutError("Cannot load picture \"" + path + "\"");
  images_.push_back(std::move(image));
  return Count() - 1;
}

void TImageList::Clear() { images_.clear(); }

}  // namespace orv
