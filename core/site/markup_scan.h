// The scan loop shared by the variable, include and external-program stages:
// find each opening delimiter, the closing one after it, replace the markup by
// what the stage makes of its content, and resume the search one character
// before the place where the closing delimiter began (that place now lies in
// or after the replacement).
//
// The loop runs in time linear in the page size: the finished front of the
// text is appended to the result once, and only the part of a replacement
// that the search must still see is put back in front of the unsearched rest.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace orv {

class PageOrigins;

// The replacement for the content of one markup (the text between the
// delimiters, exactly as written).
using MarkupReplacer = std::function<std::string(const std::string& content)>;

// Inserted where a stage stopped because the page grew beyond its bound.
extern const char* const kPageTooLargeComment;

// What a scan found and did.
struct ScanOutcome {
  bool found = false;         // at least one complete markup was replaced
  bool size_limited = false;  // stopped because the text would exceed max_bytes
  // Where an opening delimiter with no closing one after it stands in the
  // resulting text (the loop ended there), or npos.
  size_t unclosed = std::string_view::npos;
};

// Runs the loop over `text` with the two delimiters. An opening delimiter with
// no closing one after it ends the loop and stays in the text with the rest
// of the page. A replacement that would make the text longer than `max_bytes`
// is not made: kPageTooLargeComment is inserted before that markup and the
// loop ends.
//
// With `origins`, each markup's place is given to it (BeginMarkup) before
// `replace` is called, and every change to the text is recorded there.
ScanOutcome ScanMarkup(std::string& text, std::string_view open, std::string_view close,
                       const MarkupReplacer& replace, size_t max_bytes, PageOrigins* origins = nullptr);

// The position of `delimiter` in `text` at or after `from` (npos when there
// is none), as std::string_view::find gives it. A page is full of '<' (the
// tags of HTML), so for a two-character delimiter that starts with it this
// looks for the second character and checks the one before; for another
// one it looks for the first and checks the next.
size_t FindDelimiter(std::string_view text, std::string_view delimiter, size_t from = 0);

}  // namespace orv
