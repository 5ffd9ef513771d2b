#include "edit/orv_lexer.h"

#include <Qsci/qsciscintilla.h>

namespace orv::edit {
namespace {

struct StyleLook {
  const char* Name;
  QRgb Colour;
  bool Bold;
  bool Italic;
};

// Indexed by Style.
constexpr StyleLook kLooks[] = {
    {"Text", 0x000000, false, false},
    {"Tag", 0x00007F, true, false},
    {"Attribute", 0x7F0055, false, false},
    {"Attribute value", 0x2A00FF, false, false},
    {"Comment", 0x808080, false, true},
    {"Entity", 0x8B008B, false, false},
    {"ORV variable", 0x007F7F, true, false},
    {"ORV include", 0xA0522D, true, false},
    {"ORV command", 0xB8008B, true, false},
    {"ORV define", 0x006400, true, false},
    {"Script bracket", 0xC00000, true, false},
    {"Script keyword", 0x00008B, true, false},
    {"Script identifier", 0x000000, false, false},
    {"Script number", 0xB05A00, false, false},
    {"Script string", 0x007F00, false, false},
    {"Script comment", 0x808080, false, true},
    {"Script operator", 0x404040, false, false},
};
static_assert(std::size(kLooks) == static_cast<size_t>(Style::Count));

bool IsScriptStyle(int style) {
  return style >= static_cast<int>(Style::ScriptBracket) && style < static_cast<int>(Style::Count);
}

}  // namespace

OrvLexer::OrvLexer(Language language, QObject* parent)
    : QsciLexerCustom(parent), language_(language), base_font_(QStringLiteral("Monospace"), 10) {}

const char* OrvLexer::language() const { return language_ == Language::Script ? "ORV script" : "ORV page"; }

QString OrvLexer::description(int style) const {
  if (style < 0 || style >= static_cast<int>(Style::Count)) return {};
  return QString::fromLatin1(kLooks[style].Name);
}

QColor OrvLexer::defaultColor(int style) const {
  if (style < 0 || style >= static_cast<int>(Style::Count)) return QsciLexerCustom::defaultColor(style);
  return QColor(kLooks[style].Colour);
}

QColor OrvLexer::defaultPaper(int style) const {
  // Script code inside a page stands out on a faint tint.
  if (language_ == Language::Page && IsScriptStyle(style)) return QColor(0xFF, 0xFB, 0xE6);
  return QColor(Qt::white);
}

bool OrvLexer::defaultEolFill(int style) const { return language_ == Language::Page && IsScriptStyle(style); }

QFont OrvLexer::defaultFont(int style) const {
  QFont font = base_font_;
  if (style >= 0 && style < static_cast<int>(Style::Count)) {
    font.setBold(kLooks[style].Bold);
    font.setItalic(kLooks[style].Italic);
  }
  return font;
}

void OrvLexer::SetBaseFont(const QFont& font) {
  base_font_ = font;
  for (int style = 0; style < static_cast<int>(Style::Count); ++style) setFont(defaultFont(style), style);
}

void OrvLexer::styleText(int start, int end) {
  QsciScintilla* sci = editor();
  if (!sci) return;
  const long length = sci->SendScintilla(QsciScintillaBase::SCI_GETLENGTH);
  long line = sci->SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION, static_cast<unsigned long>(start));
  const long last = sci->SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION, static_cast<unsigned long>(end));
  int state = line > 0 ? static_cast<int>(sci->SendScintilla(QsciScintillaBase::SCI_GETLINESTATE,
                                                                static_cast<unsigned long>(line - 1)))
                       : InitialState(language_);
  long position = sci->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
  startStyling(static_cast<int>(position));
  for (; line <= last && position < length; ++line) {
    long next = sci->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line + 1));
    if (next < 0 || next <= position) next = length;
    const auto* bytes = reinterpret_cast<const char*>(sci->SendScintilla(
        QsciScintillaBase::SCI_GETRANGEPOINTER, static_cast<unsigned long>(position), next - position));
    runs_.clear();
    state = HighlightLine(std::string_view(bytes, static_cast<size_t>(next - position)), state, language_, runs_);
    for (const StyleRun& run : runs_) setStyling(static_cast<int>(run.Length), static_cast<int>(run.Kind));
    sci->SendScintilla(QsciScintillaBase::SCI_SETLINESTATE, static_cast<unsigned long>(line), static_cast<long>(state));
    position = next;
  }
}

}  // namespace orv::edit
