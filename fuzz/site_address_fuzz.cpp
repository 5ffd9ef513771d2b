// Site addresses and sites.ini. The input's first line is read as a site
// address: one that is accepted has a host (file:// has none), a port in
// range and a path from '/', and the address libcurl is given for its
// folder holds no blank or control character and reads back to the same
// user, host, port and path. The whole input
// is then read as sites.ini in a data folder of the target's own: every
// site is found again by its name, and its address is checked as a publish
// checks it.

#include <cstdint>
#include <cstdlib>
#include <string>

#include "orvsys/publish/publish_error.h"
#include "orvsys/publish/site_address.h"
#include "orvsys/publish/sites_file.h"
#include "platform/exception.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/paths.h"
#include "scratch_path.h"

namespace {

// Checks one address; false when it is refused.
bool CheckAddress(const std::string& url) {
  orv::TSiteAddress address;
  try {
    address = orv::ParseSiteAddress(url);
  } catch (const orv::EPublishError& error) {
    if (error.Kind() != orv::PublishFailure::BadSite) __builtin_trap();
    return false;
  }
  if (address.Path.empty() || address.Path[0] != '/' || address.Port < 0 || address.Port > 65535) __builtin_trap();
  if (address.Protocol == orv::PublishProtocol::Folder) {
    if (!address.Host.empty() || !address.User.empty()) __builtin_trap();
    return true;
  }
  if (address.Host.empty()) __builtin_trap();
  const std::string curl = address.CurlUrl("", true);
  if (orv::HasControlCharacter(curl) || curl.find(' ') != std::string::npos) __builtin_trap();
  const orv::TSiteAddress again = orv::ParseSiteAddress(curl);
  if (again.User != address.User || again.Host != address.Host || again.Port != address.Port ||
      again.DecodedPath() != orv::PercentDecode(orv::IncludeTrailingSlash(address.Path)))
    __builtin_trap();
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool home = [] {
    static const orv::fuzz::ScratchPath scratch("orv-site-fuzz");
    const std::string folder = scratch.Path + "/";
    ::setenv("ORV_HOME", folder.c_str(), 1);
    return orv::ForceDirectories(folder);
  }();
  const std::string text(reinterpret_cast<const char*>(data), size);
  CheckAddress(text.substr(0, text.find_first_of("\r\n")));
  if (!home) return 0;
  orv::WriteFileBytes(orv::SitesFile(), text);
  for (const orv::TPublishSite& site : orv::ReadSites()) {
    const std::optional<orv::TPublishSite> found = orv::FindSite(site.Name);
    if (!found || found->Url != site.Url) __builtin_trap();
    CheckAddress(site.Url);
  }
  return 0;
}
