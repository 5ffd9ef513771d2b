#include "edit/insertion.h"

#include "platform/paths.h"

namespace orv::edit {

Insertion ComposeInsertion(const InsertTexts& texts, const std::string& selection) {
  if (!SameText(texts.WrapFlag, "yes")) {
    std::string all = texts.Text + texts.CloseText;
    const size_t caret = all.size();
    return {std::move(all), caret};
  }
  const size_t caret = selection.empty() ? texts.Text.size() : texts.Text.size() + selection.size() + texts.CloseText.size();
  return {texts.Text + selection + texts.CloseText, caret};
}

}  // namespace orv::edit
