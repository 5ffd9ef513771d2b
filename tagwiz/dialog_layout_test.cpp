// Every insert dialog as a user with another font or another window size
// sees it: laid out for the usual font, for a 1.5 times larger one and
// enlarged, no control overlaps another, none sticks out of its parent and
// no text is cut.
#include <gmock/gmock.h>

#include <functional>
#include <memory>

#include "controls/layout_test_support.h"
#include "tagwiz/frm_activex.h"
#include "tagwiz/frm_css.h"
#include "tagwiz/frm_hyperlink.h"
#include "tagwiz/frm_java.h"
#include "tagwiz/frm_table.h"
#include "tagwiz/test/tagwiz_test_support.h"

namespace orv::test {
namespace {

using DialogLayoutTest = DialogTest;

TEST_F(DialogLayoutTest, EveryDialogAdaptsToItsFontAndSize) {
  const std::function<std::unique_ptr<TForm>()> dialogs[] = {
      [] { return std::make_unique<TFrmHyperLink>(nullptr, nullptr); },
      [] { return std::make_unique<TFrmTable>(nullptr, nullptr, true); },
      [] { return std::make_unique<TFrmCSS>(nullptr); },
      [] { return std::make_unique<TFrmActiveX>(nullptr, nullptr, true); },
      [] { return std::make_unique<TFrmJava>(nullptr, nullptr, true); },
  };
  for (const auto& make : dialogs) {
    std::unique_ptr<TForm> form = make();
    EXPECT_EQ(FormFileRoundTripChange(*form), "") << form->Name();
    EXPECT_THAT(LayoutProblemsAtEverySize(*form), testing::IsEmpty()) << form->Name();
  }
}

TEST_F(DialogLayoutTest, PicturesAtBothFontsForTheDocumentation) {
  TFrmTable table(nullptr, nullptr, true);
  SaveLayoutScreenshots(table, "frm_table");
}

}  // namespace
}  // namespace orv::test
