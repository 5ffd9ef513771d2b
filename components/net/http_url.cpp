#include "components/net/http_url.h"

#include <strings.h>

#include <cstdint>

namespace orv::net {
namespace {

bool StartsNoCase(const std::string& text, const char* prefix, size_t length) {
  return text.size() >= length && strncasecmp(text.c_str(), prefix, length) == 0;
}

void SplitHostPart(const std::string& part, TUrlParts& parts) {
  size_t at = part.rfind('@');
  size_t colon = part.rfind(':');
  size_t host_start = at == std::string::npos ? 0 : at + 1;
  if (colon != std::string::npos && (at == std::string::npos || colon > at)) {
    parts.host = part.substr(host_start, colon - host_start);
    parts.port = part.substr(colon + 1);
  } else {
    parts.host = part.substr(host_start);
  }
  if (at == std::string::npos) return;
  std::string credentials = part.substr(0, at);
  size_t separator = credentials.find(':');
  parts.user = credentials.substr(0, separator);
  if (separator != std::string::npos) parts.pass = credentials.substr(separator + 1);
}

}  // namespace

TUrlParts ParseURL(const std::string& text) {
  // The fragment names a place inside the document, for the reader: it is
  // never part of the request.
  const std::string url = text.substr(0, text.find('#'));
  TUrlParts parts;
  size_t start = 0;
  size_t scheme_end = url.find("://");
  if (scheme_end != std::string::npos) {
    parts.proto = url.substr(0, scheme_end);
    start = scheme_end + 3;
  } else if (StartsNoCase(url, "http:", 5)) {
    parts.proto = "http";
    if (url.size() <= 6 || url[6] != '/') {
      parts.path = url.substr(5);
      return parts;
    }
    start = url.find_first_not_of('/', 5);
    if (start == std::string::npos) start = url.size();
  } else if (StartsNoCase(url, "mailto:", 7)) {
    parts.proto = "mailto";
    start = 7;
  } else if (!url.empty() && url[0] == '/') {
    parts.proto = "http";
    if (url.size() > 1 && url[1] != '/') {
      parts.path = url;
      return parts;
    }
    start = url.size() > 1 ? 2 : 1;
  }
  // The host part ends where the path or the query begins; a query right
  // after the host is the query of the path "/".
  size_t end = url.find_first_of("/?", start);
  SplitHostPart(url.substr(start, end == std::string::npos ? std::string::npos : end - start), parts);
  if (end != std::string::npos) parts.path = (url[end] == '?' ? "/" : "") + url.substr(end);
  return parts;
}

std::string DefaultPort(const std::string& scheme) { return strcasecmp(scheme.c_str(), "https") == 0 ? "443" : "80"; }

std::string HostAndPort(const TUrlParts& url) {
  if (url.port.empty() || url.port == DefaultPort(url.proto.empty() ? "http" : url.proto)) return url.host;
  return url.host + ":" + url.port;
}

bool SameOrigin(const TUrlParts& a, const TUrlParts& b) {
  auto scheme = [](const TUrlParts& url) { return url.proto.empty() ? std::string("http") : url.proto; };
  auto port = [&scheme](const TUrlParts& url) { return url.port.empty() ? DefaultPort(scheme(url)) : url.port; };
  return strcasecmp(scheme(a).c_str(), scheme(b).c_str()) == 0 && strcasecmp(a.host.c_str(), b.host.c_str()) == 0 &&
         port(a) == port(b);
}

std::string EncodeRequestPath(const std::string& path) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string encoded;
  encoded.reserve(path.size());
  for (unsigned char c : path) {
    if (c > 0x20 && c < 0x7F) {
      encoded += static_cast<char>(c);
    } else {
      encoded += '%';
      encoded += kHex[c >> 4];
      encoded += kHex[c & 0x0F];
    }
  }
  return encoded;
}

std::string DocumentName(const std::string& path) {
  if (path.empty() || path == "/") return "document.htm";
  std::string trimmed = path.back() == '/' ? path.substr(0, path.size() - 1) : path;
  size_t query = trimmed.find('?');
  std::string before_query = trimmed.substr(0, query);
  size_t slash = before_query.rfind('/');
  return slash == std::string::npos ? before_query : before_query.substr(slash + 1);
}

std::string CompleteLocation(const std::string& location, const TUrlParts& current) {
  if (location.find("://") != std::string::npos) return location;
  const std::string scheme = current.proto.empty() ? "http" : current.proto;
  // "//host:port/path" keeps only the scheme of the current request.
  if (location.compare(0, 2, "//") == 0) return scheme + ":" + location;
  std::string origin = scheme + "://" + current.host;
  if (!current.port.empty()) origin += ":" + current.port;
  if (!location.empty() && location[0] == '/') return origin + location;
  const std::string document = current.path.empty() ? "/" : current.path;
  const std::string path = document.substr(0, document.find('?'));
  // A target that is only a fragment, or only a query, stays on the current document.
  if (location.empty() || location[0] == '#') return origin + document;
  if (location[0] == '?') return origin + path + location;
  size_t slash = path.rfind('/');
  std::string folder = slash == std::string::npos ? "/" : path.substr(0, slash + 1);
  return origin + folder + location;
}

}  // namespace orv::net
