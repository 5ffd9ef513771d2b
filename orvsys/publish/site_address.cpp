#include "orvsys/publish/site_address.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string_view>

#include "orvsys/publish/publish_error.h"
#include "platform/paths.h"

namespace orv {

namespace {

[[noreturn]] void Bad(const std::string& url, const std::string& why) {
  throw EPublishError(PublishFailure::BadSite, "The site address \"" + url + "\" " + why);
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool Unreserved(unsigned char c) { return std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~'; }

// The path as written, with what a URL cannot hold as it is (a blank,
// quotes, bytes beyond ASCII) written as %XX: people write "my site", and
// libcurl refuses an address with a blank. Escapes already written stay.
std::string UrlPath(const std::string& path) {
  return PercentEncodeBytes(
      path, [](unsigned char c) { return Unreserved(c) || std::strchr("!$&'()*+,;=:@/%", c) != nullptr; });
}

const char* SchemeText(PublishProtocol protocol) {
  switch (protocol) {
    case PublishProtocol::Sftp: return "sftp";
    case PublishProtocol::Ftp: return "ftp";
    case PublishProtocol::Ftps: return "ftps";
    case PublishProtocol::Folder: break;
  }
  return "file";
}

}  // namespace

bool HasControlCharacter(const std::string& text) {
  for (unsigned char c : text)
    if (c < 0x20 || c == 0x7f) return true;
  return false;
}

bool IsSitePath(const std::string& path) {
  if (path.empty() || HasControlCharacter(path)) return false;
  size_t begin = 0;
  for (;;) {
    const size_t end = std::min(path.find('/', begin), path.size());
    const std::string_view segment(path.data() + begin, end - begin);
    if (segment.empty() || segment == "." || segment == "..") return false;
    if (end == path.size()) return true;
    begin = end + 1;
  }
}

std::string PercentEncodeBytes(const std::string& text, bool (*keep)(unsigned char c)) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : text) {
    if (keep(c)) {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}

std::string PercentEncode(const std::string& text, bool keep_slash) {
  if (keep_slash) return PercentEncodeBytes(text, [](unsigned char c) { return Unreserved(c) || c == '/'; });
  return PercentEncodeBytes(text, Unreserved);
}

std::string PercentDecode(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    int high = text[i] == '%' && i + 2 < text.size() ? HexValue(text[i + 1]) : -1;
    int low = high >= 0 ? HexValue(text[i + 2]) : -1;
    if (low >= 0) {
      out += static_cast<char>(high * 16 + low);
      i += 2;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string TSiteAddress::DecodedPath() const {
  return Protocol == PublishProtocol::Folder ? Path : PercentDecode(Path);
}

std::string TSiteAddress::HostAndPort() const { return Port ? Host + ":" + std::to_string(Port) : Host; }

std::string TSiteAddress::KnownHostsName() const {
  return Port && Port != 22 ? "[" + Host + "]:" + std::to_string(Port) : Host;
}

std::string TSiteAddress::CurlUrl(const std::string& relative, bool folder) const {
  std::string url = Protocol == PublishProtocol::Ftps ? "ftp" : SchemeText(Protocol);
  url += "://";
  if (!User.empty()) url += PercentEncode(User, false) + "@";
  url += HostAndPort();
  url += IncludeTrailingSlash(UrlPath(Path)) + PercentEncode(relative, true);
  if (folder && url.back() != '/') url += '/';
  return url;
}

std::string TSiteAddress::LoginKey() const {
  return std::string(SchemeText(Protocol)) + "://" + User + "@" + HostAndPort();
}

TSiteAddress ParseSiteAddress(const std::string& url) {
  if (HasControlCharacter(url)) Bad(url, "holds a control character.");
  const size_t colon = url.find("://");
  if (colon == std::string::npos)
    Bad(url, "has no scheme; write sftp://, ftp://, ftps:// or file:// before it.");
  const std::string scheme = LowerCase(url.substr(0, colon));
  TSiteAddress address;
  if (scheme == "sftp") address.Protocol = PublishProtocol::Sftp;
  else if (scheme == "ftp") address.Protocol = PublishProtocol::Ftp;
  else if (scheme == "ftps") address.Protocol = PublishProtocol::Ftps;
  else if (scheme == "file") address.Protocol = PublishProtocol::Folder;
  else Bad(url, "has the scheme \"" + scheme + "\"; ORV publishes through sftp, ftp, ftps and file.");

  std::string rest = url.substr(colon + 3);
  const size_t slash = rest.find('/');
  const std::string authority = rest.substr(0, slash);
  address.Path = slash == std::string::npos ? "/" : rest.substr(slash);
  if (address.Path.find_first_of("?#") != std::string::npos)
    Bad(url, "holds a query or fragment (\"?\" or \"#\"); write them as %3F and %23 in a folder name.");

  if (address.Protocol == PublishProtocol::Folder) {
    if (!authority.empty() && LowerCase(authority) != "localhost")
      Bad(url, "names the host \"" + authority + "\"; a file:// address names a local folder, as file:///path.");
    address.Path = PercentDecode(address.Path);
    return address;
  }

  std::string host = authority;
  const size_t at = authority.rfind('@');
  if (at != std::string::npos) {
    const std::string user = authority.substr(0, at);
    if (user.find(':') != std::string::npos)
      Bad(url, "holds a password. Passwords are not kept in the site file: ORV takes them from ~/.netrc, "
               "an SSH agent or key, or asks for them.");
    address.User = PercentDecode(user);
    host = authority.substr(at + 1);
  }
  size_t port_colon = host.rfind(':');
  if (port_colon != std::string::npos && host.find(']', port_colon) == std::string::npos) {
    const std::string port = host.substr(port_colon + 1);
    host.resize(port_colon);
    int value = 0;
    bool ok = !port.empty() && port.size() <= 5;
    for (char c : port) {
      if (c < '0' || c > '9') ok = false;
      if (ok) value = value * 10 + (c - '0');
    }
    if (!ok || value < 1 || value > 65535) Bad(url, "has the port \"" + port + "\"; a port is a number from 1 to 65535.");
    address.Port = value;
  }
  if (host.empty() || host == "[]") Bad(url, "names no host.");
  for (char c : host)
    if (c == ' ' || c == '/' || c == '@' || c == '%' || c == '\\') Bad(url, "has a host name that cannot be right.");
  address.Host = host;
  return address;
}

}  // namespace orv
