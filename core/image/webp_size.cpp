#include "core/image/webp_size.h"

#include <webp/decode.h>

#include <string>

#include "core/image/image_errors.h"

namespace orv {

namespace {

// Most files give their size within the first bytes; an extended file may
// put large chunks (a colour profile) before the image data that the reader
// checks the size against.
constexpr size_t kFirstPiece = 4096;
constexpr size_t kGrowth = 8;

}  // namespace

TImageSize ReadWebpSize(const ImageSource& source) {
  // libwebp also reads bare VP8 and VP8L streams, which are no WebP files.
  const std::string start = source.Read(0, 12);
  if (start.size() < 12 || start.compare(0, 4, "RIFF") != 0 || start.compare(8, 4, "WEBP") != 0)
    throw EImageError("Not a WebP file");
  for (size_t piece = kFirstPiece;; piece *= kGrowth) {
    const std::string bytes = source.Read(0, piece);
    WebPBitstreamFeatures features;
    const VP8StatusCode status =
        WebPGetFeatures(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), &features);
    if (status == VP8_STATUS_OK)
      return TImageSize{static_cast<uint32_t>(features.width), static_cast<uint32_t>(features.height)};
    if (status != VP8_STATUS_NOT_ENOUGH_DATA)
      throw EImageError(status == VP8_STATUS_UNSUPPORTED_FEATURE ? "WebP file uses a feature that is not supported"
                                                                  : "WebP file header is damaged");
    if (bytes.size() < piece) throw EImageError("WebP file ends before its header does");
  }
}

}  // namespace orv
