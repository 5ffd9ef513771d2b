#include "edit/text_codec.h"

#include <gtest/gtest.h>

#include <random>

namespace orv::edit {
namespace {

using namespace std::string_literals;

// Every file reads and writes back byte for byte, in the format found.
void ExpectRoundTrip(const std::string& bytes) {
  const TextFormat format = DetectTextFormat(bytes, LineEnd::CrLf);
  std::string written;
  ASSERT_TRUE(EncodeText(DecodeText(bytes, format.Encoding), format.Encoding, written));
  EXPECT_EQ(written, bytes);
}

TEST(TextCodecTest, EncodingsAreFoundAndKept) {
  const struct {
    std::string bytes;
    TextEncoding encoding;
    std::string utf8;
  } cases[] = {
      {"plain <b>ascii</b>"s, TextEncoding::Utf8, "plain <b>ascii</b>"s},
      {"caf\xC3\xA9"s, TextEncoding::Utf8, "caf\xC3\xA9"s},
      {"\xEF\xBB\xBFwith bom"s, TextEncoding::Utf8Bom, "with bom"s},
      {"caf\xE9 \x93quoted\x94 \x80"s, TextEncoding::Windows1252, "caf\xC3\xA9 \xE2\x80\x9Cquoted\xE2\x80\x9D \xE2\x82\xAC"s},
      {"\xFF\xFEh\0i\0"s, TextEncoding::Utf16Le, "hi"s},
      {"\xFE\xFF\0h\0i"s, TextEncoding::Utf16Be, "hi"s},
      {"\xFF\xFE\x3D\xD8\x00\xDE"s, TextEncoding::Utf16Le, "\xF0\x9F\x98\x80"s},  // a surrogate pair
      // Not UTF-16 after all (odd length, lone surrogate): the bytes as they are.
      {"\xFF\xFEh"s, TextEncoding::Windows1252, "\xC3\xBF\xC3\xBEh"s},
      {"\xFF\xFE\x00\xDC"s, TextEncoding::Windows1252, "\xC3\xBF\xC3\xBE\x00\xC3\x9C"s},
      // Overlong, surrogate and cut-short UTF-8 are not UTF-8.
      {"\xC0\xAF"s, TextEncoding::Windows1252, "\xC3\x80\xC2\xAF"s},
      {"\xED\xA0\x80"s, TextEncoding::Windows1252, "\xC3\xAD\xC2\xA0\xE2\x82\xAC"s},
      {"ab\xE2\x82"s, TextEncoding::Windows1252, "ab\xC3\xA2\xE2\x80\x9A"s},
      // A BOM before text that is not UTF-8.
      {"\xEF\xBB\xBF\xE9"s, TextEncoding::Windows1252, "\xC3\xAF\xC2\xBB\xC2\xBF\xC3\xA9"s},
      // The unused bytes of code page 1252 keep their numbers.
      {"\x81\x8D\x8F\x90\x9D"s, TextEncoding::Windows1252, "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"s},
      {"zero\0byte"s, TextEncoding::Utf8, "zero\0byte"s},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.bytes);
    EXPECT_EQ(DetectTextFormat(c.bytes, LineEnd::Lf).Encoding, c.encoding);
    EXPECT_EQ(DecodeText(c.bytes, c.encoding), c.utf8);
    ExpectRoundTrip(c.bytes);
  }
}

TEST(TextCodecTest, LineEndsAreTheMostUsedOne) {
  EXPECT_EQ(DetectTextFormat("a\r\nb\r\nc\nd", LineEnd::Lf).LineEnds, LineEnd::CrLf);
  EXPECT_EQ(DetectTextFormat("a\nb\r\nc\n", LineEnd::CrLf).LineEnds, LineEnd::Lf);
  EXPECT_EQ(DetectTextFormat("a\rb\r", LineEnd::CrLf).LineEnds, LineEnd::Cr);
  EXPECT_EQ(DetectTextFormat("a\rb\n", LineEnd::CrLf).LineEnds, LineEnd::Cr);  // a tie: the first
  EXPECT_EQ(DetectTextFormat("one line", LineEnd::Lf).LineEnds, LineEnd::Lf);
  EXPECT_EQ(DetectTextFormat("", LineEnd::CrLf).LineEnds, LineEnd::CrLf);
  EXPECT_EQ(DetectTextFormat(std::string("\xFF\xFE" "a\0\n\0b\0\n\0", 10), LineEnd::CrLf).LineEnds, LineEnd::Lf);
}

TEST(TextCodecTest, WhatAnEncodingCannotHoldIsRefused) {
  std::string bytes = "unchanged";
  EXPECT_FALSE(EncodeText("\xE4\xB8\xAD", TextEncoding::Windows1252, bytes));  // a Chinese character
  EXPECT_EQ(bytes, "unchanged");
  EXPECT_TRUE(EncodeText("\xE2\x82\xAC 5", TextEncoding::Windows1252, bytes));
  EXPECT_EQ(bytes, "\x80 5");
  EXPECT_FALSE(EncodeText("\xFF", TextEncoding::Utf8, bytes));
  EXPECT_TRUE(EncodeText("x", TextEncoding::Utf8Bom, bytes));
  EXPECT_EQ(bytes, "\xEF\xBB\xBFx");
}

TEST(TextCodecTest, RandomBytesRoundTrip) {
  std::mt19937 random(26);
  for (int round = 0; round < 2000; ++round) {
    std::string bytes(random() % 40, '\0');
    for (char& c : bytes) c = static_cast<char>(random() % 4 == 0 ? 0x80 + random() % 0x80 : random() % 0x100);
    if (round % 3 == 0) bytes.insert(0, round % 2 ? "\xFF\xFE" : "\xEF\xBB\xBF");
    ExpectRoundTrip(bytes);
  }
}

TEST(TextCodecTest, ConvertLineEnds) {
  EXPECT_EQ(ConvertLineEnds("a\r\nb\nc\rd", LineEnd::Lf), "a\nb\nc\nd");
  EXPECT_EQ(ConvertLineEnds("a\nb\r\n", LineEnd::CrLf), "a\r\nb\r\n");
  EXPECT_EQ(ConvertLineEnds("\r\r\n", LineEnd::Cr), "\r\r");
}

}  // namespace
}  // namespace orv::edit
