// Measuring SVG images: the size of the outermost <svg> element, read with
// a real XML parser (pugixml, in liborvsvg.so: svg_root.h). The width and height attributes give it when
// both are absolute lengths; otherwise the viewBox fills in what is missing,
// as a browser sizes an SVG image:
//
//   <svg width="120" height="40">                  120 x 40
//   <svg width="2in" height="1cm">                 192 x 38 (96 pixels an inch)
//   <svg viewBox="0 0 300 100">                    300 x 100
//   <svg width="600" viewBox="0 0 300 100">        600 x 200 (the viewBox's proportions)
//   <svg width="50%" viewBox="0 0 300 100">        300 x 100 (a percentage is no size)
//
// Sizes are rounded to whole pixels. The parser expands no entities of a
// document type (no "billion laughs"), and files larger than kMaxSvgBytes are
// not measured, which bounds the parser's memory.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "core/image/image_size.h"
#include "core/image/image_source.h"

namespace orv {

inline constexpr size_t kMaxSvgBytes = 16u << 20;

// The size of the SVG image in `source`. Raises EImageError when the file is
// not well-formed XML, its root is not an svg element, it gives no size, or
// it is larger than kMaxSvgBytes, or liborvsvg.so cannot be loaded ("SVG
// images cannot be measured: liborvsvg.so cannot be loaded (REASON)");
// EInOutError when it cannot be read.
TImageSize ReadSvgSize(const ImageSource& source);

// An SVG length as pixels: a number with no unit or one of px, in, cm, mm,
// pt, pc (blanks around it allowed); nothing for percentages, font-relative
// units, negative numbers and anything else.
std::optional<double> SvgLengthPixels(std::string_view text);

}  // namespace orv
