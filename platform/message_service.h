// Message boxes and beeps: the stand-in for the platform's message service.
// Everything goes through one replaceable sink; the default sink writes the
// message to standard error and beeps only on a terminal. A GUI host plugs a
// dialog-based sink in, and tests plug in one that records.
#pragma once

#include <memory>
#include <string>

namespace orv {

enum class MessageKind { Information, Warning, Error };

// Receiver of message boxes and beeps.
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void ShowMessage(MessageKind kind, const std::string& caption, const std::string& text) = 0;
  virtual void Beep() = 0;
};

// Installs `sink` for the whole process (null restores the default sink) and
// returns the previous one.
std::shared_ptr<MessageSink> SetMessageSink(std::shared_ptr<MessageSink> sink);

void ShowMessage(MessageKind kind, const std::string& caption, const std::string& text);
void Beep();

}  // namespace orv
