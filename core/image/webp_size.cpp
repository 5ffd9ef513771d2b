#include "core/image/webp_size.h"

#include <webp/decode.h>

#include <string>

#include "core/image/image_errors.h"
#include "core/image/image_library.h"

namespace orv {

namespace {

// The head handed to libwebp. A simple file gives its size within its
// first 30 bytes, an extended file in its VP8X chunk; libwebp checks a
// still image's data against that size when the data begins within the
// head (after a colour profile, say).
constexpr size_t kHeadBytes = 64 << 10;

// libwebp's routine (image_library.h).
struct WebpLibrary {
  decltype(&WebPGetFeaturesInternal) GetFeatures = nullptr;
  ImageLibrary library;
};

constexpr const char* kWebpLibrary = "libwebp.so.7";

void FindWebp(WebpLibrary& webp) { webp.library.Find("WebPGetFeaturesInternal", webp.GetFeatures); }

const WebpLibrary& Webp() { return LibraryRoutines<WebpLibrary, FindWebp>("WebP", kWebpLibrary); }

}  // namespace

TImageSize ReadWebpSize(const ImageSource& source) {
  const std::string bytes = source.Read(0, kHeadBytes);
  // libwebp also reads bare VP8 and VP8L streams, which are no WebP files.
  if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WEBP") != 0)
    throw EImageError("Not a WebP file");
  WebPBitstreamFeatures features;
  switch (Webp().GetFeatures(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), &features,
                             WEBP_DECODER_ABI_VERSION)) {
    case VP8_STATUS_OK:
      return TImageSize{static_cast<uint32_t>(features.width), static_cast<uint32_t>(features.height)};
    case VP8_STATUS_NOT_ENOUGH_DATA: throw EImageError("WebP file ends before its header does");
    case VP8_STATUS_UNSUPPORTED_FEATURE: throw EImageError("WebP file uses a feature that is not supported");
    default: throw EImageError("WebP file header is damaged");
  }
}

}  // namespace orv
