// What the user can do about a refused login or an unknown SFTP host key:
// type the password, or trust the key. The publishing dialog and orvcc ask
// in their own way; this module decides what to ask and applies the answer.
#pragma once

#include <functional>
#include <string>

#include "orvsys/publish/publish_error.h"
#include "orvsys/publish/remote.h"
#include "orvsys/publish/sites_file.h"

namespace orv {

// How to ask the user.
struct TRemedyQuestions {
  // The password of `login` ("me@example.org:2121"), after the server's
  // refusal `why`; "" gives up.
  std::function<std::string(const std::string& login, const std::string& why)> Password;
  // Whether to trust the host key that `why` shows with its fingerprint.
  std::function<bool(const std::string& why)> TrustKey;
};

// Offers the remedy of `error`, a failure of `remote` on `site`, through
// `ask`, and applies the answer: the password is kept in this process's
// memory, a trusted key is added to known_hosts. True when the operation
// should be tried again; false for a failure without a remedy or when the
// user declined.
bool OfferRemedy(const EPublishError& error, const TRemote& remote, const TPublishSite& site,
                 const TRemedyQuestions& ask);

}  // namespace orv
