// Decoding speed of the GIF reader against giflib on the same large files:
// 4000 x 3000 images, plain and interlaced, of a noisy photo-like picture and
// of a flat graphic. Prints the best time of each decoder and their ratio.
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "core/image/gif_file.h"

#ifdef ORV_HAVE_GIFLIB
#include "core/image/giflib_memory_io.h"

namespace {

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;
constexpr int kRounds = 5;

std::vector<uint8_t> Picture(bool photo) {
  std::vector<uint8_t> pixels(size_t(kWidth) * kHeight);
  uint32_t noise = 12345;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      noise = noise * 1664525 + 1013904223;
      int v = photo ? (x / 16 + y / 12 + (x * y) / 90000 + static_cast<int>(noise >> 30))
                    : ((x / 200) * 7 + (y / 150) * 3 + ((x / 40 + y / 40) % 5 == 0 ? 100 : 0));
      pixels[size_t(y) * kWidth + x] = static_cast<uint8_t>(v);
    }
  return pixels;
}

std::string Encode(const std::vector<uint8_t>& pixels, bool interlaced) {
  std::string out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, orv::giflib::WriteToString, &error);
  ColorMapObject* map = GifMakeMapObject(256, nullptr);
  for (int i = 0; i < 256; ++i) map->Colors[i] = {static_cast<GifByteType>(i), 0, static_cast<GifByteType>(255 - i)};
  EGifPutScreenDesc(gif, kWidth, kHeight, 8, 0, map);
  EGifPutImageDesc(gif, 0, 0, kWidth, kHeight, interlaced, nullptr);
  static const int kStart[4] = {0, 4, 2, 1}, kStep[4] = {8, 8, 4, 2};
  for (int pass = 0; pass < (interlaced ? 4 : 1); ++pass)
    for (int y = interlaced ? kStart[pass] : 0; y < kHeight; y += interlaced ? kStep[pass] : 1)
      EGifPutLine(gif, const_cast<GifPixelType*>(pixels.data() + size_t(y) * kWidth), kWidth);
  EGifCloseFile(gif, &error);
  GifFreeMapObject(map);
  return out;
}

uint8_t DecodeWithGiflib(const std::string& data) {
  orv::giflib::MemoryInput input{&data};
  int error = 0;
  GifFileType* gif = DGifOpen(&input, orv::giflib::ReadFromString, &error);
  if (gif == nullptr || DGifSlurp(gif) != GIF_OK) {
    std::fprintf(stderr, "giflib failed\n");
    std::exit(1);
  }
  uint8_t last = gif->SavedImages[0].RasterBits[size_t(kWidth) * kHeight - 1];
  DGifCloseFile(gif, &error);
  return last;
}

uint8_t DecodeWithOrv(const std::string& data) {
  orv::TGifFile gif;
  gif.LoadFromMemory(data);
  return gif.SubImages[0]->Pixels.Storage().Data()[size_t(kWidth) * kHeight - 1];
}

// Best wall time in milliseconds over kRounds runs.
double BestMs(const std::function<uint8_t()>& run, uint8_t expected) {
  double best = 1e18;
  for (int i = 0; i < kRounds; ++i) {
    auto start = std::chrono::steady_clock::now();
    uint8_t got = run();
    double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (got != expected) {
      std::fprintf(stderr, "wrong pixel\n");
      std::exit(1);
    }
    best = std::min(best, ms);
  }
  return best;
}

}  // namespace

int main() {
  std::printf("%-22s %10s %10s %10s %8s\n", "image 4000x3000", "bytes", "orv ms", "giflib ms", "ratio");
  for (bool photo : {true, false}) {
    std::vector<uint8_t> pixels = Picture(photo);
    for (bool interlaced : {false, true}) {
      std::string data = Encode(pixels, interlaced);
      uint8_t expected = pixels.back();
      double orv = BestMs([&] { return DecodeWithOrv(data); }, expected);
      double giflib = BestMs([&] { return DecodeWithGiflib(data); }, expected);
      std::printf("%-22s %10zu %10.1f %10.1f %8.2f\n",
                  (std::string(photo ? "photo" : "graphic") + (interlaced ? " interlaced" : " plain")).c_str(),
                  data.size(), orv, giflib, giflib / orv);
    }
  }
  std::printf("ratio = giflib time / orv time (above 1: orv is faster)\n");
  return 0;
}

#else

int main() {
  std::printf("giflib is not installed: nothing to compare against\n");
  return 0;
}

#endif
