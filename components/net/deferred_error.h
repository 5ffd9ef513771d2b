// Errors raised inside socket events. Socket events run from the message
// loop, where an exception must not escape; the socket keeps such an error
// here and the next synchronous wait of the clients (a synchronous request,
// a TWait, a blocking read) raises it in the caller's code.
#pragma once

#include <exception>

namespace orv::net {

// Keeps `error` for the next RethrowDeferredError on this thread (the first
// one kept wins until it is raised).
void DeferError(std::exception_ptr error);
// Raises the kept error, if any, and forgets it.
void RethrowDeferredError();

}  // namespace orv::net
