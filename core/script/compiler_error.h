// The script engine's error class. Compile errors carry the line where reading
// stopped in the frame "Syntax error in  (<line>): \r\n<text>."; errors of the
// program loader and the runner carry their text alone, except the few run
// errors that name the line that was running ("<text> (line <line>)").
#pragma once

#include <string>
#include <string_view>

#include "platform/exception.h"

namespace orv {

// Raised for every compile, load and run error of a script.
//   throw ECompilerError::AtLine(4, "Unexpected EOF in comment block");
//   throw ECompilerError("Invalid opcode");
class ECompilerError : public Exception {
 public:
  // An error without a line: what() is `text` as given.
  explicit ECompilerError(std::string_view text);

  // A compile error: what() is the framed message for `line`.
  static ECompilerError AtLine(int line, std::string_view text);

  // A run error at `line` (none when 0): what() is "<text> (line <line>)".
  static ECompilerError AtRunLine(int line, std::string_view text);

  // The line of the error; 0 for errors raised without one.
  int Line() const noexcept { return line_; }
  // The error text without the frame.
  const std::string& Text() const noexcept { return text_; }

 private:
  ECompilerError(std::string message, int line, std::string_view text);

  int line_ = 0;
  std::string text_;
};

}  // namespace orv
