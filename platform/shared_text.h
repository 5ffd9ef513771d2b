// Shared text: one allocation of bytes that several owners hold at once
// (script values, string list lines) and that is copied only when one of
// them changes it. Handing a line of a list to a script, or a script's text
// to a list, takes one more share instead of copying the bytes.
//
// Texts belong to the thread that runs scripts and the components (nothing
// hands them to another thread), so the count of shares is a plain counter.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>

namespace orv {

// The shared bytes: the count of owners, the length, the capacity and the
// bytes, which follow the record.
struct TextRep {
  uint32_t refs;
  size_t size;
  size_t capacity;
  char* data() { return reinterpret_cast<char*>(this + 1); }
  const char* data() const { return reinterpret_cast<const char*>(this + 1); }
  std::string_view view() const { return std::string_view(data(), size); }

  // A text of `capacity` bytes (at least text.size()) holding `text`, held by
  // one owner. Texts above a few dozen bytes count against a script run's
  // memory budget (run_limits.h). Callers bound the size themselves.
  static TextRep* Make(std::string_view text, size_t capacity);
  // Frees a text whose last owner let it go.
  void Free();
};

// An owner of a shared text, or of none (the empty text). Copies share the
// bytes; nothing changes them while they are shared.
class SharedText {
 public:
  SharedText() noexcept = default;
  // A text of its own holding a copy of `text` (none for "").
  explicit SharedText(std::string_view text) : rep_(text.empty() ? nullptr : TextRep::Make(text, text.size())) {}
  // Becomes the owner of one share of `rep` that the caller already counted.
  static SharedText Adopt(TextRep* rep) noexcept {
    SharedText text;
    text.rep_ = rep;
    return text;
  }

  SharedText(const SharedText& other) noexcept : rep_(other.rep_) {
    if (rep_) ++rep_->refs;
  }
  SharedText(SharedText&& other) noexcept : rep_(other.rep_) { other.rep_ = nullptr; }
  SharedText& operator=(SharedText other) noexcept {
    std::swap(rep_, other.rep_);
    return *this;
  }
  ~SharedText() {
    if (rep_ && --rep_->refs == 0) rep_->Free();
  }

  std::string_view View() const noexcept { return rep_ ? rep_->view() : std::string_view(); }
  size_t size() const noexcept { return rep_ ? rep_->size : 0; }
  // The shared bytes (null for ""), still owned by this handle.
  TextRep* Rep() const noexcept { return rep_; }
  // Hands this handle's share of the bytes to the caller, leaving "".
  TextRep* Release() noexcept {
    TextRep* rep = rep_;
    rep_ = nullptr;
    return rep;
  }

 private:
  TextRep* rep_ = nullptr;
};

}  // namespace orv
