// Writes components as a text form file: the root with its published
// properties that differ from a new object's, then the components it owns,
// each nested inside the control that contains it on screen.
#pragma once

#include <string>

#include "components/component.h"
#include "components/form_text.h"

namespace orv {

// The tree of `root` and its owned components; `class_name` names the root's
// class in the file (the root's own class name when empty).
FormObject DescribeForm(const TComponent& root, const std::string& class_name = "");

// The form-file text of DescribeForm.
std::string WriteForm(const TComponent& root, const std::string& class_name = "");

}  // namespace orv
