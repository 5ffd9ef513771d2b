// Image tags: the image include of the include stage (<&name.gif&>, and the
// other kinds of core/image/image_kind.h), the measuring of image files with
// the GIF and JPEG sizes kept in the build context, and the tag lines behind
// the script routines InsertImage and InsertImageEx.
//
// Image files are looked up as the image folder (BuildState::ImageDir) joined
// with the file name by '/'; an empty image folder means the file name alone
// (relative to the current folder). In page markup both '/' and '\' separate
// folders from the file name, so pages written with either kind of path find
// their images.
#pragma once

#include <optional>
#include <string>

#include "core/image/image_kind.h"
#include "core/image/image_size.h"

namespace orv {

class BuildState;
class TParseStruct;

// The size of the image file at `path` measured as `kind` (a GIF by its
// first image), or nothing when it cannot be read or measured. Every image
// a build measures is measured here.
std::optional<TImageSize> MeasureImage(const std::string& path, ImageKind kind);

// Measure the file and store the width and height as decimal text in the
// context (JpegWidth/JpegHeight, GifWidth/GifHeight). Errors are swallowed:
// the stored texts then keep their earlier values and the result is false.
bool MeasureJpeg(const std::string& path, TParseStruct& context);
bool MeasureGif(const std::string& path, TParseStruct& context);

// "width=W height=H" for the file (a GIF is measured by its first image),
// or empty text when the file cannot be read or decoded.
std::string JpegSizeText(const std::string& path);
std::string GifSizeText(const std::string& path);

// The replacement of an image include whose content (the text between "<&"
// and "&>") is `content`: an <img> tag with the measured width and height, or
// "<!-- ERROR: content -->" when the image folder holds no such file. A file
// that exists but cannot be measured gives the tag without width and height
// (never the size of an earlier image). Both are warnings at the markup's
// place (context.Page.Origins.MarkupAt()). `content` is expected to end in
// an image kind's extension (in any case).
std::string ImageInclude(TParseStruct& context, const std::string& content);

// The line InsertImage and InsertImageEx give for a file that does not exist.
inline constexpr char kNoImageFileLine[] = "<!-- File does not exist -->";

// The tag line written by the script routine InsertImage(File, Alt, Extra):
// File, or failing that the image folder's file of that name; the src is
// ImgPrefix and the file name; an alt attribute only when `alt` is 1; Extra
// (when not empty) before the closing '>'. kNoImageFileLine when neither
// file exists. Files of every image kind but .jpeg get a size, measured
// through the build's image cache (once per stamp of the file).
std::string InsertImage(BuildState& build, const std::string& file, int alt, const std::string& extra);

// As InsertImage with `prefix` in place of ImgPrefix and a final
// border=`border` attribute.
std::string InsertImageEx(BuildState& build, const std::string& file, int alt, const std::string& extra,
                          const std::string& prefix, int border);

}  // namespace orv
