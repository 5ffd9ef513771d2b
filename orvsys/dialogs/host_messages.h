// Messages to the editor host: a request that carries a TMyRecord, which the
// host frees when it has read it, and the notices around a network operation.
#pragma once

#include <cstdint>
#include <string>

#include "orv/window.h"

namespace orv {

// Posts `message` with a new TMyRecord of the two texts (the third field
// empty) to `host`; the record is freed here when the post fails.
void PostRecord(HWND host, uint32_t message, const std::string& field1, const std::string& field2 = {});

// Sends message 3033 (a network operation begins) to the host when made and
// 3034 (it has ended) when destroyed, so the host hears of the end also when
// the operation failed.
class TNetworkNotice {
 public:
  explicit TNetworkNotice(HWND host);
  ~TNetworkNotice();
  TNetworkNotice(const TNetworkNotice&) = delete;
  TNetworkNotice& operator=(const TNetworkNotice&) = delete;

 private:
  HWND host_;
};

}  // namespace orv
