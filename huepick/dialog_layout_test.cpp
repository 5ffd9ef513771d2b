// The colour dialog as a user with another font or another window size
// sees it: laid out for the usual font, for a 1.5 times larger one and
// enlarged, no control overlaps another, none sticks out of its parent and
// no text is cut; the grid and the spectrum fill their larger boxes.
#include <gmock/gmock.h>

#include "controls/graphic_controls.h"
#include "controls/layout_test_support.h"
#include "controls/qt_application.h"
#include "huepick/frm_color.h"

namespace orv {
namespace {

TEST(ColourLayoutTest, TheDialogAdaptsToItsFontAndSize) {
  EnsureQtApplication();
  TFrmColor form(nullptr);
  EXPECT_EQ(test::FormFileRoundTripChange(form), "");
  EXPECT_THAT(test::LayoutProblemsAtEverySize(form), testing::IsEmpty());
  // At the larger font the spectrum picture is shown as large as its box.
  form.Show();
  auto* box = dynamic_cast<TPaintBox*>(form.FindComponent("PaintBox1"));
  auto* image = dynamic_cast<TImage*>(form.FindComponent("Image1"));
  EXPECT_GT(box->Width(), 91);
  EXPECT_EQ(image->Picture()->Width(), box->Width());
  EXPECT_EQ(image->Picture()->Height(), box->Height());
  form.Hide();
}

TEST(ColourLayoutTest, PicturesAtBothFontsForTheDocumentation) {
  EnsureQtApplication();
  TFrmColor form(nullptr);
  test::SaveLayoutScreenshots(form, "frm_color");
}

}  // namespace
}  // namespace orv
