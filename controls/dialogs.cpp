#include "controls/dialogs.h"

#include <QApplication>
#include <QFontMetrics>
#include <QStyle>
#include <algorithm>
#include <memory>

#include "components/form_resource.h"
#include "controls/application_link.h"
#include "controls/buttons.h"
#include "controls/edits.h"
#include "controls/form.h"
#include "controls/graphic_controls.h"
#include "controls/qt_application.h"
#include "controls/qt_text.h"
#include "platform/message_service.h"

namespace orv {
namespace {

// One button of a message dialog.
struct ButtonKind {
  int button;
  const char* name;
  const char* caption;
  int result;
};

constexpr ButtonKind kButtons[] = {
    {mbYes, "Yes", "&Yes", mrYes},          {mbNo, "No", "&No", mrNo},
    {mbOK, "OK", "OK", mrOk},               {mbCancel, "Cancel", "Cancel", mrCancel},
    {mbAbort, "Abort", "&Abort", mrAbort},  {mbRetry, "Retry", "&Retry", mrRetry},
    {mbIgnore, "Ignore", "&Ignore", mrIgnore}, {mbAll, "All", "&All", mrAll},
    {mbNoToAll, "NoToAll", "N&o to All", 9}, {mbYesToAll, "YesToAll", "Yes to &All", 10},
    {mbHelp, "Help", "&Help", mrNone},
};

constexpr int kMargin = 8;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonGap = 6;

const char* TypeCaption(int type) {
  switch (type) {
    case mtWarning: return "Warning";
    case mtError: return "Error";
    case mtInformation: return "Information";
    case mtConfirmation: return "Confirmation";
    default: return nullptr;
  }
}

// The icon of a message's type, by its name in the desktop's icon theme.
const char* TypeIcon(int type) {
  switch (type) {
    case mtWarning: return "dialog-warning";
    case mtError: return "dialog-error";
    case mtConfirmation: return "dialog-question";
    default: return "dialog-information";
  }
}

// A control of a dialog form at the given place.
template <class T>
T* AddControl(TForm& form, const char* name, int left, int top, int width, int height) {
  auto* control = new T(&form);
  control->SetName(name);
  control->SetParent(&form);
  control->SetBounds(left, top, width, height);
  return control;
}

// A dialog form without controls yet.
std::unique_ptr<TForm> NewDialogForm(const char* name, const std::string& caption) {
  EnsureQtApplication();
  auto form = std::make_unique<TForm>(nullptr);
  form->SetName(name);
  form->SetCaption(caption);
  form->SetBorderStyle(bsDialog);
  form->SetPosition(poScreenCenter);
  return form;
}

int RunAt(TForm& form, int x, int y) {
  if (x >= 0 && y >= 0) {
    form.SetPosition(poDesigned);
    form.SetBounds(x, y, form.Width(), form.Height());
  }
  return form.ShowModal();
}

}  // namespace

TForm* CreateMessageDialog(const std::string& text, int type, const std::vector<int>& buttons) {
  const char* type_caption = TypeCaption(type);
  std::unique_ptr<TForm> form = NewDialogForm("MessageDlg", type_caption ? type_caption : LinkedApplication().Title());
  std::vector<const ButtonKind*> shown;
  for (const ButtonKind& kind : kButtons)
    if (std::find(buttons.begin(), buttons.end(), kind.button) != buttons.end()) shown.push_back(&kind);
  if (shown.empty()) shown.push_back(&kButtons[2]);

  QFontMetrics metrics(form->Font()->ToQFont());
  QRect text_size = metrics.boundingRect(QRect(0, 0, 400, 2000), Qt::TextWordWrap | Qt::AlignLeft,
                                         ToQString(text));
  int left = kMargin;
  int content_height = text_size.height();
  if (type_caption) {
    auto* image = AddControl<TImage>(*form, "Image", kMargin, kMargin, 32, 32);
    image->Picture()->SetIconName(TypeIcon(type));
    left += 32 + 12;
    content_height = std::max(content_height, 32);
  }
  auto* label = AddControl<TLabel>(*form, "Message", 0, 0, 0, 0);
  label->SetAutoSize(false);
  label->SetWordWrap(true);
  label->SetCaption(text);
  label->SetBounds(left, kMargin + (content_height - text_size.height()) / 2, text_size.width() + 4,
                   text_size.height());

  int count = static_cast<int>(shown.size());
  int buttons_width = count * kButtonWidth + (count - 1) * kButtonGap;
  int width = std::max(left + text_size.width() + 4 + kMargin, buttons_width + 2 * kMargin);
  int top = kMargin + content_height + 16;
  int x = (width - buttons_width) / 2;
  bool has_default = false;
  bool has_cancel = false;
  for (const ButtonKind* kind : shown) {
    auto* button = AddControl<TButton>(*form, kind->name, x, top, kButtonWidth, kButtonHeight);
    button->SetCaption(kind->caption);
    button->SetModalResult(kind->result);
    x += kButtonWidth + kButtonGap;
    if (!has_default && (kind->button == mbOK || kind->button == mbYes)) {
      button->SetDefault(true);
      form->SetActiveControl(button);
      has_default = true;
    }
    if (!has_cancel && (kind->button == mbCancel || kind->button == mbNo)) {
      button->SetCancel(true);
      has_cancel = true;
    }
  }
  if (!has_cancel)
    if (auto* only_ok = dynamic_cast<TButton*>(form->FindComponent("OK"))) only_ok->SetCancel(true);
  form->SetClientWidth(width);
  form->SetClientHeight(top + kButtonHeight + kMargin);
  return form.release();
}

int MessageDlg(const std::string& text, int type, const std::vector<int>& buttons, int help_context) {
  return MessageDlgPos(text, type, buttons, help_context, -1, -1);
}

int MessageDlgPos(const std::string& text, int type, const std::vector<int>& buttons, int, int x, int y) {
  std::unique_ptr<TForm> form(CreateMessageDialog(text, type, buttons));
  if (WindowsUnseen()) {
    MessageKind kind = type == mtError ? MessageKind::Error : type == mtWarning ? MessageKind::Warning : MessageKind::Information;
    orv::ShowMessage(kind, form->Caption(), text);
  }
  return RunAt(*form, x, y);
}

void ShowMessage(const std::string& text) { ShowMessagePos(text, -1, -1); }

void ShowMessagePos(const std::string& text, int x, int y) { MessageDlgPos(text, mtCustom, {mbOK}, 0, x, y); }

bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) {
  EnsureQtApplication();
  TForm form(nullptr);
  TLabel* label = nullptr;
  TEdit* edit = nullptr;
  ReadFormResource(form, "TInputQueryForm", {},
                   {{"Prompt", [&](TComponent* c) { return (label = dynamic_cast<TLabel*>(c)) != nullptr; }},
                    {"Edit", [&](TComponent* c) { return (edit = dynamic_cast<TEdit*>(c)) != nullptr; }}});
  form.SetCaption(caption);
  label->SetCaption(prompt);
  edit->SetText(value);
  // A long prompt widens the box; the edit and the buttons follow its right edge.
  form.SetClientWidth(std::max(form.ClientWidth(), label->Left() + label->Width() + kMargin));
  bool ok = form.ShowModal() == mrOk;
  value = edit->Text();
  return ok;
}

std::string InputBox(const std::string& caption, const std::string& prompt, const std::string& default_value) {
  std::string value = default_value;
  return InputQuery(caption, prompt, value) ? value : default_value;
}

}  // namespace orv
