#include "components/net/http_answer.h"

#include <gtest/gtest.h>

namespace orv::net {
namespace {

// Feeds `bytes` in pieces of `piece` bytes; returns the body handed on.
std::string FeedInPieces(THttpAnswer& answer, const std::string& bytes, size_t piece) {
  std::string body;
  answer.OnBody = [&body](const char* data, size_t size) { body.append(data, size); };
  for (size_t at = 0; at < bytes.size() && answer.Feed(std::string_view(bytes).substr(at, piece)); at += piece) {
  }
  return body;
}

TEST(LineSplitterTest, LinesAcrossPiecesAndTheBound) {
  TLineSplitter splitter(8);
  std::string_view data = "ab\r\ncd";
  EXPECT_EQ(splitter.Next(data), "ab");
  EXPECT_EQ(splitter.Next(data), std::nullopt);
  EXPECT_EQ(splitter.Pending(), "cd");
  data = "ef\nlast";
  EXPECT_EQ(splitter.Next(data), "cdef");
  EXPECT_EQ(data, "last");
  std::string_view exact = "12345678\r\n";
  TLineSplitter bounded(8);
  EXPECT_EQ(bounded.Next(exact), "12345678");
  std::string_view over = "123456789\n";
  EXPECT_EQ(bounded.Next(over), std::nullopt);
  EXPECT_TRUE(bounded.Overflowed());
  std::string_view more = "x\n";
  EXPECT_EQ(bounded.Next(more), std::nullopt);
  bounded.Clear();
  EXPECT_FALSE(bounded.Overflowed());
}

struct StatusCase {
  const char* first_line;
  int status;
  const char* reason;
};

TEST(HttpAnswerTest, StatusLineTable) {
  const StatusCase cases[] = {
      {"HTTP/1.0 200 OK", 200, "OK"},
      {"HTTP/1.1 404 Not Found", 404, "Not Found"},
      {"HTTP/1.1 302", 302, ""},
      {"HTTP/1.1 30", 0, ""},
      {"HTTP/1.1 abc Odd", 0, "Odd"},
      {"HTTP/2 200 OK", 0, ""},
      {"ICY 200 OK", 0, ""},
  };
  for (const auto& test : cases) {
    THttpAnswer answer;
    answer.Feed(std::string(test.first_line) + "\r\n\r\n");
    EXPECT_EQ(answer.StatusCode(), test.status) << test.first_line;
    EXPECT_EQ(answer.ReasonPhrase(), test.reason) << test.first_line;
    EXPECT_TRUE(answer.HeaderDone());
  }
}

TEST(HttpAnswerTest, HeaderFieldsAnyCaseAndPieceSize) {
  const std::string bytes =
      "HTTP/1.1 301 Moved\r\nLOCATION:  /new place \r\ncontent-length: 4\r\nContent-Type: text/plain\n"
      "www-authenticate: Basic\r\nX-Other: 1\r\n\r\nbody";
  for (size_t piece : {1, 3, 7, 1000}) {
    THttpAnswer answer;
    EXPECT_EQ(FeedInPieces(answer, bytes, piece), "body") << piece;
    EXPECT_EQ(answer.StatusCode(), 301);
    EXPECT_EQ(answer.Location(), "/new place");
    EXPECT_EQ(answer.ContentLength(), 4);
    EXPECT_EQ(answer.ContentType(), "text/plain");
    EXPECT_EQ(answer.AuthChallenges(), std::vector<std::string>{"Basic"});
    EXPECT_EQ(answer.HeaderLines().size(), 6u);
    EXPECT_EQ(answer.BodySize(), 4u);
  }
}

TEST(HttpAnswerTest, InvalidContentLength) {
  for (const char* value : {"-1", "12x", "", "99999999999999999999"}) {
    THttpAnswer answer;
    answer.Feed(std::string("HTTP/1.0 200 OK\r\nContent-Length: ") + value + "\r\n\r\n");
    EXPECT_EQ(answer.ContentLength(), -1) << value;
  }
}

TEST(HttpAnswerTest, BoundsOfLinesAndHeader) {
  THttpAnswer longest;
  longest.Feed("HTTP/1.0 200 OK\r\nX: " + std::string(kMaxLineLength - 3, 'a') + "\r\n\r\n");
  EXPECT_FALSE(longest.Failed());
  EXPECT_TRUE(longest.HeaderDone());
  THttpAnswer too_long;
  EXPECT_FALSE(too_long.Feed("HTTP/1.0 200 OK\r\nX: " + std::string(kMaxLineLength - 2, 'a') + "\r\n\r\n"));
  EXPECT_EQ(too_long.Error(), "Answer header line longer than 65536 bytes");
  EXPECT_FALSE(too_long.Feed("more"));
  THttpAnswer many;
  std::string line = "X: " + std::string(60000, 'b') + "\r\n";
  bool fed = many.Feed("HTTP/1.0 200 OK\r\n");
  for (int i = 0; i < 20 && fed; ++i) fed = many.Feed(line);
  EXPECT_FALSE(fed);
  EXPECT_EQ(many.Error(), "Answer header longer than 1048576 bytes");
}

}  // namespace
}  // namespace orv::net
