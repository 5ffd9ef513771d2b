// The common dialogs on Qt's own dialogs (never the desktop's native ones,
// so they also run headless): TOpenDialog and TSaveDialog (QFileDialog),
// TColorDialog (QColorDialog), TFontDialog (QFontDialog), TPrintDialog
// (QPrintDialog), TPrinterSetupDialog (QPageSetupDialog), and TFindDialog
// and TReplaceDialog, which are forms of the library's components. Each
// dialog's objectName is the component's name.
#pragma once

#include <memory>

#include "components/component.h"
#include "components/property_value.h"
#include "components/string_list.h"
#include "controls/graphics.h"

class QDialog;

namespace orv {

class TForm;
class TEdit;
class TCheckBox;

enum : int { fdScreen = 0, fdPrinter = 1, fdBoth = 2 };
enum : int { prAllPages = 0, prSelection = 1, prPageNums = 2 };
enum : int { fsEdit = 0, fsComboBox = 1 };
// TOpenDialog options (bits of Options).
enum : int64_t { ofAllowMultiSelect = int64_t{1} << 9, ofFileMustExist = int64_t{1} << 12 };

// Base of the common dialogs.
class TCommonDialog : public TComponent {
 public:
  using TComponent::TComponent;
  std::string ClassName() const override { return "TCommonDialog"; }
  bool Ctl3D() const { return ctl3d_; }
  void SetCtl3D(bool value) { ctl3d_ = value; }
  int HelpContext() const { return help_context_; }
  void SetHelpContext(int value) { help_context_ = value; }
  // Shows the dialog modally; true when the user accepted it.
  virtual bool Execute() = 0;

  TMethod OnShow;
  TMethod OnClose;

 protected:
  // Runs a Qt dialog modally under the component's name; true on accept.
  bool Run(QDialog& dialog);

 private:
  bool ctl3d_ = true;
  int help_context_ = 0;
};

// Choosing a file to open.
class TOpenDialog : public TCommonDialog {
 public:
  explicit TOpenDialog(TComponent* owner);
  std::string ClassName() const override { return "TOpenDialog"; }
  bool Execute() override;

  const std::string& FileName() const { return file_name_; }
  void SetFileName(std::string_view name) { file_name_ = name; }
  // "Text files|*.txt|All files|*.*": pairs of description and patterns.
  const std::string& Filter() const { return filter_; }
  void SetFilter(std::string_view filter) { filter_ = filter; }
  int FilterIndex() const { return filter_index_; }
  void SetFilterIndex(int index) { filter_index_ = index; }
  const std::string& InitialDir() const { return initial_dir_; }
  void SetInitialDir(std::string_view dir) { initial_dir_ = dir; }
  const std::string& DefaultExt() const { return default_ext_; }
  void SetDefaultExt(std::string_view ext) { default_ext_ = ext; }
  const std::string& Title() const { return title_; }
  void SetTitle(std::string_view title) { title_ = title; }
  int64_t Options() const { return options_; }
  void SetOptions(int64_t options) { options_ = options; }
  int FileEditStyle() const { return file_edit_style_; }
  void SetFileEditStyle(int style) { file_edit_style_ = style; }
  TStringList* Files() const { return files_.get(); }
  TStringList* HistoryList() const { return history_.get(); }

 protected:
  // Runs the file dialog, saving when `save` is set.
  bool ExecuteFor(bool save);

 private:
  std::string file_name_;
  std::string filter_;
  int filter_index_ = 1;
  std::string initial_dir_;
  std::string default_ext_;
  std::string title_;
  int64_t options_ = 0;
  int file_edit_style_ = fsEdit;
  std::unique_ptr<TStringList> files_;
  std::unique_ptr<TStringList> history_;
};

// Choosing a file name to save under.
class TSaveDialog : public TOpenDialog {
 public:
  using TOpenDialog::TOpenDialog;
  std::string ClassName() const override { return "TSaveDialog"; }
  bool Execute() override { return ExecuteFor(true); }
};

// Choosing a colour; CustomColors holds lines "ColorA=RRGGBB" ... "ColorP=...".
class TColorDialog : public TCommonDialog {
 public:
  explicit TColorDialog(TComponent* owner);
  std::string ClassName() const override { return "TColorDialog"; }
  bool Execute() override;
  int Color() const { return color_; }
  void SetColor(int color) { color_ = color; }
  TStringList* CustomColors() const { return custom_colors_.get(); }

 private:
  int color_ = 0;
  std::unique_ptr<TStringList> custom_colors_;
};

// Choosing a font.
class TFontDialog : public TCommonDialog {
 public:
  explicit TFontDialog(TComponent* owner);
  std::string ClassName() const override { return "TFontDialog"; }
  bool Execute() override;
  TFont* Font() const { return font_.get(); }
  int Device() const { return device_; }
  void SetDevice(int device) { device_ = device; }
  int MinFontSize() const { return min_size_; }
  void SetMinFontSize(int size) { min_size_ = size; }
  int MaxFontSize() const { return max_size_; }
  void SetMaxFontSize(int size) { max_size_ = size; }

 private:
  std::unique_ptr<TFont> font_;
  int device_ = fdScreen;
  int min_size_ = 0;
  int max_size_ = 0;
};

// The printer's page setup.
class TPrinterSetupDialog : public TCommonDialog {
 public:
  using TCommonDialog::TCommonDialog;
  std::string ClassName() const override { return "TPrinterSetupDialog"; }
  bool Execute() override;
};

// Choosing what to print: copies, page range, collation.
class TPrintDialog : public TCommonDialog {
 public:
  using TCommonDialog::TCommonDialog;
  std::string ClassName() const override { return "TPrintDialog"; }
  bool Execute() override;
  bool Collate() const { return collate_; }
  void SetCollate(bool value) { collate_ = value; }
  bool PrintToFile() const { return print_to_file_; }
  void SetPrintToFile(bool value) { print_to_file_ = value; }
  int Copies() const { return copies_; }
  void SetCopies(int value) { copies_ = value; }
  int FromPage() const { return from_page_; }
  void SetFromPage(int value) { from_page_ = value; }
  int ToPage() const { return to_page_; }
  void SetToPage(int value) { to_page_ = value; }
  int MinPage() const { return min_page_; }
  void SetMinPage(int value) { min_page_ = value; }
  int MaxPage() const { return max_page_; }
  void SetMaxPage(int value) { max_page_ = value; }
  int PrintRange() const { return print_range_; }
  void SetPrintRange(int value) { print_range_ = value; }

 private:
  bool collate_ = false;
  bool print_to_file_ = false;
  int copies_ = 1;
  int from_page_ = 0;
  int to_page_ = 0;
  int min_page_ = 0;
  int max_page_ = 0;
  int print_range_ = prAllPages;
};

// A modeless search box: "Find what" (FindEdit), Match case (MatchCase),
// Find Next (FindNext) and Cancel; Find Next runs OnFind.
class TFindDialog : public TCommonDialog {
 public:
  explicit TFindDialog(TComponent* owner);
  ~TFindDialog() override;
  std::string ClassName() const override { return "TFindDialog"; }
  // Shows the box (it stays open until closed) and returns true.
  bool Execute() override;
  void CloseDialog();

  std::string FindText() const;
  void SetFindText(std::string_view text);
  int Left() const { return left_; }
  void SetLeft(int left) { left_ = left; }
  int Top() const { return top_; }
  void SetTop(int top) { top_ = top; }
  // The dialog's form, while it exists (0 otherwise): its object handle.
  int Handle() const;
  bool MatchCase() const;

  TMethod OnFind;

 protected:
  // Makes the form; TReplaceDialog adds its own parts.
  virtual void Build(TForm& form);
  TForm* Form() const { return form_.get(); }

 private:
  std::unique_ptr<TForm> form_;
  std::string find_text_;
  int left_ = -1;
  int top_ = -1;
};

// A search-and-replace box: adds "Replace with" (ReplaceEdit), Replace
// (Replace) and Replace All (ReplaceAll), which run OnReplace.
class TReplaceDialog : public TFindDialog {
 public:
  using TFindDialog::TFindDialog;
  std::string ClassName() const override { return "TReplaceDialog"; }
  std::string ReplaceText() const;
  void SetReplaceText(std::string_view text);
  // True when the last OnReplace came from Replace All.
  bool ReplaceAll() const { return replace_all_; }

  TMethod OnReplace;

 protected:
  void Build(TForm& form) override;

 private:
  std::string replace_text_;
  bool replace_all_ = false;
};

}  // namespace orv
