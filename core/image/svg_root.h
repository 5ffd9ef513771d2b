// Reading the outermost element of an SVG file with a real XML parser
// (pugixml). This is the one part of measuring SVG images that needs the
// parser, and it lives in a library of its own, liborvsvg.so, which
// svg_size.cpp opens when the first SVG image is measured: a build or a
// script that measures none never loads the parser.
#pragma once

#include <cstddef>
#include <string>

namespace orv {

// What the parser found: the root element's name as written (prefix
// included) and the texts of its width, height and viewBox attributes (""
// for a missing one); or, when the file is not well-formed XML, the
// parser's reason and the byte where it stopped, as "REASON at byte N".
struct SvgRoot {
  std::string name;
  std::string width;
  std::string height;
  std::string view_box;
  std::string error;
};

// The export of liborvsvg.so: parses `size` bytes from `bytes` and fills
// `root`. Returns false when the file is not well-formed XML (root->error
// says why) or memory ran out (root->error is empty). Expands no entities
// of a document type. Never throws.
extern "C" bool orv_svg_read_root(const char* bytes, size_t size, SvgRoot* root) noexcept;

}  // namespace orv
