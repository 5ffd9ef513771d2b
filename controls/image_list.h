// TImageList: pictures of one size for the items of a list (a list view's
// large icons), kept as images so that no Qt application is needed until a
// list shows them.
#pragma once

#include <QImage>
#include <string>
#include <vector>

#include "components/component.h"

namespace orv {

// A list of images of Width × Height pixels, addressed by index.
class TImageList : public TComponent {
 public:
  explicit TImageList(TComponent* owner) : TComponent(owner) {}
  std::string ClassName() const override { return "TImageList"; }

  int Width() const { return width_; }
  void SetWidth(int width) { width_ = width; }
  int Height() const { return height_; }
  void SetHeight(int height) { height_ = height; }
  int Count() const { return static_cast<int>(images_.size()); }
  // The image at `index`; a null image outside the list.
  QImage Image(int index) const;
  // Appends the picture of a file (any format Qt reads, SVG drawn at the
  // list's size); EInOutError when it cannot be read. Returns its index.
  int AddFromFile(const std::string& path);
  void Clear();

 private:
  int width_ = 16;
  int height_ = 16;
  std::vector<QImage> images_;
};

}  // namespace orv
