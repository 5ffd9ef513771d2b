// Where the text of a page being expanded came from, so that a problem found
// in a later pass is reported at the line of the file where its markup was
// written.
//
// The page starts as the text of its source file. Every stage that changes
// the text records each change as an edit (a place, the characters removed,
// the characters put there), in the order it makes them; nothing else is
// kept or computed while the page is expanded. Only when a problem is
// reported does Locate walk the edits backwards from the problem's place:
// - text that was never replaced lies in the source file;
// - text that a markup brought in (a variable's value, a script's or a
//   command's output, a define's value, an error comment) belongs to the
//   place of that markup;
// - the text of an included file lies in that file, at its own line, and the
//   include's markup is where it was included from.
//
//   origins.Start(path, text);
//   origins.BeginMarkup(at);                // a stage found markup at `at`
//   origins.TakeFileText("/site/src/h.hsn"); // its replacement is that file
//   origins.Replace(at, 12, 345);           // the markup's 12 bytes became 345
//   std::vector<SourcePlace> where = origins.Locate(position);
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orv {

// A line of a file: where a problem stands, or where the file holding it was
// included from.
struct SourcePlace {
  std::string Path;
  int Line = 0;
  // The place lies in text written in that file; false when it lies in text
  // that a markup on that line brought in.
  bool Written = true;
};

// The edits made to one page's text since it was loaded (see above).
class PageOrigins {
 public:
  // A new page from `path`, whose text (in line form) is `text`.
  void Start(const std::string& path, const std::string& text);

  // The markup whose replacement is being worked out stands at `at`.
  void BeginMarkup(size_t at) {
    markup_at_ = at;
    source_ = kBrought;
    variable_ = kNone;
  }
  size_t MarkupAt() const { return markup_at_; }
  // The replacement of the current markup is the text of the file at `path`
  // in line form, unchanged.
  void TakeFileText(const std::string& path);
  // The replacement of the current markup is the value of the variable
  // named `name`, a text that lives as long as these origins (the
  // variable's own name, which lives for the build).
  void TakeVariableValue(const std::string& name);

  // Records that `removed` characters at `at` were replaced by `inserted`
  // characters; `at` counts in the text as every earlier edit left it. The
  // new text is the current markup's file text when TakeFileText said so,
  // otherwise text brought in at `at`.
  void Replace(size_t at, size_t removed, size_t inserted) {
    edits_.push_back(Edit{at, removed, inserted, source_, variable_});
    source_ = kBrought;
    variable_ = kNone;
  }
  // Puts `text` in line form (NormalizeLineText), recording the edits that
  // makes; a text already in line form is looked at once and left as it is.
  void Normalize(std::string& text);

  // The place of position `at` of the text as it now is: first the file and
  // line where it stands, then, for text of an included file, the place of
  // each include that brought it in, outwards to the page, along the chain
  // of the first occurrence: a file met again further out (an include
  // loop) is followed from its outermost inclusion, so each file is named
  // once, however deep the loop went.
  std::vector<SourcePlace> Locate(size_t at) const;

  // The includes and variables whose replacement holds position `at`,
  // innermost first: "&" and the file's path for an include, "%" and the
  // name for a variable. `steps` grows by the edits looked at.
  std::vector<std::string> Enclosing(size_t at, size_t& steps) const;

  // The page's source file.
  const std::string& PagePath() const { return files_[0]; }
  // The edits recorded since Start.
  size_t EditCount() const { return edits_.size(); }

 private:
  static constexpr int32_t kBrought = -1;
  static constexpr int32_t kNone = -1;

  struct Edit {
    size_t at;
    size_t removed;
    size_t inserted;
    int32_t source;    // index into files_, or kBrought
    int32_t variable;  // index into variables_ when a variable's value, or kNone
  };

  // Walks the edits back from position `at`: `enter(edit, offset)` is called
  // for each edit whose inserted text holds the place (innermost first, with
  // the place's offset in that text). Returns the place in the page's source
  // text.
  template <class Enter>
  size_t WalkBack(size_t at, Enter enter) const;

  // The line of `offset` in the text of file `index` (read again, in line
  // form, when it is an included file).
  int LineIn(int32_t index, size_t offset) const;

  std::vector<Edit> edits_;
  std::vector<std::string> files_{std::string()};  // the page's source first
  // The included files of files_ (all but the page's source) by path.
  std::unordered_map<std::string, int32_t> file_index_;
  // The names of the variables whose values the edits hold, kept from page
  // to page (the names live for the build).
  std::vector<const std::string*> variables_;
  std::unordered_map<const std::string*, int32_t> variable_index_;
  std::string page_text_;
  mutable std::map<int32_t, std::string> file_texts_;
  size_t markup_at_ = 0;
  int32_t source_ = kBrought;
  int32_t variable_ = kNone;
};

}  // namespace orv
