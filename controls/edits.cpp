#include "controls/edits.h"

#include <QCoreApplication>
#include <QClipboard>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <algorithm>

#include "controls/qt_application.h"
#include "controls/qt_text.h"
#include "platform/paths.h"

namespace orv {
namespace {

Qt::Alignment ToQtAlignment(int alignment) {
  switch (alignment) {
    case taRightJustify: return Qt::AlignRight | Qt::AlignTop;
    case taCenter: return Qt::AlignHCenter | Qt::AlignTop;
    default: return Qt::AlignLeft | Qt::AlignTop;
  }
}

}  // namespace

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, 32, 13); }

QWidget* TCustomLabel::CreateWidget(QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setAlignment(ToQtAlignment(alignment_));
  label->setWordWrap(word_wrap_);
  return label;
}

std::string TCustomLabel::ShownCaption() const {
  if (!show_accel_char_) return caption_;
  std::string shown;
  for (size_t i = 0; i < caption_.size(); ++i) {
    if (caption_[i] == '&' && i + 1 < caption_.size()) ++i;
    shown += caption_[i];
  }
  return shown;
}

void TCustomLabel::ApplyCaption() {
  if (auto* label = static_cast<QLabel*>(ExistingWidget())) label->setText(ToQString(ShownCaption()));
}

void TCustomLabel::SetCaption(std::string_view caption) {
  TGraphicControl::SetCaption(caption);
  FitText();
}

void TCustomLabel::SetBounds(int left, int top, int width, int height) {
  if (auto_size_ && !word_wrap_ && !Loading() && QCoreApplication::instance()) {
    QSize size = QFontMetrics(Font()->ToQFont()).size(0, ToQString(ShownCaption()));
    width = size.width();
    height = size.height();
  }
  TGraphicControl::SetBounds(left, top, width, height);
}

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  FitText();
}

void TCustomLabel::ChangeScale(int multiplier, int divider) {
  TGraphicControl::ChangeScale(multiplier, divider);
  FitText();
}

void TCustomLabel::SetAlignment(int alignment) {
  alignment_ = alignment;
  if (auto* label = static_cast<QLabel*>(ExistingWidget())) label->setAlignment(ToQtAlignment(alignment));
}

void TCustomLabel::SetAutoSize(bool auto_size) {
  auto_size_ = auto_size;
  FitText();
}

void TCustomLabel::SetWordWrap(bool wrap) {
  word_wrap_ = wrap;
  if (auto* label = static_cast<QLabel*>(ExistingWidget())) label->setWordWrap(wrap);
}

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  color_ = clWindow;
  SetBounds(0, 0, 121, 21);
}

QLineEdit* TCustomEdit::Line() const { return qobject_cast<QLineEdit*>(ExistingWidget()); }

QWidget* TCustomEdit::CreateWidget(QWidget* parent) {
  auto* line = new QLineEdit(parent);
  line->setText(ToQString(caption_));  // before the signals: making the widget changes nothing
  selection_.ShowIn(*line);
  line->setReadOnly(read_only_);
  line->setFrame(border_style_ != 0);
  if (max_length_ > 0) line->setMaxLength(max_length_);
  if (password_char_[0] != '\0') line->setEchoMode(QLineEdit::Password);
  QObject::connect(line, &QLineEdit::textChanged, Receiver(), [this] { TextChanged(); });
  QObject::connect(line, &QLineEdit::textEdited, Receiver(), [this, line](const QString& text) {
    std::string cased = Cased(FromQString(text));
    if (cased != FromQString(text)) {
      int cursor = line->cursorPosition();
      line->setText(ToQString(cased));
      line->setCursorPosition(cursor);
    }
    modified_ = true;
  });
  return line;
}

void TCustomEdit::TextChanged() {
  if (QLineEdit* line = Line()) caption_ = FromQString(line->text());
  FireEvent(OnChange, this);
}

std::string TCustomEdit::Cased(std::string_view text) const {
  if (char_case_ == ecUpperCase) return UpperCase(text);
  if (char_case_ == ecLowerCase) return LowerCase(text);
  return std::string(text);
}

std::string TCustomEdit::Caption() const {
  if (QLineEdit* line = Line()) return FromQString(line->text());
  return caption_;
}

void TCustomEdit::ApplyCaption() {
  caption_ = Cased(caption_);
  if (max_length_ > 0 && caption_.size() > static_cast<size_t>(max_length_)) caption_.resize(max_length_);
  QLineEdit* line = Line();
  if (!line) return;
  if (FromQString(line->text()) != caption_) line->setText(ToQString(caption_));
}

int TCustomEdit::SelStart() const { return selection_.Start(Line()); }

void TCustomEdit::SetSelStart(int start) { selection_.SetStart(Line(), Caption(), start); }

int TCustomEdit::SelLength() const { return selection_.Length(Line()); }

void TCustomEdit::SetSelLength(int length) { selection_.SetLength(Line(), Caption(), length); }

std::string TCustomEdit::SelText() const { return selection_.Selected(Line(), Caption()); }

void TCustomEdit::SetSelText(std::string_view text) {
  if (selection_.Replace(Line(), caption_, text)) FireEvent(OnChange, this);
}

void TCustomEdit::SelectAll() { selection_.SelectAll(Line(), Caption()); }

// The clipboard works on the selection as the widget's own commands do,
// widget or not: nothing is copied out of a password edit, and a read-only
// edit is not changed.
void TCustomEdit::CopyToClipboard() {
  if (password_char_[0] != '\0') return;
  EnsureQtApplication();
  QGuiApplication::clipboard()->setText(ToQString(SelText()));
}

void TCustomEdit::CutToClipboard() {
  if (read_only_) return;
  CopyToClipboard();
  if (password_char_[0] == '\0') SetSelText("");
}

void TCustomEdit::PasteFromClipboard() {
  if (read_only_) return;
  EnsureQtApplication();
  SetSelText(Cased(FromQString(QGuiApplication::clipboard()->text())));
}

void TCustomEdit::SetReadOnly(bool read_only) {
  read_only_ = read_only;
  if (QLineEdit* line = Line()) line->setReadOnly(read_only);
}

void TCustomEdit::SetMaxLength(int length) {
  max_length_ = std::max(length, 0);
  if (QLineEdit* line = Line()) line->setMaxLength(max_length_ > 0 ? max_length_ : 32767);
  ApplyCaption();
}

void TCustomEdit::SetBorderStyle(int style) {
  border_style_ = style;
  if (QLineEdit* line = Line()) line->setFrame(style != 0);
}

void TCustomEdit::SetCharCase(int char_case) {
  char_case_ = char_case;
  SetCaption(Caption());
}

void TCustomEdit::SetCaption(std::string_view caption) {
  // The case and length rules apply whether or not the widget exists yet,
  // so the text reads back as the widget will show it.
  caption_ = caption;
  ApplyCaption();
  selection_.CaretAtEnd(caption_);
}

void TCustomEdit::SetPasswordChar(std::string_view text) {
  password_char_ = text.empty() ? std::string(1, '\0') : std::string(text.substr(0, 1));
  if (QLineEdit* line = Line())
    line->setEchoMode(password_char_[0] != '\0' ? QLineEdit::Password : QLineEdit::Normal);
}

TCustomMemo::TCustomMemo(TComponent* owner) : TCustomEdit(owner), lines_(std::make_unique<TStringList>()) {
  SetBounds(0, 0, 185, 89);
  lines_->OnChange = [this](TStringList&) {
    if (!syncing_) ApplyCaption();
    if (!syncing_ && !setting_text_) final_break_ = true;  // Text is Lines.Text after a change of a line
    FireEvent(OnChange, this);
  };
}

std::string TCustomMemo::Caption() const {
  std::string text = lines_->Text();
  if (!final_break_ && text.size() >= 2) text.resize(text.size() - 2);  // the CR LF after the last line
  return text;
}

void TCustomMemo::SetCaption(std::string_view text) {
  final_break_ = !text.empty() && (text.back() == '\n' || text.back() == '\r');
  setting_text_ = true;
  lines_->SetText(text);
  setting_text_ = false;
}

QPlainTextEdit* TCustomMemo::Editor() const { return qobject_cast<QPlainTextEdit*>(ExistingWidget()); }

QWidget* TCustomMemo::CreateWidget(QWidget* parent) {
  auto* editor = new QPlainTextEdit(parent);
  editor->setReadOnly(ReadOnly());
  editor->setTabChangesFocus(!want_tabs_);
  editor->setLineWrapMode(word_wrap_ ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
  QObject::connect(editor, &QPlainTextEdit::textChanged, Receiver(), [this, editor] {
    if (syncing_) return;
    syncing_ = true;
    const QString text = editor->toPlainText();
    final_break_ = text.endsWith('\n');
    lines_->SetText(FromQString(text));
    syncing_ = false;
    SetModified(true);
  });
  return editor;
}

void TCustomMemo::ApplyCaption() {
  QPlainTextEdit* editor = Editor();
  if (!editor) return;
  std::string text = lines_->Text();
  // The editor shows lines without the final line break the list adds.
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  std::string shown;
  for (char c : text)
    if (c != '\r') shown += c;
  syncing_ = true;
  editor->setPlainText(ToQString(shown));
  syncing_ = false;
}

void TCustomMemo::SetScrollBars(int bars) {
  scroll_bars_ = bars;
  if (QPlainTextEdit* editor = Editor()) {
    editor->setHorizontalScrollBarPolicy(bars & ssHorizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded);
    editor->setVerticalScrollBarPolicy(bars & ssVertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAsNeeded);
  }
}

void TCustomMemo::SetWantTabs(bool value) {
  want_tabs_ = value;
  if (QPlainTextEdit* editor = Editor()) editor->setTabChangesFocus(!value);
}

void TCustomMemo::SetWordWrap(bool wrap) {
  word_wrap_ = wrap;
  if (QPlainTextEdit* editor = Editor())
    editor->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

}  // namespace orv
