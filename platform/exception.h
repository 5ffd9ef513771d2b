// Exception classes of the runtime that every ORV library shares. Each module
// derives its own classes (ECompilerError, EGifException, ...) from Exception,
// so a caller can catch every ORV error with one handler.
#pragma once

#include <stdexcept>
#include <string>

namespace orv {

// Root of every error raised inside ORV's libraries; what() is the message
// shown to the user.
class Exception : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A file could not be opened, read or written, or its contents are not what
// the reader expects.
class EInOutError : public Exception {
 public:
  using Exception::Exception;
};

// A text could not be converted to a number or date, or a value to another type.
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

// A request for more memory than a reader is willing to allocate.
class EOutOfMemory : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace orv
