#include "core/image/image_kinds_test_writer.h"

#include <avif/avif.h>
#include <png.h>
#include <webp/encode.h>
#include <webp/mux.h>

#include <stdexcept>
#include <vector>

namespace orv::test {

namespace {

std::vector<uint8_t> GreyRgb(unsigned width, unsigned height) {
  std::vector<uint8_t> rgb(size_t(width) * height * 3);
  for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<uint8_t>(i * 7);
  return rgb;
}

std::string Lossy(unsigned width, unsigned height) {
  std::vector<uint8_t> rgb = GreyRgb(width, height);
  uint8_t* out = nullptr;
  size_t size = WebPEncodeRGB(rgb.data(), int(width), int(height), int(width * 3), 50, &out);
  if (size == 0) throw std::runtime_error("WebPEncodeRGB failed");
  std::string bytes(reinterpret_cast<char*>(out), size);
  WebPFree(out);
  return bytes;
}

std::string Lossless(unsigned width, unsigned height) {
  std::vector<uint8_t> rgb = GreyRgb(width, height);
  uint8_t* out = nullptr;
  size_t size = WebPEncodeLosslessRGB(rgb.data(), int(width), int(height), int(width * 3), &out);
  if (size == 0) throw std::runtime_error("WebPEncodeLosslessRGB failed");
  std::string bytes(reinterpret_cast<char*>(out), size);
  WebPFree(out);
  return bytes;
}

std::string Assembled(WebPMux* mux) {
  WebPData out;
  WebPDataInit(&out);
  if (WebPMuxAssemble(mux, &out) != WEBP_MUX_OK) throw std::runtime_error("WebPMuxAssemble failed");
  std::string bytes(reinterpret_cast<const char*>(out.bytes), out.size);
  WebPDataClear(&out);
  WebPMuxDelete(mux);
  return bytes;
}

std::string Extended(unsigned width, unsigned height, size_t icc_bytes) {
  const std::string image = Lossy(width, height);
  const std::string icc(icc_bytes, 'p');
  WebPMux* mux = WebPMuxNew();
  WebPData image_data{reinterpret_cast<const uint8_t*>(image.data()), image.size()};
  WebPData icc_data{reinterpret_cast<const uint8_t*>(icc.data()), icc.size()};
  WebPMuxSetImage(mux, &image_data, 1);
  WebPMuxSetChunk(mux, "ICCP", &icc_data, 1);
  return Assembled(mux);
}

std::string Animated(unsigned width, unsigned height) {
  const std::string frame = Lossy(width, height);
  WebPMux* mux = WebPMuxNew();
  WebPMuxAnimParams params{0xffffffff, 0};
  WebPMuxSetAnimationParams(mux, &params);
  for (int i = 0; i < 2; ++i) {
    WebPMuxFrameInfo info{};
    info.bitstream = {reinterpret_cast<const uint8_t*>(frame.data()), frame.size()};
    info.duration = 100;
    info.id = WEBP_CHUNK_ANMF;
    info.dispose_method = WEBP_MUX_DISPOSE_NONE;
    info.blend_method = WEBP_MUX_NO_BLEND;
    if (WebPMuxPushFrame(mux, &info, 1) != WEBP_MUX_OK) throw std::runtime_error("WebPMuxPushFrame failed");
  }
  return Assembled(mux);
}

}  // namespace

std::string MakePng(unsigned width, unsigned height) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = width;
  image.height = height;
  image.format = PNG_FORMAT_GRAY;
  std::vector<uint8_t> pixels(size_t(width) * height, 0x80);
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, nullptr))
    throw std::runtime_error(image.message);
  std::string bytes(size, '\0');
  if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, pixels.data(), 0, nullptr))
    throw std::runtime_error(image.message);
  bytes.resize(size);
  return bytes;
}

std::string MakeWebp(unsigned width, unsigned height, WebpForm form, size_t icc_bytes) {
  switch (form) {
    case WebpForm::Lossy: return Lossy(width, height);
    case WebpForm::Lossless: return Lossless(width, height);
    case WebpForm::Extended: return Extended(width, height, icc_bytes);
    case WebpForm::Animated: return Animated(width, height);
  }
  return std::string();
}

bool CanMakeAvif() { return avifCodecName(AVIF_CODEC_CHOICE_AUTO, AVIF_CODEC_FLAG_CAN_ENCODE) != nullptr; }

std::string MakeAvif(unsigned width, unsigned height, int quarter_turns, unsigned crop_width, unsigned crop_height) {
  avifImage* image = avifImageCreate(width, height, 8, AVIF_PIXEL_FORMAT_YUV444);
  if (avifImageAllocatePlanes(image, AVIF_PLANES_YUV) != AVIF_RESULT_OK) throw std::runtime_error("no planes");
  if (quarter_turns != 0) {
    image->transformFlags |= AVIF_TRANSFORM_IROT;
    image->irot.angle = static_cast<uint8_t>(quarter_turns);
  }
  if (crop_width != 0) {
    avifCropRect rect{(width - crop_width) / 2, (height - crop_height) / 2, crop_width, crop_height};
    avifDiagnostics diag{};
    if (!avifCleanApertureBoxConvertCropRect(&image->clap, &rect, width, height, image->yuvFormat, &diag))
      throw std::runtime_error(diag.error);
    image->transformFlags |= AVIF_TRANSFORM_CLAP;
  }
  avifEncoder* encoder = avifEncoderCreate();
  encoder->speed = AVIF_SPEED_FASTEST;
  avifRWData output = AVIF_DATA_EMPTY;
  avifResult result = avifEncoderWrite(encoder, image, &output);
  avifEncoderDestroy(encoder);
  avifImageDestroy(image);
  if (result != AVIF_RESULT_OK) throw std::runtime_error(avifResultToString(result));
  std::string bytes(reinterpret_cast<const char*>(output.data), output.size);
  avifRWDataFree(&output);
  return bytes;
}

}  // namespace orv::test
