// The editing area's highlighting: QScintilla's hook for a lexer of our own,
// styling the lines Scintilla asks for with the line-by-line highlighter of
// syntax.h and keeping each line's end state in Scintilla's line states.
#pragma once

#include <Qsci/qscilexercustom.h>

#include <vector>

#include "edit/syntax.h"

namespace orv::edit {

// Colours and fonts for pages with ORV markup, or for script files.
class OrvLexer : public QsciLexerCustom {
  Q_OBJECT

 public:
  OrvLexer(Language language, QObject* parent);

  const char* language() const override;
  QString description(int style) const override;
  void styleText(int start, int end) override;
  QColor defaultColor(int style) const override;
  QColor defaultPaper(int style) const override;
  QFont defaultFont(int style) const override;
  bool defaultEolFill(int style) const override;

  // The editor's font (from the preferences) for every style, bold and
  // italic where a style asks for it.
  void SetBaseFont(const QFont& font);

 private:
  Language language_;
  QFont base_font_;
  std::vector<StyleRun> runs_;
};

}  // namespace orv::edit
