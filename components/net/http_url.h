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
// "mailto" and "http". A fragment ("#" and what follows) is dropped. The host
// part runs to the next "/" or "?", the path is the rest with its "/" (a
// query right after the host gets the path "/": "/?a=1"). In the host part
// the last "@" ends the credentials ("user" or "user:pass") and a ":" after
// it starts the port.
TUrlParts ParseURL(const std::string& url);

// "443" for https (any case), else "80".
std::string DefaultPort(const std::string& scheme);

// The host, with ":port" when the URL names a port that is not its scheme's
// default: the form of the "Host" header and of a URL sent to a proxy.
std::string HostAndPort(const TUrlParts& url);

// Whether two URLs have the same scheme, host (without regard to case) and
// port (a missing port being the scheme's default): where credentials may go.
bool SameOrigin(const TUrlParts& a, const TUrlParts& b);

// A path (with its query) as it goes into a request line: spaces, control
// characters and bytes above 127 become %XX (UTF-8 text byte by byte);
// everything else, "%" included, is kept.
std::string EncodeRequestPath(const std::string& path);

// The document name of a request path: "document.htm" for an empty path or
// "/", otherwise the last segment (a trailing "/" dropped) cut before "?".
std::string DocumentName(const std::string& path);

// Completes a redirection target against the current request: an absolute
// target (with "://") stays; one beginning "//" gets the current scheme; one
// beginning "/" gets the scheme and host (with the port, when one was given);
// a query alone replaces the current query, a fragment alone or an empty
// target names the current document; any other is taken relative to the
// folder of the current path.
std::string CompleteLocation(const std::string& location, const TUrlParts& current);

}  // namespace orv::net
