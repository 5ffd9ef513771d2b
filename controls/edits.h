// Labels and text editors: TLabel (QLabel), TEdit (QLineEdit) and TMemo
// (QPlainTextEdit). Edits keep their text in the control until the widget
// exists and read it from the widget afterwards.
#pragma once

#include "components/string_list.h"
#include "controls/control.h"
#include "controls/text_selection.h"

class QLineEdit;
class QPlainTextEdit;

namespace orv {

// Text alignments, character cases and scroll-bar choices.
enum : int { taLeftJustify = 0, taRightJustify = 1, taCenter = 2 };
enum : int { ecNormal = 0, ecUpperCase = 1, ecLowerCase = 2 };
enum : int { ssNone = 0, ssHorizontal = 1, ssVertical = 2, ssBoth = 3 };

// A text that the user cannot edit.
class TCustomLabel : public TGraphicControl {
 public:
  explicit TCustomLabel(TComponent* owner);
  std::string ClassName() const override { return "TCustomLabel"; }

  int Alignment() const { return alignment_; }
  void SetAlignment(int alignment);
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool auto_size);
  bool WordWrap() const { return word_wrap_; }
  void SetWordWrap(bool wrap);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent) { transparent_ = transparent; }
  bool ShowAccelChar() const { return show_accel_char_; }
  void SetShowAccelChar(bool show) { show_accel_char_ = show; }
  TWinControl* FocusControl() const { return focus_control_; }
  void SetFocusControl(TWinControl* control) { focus_control_ = control; }

  void SetCaption(std::string_view caption) override;
  // With AutoSize (and no word wrap) the size follows the text.
  void SetBounds(int left, int top, int width, int height) override;
  void ChangeScale(int multiplier, int divider) override;
  void Loaded() override;

 protected:
  QWidget* CreateWidget(QWidget* parent) override;
  void ApplyCaption() override;
  void FontChanged() override { FitText(); }
  // A label read before there was an application to measure its text with
  // fits it once its widget is made.
  void WidgetCreated() override { FitText(); }

 private:
  void FitText() { SetBounds(Left(), Top(), Width(), Height()); }
  // The caption as shown: "&" accelerator marks dropped, "&&" as "&".
  std::string ShownCaption() const;

  int alignment_ = taLeftJustify;
  bool auto_size_ = true;
  bool word_wrap_ = false;
  bool transparent_ = false;
  bool show_accel_char_ = true;
  TWinControl* focus_control_ = nullptr;
};

// The TLabel class as forms and scripts use it (TCustomLabel with its properties published).
class TLabel : public TCustomLabel {
 public:
  using TCustomLabel::TCustomLabel;
  std::string ClassName() const override { return "TLabel"; }
};

// A single-line text editor.
class TCustomEdit : public TWinControl {
 public:
  explicit TCustomEdit(TComponent* owner);
  std::string ClassName() const override { return "TCustomEdit"; }

  std::string Caption() const override;
  // Sets the text as the edit's CharCase and MaxLength make it.
  void SetCaption(std::string_view caption) override;
  bool Modified() const { return modified_; }
  void SetModified(bool modified) { modified_ = modified; }
  int SelStart() const;
  void SetSelStart(int start);
  int SelLength() const;
  void SetSelLength(int length);
  std::string SelText() const;
  void SetSelText(std::string_view text);
  void Clear() { SetText(""); }
  void ClearSelection() { SetSelText(""); }
  void SelectAll();
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();

  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool read_only);
  int MaxLength() const { return max_length_; }
  void SetMaxLength(int length);
  int BorderStyle() const { return border_style_; }
  void SetBorderStyle(int style);
  int CharCase() const { return char_case_; }
  void SetCharCase(int char_case);
  std::string PasswordChar() const { return password_char_; }
  void SetPasswordChar(std::string_view text);
  bool AutoSelect() const { return auto_select_; }
  void SetAutoSelect(bool value) { auto_select_ = value; }
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool value) { auto_size_ = value; }
  bool OemConvert() const { return oem_convert_; }
  void SetOemConvert(bool value) { oem_convert_ = value; }

  TMethod OnChange;

 protected:
  QWidget* CreateWidget(QWidget* parent) override;
  void ApplyCaption() override;
  QPalette::ColorRole ColorRole() const override { return QPalette::Base; }
  int DefaultColor() const override { return clWindow; }
  // Turns the text into the character case the edit asks for.
  std::string Cased(std::string_view text) const;
  virtual void TextChanged();

 private:
  QLineEdit* Line() const;

  bool modified_ = false;
  bool read_only_ = false;
  int max_length_ = 0;
  int border_style_ = 1;
  int char_case_ = ecNormal;
  std::string password_char_ = std::string(1, '\0');
  bool auto_select_ = true;
  bool auto_size_ = true;
  bool oem_convert_ = false;
  TextSelection selection_;
};

// The TEdit class as forms and scripts use it (TCustomEdit with its properties published).
class TEdit : public TCustomEdit {
 public:
  using TCustomEdit::TCustomEdit;
  std::string ClassName() const override { return "TEdit"; }
};

// A multi-line text editor whose lines are a string list.
class TCustomMemo : public TCustomEdit {
 public:
  explicit TCustomMemo(TComponent* owner);
  std::string ClassName() const override { return "TCustomMemo"; }

  TStringList* Lines() const { return lines_.get(); }
  // The text reads back as it was set: its lines joined with CR LF, with a
  // final line break only when the text set had one. After a change through
  // Lines it is Lines.Text (every line ended by CR LF).
  std::string Caption() const override;
  void SetCaption(std::string_view text) override;

  int Alignment() const { return alignment_; }
  void SetAlignment(int alignment) { alignment_ = alignment; }
  int ScrollBars() const { return scroll_bars_; }
  void SetScrollBars(int bars);
  bool WantReturns() const { return want_returns_; }
  void SetWantReturns(bool value) { want_returns_ = value; }
  bool WantTabs() const { return want_tabs_; }
  void SetWantTabs(bool value);
  bool WordWrap() const { return word_wrap_; }
  void SetWordWrap(bool wrap);

 protected:
  QWidget* CreateWidget(QWidget* parent) override;
  void ApplyCaption() override;

 private:
  QPlainTextEdit* Editor() const;

  std::unique_ptr<TStringList> lines_;
  bool syncing_ = false;
  bool setting_text_ = false;
  bool final_break_ = false;
  int alignment_ = taLeftJustify;
  int scroll_bars_ = ssNone;
  bool want_returns_ = true;
  bool want_tabs_ = false;
  bool word_wrap_ = true;
};

// The TMemo class as forms and scripts use it (TCustomMemo with its properties published).
class TMemo : public TCustomMemo {
 public:
  using TCustomMemo::TCustomMemo;
  std::string ClassName() const override { return "TMemo"; }
};

}  // namespace orv
