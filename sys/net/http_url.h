// The URL rules of the HTTP client: splitting a URL (also a proxy text or a
// "Location" value) into scheme, credentials, host, port and path; the name
// of the document a path names; completing a relative redirection target.
#pragma once

#include <string>

namespace orv::net {

// The parts of a URL; empty when missing.
struct TUrlParts {
  std::string proto;
  std::string user;
  std::string pass;
  std::string host;
  std::string port;
  std::string path;

  bool operator==(const TUrlParts&) const = default;
};

// Splits `url`. The scheme is the text before "://"; without it, a text
// beginning "http:" (any case), "mailto:" or "/" has the schemes "http",
// "mailto" and "http". The host part runs to the next "/", the path is the
// rest with its "/". In the host part the last "@" ends the credentials
// ("user" or "user:pass") and a ":" after it starts the port.
TUrlParts ParseURL(const std::string& url);

// The document name of a request path: "document.htm" for an empty path or
// "/", otherwise the last segment (a trailing "/" dropped) cut before "?".
std::string DocumentName(const std::string& path);

// Completes a redirection target against the current request: an absolute
// target (with "://") stays; one beginning "/" gets the scheme and host (with
// the port, when one was given); any other is taken relative to the folder of
// the current path.
std::string CompleteLocation(const std::string& location, const TUrlParts& current);

}  // namespace orv::net
