#include "core/image/svg_size.h"

#include <gtest/gtest.h>

#include <string>

#include "core/image/image_size_test_support.h"

namespace orv {
namespace {

const std::string kNs = " xmlns=\"http://www.w3.org/2000/svg\"";

std::string Result(const std::string& text) { return test::SizeOrError(ReadSvgSize, text); }

TEST(SvgSizeTest, SizeFromWidthHeightOrViewBox) {
  const struct {
    std::string svg;
    std::string result;
  } cases[] = {
      {"<svg" + kNs + " width=\"120\" height=\"40\"/>", "120x40"},
      {"<svg" + kNs + " width=\"2in\" height=\"1cm\"></svg>", "192x38"},
      {"<svg width=\" 10.5px \" height=\"20.4\"><g/></svg>", "11x20"},
      {"<svg width=\"1e2\" height=\"2E1PX\" viewBox=\"0 0 5 5\"/>", "100x20"},
      {"<svg width=\"3pt\" height=\"1pc\"/>", "4x16"},
      {"<svg width=\"10mm\" height=\"0\"/>", "38x0"},
      {"<svg viewBox=\"0 0 300 100\"/>", "300x100"},
      {"<svg viewBox=\" -5,-5 , 30.4 ,10.6\"/>", "30x11"},
      {"<svg width=\"600\" viewBox=\"0 0 300 100\"/>", "600x200"},
      {"<svg height=\"50\" viewBox=\"0 0 300 100\"/>", "150x50"},
      {"<svg width=\"50%\" height=\"50%\" viewBox=\"0 0 300 100\"/>", "300x100"},
      {"<svg width=\"10em\" height=\"5\" viewBox=\"0 0 4 2\"/>", "10x5"},
      {"<svg:svg xmlns:svg=\"http://www.w3.org/2000/svg\" width=\"7\" height=\"8\"/>", "7x8"},
      {"<?xml version=\"1.0\"?>\n<!-- logo -->\n<!DOCTYPE svg [<!ENTITY w \"9\">]>\n"
       "<svg" + kNs + " width=\"5\" height=\"6\"/>", "5x6"},
      // Entities of the document type are not expanded.
      {"<!DOCTYPE svg [<!ENTITY w \"9\">]><svg width=\"&w;\" height=\"6\" viewBox=\"0 0 4 2\"/>", "12x6"},
      {"\xef\xbb\xbf<svg width=\"1\" height=\"2\"/>", "1x2"},
  };
  for (const auto& c : cases) EXPECT_EQ(Result(c.svg), c.result) << c.svg;
}

TEST(SvgSizeTest, FilesWithoutASizeOrNotSvgAreRefused) {
  const std::string no_size = "SVG image gives no size: no absolute width and height and no viewBox";
  const struct {
    std::string svg;
    std::string result;
  } cases[] = {
      {"", "SVG file is not well-formed XML: No document element found at byte 0"},
      {"<svg width=\"1\" height=\"1\">", "SVG file is not well-formed XML: Start-end tags mismatch at byte 25"},
      {"<html width=\"1\" height=\"1\"/>", "SVG file's root element is not <svg>"},
      {"<svg/>", no_size},
      {"<svg width=\"10em\" height=\"5\"/>", no_size},
      {"<svg width=\"-5\" height=\"5\"/>", no_size},
      {"<svg width=\"inf\" height=\"nan\"/>", no_size},
      {"<svg width=\"0x10\" height=\"5\"/>", no_size},
      {"<svg viewBox=\"0 0 0 10\"/>", no_size},
      {"<svg viewBox=\"0 0 10\"/>", no_size},
      {"<svg viewBox=\"0 0 10 10 10\"/>", no_size},
      {"<svg width=\"1e30\" height=\"1\"/>", "SVG image size is out of range"},
  };
  for (const auto& c : cases) EXPECT_EQ(Result(c.svg), c.result) << c.svg;
}

TEST(SvgSizeTest, LargeFilesAreNotParsed) {
  std::string svg = "<svg width=\"1\" height=\"1\">" + std::string(kMaxSvgBytes, ' ') + "</svg>";
  EXPECT_EQ(Result(svg), "SVG file is larger than 16 MiB and is not measured");
}

TEST(SvgSizeTest, Lengths) {
  const struct {
    const char* text;
    double pixels;  // -1: no length
  } cases[] = {
      {"12", 12}, {"12px", 12}, {"1in", 96}, {"2.54cm", 96}, {"25.4mm", 96}, {"72pt", 96}, {"1pc", 16},
      {"+.5", 0.5}, {"5.", 5}, {"1e1", 10}, {"1e", -1}, {"", -1}, {"px", -1}, {"5 px", -1}, {"5%", -1},
      {"5em", -1}, {"5ex", -1}, {"-1", -1}, {"1e400", -1}, {"5pxx", -1},
  };
  for (const auto& c : cases) {
    std::optional<double> pixels = SvgLengthPixels(c.text);
    if (c.pixels < 0) EXPECT_FALSE(pixels) << c.text;
    else EXPECT_NEAR(pixels.value_or(-1), c.pixels, 1e-9) << c.text;
  }
}

}  // namespace
}  // namespace orv
