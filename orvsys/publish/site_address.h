// The address of a publishing site as the user writes it in sites.ini:
// sftp://user@host[:port]/path, ftp://..., ftps://... (FTP with explicit
// TLS) or file:///path, checked and split into its parts.
#pragma once

#include <string>

namespace orv {

// How files reach a site.
enum class PublishProtocol { Sftp, Ftp, Ftps, Folder };

// A checked site address. Path is the path as written (percent-encoded,
// beginning with '/'); for file:// it is already decoded.
struct TSiteAddress {
  PublishProtocol Protocol = PublishProtocol::Folder;
  std::string User;  // decoded; empty when the address names none
  std::string Host;  // as written; IPv6 addresses keep their brackets
  int Port = 0;      // 0: the protocol's usual port
  std::string Path;

  // The path with its percent escapes decoded.
  std::string DecodedPath() const;
  // "host" or "host:port", and "[host]:port" as known_hosts writes it.
  std::string HostAndPort() const;
  std::string KnownHostsName() const;
  // The address of `relative` (a '/'-separated path below the site's
  // folder, "" for the folder itself) as libcurl takes it: ftps:// becomes
  // ftp:// (TLS is asked for separately), the site's path keeps the escapes
  // written in it and gets %XX for what a URL cannot hold (a blank), each
  // segment of `relative` is percent-encoded, and a folder ends in '/'.
  std::string CurlUrl(const std::string& relative, bool folder = false) const;
  // "scheme://user@host:port": the key under which a password is kept.
  std::string LoginKey() const;
};

// Checks and splits `url`. Raises EPublishError (BadSite) naming what is
// wrong: an unknown scheme, no host, a bad port, a password written into the
// address, control characters, a file:// address that is not absolute.
TSiteAddress ParseSiteAddress(const std::string& url);

// True when `text` holds a control character (below 0x20, or DEL), which
// no server takes in a name.
bool HasControlCharacter(const std::string& text);

// True when `path` names a file below a site's folder as a publish names
// it: '/'-separated segments, none of them empty, "." or "..", and no
// control character. Anything else could reach outside the site's folder.
bool IsSitePath(const std::string& path);

// `text` with every byte that `keep` refuses written as %XX.
std::string PercentEncodeBytes(const std::string& text, bool (*keep)(unsigned char c));

// `text` with every byte other than letters, digits and "-._~" written as
// %XX, and '/' kept when `keep_slash`.
std::string PercentEncode(const std::string& text, bool keep_slash);

// `text` with its %XX escapes decoded (a '%' not followed by two hex digits
// stays as it is).
std::string PercentDecode(const std::string& text);

}  // namespace orv
