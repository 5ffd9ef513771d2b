// The class table of THttpCli, so that a dialog's form file sets up its
// client as the client's settings (agent, proxy, cache, content type).
#include "components/class_table.h"
#include "components/net/http_cli.h"

namespace orv::net {
namespace {

[[maybe_unused]] const bool registered = [] {
  using publish::Field;
  using types::Boolean;
  using types::String;
  RegisterClassTable(
      {.name = "THttpCli",
       .parent = "TComponent",
       .factory = publish::Factory<THttpCli>(),
       .published = {
           Field("URL", String, &THttpCli::URL), Field("Proxy", String, &THttpCli::Proxy),
           Field("ProxyPort", String, &THttpCli::ProxyPort), Field("Sender", String, &THttpCli::Sender),
           Field("Agent", String, &THttpCli::Agent), Field("Reference", String, &THttpCli::Reference),
           Field("Username", String, &THttpCli::Username), Field("Password", String, &THttpCli::Password),
           Field("ProxyUsername", String, &THttpCli::ProxyUsername),
           Field("ProxyPassword", String, &THttpCli::ProxyPassword), Field("Cookie", String, &THttpCli::Cookie),
           Field("ContentTypePost", String, &THttpCli::ContentTypePost), Field("NoCache", Boolean, &THttpCli::NoCache),
           Field("MultiThreaded", Boolean, &THttpCli::MultiThreaded)}});
  return true;
}();

}  // namespace
}  // namespace orv::net
