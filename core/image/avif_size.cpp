#include "core/image/avif_size.h"

#include <avif/avif.h>

#include <memory>
#include <string>
#include <type_traits>

#include "core/image/image_errors.h"
#include "core/image/image_library.h"

namespace orv {

namespace {

// libavif's routines (image_library.h); it brings the AV1 codecs with it,
// whose loading would add milliseconds to every start.
struct AvifLibrary {
  decltype(&avifDecoderCreate) DecoderCreate = nullptr;
  decltype(&avifDecoderDestroy) DecoderDestroy = nullptr;
  decltype(&avifDecoderSetIO) DecoderSetIO = nullptr;
  decltype(&avifDecoderParse) DecoderParse = nullptr;
  decltype(&avifResultToString) ResultToString = nullptr;
  decltype(&avifCropRectConvertCleanApertureBox) ConvertCleanApertureBox = nullptr;
  ImageLibrary library;
};

constexpr const char* kAvifLibrary = "libavif.so.15";

void FindAvif(AvifLibrary& avif) {
  avif.library.Find("avifDecoderCreate", avif.DecoderCreate);
  avif.library.Find("avifDecoderDestroy", avif.DecoderDestroy);
  avif.library.Find("avifDecoderSetIO", avif.DecoderSetIO);
  avif.library.Find("avifDecoderParse", avif.DecoderParse);
  avif.library.Find("avifResultToString", avif.ResultToString);
  avif.library.Find("avifCropRectConvertCleanApertureBox", avif.ConvertCleanApertureBox);
}

const AvifLibrary& Avif() { return LibraryRoutines<AvifLibrary, FindAvif>("AVIF", kAvifLibrary); }

// libavif's reading interface over an ImageSource. The piece handed out
// stays valid until the next read, which is what a non-persistent reader
// promises.
struct SourceReader {
  avifIO io{};
  const ImageSource* source = nullptr;
  std::string piece;
  bool too_large = false;  // a piece beyond kMaxImageHeadBytes was asked for
};

avifResult ReadPiece(avifIO* io, uint32_t flags, uint64_t offset, size_t size, avifROData* out) {
  SourceReader* reader = reinterpret_cast<SourceReader*>(io);
  if (flags != 0 || offset > reader->source->Size()) return AVIF_RESULT_IO_ERROR;
  if (size > kMaxImageHeadBytes && reader->source->Size() - offset > kMaxImageHeadBytes) {
    reader->too_large = true;
    return AVIF_RESULT_IO_ERROR;
  }
  try {
    reader->piece = reader->source->Read(offset, size);
  } catch (...) {
    return AVIF_RESULT_IO_ERROR;
  }
  out->data = reinterpret_cast<const uint8_t*>(reader->piece.data());
  out->size = reader->piece.size();
  return AVIF_RESULT_OK;
}

// The reader lives on the caller's stack; the decoder must not free it.
void KeepReader(avifIO*) {}

struct DecoderDeleter {
  void operator()(avifDecoder* decoder) const { Avif().DecoderDestroy(decoder); }
};

}  // namespace

TImageSize ReadAvifSize(const ImageSource& source) {
  const AvifLibrary& avif = Avif();
  SourceReader reader;
  reader.io.destroy = KeepReader;
  reader.io.read = ReadPiece;
  reader.io.sizeHint = source.Size();
  reader.io.persistent = AVIF_FALSE;
  reader.source = &source;
  std::unique_ptr<avifDecoder, DecoderDeleter> decoder(avif.DecoderCreate());
  if (!decoder) throw EOutOfMemory("Memory ran out");
  decoder->ignoreExif = AVIF_TRUE;
  decoder->ignoreXMP = AVIF_TRUE;
  avif.DecoderSetIO(decoder.get(), &reader.io);
  const avifResult result = avif.DecoderParse(decoder.get());
  if (reader.too_large)
    throw EImageError("AVIF file's header boxes are larger than " + std::to_string(kMaxImageHeadBytes >> 20) +
                      " MiB");
  if (result != AVIF_RESULT_OK) {
    std::string reason = avif.ResultToString(result);
    if (decoder->diag.error[0] != '\0') reason += ": " + std::string(decoder->diag.error);
    throw EImageError("AVIF file cannot be read (" + reason + ")");
  }
  const avifImage& image = *decoder->image;
  TImageSize size{image.width, image.height};
  if (image.transformFlags & AVIF_TRANSFORM_CLAP) {
    avifCropRect crop;
    avifDiagnostics diagnostics{};
    if (!avif.ConvertCleanApertureBox(&crop, &image.clap, image.width, image.height, image.yuvFormat, &diagnostics))
      throw EImageError("AVIF file has an invalid clean aperture (" + std::string(diagnostics.error) + ")");
    size = {crop.width, crop.height};
  }
  if ((image.transformFlags & AVIF_TRANSFORM_IROT) && image.irot.angle % 2 == 1) size = {size.Height, size.Width};
  if (size.Width == 0 || size.Height == 0) throw EImageError("AVIF image has no size");
  return size;
}

}  // namespace orv
