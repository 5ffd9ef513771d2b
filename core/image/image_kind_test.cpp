#include "core/image/image_kind.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "core/image/image_source.h"
#include "platform/exception.h"

namespace orv {
namespace {

TEST(ImageKindTest, KindsByExtensionInAnyCase) {
  const struct {
    const char* extension;
    std::optional<ImageKind> kind;
  } cases[] = {
      {".gif", ImageKind::Gif},   {".GIF", ImageKind::Gif},   {".jpg", ImageKind::Jpeg}, {".JPEG", ImageKind::Jpeg},
      {".png", ImageKind::Png},   {".WebP", ImageKind::WebP}, {".svg", ImageKind::Svg},  {".avif", ImageKind::Avif},
      {".svgz", std::nullopt},    {".jpe", std::nullopt},     {"", std::nullopt},        {"png", std::nullopt},
      {".hts", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ImageKindOfExtension(c.extension), c.kind) << c.extension;
  EXPECT_EQ(ImageExtensionList(), ".gif .jpg .jpeg .png .webp .svg .avif");
}

TEST(ImageSourceTest, ReadsPiecesAndNeverPastTheEnd) {
  const std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("orv_image_source_" + std::to_string(::getpid()));
  std::ofstream(path, std::ios::binary) << "0123456789";
  for (ImageSource* source : {new ImageSource(ImageSource::FromFile(path.string())),
                              new ImageSource(ImageSource::FromMemory("0123456789"))}) {
    EXPECT_EQ(source->Size(), 10u);
    EXPECT_EQ(source->Read(0, 4), "0123");
    EXPECT_EQ(source->Read(8, 100), "89");
    EXPECT_EQ(source->Read(10, 1), "");
    EXPECT_EQ(source->Read(~0ull, ~size_t(0)), "");
    delete source;
  }
  std::filesystem::remove(path);
  EXPECT_THROW(ImageSource::FromFile(path.string()), EInOutError);
  const std::filesystem::path pipe = path.string() + ".pipe";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_THROW(ImageSource::FromFile(pipe.string()), EInOutError);  // at once, without a writer
  std::filesystem::remove(pipe);
  try {
    ImageSource::FromFile(std::filesystem::temp_directory_path().string());
    FAIL() << "a folder was opened as an image";
  } catch (const EInOutError& error) {
    EXPECT_NE(std::string(error.what()).find("Not a regular file"), std::string::npos) << error.what();
  }
}

}  // namespace
}  // namespace orv
