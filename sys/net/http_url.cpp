#include "sys/net/http_url.h"

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

TUrlParts ParseURL(const std::string& url) {
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
  size_t slash = url.find('/', start);
  SplitHostPart(url.substr(start, slash == std::string::npos ? std::string::npos : slash - start), parts);
  if (slash != std::string::npos) parts.path = url.substr(slash);
  return parts;
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
  std::string origin = (current.proto.empty() ? "http" : current.proto) + "://" + current.host;
  if (!current.port.empty()) origin += ":" + current.port;
  if (!location.empty() && location[0] == '/') return origin + location;
  std::string path = current.path.substr(0, current.path.find('?'));
  size_t slash = path.rfind('/');
  std::string folder = slash == std::string::npos ? "/" : path.substr(0, slash + 1);
  return origin + folder + location;
}

}  // namespace orv::net
