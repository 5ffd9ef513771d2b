#include "core/image/svg_size.h"

#include <array>
#include <cmath>
#include <cstdlib>
#include <new>
#include <string>

#include "core/image/image_errors.h"
#include "core/image/image_library.h"
#include "core/image/svg_root.h"

namespace orv {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// A number in the form of CSS and SVG (sign, digits, fraction, exponent) at
// the start of `text`, which it then leaves behind; nothing when there is
// none. strtod alone would also take "inf", "nan" and hexadecimal numbers.
std::optional<double> TakeNumber(std::string_view& text) {
  size_t i = 0;
  auto digits = [&text, &i] {
    size_t from = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i;
    return i - from;
  };
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  size_t whole = digits();
  size_t fraction = 0;
  if (i < text.size() && text[i] == '.') {
    ++i;
    fraction = digits();
  }
  if (whole + fraction == 0) return std::nullopt;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    size_t mark = i++;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (digits() == 0) i = mark;
  }
  const double value = std::strtod(std::string(text.substr(0, i)).c_str(), nullptr);
  text.remove_prefix(i);
  if (!std::isfinite(value)) return std::nullopt;
  return value;
}

bool SameUnit(std::string_view a, const char* b) {
  if (a.size() != std::char_traits<char>::length(b)) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if ((a[i] | 0x20) != b[i]) return false;
  return true;
}

// The outermost element's viewBox width and height, when it has a valid one
// (four numbers, width and height above 0).
std::optional<std::array<double, 2>> ViewBoxSize(std::string_view text) {
  std::array<double, 4> numbers{};
  for (size_t n = 0; n < numbers.size(); ++n) {
    text = Trim(text);
    if (n > 0 && !text.empty() && text.front() == ',') text = Trim(text.substr(1));
    std::optional<double> number = TakeNumber(text);
    if (!number) return std::nullopt;
    numbers[n] = *number;
  }
  if (!Trim(text).empty() || numbers[2] <= 0 || numbers[3] <= 0) return std::nullopt;
  return std::array<double, 2>{numbers[2], numbers[3]};
}

uint32_t WholePixels(double pixels) {
  const double rounded = std::round(pixels);
  if (!(rounded >= 0 && rounded <= 0x7fffffff)) throw EImageError("SVG image size is out of range");
  return static_cast<uint32_t>(rounded);
}

std::string_view LocalName(std::string_view name) {
  const size_t colon = name.find(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

// The XML parser's routine in liborvsvg.so (svg_root.h, image_library.h).
struct SvgLibrary {
  decltype(&orv_svg_read_root) ReadRoot = nullptr;
  ImageLibrary library;
};

void FindSvg(SvgLibrary& svg) { svg.library.Find("orv_svg_read_root", svg.ReadRoot); }

const SvgLibrary& Svg() { return LibraryRoutines<SvgLibrary, FindSvg>("SVG", "liborvsvg.so"); }

}  // namespace

std::optional<double> SvgLengthPixels(std::string_view text) {
  text = Trim(text);
  std::optional<double> number = TakeNumber(text);
  if (!number || *number < 0) return std::nullopt;
  static const std::array<std::pair<const char*, double>, 7> units = {{
      {"", 1}, {"px", 1}, {"in", 96}, {"cm", 96 / 2.54}, {"mm", 96 / 25.4}, {"pt", 96 / 72.0}, {"pc", 16}}};
  for (const auto& [unit, pixels] : units)
    if (SameUnit(text, unit)) return *number * pixels;
  return std::nullopt;
}

TImageSize ReadSvgSize(const ImageSource& source) {
  if (source.Size() > kMaxSvgBytes)
    throw EImageError("SVG file is larger than " + std::to_string(kMaxSvgBytes >> 20) + " MiB and is not measured");
  const std::string bytes = source.Read(0, kMaxSvgBytes);
  SvgRoot svg;
  if (!Svg().ReadRoot(bytes.data(), bytes.size(), &svg)) {
    if (svg.error.empty()) throw std::bad_alloc();
    throw EImageError("SVG file is not well-formed XML: " + svg.error);
  }
  if (LocalName(svg.name) != "svg") throw EImageError("SVG file's root element is not <svg>");
  const std::optional<double> width = SvgLengthPixels(svg.width);
  const std::optional<double> height = SvgLengthPixels(svg.height);
  if (width && height) return TImageSize{WholePixels(*width), WholePixels(*height)};
  const std::optional<std::array<double, 2>> box = ViewBoxSize(svg.view_box);
  if (!box) throw EImageError("SVG image gives no size: no absolute width and height and no viewBox");
  const double ratio = (*box)[1] / (*box)[0];
  if (width) return TImageSize{WholePixels(*width), WholePixels(*width * ratio)};
  if (height) return TImageSize{WholePixels(*height / ratio), WholePixels(*height)};
  return TImageSize{WholePixels((*box)[0]), WholePixels((*box)[1])};
}

}  // namespace orv
