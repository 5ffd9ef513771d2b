#include "markup/dialog_parts.h"

#include "orv/host.h"
#include "platform/exception.h"
#include "platform/integer_text.h"
#include "platform/message_service.h"
#include "platform/window.h"

namespace orv {

TLabel* AddLabel(TForm& form, TWinControl& parent, const std::string& caption, int left, int top) {
  auto* label = Place<TLabel>(form, parent, "", left, top, 0, 0);
  label->SetCaption(caption);
  return label;
}

TGroupBox* AddGroup(TForm& form, TWinControl& parent, const std::string& caption, int left, int top, int width,
                    int height) {
  auto* group = Place<TGroupBox>(form, parent, "", left, top, width, height);
  group->SetCaption(caption);
  return group;
}

TLabel* AddNote(TForm& form, const std::string& text, int left, int top, int width, int height) {
  auto* note = Place<TLabel>(form, form, "", left, top, width, height);
  note->SetAutoSize(false);
  note->SetWordWrap(true);
  note->SetCaption(text);
  return note;
}

void SetUpDialog(TForm& form, const std::string& name, const std::string& caption, int width, int height) {
  form.SetName(name);
  form.SetCaption(caption);
  form.SetBorderStyle(bsDialog);
  form.SetPosition(poScreenCenter);
  form.SetClientWidth(width);
  form.SetClientHeight(height);
}

void AddOkCancel(TForm& form, int left, int top, std::function<void()> on_ok) {
  auto* ok = Place<TButton>(form, form, "Button1", left, top, 75, 25);
  ok->SetCaption("&OK");
  ok->SetDefault(true);
  ok->OnClick.code = [on_ok = std::move(on_ok)](TObject*, EventArgs&) { on_ok(); };
  auto* cancel = Place<TButton>(form, form, "Button2", left + 83, top, 75, 25);
  cancel->SetCaption("&Cancel");
  cancel->SetCancel(true);
  cancel->SetModalResult(mrCancel);
}

bool WholeNumbers(std::initializer_list<TCustomEdit*> boxes) {
  for (TCustomEdit* box : boxes) {
    try {
      StrToInt(box->Text());
    } catch (const EConvertError& error) {
      ShowMessage(MessageKind::Error, "", error.what());
      box->SetFocus();
      box->SelectAll();
      return false;
    }
  }
  return true;
}

void SendInsertRecord(HWND window, uint32_t message, const TInsertTexts& texts) {
  auto text_or_null = [](const std::string& text) { return text.empty() ? nullptr : text.c_str(); };
  const TInsertRecord record{text_or_null(texts.Text), text_or_null(texts.CloseText),
                             text_or_null(texts.WrapFlag)};
  SendMessage(window, message, 0, reinterpret_cast<LPARAM>(&record));
}

}  // namespace orv
