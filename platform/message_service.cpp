#include "platform/message_service.h"

#include <unistd.h>

#include <cstdio>
#include <mutex>

namespace orv {
namespace {

class StandardErrorSink : public MessageSink {
 public:
  void ShowMessage(MessageKind, const std::string& caption, const std::string& text) override {
    if (caption.empty()) std::fprintf(stderr, "%s\n", text.c_str());
    else std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
  }
  void Beep() override {
    if (::isatty(STDERR_FILENO)) std::fputc('\a', stderr);
  }
};

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
