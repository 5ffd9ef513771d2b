// Error numbers of the socket layer. The clients report socket failures with
// the classic socket error numbers (10061 connection refused, 11001 host not
// found, ...) and their fixed texts; the POSIX errno values and name-lookup
// codes of Linux are mapped onto them here.
#pragma once

#include <string>

namespace orv::net {

// Well-known error numbers the clients raise themselves.
constexpr int kErrInvalidArgument = 10022;
constexpr int kErrWouldBlock = 10035;
constexpr int kErrNotConnected = 10057;
constexpr int kErrConnReset = 10054;
constexpr int kErrTimedOut = 10060;
constexpr int kErrConnRefused = 10061;
constexpr int kErrHostNotFound = 11001;

// The text of a socket error number; "Not a WinSock error" for any number
// outside the table.
std::string WSocketErrorDesc(int error);

// The socket error number for a POSIX errno value; 0 stays 0, an errno with
// no socket counterpart is returned unchanged.
int SocketErrorFromErrno(int errno_value);

// The socket error number for a getaddrinfo result code (EAI_...); `errno_value`
// is used for EAI_SYSTEM.
int SocketErrorFromLookup(int eai_code, int errno_value);

}  // namespace orv::net
