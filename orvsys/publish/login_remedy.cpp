#include "orvsys/publish/login_remedy.h"

#include "orvsys/publish/credentials.h"
#include "orvsys/publish/site_address.h"

namespace orv {

bool OfferRemedy(const EPublishError& error, const TRemote& remote, const TPublishSite& site,
                 const TRemedyQuestions& ask) {
  const TSiteAddress address = ParseSiteAddress(site.Url);
  if (error.Kind() == PublishFailure::LoginDenied) {
    const std::string login = (address.User.empty() ? "" : address.User + "@") + address.HostAndPort();
    const std::string password = ask.Password(login, error.what());
    if (password.empty()) return false;
    RememberPassword(address, password);
    return true;
  }
  if (error.Kind() == PublishFailure::HostKeyUnknown) {
    if (!ask.TrustKey(error.what())) return false;
    TrustHostKey(address, remote.OfferedHostKey());
    return true;
  }
  return false;
}

}  // namespace orv
