// Message boxes and beeps: the stand-in for the platform's message service.
// Everything goes through one replaceable sink; the default sink writes the
// message to standard error on one line (ConsoleLine) and beeps only on a
// terminal. A GUI host plugs a
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

// A message as a console shows it, on one line: each line break (CR LF, CR
// or LF) becomes one blank, or goes when a blank (or nothing) is before it. A
// message box shows the text as it is.
std::string ConsoleLine(const std::string& text);

}  // namespace orv
