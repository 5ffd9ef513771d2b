#include "components/net/deferred_error.h"

namespace orv::net {
namespace {
thread_local std::exception_ptr deferred;
}

void DeferError(std::exception_ptr error) {
  if (!deferred) deferred = std::move(error);
}

void RethrowDeferredError() {
  if (!deferred) return;
  std::exception_ptr error = std::move(deferred);
  deferred = nullptr;
  std::rethrow_exception(error);
}

}  // namespace orv::net
