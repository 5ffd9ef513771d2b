#include "controls/size_constraints.h"

#include <algorithm>

namespace orv {

int MulDiv(int value, int multiplier, int divider) {
  if (divider == 0) return value;
  const int64_t product = int64_t{value} * multiplier;
  const int64_t half = divider / 2;
  return static_cast<int>(product >= 0 ? (product + half) / divider : (product - half) / divider);
}

void TSizeConstraints::Assign(const TPersistent* source) {
  auto* other = dynamic_cast<const TSizeConstraints*>(source);
  if (!other) return TPersistent::Assign(source);
  min_width_ = other->min_width_;
  min_height_ = other->min_height_;
  max_width_ = other->max_width_;
  max_height_ = other->max_height_;
  if (OnChange) OnChange();
}

int TSizeConstraints::Clamp(int value, int min, int max) {
  if (max > 0) value = std::min(value, max);
  if (min > 0) value = std::max(value, min);
  return value;
}

void TSizeConstraints::ScaleBy(int multiplier, int divider) {
  for (int* field : {&min_width_, &min_height_, &max_width_, &max_height_})
    *field = MulDiv(*field, multiplier, divider);
}

void TSizeConstraints::Update(int& field, int value) {
  if (field == value) return;
  field = std::max(value, 0);
  if (OnChange) OnChange();
}

}  // namespace orv
