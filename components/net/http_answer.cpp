#include "components/net/http_answer.h"

#include <algorithm>
#include <cctype>

namespace orv::net {
namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
  return text;
}

std::string Trim(const std::string& text) {
  size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The number of three digits at `text`, or 0.
int StatusNumber(const std::string& text) {
  if (text.size() < 3) return 0;
  int value = 0;
  for (int i = 0; i < 3; ++i) {
    if (!std::isdigit(static_cast<unsigned char>(text[i]))) return 0;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

int64_t ContentLengthValue(const std::string& text) {
  if (text.empty() || text.size() > 18) return -1;
  int64_t value = 0;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

bool THttpAnswer::Feed(std::string_view data) {
  if (Failed()) return false;
  if (!data.empty()) started_ = true;
  while (!header_done_ && !data.empty()) {
    std::optional<std::string> line = splitter_.Next(data);
    if (splitter_.Overflowed()) {
      error_ = "Answer header line longer than " + std::to_string(splitter_.MaxLength()) + " bytes";
      return false;
    }
    if (!line) break;
    header_size_ += line->size() + 2;
    if (header_size_ > kMaxHeaderSize) {
      error_ = "Answer header longer than " + std::to_string(kMaxHeaderSize) + " bytes";
      return false;
    }
    if (line->empty()) {
      header_done_ = true;
      if (OnHeaderEnd) OnHeaderEnd();
    } else {
      HeaderLine(*line);
    }
  }
  if (header_done_ && !data.empty()) {
    body_size_ += data.size();
    if (OnBody) OnBody(data.data(), data.size());
  }
  return true;
}

void THttpAnswer::HeaderLine(const std::string& line) {
  if (OnHeaderLine) OnHeaderLine(line);
  if (header_lines_.empty() && (line.rfind("HTTP/1.0", 0) == 0 || line.rfind("HTTP/1.1", 0) == 0)) {
    status_code_ = line.size() > 9 ? StatusNumber(line.substr(9)) : 0;
    reason_phrase_ = line.size() > 13 ? line.substr(13) : std::string();
  }
  header_lines_.push_back(line);
  size_t colon = line.find(':');
  if (colon == std::string::npos) return;
  std::string name = Lower(Trim(line.substr(0, colon)));
  std::string value = Trim(line.substr(colon + 1));
  if (name == "location") {
    location_ = value;
  } else if (name == "content-length") {
    content_length_ = ContentLengthValue(value);
  } else if (name == "content-type") {
    content_type_ = value;
  } else if (name == "www-authenticate") {
    auth_challenges_.push_back(value);
  }
}

}  // namespace orv::net
