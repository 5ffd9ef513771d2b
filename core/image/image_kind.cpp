#include "core/image/image_kind.h"

#include <array>
#include <string_view>
#include <utility>

#include "platform/paths.h"

namespace orv {

namespace {

constexpr std::array<std::pair<std::string_view, ImageKind>, 7> kExtensions = {{
    {".gif", ImageKind::Gif},
    {".jpg", ImageKind::Jpeg},
    {".jpeg", ImageKind::Jpeg},
    {".png", ImageKind::Png},
    {".webp", ImageKind::WebP},
    {".svg", ImageKind::Svg},
    {".avif", ImageKind::Avif},
}};

}  // namespace

std::optional<ImageKind> ImageKindOfExtension(std::string_view extension) {
  for (const auto& [text, kind] : kExtensions)
    if (SameText(extension, text)) return kind;
  return std::nullopt;
}

const std::string& ImageExtensionList() {
  static const std::string list = [] {
    std::string text;
    for (const auto& entry : kExtensions) text += (text.empty() ? "" : " ") + std::string(entry.first);
    return text;
  }();
  return list;
}

}  // namespace orv
