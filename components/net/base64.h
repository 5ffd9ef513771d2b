// Standard Base64 (RFC 4648 alphabet, "=" padding), as the HTTP client sends
// credentials.
#pragma once

#include <string>
#include <string_view>

namespace orv::net {

std::string Base64Encode(std::string_view bytes);

}  // namespace orv::net
