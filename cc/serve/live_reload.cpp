#include "cc/serve/live_reload.h"

#include <cctype>

namespace orv {

namespace {

// Where "</body>" last begins in `html` (ASCII case ignored), or npos.
size_t LastBodyEnd(const std::string& html) {
  static constexpr char kTag[] = "</body>";
  constexpr size_t kSize = sizeof kTag - 1;
  for (size_t at = html.size() >= kSize ? html.size() - kSize + 1 : 0; at-- > 0;) {
    size_t i = 0;
    while (i < kSize && std::tolower(static_cast<unsigned char>(html[at + i])) == kTag[i]) ++i;
    if (i == kSize) return at;
  }
  return std::string::npos;
}

}  // namespace

std::string WithLiveReload(std::string html, uint64_t build) {
  const std::string script =
      "<script>/* orvcc --serve: reloads the page after each build */(function () {\n"
      "  var events = new EventSource(\"" + std::string(kLiveReloadPath) + "?since=" + std::to_string(build) +
      "\");\n"
      "  events.addEventListener(\"reload\", function () { events.close(); location.reload(); });\n"
      "})();</script>\n";
  const size_t at = LastBodyEnd(html);
  html.insert(at == std::string::npos ? html.size() : at, script);
  return html;
}

std::string ReloadEvent(uint64_t build) { return "event: reload\ndata: " + std::to_string(build) + "\n\n"; }

}  // namespace orv
