// The publishing dialog as a user with another font or another window size
// sees it, as dialog_layout_test.cpp checks the other dialogs (this one lives
// in its own library): no control overlaps another or sticks out, no text
// is cut, and its form file reads back as it was written.
#include <gmock/gmock.h>

#include "controls/layout_test_support.h"
#include "orvsys/dialogs/dialog_test_support.h"
#include "orvsys/publish_dialog/frm_publish.h"

namespace orv::test {
namespace {

using PublishDialogLayoutTest = DialogTest;

TEST_F(PublishDialogLayoutTest, TheDialogAdaptsToItsFontAndSize) {
  TFrmPublish form(Temp(), "Example");
  EXPECT_EQ(FormFileRoundTripChange(form), "");
  EXPECT_THAT(LayoutProblemsAtEverySize(form), testing::IsEmpty());
}

}  // namespace
}  // namespace orv::test
