#include "core/site/script_output.h"

#include <utility>

namespace orv {

void ScriptOutputBuffer::Start(size_t room) {
  std::string().swap(text_);
  room_ = room;
  too_large_ = false;
}

void ScriptOutputBuffer::Add(const std::string& line) {
  if (too_large_) return;
  if (line.size() + 2 > room_ - text_.size()) {
    too_large_ = true;
    std::string().swap(text_);
    return;
  }
  text_ += line;
  text_ += "\r\n";
}

std::string ScriptOutputBuffer::Take() {
  std::string text = std::move(text_);
  text_.clear();
  return text;
}

}  // namespace orv
