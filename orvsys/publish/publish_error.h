// The error class of publishing: why a site could not be read, reached or
// written, with what the user can do about it told apart from other failures.
#pragma once

#include <string>

#include "platform/exception.h"

namespace orv {

// What kind of failure an EPublishError is; the publishing dialog and orvcc
// offer a remedy for the first three.
enum class PublishFailure {
  LoginDenied,     // the server refused the user name or password
  HostKeyUnknown,  // an SFTP server whose host key is not in known_hosts
  HostKeyChanged,  // an SFTP server whose host key differs from known_hosts
  Cancelled,       // the user stopped the transfer
  BadSite,         // the site's settings cannot be used (address, name)
  Failed,          // anything else: the connection, the server, a local file
};

// A failure of publishing; what() is the message shown to the user.
class EPublishError : public Exception {
 public:
  EPublishError(PublishFailure kind, const std::string& message) : Exception(message), kind_(kind) {}
  PublishFailure Kind() const { return kind_; }

 private:
  PublishFailure kind_;
};

}  // namespace orv
