#include "platform/message_service.h"

#include <unistd.h>

#include <cstdio>
#include <mutex>

namespace orv {
namespace {

class StandardErrorSink : public MessageSink {
 public:
  void ShowMessage(MessageKind, const std::string& caption, const std::string& text) override {
    const std::string line = ConsoleLine(text);
    if (caption.empty()) std::fprintf(stderr, "%s\n", line.c_str());
    else std::fprintf(stderr, "%s: %s\n", caption.c_str(), line.c_str());
  }
  void Beep() override {
    if (::isatty(STDERR_FILENO)) std::fputc('\a', stderr);
  }
};

}  // namespace

std::string ConsoleLine(const std::string& text) {
  std::string line;
  line.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') {
      line += text[i];
      continue;
    }
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    if (!line.empty() && line.back() != ' ') line += ' ';
  }
  return line;
}

namespace {

std::mutex sink_lock;
std::shared_ptr<MessageSink>& Sink() {
  static std::shared_ptr<MessageSink> sink = std::make_shared<StandardErrorSink>();
  return sink;
}

std::shared_ptr<MessageSink> CurrentSink() {
  std::lock_guard<std::mutex> guard(sink_lock);
  return Sink();
}

}  // namespace

std::shared_ptr<MessageSink> SetMessageSink(std::shared_ptr<MessageSink> sink) {
  std::lock_guard<std::mutex> guard(sink_lock);
  auto previous = Sink();
  Sink() = sink ? std::move(sink) : std::make_shared<StandardErrorSink>();
  return previous;
}

void ShowMessage(MessageKind kind, const std::string& caption, const std::string& text) {
  CurrentSink()->ShowMessage(kind, caption, text);
}

void Beep() { CurrentSink()->Beep(); }

}  // namespace orv
