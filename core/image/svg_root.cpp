#include "core/image/svg_root.h"

#include <pugixml.hpp>

#include <new>

namespace orv {

extern "C" bool orv_svg_read_root(const char* bytes, size_t size, SvgRoot* root) noexcept {
  try {
    pugi::xml_document document;
    const pugi::xml_parse_result parsed = document.load_buffer(bytes, size);
    if (!parsed) {
      root->error = std::string(parsed.description()) + " at byte " + std::to_string(parsed.offset);
      return false;
    }
    const pugi::xml_node svg = document.document_element();
    root->name = svg.name();
    root->width = svg.attribute("width").value();
    root->height = svg.attribute("height").value();
    root->view_box = svg.attribute("viewBox").value();
    return true;
  } catch (const std::bad_alloc&) {
    // Copying the texts is all that can fail; the reason fits in the
    // string's own room.
    root->error.clear();
  }
  return false;
}

}  // namespace orv
