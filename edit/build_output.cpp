#include "edit/build_output.h"

#include <charconv>

namespace orv::edit {
namespace {

// A whole decimal number of `text`, or -1.
int Number(std::string_view text) {
  int value = -1;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && value >= 0 ? value : -1;
}

bool ReadProgress(std::string_view line, BuildLine& out) {
  constexpr std::string_view kLead = "Compiling ";
  if (!line.starts_with(kLead) || !line.ends_with(")")) return false;
  const size_t open = line.rfind(" (");
  const size_t of = line.rfind(" of ");
  if (open == std::string_view::npos || of == std::string_view::npos || of < open || open < kLead.size())
    return false;
  const int page = Number(line.substr(open + 2, of - open - 2));
  const int pages = Number(line.substr(of + 4, line.size() - of - 5));
  if (page < 0 || pages < 0) return false;
  out.What = BuildLine::Kind::Progress;
  out.File = std::string(line.substr(kLead.size(), open - kLead.size()));
  out.Page = page;
  out.Pages = pages;
  return true;
}

bool ReadReport(std::string_view line, BuildLine& out) {
  static constexpr struct {
    std::string_view Marker;
    BuildLine::Kind Kind;
  } kMarkers[] = {{": warning: ", BuildLine::Kind::Warning},
                  {": note: ", BuildLine::Kind::Note},
                  {": error: ", BuildLine::Kind::Error}};
  size_t best = std::string_view::npos;
  for (const auto& marker : kMarkers) {
    const size_t at = line.find(marker.Marker);
    if (at == std::string_view::npos || at == 0 || (best != std::string_view::npos && at >= best)) continue;
    best = at;
    out.What = marker.Kind;
    out.Message = std::string(line.substr(at + marker.Marker.size()));
  }
  if (best == std::string_view::npos) return false;
  std::string_view place = line.substr(0, best);
  const size_t colon = place.rfind(':');
  const int number = colon == std::string_view::npos ? -1 : Number(place.substr(colon + 1));
  if (number > 0) {
    out.Line = number;
    place = place.substr(0, colon);
  }
  out.File = std::string(place);
  return true;
}

}  // namespace

BuildLine ParseBuildLine(std::string_view line) {
  BuildLine out;
  if (ReadProgress(line, out) || ReadReport(line, out)) return out;
  out = BuildLine();
  out.Message = std::string(line);
  return out;
}

std::string ServedAddress(std::string_view line) {
  constexpr std::string_view kLead = "orvcc: serving ";
  constexpr std::string_view kScheme = " at http://";
  constexpr std::string_view kTail = " (Ctrl-C to stop)";
  if (!line.starts_with(kLead) || !line.ends_with(kTail)) return {};
  line.remove_suffix(kTail.size());
  // The folder's name may hold " at http://" too: the address is the last.
  const size_t at = line.rfind(kScheme);
  if (at == std::string_view::npos || at < kLead.size() || !line.ends_with("/")) return {};
  const std::string_view address = line.substr(at + 4);
  const std::string_view authority = address.substr(7, address.size() - 8);
  const size_t colon = authority.rfind(':');
  if (colon == std::string_view::npos || colon == 0 || Number(authority.substr(colon + 1)) <= 0 ||
      authority.find_first_of(" /") != std::string_view::npos)
    return {};
  return std::string(address);
}

}  // namespace orv::edit
