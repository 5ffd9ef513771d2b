#include "components/net/line_splitter.h"

namespace orv::net {

std::optional<std::string> TLineSplitter::Next(std::string_view& data) {
  if (overflowed_) {
    data = {};
    return std::nullopt;
  }
  size_t end = data.find('\n');
  size_t take = end == std::string_view::npos ? data.size() : end;
  // One byte more than the bound may wait: the carriage return of the line end.
  if (partial_.size() + take > max_length_ + 1) return Overflow(data);
  partial_.append(data.substr(0, take));
  if (end == std::string_view::npos) {
    data = {};
    return std::nullopt;
  }
  data.remove_prefix(end + 1);
  std::string line = std::move(partial_);
  partial_.clear();
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (line.size() > max_length_) return Overflow(data);
  return line;
}

std::optional<std::string> TLineSplitter::Overflow(std::string_view& data) {
  overflowed_ = true;
  partial_.clear();
  data = {};
  return std::nullopt;
}

void TLineSplitter::Clear() {
  partial_.clear();
  overflowed_ = false;
}

}  // namespace orv::net
