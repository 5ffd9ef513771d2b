#include "core/site/image_include.h"

#include <optional>

#include "core/image/gif_file.h"
#include "core/image/jpeg_size.h"
#include "core/site/page_stages.h"
#include "core/site/parse_struct.h"
#include "platform/exception.h"
#include "platform/files.h"
#include "platform/paths.h"

namespace orv {

namespace {

// The size of the image, or nothing when it cannot be read or decoded.
std::optional<TImageSize> JpegSize(const std::string& path) {
  try {
    return ReadJpegSize(path);
  } catch (const Exception&) {
    return std::nullopt;
  }
}

std::optional<TImageSize> GifSize(const std::string& path) {
  try {
    return ReadGifSize(path);
  } catch (const Exception&) {
    return std::nullopt;
  }
}

bool Store(const std::optional<TImageSize>& size, std::string& width, std::string& height) {
  if (!size) return false;
  width = std::to_string(size->Width);
  height = std::to_string(size->Height);
  return true;
}

std::string SizeText(const std::optional<TImageSize>& size) {
  if (!size) return std::string();
  return "width=" + std::to_string(size->Width) + " height=" + std::to_string(size->Height);
}

// The file-name part of a path written in page markup, after its last '/'
// or '\'.
std::string MarkupFileName(const std::string& path) {
  size_t cut = path.find_last_of("/\\");
  return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string InImageDir(const BuildState& build, const std::string& name) {
  return IncludeTrailingSlash(build.ImageDir) + name;
}

// The tag line of InsertImage and InsertImageEx up to its ending: the src,
// the size when known, the alt attribute when asked for.
std::optional<std::string> TagStart(const BuildState& build, const std::string& file, int alt,
                                    const std::string& prefix) {
  std::string path = file;
  const std::string name = MarkupFileName(file);
  if (!FileExists(path) && FileExists(InImageDir(build, name))) path = InImageDir(build, name);
  if (!FileExists(path)) return std::nullopt;
  const std::string ext = LowerCase(ExtractFileExt(name));
  const std::string size = ext == ".gif" ? GifSizeText(path) : ext == ".jpg" ? JpegSizeText(path) : std::string();
  std::string tag = "<img src=\"" + prefix + name + "\" " + size;
  if (alt == 1) tag += " alt=\"" + name + "\"";
  return tag;
}

}  // namespace

bool MeasureJpeg(const std::string& path, TParseStruct& context) {
  return Store(JpegSize(path), context.JpegWidth, context.JpegHeight);
}

bool MeasureGif(const std::string& path, TParseStruct& context) {
  return Store(GifSize(path), context.GifWidth, context.GifHeight);
}

std::string JpegSizeText(const std::string& path) { return SizeText(JpegSize(path)); }

std::string GifSizeText(const std::string& path) { return SizeText(GifSize(path)); }

std::string ImageInclude(TParseStruct& context, const std::string& content) {
  const std::string name = MarkupFileName(content);
  const std::string path = InImageDir(context.Build, name);
  FileStamp stamp;
  if (!StatFile(path, stamp)) {
    MarkupWarning(context, "image \"" + content + "\" not found; looked for " + path);
    return MarkupErrorComment(content);
  }
  const std::string ext = LowerCase(ExtractFileExt(name));
  BuildCaches& caches = context.Build.Caches;
  std::string size;
  if (ext == ".gif") {
    if (Store(caches.ImageSize(path, stamp, GifSize), context.GifWidth, context.GifHeight))
      size = " width=" + context.GifWidth + " height=" + context.GifHeight;
  } else if (ext == ".jpg" || ext == ".jpeg") {
    if (Store(caches.ImageSize(path, stamp, JpegSize), context.JpegWidth, context.JpegHeight))
      size = " width=" + context.JpegWidth + " height=" + context.JpegHeight;
  }
  if (size.empty()) MarkupWarning(context, "image " + path + " cannot be measured; its tag has no width and height");
  return "<img src=\"" + context.Build.ImgPrefix + name + "\"" + size + " alt=\"" + name + "\">";
}

std::string InsertImage(const BuildState& build, const std::string& file, int alt, const std::string& extra) {
  std::optional<std::string> tag = TagStart(build, file, alt, build.ImgPrefix);
  if (!tag) return kNoImageFileLine;
  return *tag + (extra.empty() ? ">" : " " + extra + ">");
}

std::string InsertImageEx(const BuildState& build, const std::string& file, int alt, const std::string& extra,
                          const std::string& prefix, int border) {
  std::optional<std::string> tag = TagStart(build, file, alt, prefix);
  if (!tag) return kNoImageFileLine;
  return *tag + (extra.empty() ? "" : " " + extra) + " border=" + std::to_string(border) + ">";
}

}  // namespace orv
