// The colour picker binding when the picker cannot be used: it says why and
// never calls anything.
#include <gtest/gtest.h>

#include "tagwiz/colour_picker.h"

namespace orv {
namespace {

TEST(ColourPickerTest, MissingLibraryIsReported) {
  TPickedColour colour{"keep", "keep"};
  try {
    PickColour(colour, "libno-such-huepick.so");
    FAIL() << "no error";
  } catch (const EColourPickerMissing& error) {
    EXPECT_NE(std::string(error.what()).find("libno-such-huepick.so cannot be loaded"), std::string::npos)
        << error.what();
  }
  EXPECT_EQ(colour.Html, "keep");
}

TEST(ColourPickerTest, MissingExportIsReported) {
  TPickedColour colour;
  try {
    PickColour(colour, "libc.so.6");
    FAIL() << "no error";
  } catch (const EColourPickerMissing& error) {
    EXPECT_NE(std::string(error.what()).find("has no HuepickDouble"), std::string::npos) << error.what();
  }
}

}  // namespace
}  // namespace orv
