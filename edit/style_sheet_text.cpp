#include "edit/style_sheet_text.h"

#include <utility>
#include <vector>

#include "platform/paths.h"
#include "tagwiz/style_sheets.h"

namespace orv::edit {
namespace {

using Texts = TStyleSheet::TextArray;

// The declarations of one style, in the dialog's order.
std::vector<std::pair<const char*, std::string>> Declarations(const Texts& t) {
  const auto measure = [&](size_t value, size_t unit) { return t[value].empty() ? std::string() : t[value] + t[unit]; };
  std::vector<std::pair<const char*, std::string>> list = {
      {"font-family", t[TStyleSheet::kFamily]},
      {"font-size", measure(TStyleSheet::kSize, TStyleSheet::kSizeUnit)},
      {"line-height", measure(TStyleSheet::kLineHeight, TStyleSheet::kLineHeightUnit)},
  };
  // The dialog offers "Italic" both as a style and as a decoration.
  const bool italic = SameText(t[TStyleSheet::kFontStyle], "Italic") || SameText(t[TStyleSheet::kDecoration], "Italic");
  if (italic) list.emplace_back("font-style", "italic");
  const std::string& decoration = t[TStyleSheet::kDecoration];
  if (SameText(decoration, "Underline")) list.emplace_back("text-decoration", "underline");
  else if (SameText(decoration, "Strikethrough")) list.emplace_back("text-decoration", "line-through");
  else if (SameText(decoration, "None")) list.emplace_back("text-decoration", "none");
  list.emplace_back("text-align", LowerCase(t[TStyleSheet::kAlign]));
  if (SameText(t[TStyleSheet::kWeight], "Bold")) list.emplace_back("font-weight", "bold");
  list.emplace_back("text-indent", measure(TStyleSheet::kIndent, TStyleSheet::kIndentUnit));
  list.emplace_back("margin-left", measure(TStyleSheet::kLeftMargin, TStyleSheet::kLeftMarginUnit));
  list.emplace_back("margin-right", measure(TStyleSheet::kRightMargin, TStyleSheet::kRightMarginUnit));
  list.emplace_back("color", t[TStyleSheet::kTextHtml]);
  list.emplace_back("background-color", t[TStyleSheet::kBackHtml]);
  return list;
}

}  // namespace

std::string StyleSheetText(const TCSSList& styles, bool lower_case) {
  const std::string line_end = "\n";
  std::string text = std::string(lower_case ? "<style type=\"text/css\">" : "<STYLE TYPE=\"text/css\">") + line_end;
  for (int i = 0; i < styles.Count(); ++i) {
    const Texts& texts = styles.Items(i).Texts;
    text += texts[TStyleSheet::kName] + " {" + line_end;
    for (const auto& [property, value] : Declarations(texts))
      if (!value.empty()) text += std::string("  ") + property + ": " + value + ";" + line_end;
    text += "}" + line_end;
  }
  return text + (lower_case ? "</style>" : "</STYLE>") + line_end;
}

}  // namespace orv::edit
