// One document of the editor: a QScintilla editing area that knows its file,
// the encoding and line ends the file came in (kept as found), its language
// (a page, or a script file) and whether it has a name yet.
#pragma once

#include <Qsci/qsciscintilla.h>

#include <QString>

#include "edit/insertion.h"
#include "edit/syntax.h"
#include "edit/text_codec.h"

namespace orv::edit {

class OrvLexer;

// A page or script being edited.
class Document : public QsciScintilla {
  Q_OBJECT

 public:
  // An empty untitled document named `title`, whose new lines end in
  // `line_end`.
  Document(const QString& title, LineEnd line_end, QWidget* parent = nullptr);

  // Replaces the text with the file at `path` and takes its name, encoding
  // and line ends. EInOutError when it cannot be read.
  void Load(const QString& path);
  // Replaces the text with the file at `path` but stays untitled (a
  // document made from a template). EInOutError when it cannot be read.
  void LoadTemplate(const QString& path);
  // Writes the text to `path` in the document's encoding and takes that
  // name. False (nothing written) when a character cannot be written in the
  // encoding; EInOutError when the file cannot be written.
  bool SaveTo(const QString& path);

  const QString& Path() const { return path_; }
  bool IsUntitled() const { return path_.isEmpty(); }
  // The file name, or the untitled name.
  QString Title() const;
  const TextFormat& Format() const { return format_; }
  void SetEncoding(TextEncoding encoding) { format_.Encoding = encoding; }

  // The editor's font for the text and the line numbers.
  void SetBaseFont(const QFont& font);

  // The text as UTF-8, every byte of it (a zero byte included).
  std::string Utf8() const;

  // Inserts a markup dialog's record at the caret, as one undo step.
  void Insert(const InsertTexts& texts);
  // Moves the caret to line `line` (from 1) and shows it.
  void GoToLine(int line);

 private:
  void SetBytes(const std::string& bytes, LineEnd fallback);
  void SetLanguage(Language language);
  void UpdateLineNumberWidth();

  QString path_;
  QString untitled_title_;
  TextFormat format_;
  Language language_ = Language::Page;
  OrvLexer* lexer_ = nullptr;
  QFont font_;
};

}  // namespace orv::edit
