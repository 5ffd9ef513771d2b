#include "controls/common_dialogs.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <cstdio>

#include "components/form_resource.h"
#include "controls/buttons.h"
#include "controls/edits.h"
#include "controls/form.h"
#include "controls/qt_application.h"
#include "controls/qt_text.h"

namespace orv {
namespace {

// One "label|patterns" pair as Qt's name filter "label (patterns)". Qt takes
// the patterns from the parentheses at the end, so they are shown once: a
// label that already ends with its own patterns ("All Files (*.*)", "All
// Palettes (*.pal, *.act)") gives them up to the ones appended. "*.*" means every file, as it did where the
// filters come from; on Linux most programs have no dot in their names, so
// it becomes "*".
QString QtFilter(const QString& label, const QString& patterns) {
  static const QRegularExpression separators("[;, ]+");
  QStringList applied = patterns.split(separators, Qt::SkipEmptyParts);
  QString shown = label.trimmed();
  const qsizetype open = shown.lastIndexOf('(');
  if (open >= 0 && shown.endsWith(')') &&
      shown.mid(open + 1, shown.size() - open - 2).split(separators, Qt::SkipEmptyParts) == applied)
    shown = shown.left(open).trimmed();
  for (QString& pattern : applied)
    if (pattern == "*.*") pattern = "*";
  return shown + " (" + applied.join(' ') + ")";
}

// "Text|*.txt;*.text|All|*.*" as Qt's "Text (*.txt *.text)", "All (*)".
QStringList QtFilters(const std::string& filter) {
  QStringList parts = ToQString(filter).split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) filters << QtFilter(parts[i], parts[i + 1]);
  return filters;
}

}  // namespace

bool TCommonDialog::Run(QDialog& dialog) {
  dialog.setObjectName(ToQString(Name()));
  FireEvent(OnShow, this);
  bool accepted = dialog.exec() == QDialog::Accepted;
  FireEvent(OnClose, this);
  return accepted;
}

TOpenDialog::TOpenDialog(TComponent* owner)
    : TCommonDialog(owner), files_(std::make_unique<TStringList>()), history_(std::make_unique<TStringList>()) {}

bool TOpenDialog::Execute() { return ExecuteFor(false); }

bool TOpenDialog::ExecuteFor(bool save) {
  EnsureQtApplication();
  QFileDialog dialog;
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save                                  ? QFileDialog::AnyFile
                     : (options_ & ofAllowMultiSelect) != 0 ? QFileDialog::ExistingFiles
                                                           : QFileDialog::ExistingFile);
  if (!title_.empty()) dialog.setWindowTitle(ToQString(title_));
  if (!initial_dir_.empty()) dialog.setDirectory(ToQString(initial_dir_));
  if (!default_ext_.empty()) dialog.setDefaultSuffix(ToQString(default_ext_));
  QStringList filters = QtFilters(filter_);
  if (!filters.isEmpty()) {
    dialog.setNameFilters(filters);
    if (filter_index_ >= 1 && filter_index_ <= filters.size()) dialog.selectNameFilter(filters[filter_index_ - 1]);
  }
  if (!file_name_.empty()) dialog.selectFile(ToQString(file_name_));
  if (!Run(dialog)) return false;
  files_->Clear();
  for (const QString& file : dialog.selectedFiles()) files_->Add(FromQString(file));
  file_name_ = files_->Count() > 0 ? files_->Get(0) : std::string();
  filter_index_ = static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1;
  return true;
}

TColorDialog::TColorDialog(TComponent* owner)
    : TCommonDialog(owner), custom_colors_(std::make_unique<TStringList>()) {}

bool TColorDialog::Execute() {
  EnsureQtApplication();
  for (int i = 0; i < 16 && i < QColorDialog::customCount(); ++i) {
    std::string value = custom_colors_->Values(std::string("Color") + static_cast<char>('A' + i));
    unsigned rgb = 0;
    if (!value.empty() && std::sscanf(value.c_str(), "%x", &rgb) == 1)
      QColorDialog::setCustomColor(i, QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF));
  }
  QColorDialog dialog(ToQColor(color_));
  dialog.setOption(QColorDialog::DontUseNativeDialog);
  if (!Run(dialog)) return false;
  color_ = FromQColor(dialog.selectedColor());
  return true;
}

TFontDialog::TFontDialog(TComponent* owner) : TCommonDialog(owner), font_(std::make_unique<TFont>()) {}

bool TFontDialog::Execute() {
  EnsureQtApplication();
  QFontDialog dialog(font_->ToQFont());
  dialog.setOption(QFontDialog::DontUseNativeDialog);
  if (!Run(dialog)) return false;
  QFont chosen = dialog.selectedFont();
  font_->SetName(FromQString(chosen.family()));
  font_->SetSize(chosen.pointSize());
  font_->SetStyle((chosen.bold() ? 1 : 0) | (chosen.italic() ? 2 : 0) | (chosen.underline() ? 4 : 0) |
                  (chosen.strikeOut() ? 8 : 0));
  return true;
}

bool TPrinterSetupDialog::Execute() {
  EnsureQtApplication();
  QPrinter printer;
  QPageSetupDialog dialog(&printer);
  return Run(dialog);
}

bool TPrintDialog::Execute() {
  EnsureQtApplication();
  QPrinter printer;
  printer.setCopyCount(copies_);
  printer.setCollateCopies(collate_);
  printer.setFromTo(from_page_, to_page_);
  QPrintDialog dialog(&printer);
  dialog.setMinMax(min_page_, max_page_);
  dialog.setPrintRange(print_range_ == prSelection ? QAbstractPrintDialog::Selection
                       : print_range_ == prPageNums ? QAbstractPrintDialog::PageRange
                                                    : QAbstractPrintDialog::AllPages);
  if (!Run(dialog)) return false;
  copies_ = printer.copyCount();
  collate_ = printer.collateCopies();
  from_page_ = printer.fromPage();
  to_page_ = printer.toPage();
  print_to_file_ = !printer.outputFileName().isEmpty();
  print_range_ = dialog.printRange() == QAbstractPrintDialog::Selection   ? prSelection
                 : dialog.printRange() == QAbstractPrintDialog::PageRange ? prPageNums
                                                                          : prAllPages;
  return true;
}

TFindDialog::TFindDialog(TComponent* owner) : TCommonDialog(owner) {}

TFindDialog::~TFindDialog() = default;

void TFindDialog::Build(TForm& form) {
  ReadFormResource(form, "TFindForm",
                   {{"FindNextClick", [this](TObject*, EventArgs&) { FireEvent(OnFind, this); }},
                    {"CancelClick", [this](TObject*, EventArgs&) { CloseDialog(); }}});
}

bool TFindDialog::Execute() {
  if (!form_) {
    EnsureQtApplication();
    form_ = std::make_unique<TForm>(nullptr);
    Build(*form_);
    form_->SetName(Name().empty() ? "FindDialog" : Name());
    SetFindText(find_text_);
  }
  if (left_ >= 0 && top_ >= 0) form_->SetBounds(left_, top_, form_->Width(), form_->Height());
  else form_->SetPosition(poScreenCenter);
  FireEvent(OnShow, this);
  form_->Show();
  return true;
}

void TFindDialog::CloseDialog() {
  if (!form_ || !form_->Visible()) return;
  find_text_ = FindText();
  form_->Hide();
  FireEvent(OnClose, this);
}

std::string TFindDialog::FindText() const {
  if (form_)
    if (auto* edit = dynamic_cast<TEdit*>(form_->FindComponent("FindEdit"))) return edit->Text();
  return find_text_;
}

void TFindDialog::SetFindText(std::string_view text) {
  find_text_ = text;
  if (form_)
    if (auto* edit = dynamic_cast<TEdit*>(form_->FindComponent("FindEdit"))) edit->SetText(text);
}

int TFindDialog::Handle() const { return form_ ? static_cast<int>(form_->Handle()) : 0; }

bool TFindDialog::MatchCase() const {
  auto* box = form_ ? dynamic_cast<TCheckBox*>(form_->FindComponent("MatchCase")) : nullptr;
  return box && box->Checked();
}

void TReplaceDialog::Build(TForm& form) {
  TFindDialog::Build(form);
  auto replace = [this](bool all) {
    return [this, all](TObject*, EventArgs&) {
      replace_all_ = all;
      FireEvent(OnReplace, this);
    };
  };
  ReadFormResource(form, "TReplaceForm", {{"ReplaceClick", replace(false)}, {"ReplaceAllClick", replace(true)}});
  SetReplaceText(replace_text_);
}

std::string TReplaceDialog::ReplaceText() const {
  if (Form())
    if (auto* edit = dynamic_cast<TEdit*>(Form()->FindComponent("ReplaceEdit"))) return edit->Text();
  return replace_text_;
}

void TReplaceDialog::SetReplaceText(std::string_view text) {
  replace_text_ = text;
  if (Form())
    if (auto* edit = dynamic_cast<TEdit*>(Form()->FindComponent("ReplaceEdit"))) edit->SetText(text);
}

}  // namespace orv
