#include "orvsys/publish/sites_file.h"

#include "orvsys/publish/manifest.h"
#include "orvsys/publish/publish_error.h"
#include "orvsys/publish/site_address.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/ini_file.h"
#include "platform/paths.h"

namespace orv {

namespace {

TPublishSite SiteFrom(const TIniFile& ini, const std::string& name) {
  TPublishSite site;
  site.Name = name;
  site.Url = ini.ReadString(name, "url", "");
  site.Passive = ini.ReadBool(name, "passive", true);
  site.Delete = ini.ReadBool(name, "delete", false);
  site.CaFile = ini.ReadString(name, "cafile", "");
  return site;
}

// The site of that name in `sites`, compared without regard to case.
const TPublishSite* Find(const std::vector<TPublishSite>& sites, const std::string& name) {
  for (const TPublishSite& site : sites)
    if (SameText(site.Name, name)) return &site;
  return nullptr;
}

void CheckName(const std::string& name) {
  const bool blank_edge = !name.empty() && (name.front() == ' ' || name.back() == ' ');
  if (name.empty() || blank_edge || name.find_first_of("[]\r\n") != std::string::npos)
    throw EPublishError(PublishFailure::BadSite,
                        "A site name cannot be empty, begin or end with a blank, or hold \"[\", \"]\" or a line "
                        "break: \"" + name + "\"");
}

}  // namespace

std::string SitesFile() { return DataDir() + "sites.ini"; }

std::vector<TPublishSite> ReadSites() {
  const TIniFile ini(SitesFile());
  std::vector<TPublishSite> sites;
  for (const std::string& name : ini.ReadSections())
    if (!name.empty() && !Find(sites, name)) sites.push_back(SiteFrom(ini, name));
  return sites;
}

std::optional<TPublishSite> FindSite(const std::string& name) {
  const std::vector<TPublishSite> sites = ReadSites();
  const TPublishSite* site = Find(sites, name);
  return site ? std::optional<TPublishSite>(*site) : std::nullopt;
}

void SaveSite(const TPublishSite& site) {
  CheckName(site.Name);
  ParseSiteAddress(site.Url);
  ForceDirectories(DataDir());
  TIniFile ini(SitesFile());
  ini.WriteString(site.Name, "url", site.Url);
  ini.WriteBool(site.Name, "passive", site.Passive);
  ini.WriteBool(site.Name, "delete", site.Delete);
  ini.WriteString(site.Name, "cafile", site.CaFile);
}

void DeleteSite(const std::string& name) {
  TIniFile(SitesFile()).EraseSection(name);
  DeleteFile(ManifestFile(name));
}

}  // namespace orv
