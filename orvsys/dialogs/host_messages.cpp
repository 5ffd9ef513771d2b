#include "orvsys/dialogs/host_messages.h"

#include "orv/host.h"
#include "platform/window.h"

namespace orv {

void PostRecord(HWND host, uint32_t message, const std::string& field1, const std::string& field2) {
  TMyRecord* record = orv_myrecord_new(field1.c_str(), field2.c_str(), "");
  if (!PostMessage(host, message, 0, reinterpret_cast<LPARAM>(record))) orv_myrecord_free(record);
}

TNetworkNotice::TNetworkNotice(HWND host) : host_(host) { SendMessage(host_, ORV_MSG_NET_BEGIN, 0, 0); }

TNetworkNotice::~TNetworkNotice() { SendMessage(host_, ORV_MSG_NET_END, 0, 0); }

}  // namespace orv
