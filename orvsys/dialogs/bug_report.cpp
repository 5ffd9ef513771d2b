#include "orvsys/dialogs/bug_report.h"

#include "components/net/http_url.h"
#include "components/net/mail.h"
#include "orvsys/model/default_browser.h"
#include "orvsys/model/machine_info.h"
#include "platform/folders.h"

namespace orv {

namespace {

constexpr int kSmtpPort = 25;

// The port part of an SMTP server text: 25 when there is none; ETcpIpError
// when it is not a decimal number from 1 to 65535.
int SmtpPort(const std::string& text) {
  if (text.empty()) return kSmtpPort;
  long port = 0;
  for (char c : text) {
    if (c < '0' || c > '9' || port > 65535) {
      port = 0;
      break;
    }
    port = port * 10 + (c - '0');
  }
  if (port < 1 || port > 65535) throw net::ETcpIpError("Invalid SMTP server port \"" + text + "\"");
  return static_cast<int>(port);
}

}  // namespace

TBugReport MachineReport(std::time_t now, int last_error) {
  TBugReport report;
  report.LastError = SystemErrorText(last_error);
  report.Time = LocaleTimeText(now);
  report.Date = LocaleDateText(now);
  report.WindowsDir = WinDir();
  report.SystemDir = SystemDir();
  report.Browser = DefaultBrowserCommand();
  report.CpuSpeed = CpuSpeedText(ProcessorMhz());
  return report;
}

std::string BugReportText(const TBugReport& report) {
  return "Error Message: " + report.ErrorMessage + "\r" +
         "Error in Method: " + report.Method + "\r" +
         "ORV File=" + report.FileName + "\r" +
         "FileVersion=" + report.FileVersion + "\r" +
         "Sender(object): " + report.SenderClass + "\r" +
         "GetLastError: " + report.LastError + "\n\r" +
         "Time: " + report.Time + "\r" +
         "Date: " + report.Date + "\r" +
         "Windows Directory: " + report.WindowsDir + "\r" +
         "System Directory: " + report.SystemDir + "\r" +
         "Default Browser: " + report.Browser + "\r" +
         "CPU Speed: " + report.CpuSpeed + "\n\r";
}

std::string BugReportAddress() { return ORV_BUG_REPORT_ADDRESS; }

void SendBugReport(const TMailSettings& settings, const TBugReport& report) {
  if (!settings.Complete())
    throw net::ETcpIpError("The mail settings are incomplete");
  const net::TUrlParts server = net::ParseURL(settings.SmtpHost);
  net::T_SMTP smtp;
  smtp.Hostname = server.host;
  smtp.SetPort(SmtpPort(server.port));
  net::T_Mail mail;
  mail.SMTP = &smtp;
  const std::string user = settings.UserName + " <" + settings.Email + ">";
  mail.From = user;
  mail.Sender = user;
  mail.ReplyTo = user;
  mail.Recipients.Add("Morvale Bug Reports <" + BugReportAddress() + ">");
  mail.Subject = "ORV Bug Report";
  mail.Header.Add("X-Sender: Quillon Error Center");
  mail.Body.SetText(BugReportText(report));
  mail.Action();
}

}  // namespace orv
