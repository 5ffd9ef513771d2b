// The highlighting of ORV's sources, line by line: HTML (tags, attributes,
// comments, entities) with the system's own markup in it (<%variable%>,
// <&include&>, <*command*>, {$DEFINE ...} lines) and the script language
// inside <+ ... +> blocks; or a whole script file (.ops, a form's .pas).
//
// Each line starts in the state the line before it ended in, so an editor
// styles only the lines it shows and keeps one number per line.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace orv::edit {

// What a piece of text is; the numbers are the editor's style numbers.
enum class Style : uint8_t {
  Text = 0,
  Tag,             // <b>, </table>, the brackets and the element name
  Attribute,       // an attribute name inside a tag
  Value,           // an attribute value, quoted or not
  Comment,         // <!-- ... -->
  Entity,          // &amp;
  Variable,        // <%name%>
  Include,         // <&file&>
  Command,         // <*command*>
  Define,          // a {$DEFINE ...} line
  ScriptBracket,   // <+ and +>
  Keyword,         // begin, end, procedure ...
  Identifier,
  Number,
  String,          // 'text'
  ScriptComment,   // { ... }, (* ... *), // ...
  Operator,        // := + - ; ( ) ...
  Count
};

// Which kind of file a document is.
enum class Language { Page, Script };

// A piece of a line and its style.
struct StyleRun {
  uint32_t Length;
  Style Kind;
};

// The state before the first line of a document of `language`.
int InitialState(Language language);

// Styles one line (with or without its line break) that begins in `state`:
// appends runs covering the whole line to `runs` and returns the state the
// next line begins in. Any byte sequence is accepted.
int HighlightLine(std::string_view line, int state, Language language, std::vector<StyleRun>& runs);

// The language of a file by its name: .ops and .pas are scripts, everything
// else a page.
Language LanguageOfFile(std::string_view path);

}  // namespace orv::edit
