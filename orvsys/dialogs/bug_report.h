// The bug report of the error centre: what it tells about the error and the
// machine, the text of its mail body, and sending it to the maker's
// bug-report address through the SMTP client.
#pragma once

#include <ctime>
#include <string>

#include "orvsys/model/preferences.h"

namespace orv {

// What one bug report tells.
struct TBugReport {
  std::string ErrorMessage;
  std::string Method;        // where the error occurred
  std::string FileName;      // the editor's file name
  std::string FileVersion;   // the editor's file version
  std::string SenderClass;   // class name of the object that raised the error
  std::string LastError;     // the system's text for the last error number, ending in CR LF
  std::string Time;
  std::string Date;
  std::string WindowsDir;
  std::string SystemDir;
  std::string Browser;       // the default browser's command line
  std::string CpuSpeed;      // "2400.0 MHz"
};

// A report of the error with the facts of this machine: the time and date
// of `now`, the text of the error number `last_error`, the folders, the
// browser and the processor speed.
TBugReport MachineReport(std::time_t now, int last_error);

// The mail body before it is split into lines: each part followed by CR,
// the system's error text followed by LF and CR, the processor speed
// followed by LF and CR.
std::string BugReportText(const TBugReport& report);

// The maker's bug-report address, set when ORV is built.
std::string BugReportAddress();

// Mails the report through the SMTP server `settings.SmtpHost` ("host" or
// "host:port", port 25 by default) from the user's name and address. Raises
// ETcpIpError when a setting is empty, the server is unknown or refuses, or
// the network fails.
void SendBugReport(const TMailSettings& settings, const TBugReport& report);

}  // namespace orv
