// Splits bytes that arrive in pieces into lines at line feeds, dropping a
// carriage return before the line feed. A line may not grow beyond a bound,
// so a peer that never ends a line cannot make the reader hold it all.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace orv::net {

// The longest line the clients accept from a server (header lines, replies).
constexpr size_t kMaxLineLength = 64 * 1024;

// Collects a partial line until its line feed arrives.
class TLineSplitter {
 public:
  explicit TLineSplitter(size_t max_length = kMaxLineLength) : max_length_(max_length) {}

  // Takes bytes from the front of `data` up to and including the first line
  // feed and returns the finished line (without its line end), removing what
  // it took from `data`. Without a line feed it keeps all of `data` as the
  // start of a line and returns nothing. Overflowed() tells when the line
  // passed the bound; the splitter then keeps nothing more.
  std::optional<std::string> Next(std::string_view& data);

  // True once a line grew beyond the bound.
  bool Overflowed() const { return overflowed_; }
  size_t MaxLength() const { return max_length_; }
  // The bytes of the unfinished line.
  const std::string& Pending() const { return partial_; }
  void Clear();

 private:
  std::optional<std::string> Overflow(std::string_view& data);

  size_t max_length_;
  std::string partial_;
  bool overflowed_ = false;
};

}  // namespace orv::net
