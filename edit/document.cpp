#include "edit/document.h"

#include <QFileInfo>
#include <cerrno>
#include <cstring>

#include "edit/orv_lexer.h"
#include "platform/exception.h"
#include "platform/files.h"

namespace orv::edit {
namespace {

QsciScintilla::EolMode ScintillaEol(LineEnd line_end) {
  switch (line_end) {
    case LineEnd::CrLf: return QsciScintilla::EolWindows;
    case LineEnd::Lf: return QsciScintilla::EolUnix;
    case LineEnd::Cr: return QsciScintilla::EolMac;
  }
  return QsciScintilla::EolWindows;
}

}  // namespace

Document::Document(const QString& title, LineEnd line_end, QWidget* parent)
    : QsciScintilla(parent), untitled_title_(title), font_(QStringLiteral("Monospace"), 10) {
  setObjectName(QStringLiteral("Document"));
  setUtf8(true);
  format_.LineEnds = line_end;
  setEolMode(ScintillaEol(line_end));
  setMarginType(0, NumberMargin);
  setMarginLineNumbers(0, true);
  setTabWidth(2);
  setIndentationsUseTabs(false);
  setAutoIndent(true);
  setBraceMatching(NoBraceMatch);
  setCaretLineVisible(true);
  setCaretLineBackgroundColor(QColor(0xF4, 0xF7, 0xFF));
  setWrapMode(WrapNone);
  // Large pages: keep laid-out lines of a screen, and style the rest of the
  // document while the editor is idle, so that a jump to its end is quick.
  SendScintilla(SCI_SETLAYOUTCACHE, static_cast<unsigned long>(SC_CACHE_PAGE));
  SendScintilla(SCI_SETIDLESTYLING, static_cast<unsigned long>(SC_IDLESTYLING_ALL));
  SetLanguage(Language::Page);
  connect(this, &QsciScintilla::linesChanged, this, &Document::UpdateLineNumberWidth);
  UpdateLineNumberWidth();
}

QString Document::Title() const { return IsUntitled() ? untitled_title_ : QFileInfo(path_).fileName(); }

void Document::SetLanguage(Language language) {
  if (lexer_ && language == language_) return;
  language_ = language;
  auto* lexer = new OrvLexer(language, this);
  lexer->SetBaseFont(font_);
  setLexer(lexer);
  delete lexer_;
  lexer_ = lexer;
}

void Document::SetBaseFont(const QFont& font) {
  font_ = font;
  lexer_->SetBaseFont(font);
  setMarginsFont(font);
  UpdateLineNumberWidth();
}

void Document::UpdateLineNumberWidth() {
  setMarginWidth(0, QStringLiteral("0%1").arg(lines()));
}

void Document::SetBytes(const std::string& bytes, LineEnd fallback) {
  format_ = DetectTextFormat(bytes, fallback);
  const std::string text = DecodeText(bytes, format_.Encoding);
  setEolMode(ScintillaEol(format_.LineEnds));
  // Appending by length keeps zero bytes, which a zero-terminated text would cut.
  SendScintilla(SCI_CLEARALL);
  SendScintilla(SCI_APPENDTEXT, static_cast<unsigned long>(text.size()), text.c_str());
  SendScintilla(SCI_EMPTYUNDOBUFFER);
  SendScintilla(SCI_SETSAVEPOINT);
  SendScintilla(SCI_GOTOPOS, 0UL);
  UpdateLineNumberWidth();
}

void Document::Load(const QString& path) {
  const std::string bytes = ReadFileBytes(path.toStdString());
  SetLanguage(LanguageOfFile(path.toStdString()));
  SetBytes(bytes, format_.LineEnds);
  path_ = QFileInfo(path).absoluteFilePath();
}

void Document::LoadTemplate(const QString& path) {
  const LineEnd line_end = format_.LineEnds;
  const std::string bytes = ReadFileBytes(path.toStdString());
  SetLanguage(LanguageOfFile(path.toStdString()));
  SetBytes(bytes, line_end);
}

bool Document::SaveTo(const QString& path) {
  std::string bytes;
  if (!EncodeText(Utf8(), format_.Encoding, bytes)) return false;
  if (!WriteFileAtomic(path.toStdString(), bytes))
    throw EInOutError("Cannot write file \"" + path.toStdString() + "\". " + std::strerror(errno));
  path_ = QFileInfo(path).absoluteFilePath();
  SetLanguage(LanguageOfFile(path.toStdString()));
  SendScintilla(SCI_SETSAVEPOINT);
  return true;
}

std::string Document::Utf8() const {
  const long length = SendScintilla(SCI_GETLENGTH);
  const auto* bytes = static_cast<const char*>(SendScintillaPtrResult(SCI_GETCHARACTERPOINTER));
  return bytes ? std::string(bytes, static_cast<size_t>(length)) : std::string();
}

void Document::Insert(const InsertTexts& texts) {
  const long start = SendScintilla(SCI_GETSELECTIONSTART);
  // The dialogs' markup takes the document's own line ends.
  const InsertTexts converted{ConvertLineEnds(texts.Text, format_.LineEnds),
                              ConvertLineEnds(texts.CloseText, format_.LineEnds), texts.WrapFlag};
  const Insertion insertion = ComposeInsertion(converted, selectedText().toStdString());
  beginUndoAction();
  replaceSelectedText(QString::fromStdString(insertion.Replacement));
  SendScintilla(SCI_GOTOPOS, static_cast<unsigned long>(start + static_cast<long>(insertion.Caret)));
  endUndoAction();
}

void Document::GoToLine(int line) {
  setCursorPosition(line > 0 ? line - 1 : 0, 0);
  ensureLineVisible(line > 0 ? line - 1 : 0);
  setFocus();
}

}  // namespace orv::edit
