#include "core/site/markup_scan.h"

#include <cstring>

#include "core/site/page_origins.h"

namespace orv {

const char* const kPageTooLargeComment = "<!-- ERROR: page too large, expansion stopped -->";

namespace {

// The unsearched rest of the text, with room in front of it so that parts of
// replacements can be put back before it without moving the rest each time.
class ScanBuffer {
 public:
  explicit ScanBuffer(std::string text) : buffer_(std::move(text)) {}

  std::string_view Rest() const { return std::string_view(buffer_).substr(offset_); }
  void Advance(size_t count) { offset_ += count; }

  void Prepend(std::string_view text) {
    if (text.size() <= offset_) {
      offset_ -= text.size();
      buffer_.replace(offset_, text.size(), text);
      return;
    }
    // Leave as much room again as the new rest needs, so repeated prepends
    // cost amortised linear time.
    std::string_view rest = Rest();
    size_t room = text.size() + rest.size();
    std::string grown;
    grown.reserve(room + text.size() + rest.size());
    grown.assign(room, '\0');
    grown.append(text);
    grown.append(rest);
    buffer_.swap(grown);
    offset_ = room;
  }

 private:
  std::string buffer_;
  size_t offset_ = 0;
};

}  // namespace

size_t FindDelimiter(std::string_view text, std::string_view delimiter, size_t from) {
  if (delimiter.size() != 2) return text.find(delimiter, from);
  if (from >= text.size()) return std::string_view::npos;
  const char* begin = text.data();
  const char* end = begin + text.size();
  if (delimiter[0] == '<') {
    // Tags put a '<' every few bytes: look for the second character, which
    // is rare in a page, and check the one before it.
    for (const char* p = begin + from + 1; p < end; ++p) {
      p = static_cast<const char*>(std::memchr(p, delimiter[1], static_cast<size_t>(end - p)));
      if (p == nullptr) break;
      if (p[-1] == '<') return static_cast<size_t>(p - 1 - begin);
    }
    return std::string_view::npos;
  }
  const char* last = end - 1;  // the last place a pair can start
  for (const char* p = begin + from; p < last; ++p) {
    p = static_cast<const char*>(std::memchr(p, delimiter[0], static_cast<size_t>(last - p)));
    if (p == nullptr) break;
    if (p[1] == delimiter[1]) return static_cast<size_t>(p - begin);
  }
  return std::string_view::npos;
}

ScanOutcome ScanMarkup(std::string& text, std::string_view open, std::string_view close,
                       const MarkupReplacer& replace, size_t max_bytes, PageOrigins* origins) {
  ScanOutcome outcome;
  if (FindDelimiter(text, open) == std::string_view::npos) return outcome;
  std::string done;
  done.reserve(text.size());
  ScanBuffer rest(std::move(text));
  for (;;) {
    std::string_view r = rest.Rest();
    size_t p = FindDelimiter(r, open);
    if (p == std::string_view::npos) break;
    size_t q = FindDelimiter(r, close, p + open.size());
    if (q == std::string_view::npos) {
      outcome.unclosed = done.size() + p;
      break;
    }
    outcome.found = true;
    // `done` and the rest are the text as every earlier replacement left it.
    const size_t at = done.size() + p;
    if (origins) origins->BeginMarkup(at);
    std::string replacement = replace(std::string(r.substr(p + open.size(), q - p - open.size())));
    size_t after = q + close.size();
    if (done.size() + p + replacement.size() + (r.size() - after) > max_bytes) {
      outcome.size_limited = true;
      if (origins) {
        origins->BeginMarkup(at);  // the comment is no file's text
        origins->Replace(at, 0, std::string_view(kPageTooLargeComment).size());
      }
      done.append(r.substr(0, p));
      done.append(kPageTooLargeComment);
      done.append(r.substr(p));
      text = std::move(done);
      return outcome;
    }
    if (origins) origins->Replace(at, after - p, replacement.size());
    done.append(r.substr(0, p));
    // The search goes on at the position where the closing delimiter began,
    // less one: `resume` characters into the new text at the markup's place.
    size_t resume = q - p - 1;
    if (resume < replacement.size()) {
      done.append(replacement, 0, resume);
      rest.Advance(after);
      rest.Prepend(std::string_view(replacement).substr(resume));
    } else {
      done.append(replacement);
      size_t skip = std::min(resume - replacement.size(), r.size() - after);
      done.append(r.substr(after, skip));
      rest.Advance(after + skip);
    }
  }
  done.append(rest.Rest());
  text = std::move(done);
  return outcome;
}

}  // namespace orv
