#include "edit/style_sheet_text.h"

#include <gtest/gtest.h>

#include "tagwiz/style_sheets.h"

namespace orv::edit {
namespace {

TEST(StyleSheetTextTest, OneRulePerStyle) {
  TCSSList styles;
  (new TStyleSheet(styles))->SetDefaults("body");
  auto* note = new TStyleSheet(styles);
  note->SetDefaults(".note");
  note->Texts[TStyleSheet::kFontStyle] = "Italic";
  note->Texts[TStyleSheet::kDecoration] = "Underline";
  note->Texts[TStyleSheet::kWeight] = "Bold";
  note->Texts[TStyleSheet::kAlign] = "Center";
  note->Texts[TStyleSheet::kLineHeight] = "";
  note->Texts[TStyleSheet::kTextHtml] = "#FF8000";
  EXPECT_EQ(StyleSheetText(styles, true),
            "<style type=\"text/css\">\n"
            "body {\n  font-family: Arial;\n  font-size: 9pt;\n  line-height: 9pt;\n  text-decoration: none;\n"
            "  text-align: left;\n  text-indent: 0pt;\n  margin-left: 0pt;\n  margin-right: 0pt;\n"
            "  color: #000000;\n  background-color: #FFFFFF;\n}\n"
            ".note {\n  font-family: Arial;\n  font-size: 9pt;\n  font-style: italic;\n"
            "  text-decoration: underline;\n  text-align: center;\n  font-weight: bold;\n  text-indent: 0pt;\n"
            "  margin-left: 0pt;\n  margin-right: 0pt;\n  color: #FF8000;\n  background-color: #FFFFFF;\n}\n"
            "</style>\n");
  TCSSList none;
  EXPECT_EQ(StyleSheetText(none, false), "<STYLE TYPE=\"text/css\">\n</STYLE>\n");
}

}  // namespace
}  // namespace orv::edit
