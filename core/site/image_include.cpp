#include "core/site/image_include.h"

#include <optional>

#include "core/image/avif_size.h"
#include "core/image/gif_file.h"
#include "core/image/image_source.h"
#include "core/image/jpeg_size.h"
#include "core/image/png_size.h"
#include "core/image/svg_size.h"
#include "core/image/webp_size.h"
#include "core/site/page_inputs.h"
#include "core/site/page_stages.h"
#include "core/site/parse_struct.h"
#include "platform/exception.h"
#include "platform/files.h"
#include "platform/message_service.h"
#include "platform/paths.h"

namespace orv {

namespace {

// The size of the image at `path` measured as `kind`; nothing when it
// cannot be read or measured, with the reader's message (on one line) in
// `problem` when it is given.
std::optional<TImageSize> Measured(const std::string& path, ImageKind kind, std::string* problem) {
  try {
    switch (kind) {
      case ImageKind::Gif: return ReadGifSize(path);
      case ImageKind::Jpeg: return ReadJpegSize(path);
      case ImageKind::Png: return ReadPngSize(ImageSource::FromFile(path));
      case ImageKind::WebP: return ReadWebpSize(ImageSource::FromFile(path));
      case ImageKind::Svg: return ReadSvgSize(ImageSource::FromFile(path));
      case ImageKind::Avif: return ReadAvifSize(ImageSource::FromFile(path));
    }
  } catch (const Exception& error) {
    if (problem) *problem = ConsoleLine(error.what());
  }
  return std::nullopt;
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

// The size of the image at `path`, stamped `stamp`, as `kind`: measured
// once per stamp through the build's image cache.
std::optional<TImageSize> CachedSize(BuildCaches& caches, const std::string& path, const FileStamp& stamp,
                                     ImageKind kind) {
  return caches.ImageSize(path, stamp, [kind](const std::string& file) { return MeasureImage(file, kind); });
}

// What the image include of the file at `path` (named `name` in the page)
// finds, looked at and measured now.
BuildCaches::FoundImage FindImage(TParseStruct& context, const std::string& name, const std::string& path,
                                  std::optional<ImageKind> kind) {
  BuildCaches::FoundImage found;
  FileStamp stamp;
  found.Exists = context.Build.Writer.StatSettled(path, stamp);
  if (!found.Exists) return found;
  if (kind) found.Size = CachedSize(context.Build.Caches, path, stamp, *kind);
  const std::string size = found.Size ? " " + SizeText(found.Size) : std::string();
  found.Tag = "<img src=\"" + context.Build.ImgPrefix + name + "\"" + size + " alt=\"" + name + "\">";
  return found;
}

// The tag line of InsertImage and InsertImageEx up to its ending: the src,
// the size when known, the alt attribute when asked for.
std::optional<std::string> TagStart(BuildState& build, const std::string& file, int alt, const std::string& prefix) {
  const std::string name = MarkupFileName(file);
  std::string path = file;
  FileStamp stamp;
  // A script that calls only these routines may run while pages are being
  // written (script_reads.h): the file is settled as the image include's is.
  auto look = [&build, &stamp](const std::string& at) {
    if (build.Inputs) build.Inputs->FileLooked(at);
    return build.Writer.StatSettled(at, stamp);
  };
  if (!look(path)) {
    path = InImageDir(build, name);
    if (!look(path)) return std::nullopt;
  }
  // A .jpeg file is not measured here, as these routines have always done.
  const std::string ext = LowerCase(ExtractFileExt(name));
  const std::optional<ImageKind> kind = ext == ".jpeg" ? std::nullopt : ImageKindOfExtension(ext);
  const std::string size = kind ? SizeText(CachedSize(build.Caches, path, stamp, *kind)) : std::string();
  std::string tag = "<img src=\"" + prefix + name + "\" " + size;
  if (alt == 1) tag += " alt=\"" + name + "\"";
  return tag;
}

}  // namespace

bool MeasureJpeg(const std::string& path, TParseStruct& context) {
  return Store(MeasureImage(path, ImageKind::Jpeg), context.JpegWidth, context.JpegHeight);
}

bool MeasureGif(const std::string& path, TParseStruct& context) {
  return Store(MeasureImage(path, ImageKind::Gif), context.GifWidth, context.GifHeight);
}

std::optional<TImageSize> MeasureImage(const std::string& path, ImageKind kind) {
  return Measured(path, kind, nullptr);
}

std::string JpegSizeText(const std::string& path) { return SizeText(MeasureImage(path, ImageKind::Jpeg)); }

std::string GifSizeText(const std::string& path) { return SizeText(MeasureImage(path, ImageKind::Gif)); }

std::string ImageInclude(TParseStruct& context, const std::string& content) {
  const std::string name = MarkupFileName(content);
  const std::string path = InImageDir(context.Build, name);
  const std::optional<ImageKind> kind = ImageKindOfExtension(ExtractFileExt(name));
  if (context.Build.Inputs) context.Build.Inputs->FileLooked(path);
  BuildCaches& caches = context.Build.Caches;
  const BuildCaches::FoundImage* found = caches.NamedImage(path);
  if (!found) found = &caches.KeepNamedImage(path, FindImage(context, name, path, kind));
  if (!found->Exists) {
    MarkupWarning(context, "image \"" + content + "\" not found; looked for " + path);
    return MarkupErrorComment(content);
  }
  // The context keeps the last GIF and JPEG sizes as it always has.
  if (kind == ImageKind::Gif) Store(found->Size, context.GifWidth, context.GifHeight);
  if (kind == ImageKind::Jpeg) Store(found->Size, context.JpegWidth, context.JpegHeight);
  if (!found->Size) {
    // The reason is asked for again only here: a kept size carries none.
    std::string problem = "it is of no image kind";
    if (kind) Measured(path, *kind, &problem);
    MarkupWarning(context, "image " + path + " cannot be measured (" + problem + "); its tag has no width and height");
  }
  return found->Tag;
}

std::string InsertImage(BuildState& build, const std::string& file, int alt, const std::string& extra) {
  std::optional<std::string> tag = TagStart(build, file, alt, build.ImgPrefix);
  if (!tag) return kNoImageFileLine;
  return *tag + (extra.empty() ? ">" : " " + extra + ">");
}

std::string InsertImageEx(BuildState& build, const std::string& file, int alt, const std::string& extra,
                          const std::string& prefix, int border) {
  std::optional<std::string> tag = TagStart(build, file, alt, prefix);
  if (!tag) return kNoImageFileLine;
  return *tag + (extra.empty() ? "" : " " + extra) + " border=" + std::to_string(border) + ">";
}

}  // namespace orv
