#include "core/script/compiler_error.h"

namespace orv {

ECompilerError::ECompilerError(std::string_view text)
    : Exception(std::string(text)), text_(text) {}

ECompilerError::ECompilerError(std::string message, int line, std::string_view text)
    : Exception(message), line_(line), text_(text) {}

ECompilerError ECompilerError::AtLine(int line, std::string_view text) {
  std::string message = "Syntax error in  (" + std::to_string(line) + "): \r\n";
  message.append(text);
  message += '.';
  return ECompilerError(std::move(message), line, text);
}

ECompilerError ECompilerError::AtRunLine(int line, std::string_view text) {
  if (line <= 0) return ECompilerError(text);
  std::string message(text);
  message += " (line " + std::to_string(line) + ")";
  return ECompilerError(std::move(message), line, text);
}

}  // namespace orv
