// The kinds of image ORV measures, told by a file name's extension (in any
// case): .gif, .jpg and .jpeg, .png, .webp, .svg, .avif.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace orv {

// An image kind: which reader measures the file.
enum class ImageKind { Gif, Jpeg, Png, WebP, Svg, Avif };

// The kind of `extension` (".png", in any case), or nothing when it is not
// an image kind.
std::optional<ImageKind> ImageKindOfExtension(std::string_view extension);

// The image extensions, in the form used in messages: ".gif .jpg .jpeg .png
// .webp .svg .avif".
const std::string& ImageExtensionList();

}  // namespace orv
