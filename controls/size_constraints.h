// TSizeConstraints: the smallest and largest size a control may take (0:
// no limit). A form passes them on to its window, so the user cannot make
// a dialog smaller than its controls need.
#pragma once

#include <functional>
#include <string>

#include "components/persistent.h"

namespace orv {

// Minimum and maximum width and height of a control; 0 leaves a side free.
class TSizeConstraints : public TPersistent {
 public:
  std::string ClassName() const override { return "TSizeConstraints"; }
  void Assign(const TPersistent* source) override;

  int MinWidth() const { return min_width_; }
  void SetMinWidth(int value) { Update(min_width_, value); }
  int MinHeight() const { return min_height_; }
  void SetMinHeight(int value) { Update(min_height_, value); }
  int MaxWidth() const { return max_width_; }
  void SetMaxWidth(int value) { Update(max_width_, value); }
  int MaxHeight() const { return max_height_; }
  void SetMaxHeight(int value) { Update(max_height_, value); }

  // `width` and `height` brought within the limits.
  int ClampWidth(int width) const { return Clamp(width, min_width_, max_width_); }
  int ClampHeight(int height) const { return Clamp(height, min_height_, max_height_); }
  // Multiplies every limit by `multiplier` / `divider` without OnChange: the
  // control that scales applies them with its new size.
  void ScaleBy(int multiplier, int divider);

  // Runs after every change.
  std::function<void()> OnChange;

 private:
  static int Clamp(int value, int min, int max);
  void Update(int& field, int value);

  int min_width_ = 0;
  int min_height_ = 0;
  int max_width_ = 0;
  int max_height_ = 0;
};

// `value` × `multiplier` / `divider`, rounded to the nearest integer.
int MulDiv(int value, int multiplier, int divider);

}  // namespace orv
