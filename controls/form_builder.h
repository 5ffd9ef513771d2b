// Building a dialog's form in code: one call places a named control with
// its caption and bounds inside the form.
#pragma once

#include <string_view>

#include "controls/form.h"

namespace orv {

// Makes a control of class T owned by and placed in `form`.
template <class T>
T* AddControl(TForm& form, std::string_view name, std::string_view caption, int left, int top, int width,
              int height) {
  auto* control = new T(&form);
  control->SetName(name);
  control->SetParent(&form);
  control->SetCaption(caption);
  control->SetBounds(left, top, width, height);
  return control;
}

}  // namespace orv
