#include "orvsys/publish/remote.h"

#include "orvsys/publish/curl_remote.h"
#include "orvsys/publish/folder_remote.h"
#include "orvsys/publish/site_address.h"
#include "orvsys/publish/sites_file.h"
#include "platform/paths.h"

namespace orv {

TRemote::~TRemote() { CancelLater(); }

void TRemote::Later(std::function<void()> work) {
  CancelLater();
  later_ = AddTimer(std::chrono::milliseconds(0), [this, work = std::move(work)] {
    CancelLater();
    work();
  });
}

void TRemote::CancelLater() {
  RemoveTimer(later_);
  later_ = 0;
}

std::string PartName(const std::string& path) {
  return ExtractFilePath(path) + "." + ExtractFileName(path) + ".orv-part";
}

std::unique_ptr<TRemote> MakeRemote(const TPublishSite& site) {
  const TSiteAddress address = ParseSiteAddress(site.Url);
  if (address.Protocol == PublishProtocol::Folder) return std::make_unique<TFolderRemote>(address.Path);
  return std::make_unique<TCurlRemote>(site);
}

}  // namespace orv
