// Reads an HTTP answer as it arrives in pieces: the status line, the header
// lines (each bounded, and the whole header bounded) and then the body, which
// is handed on piece by piece and never kept.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "components/net/line_splitter.h"

namespace orv::net {

// The most header bytes one answer may carry.
constexpr size_t kMaxHeaderSize = 1024 * 1024;

// Parses one answer; the client feeds it what the connection delivers.
class THttpAnswer {
 public:
  // Called for every header line (the status line too), before it is stored.
  std::function<void(const std::string& line)> OnHeaderLine;
  // Called at the empty line that ends the header.
  std::function<void()> OnHeaderEnd;
  // Called with each piece of the body.
  std::function<void(const char* data, size_t size)> OnBody;

  // Takes the next bytes. Returns false once the answer is malformed beyond
  // reading (a header line or the header too long); Error() says why.
  bool Feed(std::string_view data);

  bool HeaderDone() const { return header_done_; }
  bool Failed() const { return !error_.empty(); }
  const std::string& Error() const { return error_; }
  // 0 until a status line was read.
  int StatusCode() const { return status_code_; }
  const std::string& ReasonPhrase() const { return reason_phrase_; }
  const std::vector<std::string>& HeaderLines() const { return header_lines_; }
  // The "Location" value, empty when none.
  const std::string& Location() const { return location_; }
  // -1 when the answer gave no (valid) "Content-Length".
  int64_t ContentLength() const { return content_length_; }
  const std::string& ContentType() const { return content_type_; }
  const std::vector<std::string>& AuthChallenges() const { return auth_challenges_; }
  // Body bytes received so far.
  uint64_t BodySize() const { return body_size_; }
  // True once any byte arrived.
  bool Started() const { return started_; }

 private:
  void HeaderLine(const std::string& line);

  TLineSplitter splitter_;
  bool started_ = false;
  bool header_done_ = false;
  size_t header_size_ = 0;
  std::string error_;
  int status_code_ = 0;
  std::string reason_phrase_;
  std::vector<std::string> header_lines_;
  std::string location_;
  int64_t content_length_ = -1;
  std::string content_type_;
  std::vector<std::string> auth_challenges_;
  uint64_t body_size_ = 0;
};

}  // namespace orv::net
