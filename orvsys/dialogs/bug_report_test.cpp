// The bug report's body and its mail, received by an SMTP sink on 127.0.0.1.
#include "orvsys/dialogs/bug_report.h"

#include <gtest/gtest.h>

#include "components/net/real_servers.h"
#include "components/net/tcpip.h"
#include "components/net/test_servers.h"
#include "platform/files.h"

namespace orv {
namespace {

using net::testing::SmtpSink;
using net::testing::TestServer;

TBugReport SampleReport() {
  return {.ErrorMessage = "List index out of bounds (5)", .Method = "TFrmMain.OpenClick",
          .FileName = "/opt/editor/editor", .FileVersion = "1.0.0.61", .SenderClass = "TFrmMain",
          .LastError = "No such file or directory\r\n", .Time = "16:20:05", .Date = "12/07/26",
          .WindowsDir = "/usr", .SystemDir = "/usr/lib", .Browser = "firefox %u", .CpuSpeed = "2400.0 MHz"};
}

const std::vector<std::string> kSampleLines = {
    "Error Message: List index out of bounds (5)",
    "Error in Method: TFrmMain.OpenClick",
    "ORV File=/opt/editor/editor",
    "FileVersion=1.0.0.61",
    "Sender(object): TFrmMain",
    "GetLastError: No such file or directory",
    "",
    "",
    "Time: 16:20:05",
    "Date: 12/07/26",
    "Windows Directory: /usr",
    "System Directory: /usr/lib",
    "Default Browser: firefox %u",
    "CPU Speed: 2400.0 MHz",
    "",
};

TEST(BugReportTest, TheBodyTextSplitsIntoTheReportsLines) {
  const std::string text = BugReportText(SampleReport());
  EXPECT_EQ(text.substr(0, 46), "Error Message: List index out of bounds (5)\rEr");
  EXPECT_NE(text.find("GetLastError: No such file or directory\r\n\n\rTime: "), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 12), "2400.0 MHz\n\r");
  EXPECT_EQ(SplitLines(text), kSampleLines);
}

TEST(BugReportTest, TheMachineReportFillsTheMachinesFacts) {
  const TBugReport report = MachineReport(0, 2);
  EXPECT_EQ(report.LastError, "No such file or directory\r\n");
  EXPECT_EQ(report.WindowsDir, "/usr");
  EXPECT_EQ(report.SystemDir, "/usr/lib");
  EXPECT_NE(report.CpuSpeed.find(".0 MHz"), std::string::npos) << report.CpuSpeed;
  EXPECT_FALSE(report.Time.empty());
  EXPECT_FALSE(report.Date.empty());
}

TEST(BugReportTest, TheMailGoesToTheMakerFromTheUser) {
  TestServer sink(SmtpSink());
  SendBugReport({"Joe User", "joe@example.org", "127.0.0.1:" + std::to_string(sink.Port())}, SampleReport());
  sink.Stop();
  const std::string seen = sink.Seen().at(0);
  EXPECT_NE(seen.find("MAIL FROM: <joe@example.org>\r\nRCPT TO: <" + BugReportAddress() + ">\r\nDATA\r\n"),
            std::string::npos)
      << seen;
  for (const char* header : {"From: Joe User <joe@example.org>\r\n", "Subject: ORV Bug Report\r\n",
                             "Sender: Joe User <joe@example.org>\r\n", "Reply-To: Joe User <joe@example.org>\r\n",
                             "X-Sender: Quillon Error Center\r\n"})
    EXPECT_NE(seen.find(header), std::string::npos) << header;
  EXPECT_NE(seen.find("To: Morvale Bug Reports <" + BugReportAddress() + ">\r\n"), std::string::npos);
  const size_t body = seen.find("\r\n\r\n") + 4;
  EXPECT_EQ(seen.substr(body), JoinLines(kSampleLines) + ".\r\n");
}

// A report with a very long error message passes a real relay (exim, which
// refuses lines over 998 octets on the way on) to the next one, which gets
// it addressed to the maker, with every line of the report readable again.
TEST(BugReportTest, ALongReportPassesARealRelay) {
  TestServer next(SmtpSink());
  net::testing::EximRelay relay(next.Port());
  if (!relay.Started()) GTEST_SKIP() << "exim4 is not installed (scripts/setup.sh installs it)";
  TBugReport report = SampleReport();
  report.ErrorMessage = "Invalid value \xc2\xab" + std::string(3000, 'v') + "\xc2\xbb";
  SendBugReport({"Jos\xc3\xa9 User", "joe@example.org", "127.0.0.1:" + std::to_string(relay.Port())}, report);
  ASSERT_TRUE(next.WaitForConnections(1, std::chrono::seconds(30))) << relay.FileText("mainlog");
  next.Stop();
  const std::string seen = next.Seen().at(0);
  EXPECT_NE(seen.find("RCPT TO:<" + BugReportAddress() + ">"), std::string::npos)
      << "the relay passed the report on, and sent no bounce instead:\n"
      << seen << relay.FileText("mainlog");
  EXPECT_NE(seen.find("\r\nContent-Transfer-Encoding: quoted-printable\r\n"), std::string::npos);
  EXPECT_NE(seen.find("\r\nFrom: =?UTF-8?Q?Jos=C3=A9_User?= <joe@example.org>\r\n"), std::string::npos);
  EXPECT_NE(seen.find("\r\nError Message: Invalid value =C2=AB" + std::string(40, 'v') + "=\r\n"),
            std::string::npos);
  EXPECT_NE(seen.find("\r\nDefault Browser: firefox %u\r\n"), std::string::npos) << "short lines read as they are";
}

TEST(BugReportTest, IncompleteSettingsAndBadPortsSendNothing) {
  TestServer sink(SmtpSink());
  const std::string server = "127.0.0.1:" + std::to_string(sink.Port());
  const TMailSettings settings[] = {
      {"", "joe@example.org", server},
      {"Joe", "", server},
      {"Joe", "joe@example.org", ""},
      {"Joe", "joe@example.org", "127.0.0.1:smtp"},
      {"Joe", "joe@example.org", "127.0.0.1:0"},
      {"Joe", "joe@example.org", "127.0.0.1:65536"},
      {"Joe", "joe@example.org", "127.0.0.1:99999999999999999999"},
  };
  for (const TMailSettings& s : settings)
    EXPECT_THROW(SendBugReport(s, SampleReport()), net::ETcpIpError) << s.UserName << "|" << s.Email << "|" << s.SmtpHost;
  sink.Stop();
  EXPECT_EQ(sink.Connections(), 0);
}

}  // namespace
}  // namespace orv
