#include "sys/form_builder.h"

namespace orv {

void OnEvent(TMethod& event, std::function<void()> handler) {
  event.code = [handler = std::move(handler)](TObject*, EventArgs&) { handler(); };
}

FormBuilder::FormBuilder(TForm& form, std::string_view name, std::string_view caption, int width, int height)
    : form_(form) {
  form_.SetName(name);
  form_.SetCaption(caption);
  form_.SetBorderStyle(bsDialog);
  form_.SetPosition(poScreenCenter);
  form_.SetClientWidth(width);
  form_.SetClientHeight(height);
}

TButton* FormBuilder::CancelButton(int left, int top, std::string_view caption) {
  auto* button = Add<TButton>(nullptr, left, top, 75, 25, caption);
  button->SetCancel(true);
  button->SetModalResult(mrCancel);
  return button;
}

TButton* FormBuilder::OkButton(int left, int top) {
  auto* button = Add<TButton>(nullptr, left, top, 75, 25, "&OK");
  button->SetDefault(true);
  button->SetModalResult(mrOk);
  return button;
}

TLabel* FormBuilder::Text(TWinControl* parent, int left, int top, int width, int height, std::string_view text) {
  auto* label = Add<TLabel>(parent, left, top, width, height);
  // Made with AutoSize, the empty label shrank to no width: it gets its
  // bounds again once its size no longer follows the text.
  label->SetAutoSize(false);
  label->SetWordWrap(true);
  label->SetBounds(left, top, width, height);
  label->SetCaption(text);
  return label;
}

TTabSheet* FormBuilder::Page(TPageControl* pages, std::string_view caption) {
  auto* sheet = Named(new TTabSheet(&form_));
  sheet->SetPageControl(pages);
  sheet->SetCaption(caption);
  return sheet;
}

}  // namespace orv
