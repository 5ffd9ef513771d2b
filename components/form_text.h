// The text form file: a tree of objects, each "object Name: TClass" with
// "Name = value" lines, nested objects and a closing "end". Values are
// integers, floats, strings (quoted runs and #nn character codes, joined
// across lines with "+"), True/False, identifiers, sets "[a, b]", lists
// "( ... )", collections "< item ... end >" and binary data "{ hex }". This module turns text into the tree
// and back; form_reader and form_writer connect the tree to components.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "components/property_value.h"
#include "platform/exception.h"

namespace orv {

// A form file that cannot be read: the message names the file and the line.
class EFormFileError : public Exception {
 public:
  EFormFileError(const std::string& file, int line, const std::string& text);
  const std::string& Text() const { return text_; }
  int Line() const { return line_; }

 private:
  std::string text_;
  int line_;
};

// One "Name = value" line of a form file; `line` is where it starts.
struct FormProperty {
  std::string name;
  PropertyValue value;
  int line = 0;
  bool operator==(const FormProperty&) const = default;
};

// One object of a form file with its properties and nested objects.
struct FormObject {
  std::string keyword = "object";  // "object", "inherited" or "inline"
  std::string name;
  std::string class_name;
  int line = 0;
  std::vector<FormProperty> properties;
  std::vector<FormObject> children;
  // Compares everything but the line numbers.
  bool SameAs(const FormObject& other) const;
};

// Reads the text of a form file; `file` names it in errors.
FormObject ParseFormText(std::string_view text, const std::string& file);

// Writes the tree as form-file text (LF line ends, two spaces per level).
std::string PrintFormText(const FormObject& root);

}  // namespace orv
