// sites.ini in the data folder: the sites the user publishes to, one section
// per site name with the keys url, passive, delete and cafile. Passwords are
// never written here.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace orv {

// One publishing site as sites.ini keeps it.
struct TPublishSite {
  std::string Name;
  std::string Url;       // sftp://, ftp://, ftps:// or file:// (site_address.h)
  bool Passive = true;   // FTP passive mode
  bool Delete = false;   // delete remote files that left the output folder
  std::string CaFile;    // a certificate file to trust for FTPS, or ""
};

// DataDir() + "sites.ini".
std::string SitesFile();

// Every site in file order (the first section of a name counts).
std::vector<TPublishSite> ReadSites();

// The site of that name (compared without regard to case), if there is one.
std::optional<TPublishSite> FindSite(const std::string& name);

// Checks the site (a name that a section can hold, an address that
// ParseSiteAddress accepts) and writes it, replacing a site of the same
// name. Raises EPublishError (BadSite) for a bad site and EInOutError when
// the file cannot be written.
void SaveSite(const TPublishSite& site);

// Removes the site and what ORV remembers of its last publish.
void DeleteSite(const std::string& name);

}  // namespace orv
