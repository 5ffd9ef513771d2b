#include "components/net/mail.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <regex>

#include "components/net/smtp_reply.h"
#include "components/net/test_servers.h"

namespace orv::net {
namespace {

using testing::Connection;
using testing::SmtpSink;
using testing::TestServer;

class MailTest : public ::testing::Test {
 protected:
  void SetUp() override {
    smtp.Hostname = "127.0.0.1";
    mail.SMTP = &smtp;
    mail.From = "Joe User <joe@example.org>";
    mail.Subject = "ORV Bug Report";
    mail.Recipients.Add("Morvale Bug Reports <bugs@example.org>");
  }

  // Sends the mail to `sink` and returns what the sink received.
  std::string SendTo(TestServer& sink) {
    smtp.SetPort(sink.Port());
    try {
      mail.Action();
    } catch (...) {
      smtp.Logout();
      sink.Stop();
      throw;
    }
    smtp.Logout();
    sink.Stop();
    return sink.Seen().empty() ? std::string() : sink.Seen()[0];
  }

  // The message lines between "DATA" and the final ".", with the lines that
  // change with time and host replaced by their forms.
  static std::string Message(const std::string& dialogue) {
    size_t start = dialogue.find("DATA\r\n");
    std::string message = dialogue.substr(start + 6);
    message = std::regex_replace(message, std::regex("Message-ID: <[0-9]+@[^>\r]+>"), "Message-ID: <ID>");
    return std::regex_replace(message, std::regex("Date: [A-Z][a-z]{2}, [0-9]{1,2} [A-Z][a-z]{2} [0-9]{4} "
                                                  "[0-9]{2}:[0-9]{2}:[0-9]{2} (GMT|[+-][0-9]{4})"),
                              "Date: DATE");
  }

  T_SMTP smtp;
  T_Mail mail;
};

TEST_F(MailTest, DialogueAndHeaderOrder) {
  TestServer sink(SmtpSink());
  mail.Sender = "Joe User <joe@example.org>";
  mail.ReplyTo = "Joe User <joe@example.org>";
  mail.Header.Add("X-Sender: Quillon Error Center");
  mail.Body.Add("Error Message: boom");
  mail.Body.Add("");
  mail.Body.Add("last line");
  std::string seen = SendTo(sink);
  std::string envelope = "HELO " + LocalHostName() +
                         "\r\nMAIL FROM: <joe@example.org>\r\nRCPT TO: <bugs@example.org>\r\nDATA\r\n";
  EXPECT_EQ(seen.substr(0, envelope.size()), envelope);
  EXPECT_EQ(Message(seen),
            "From: Joe User <joe@example.org>\r\n"
            "Message-ID: <ID>\r\n"
            "Date: DATE\r\n"
            "Subject: ORV Bug Report\r\n"
            "To: Morvale Bug Reports <bugs@example.org>\r\n"
            "Sender: Joe User <joe@example.org>\r\n"
            "Reply-To: Joe User <joe@example.org>\r\n"
            "X-Sender: Quillon Error Center\r\n"
            "MIME-Version: 1.0\r\n"
            "Content-Type: text/plain; charset=UTF-8\r\n"
            "Content-Transfer-Encoding: 7bit\r\n"
            "\r\n"
            "Error Message: boom\r\n"
            "\r\n"
            "last line\r\n"
            ".\r\n");
  EXPECT_EQ(smtp.ReplyCode(), 250);
  EXPECT_EQ(smtp.ReplyText(), "queued");
  EXPECT_EQ(smtp.SenderAddress(), "");
}

TEST_F(MailTest, DotLines) {
  TestServer sink(SmtpSink());
  mail.Body.Add(".");
  mail.Body.Add("..");
  mail.Body.Add(".hidden");
  mail.Body.Add("a . b");
  std::string message = Message(SendTo(sink));
  EXPECT_NE(message.find("\r\n\r\n,\r\n...\r\n..hidden\r\na . b\r\n.\r\n"), std::string::npos) << message;
}

// A body that a relay could refuse or change (a line over 998 octets, text
// beyond ASCII) goes in quoted-printable; names beyond ASCII as encoded words.
TEST_F(MailTest, LongLinesAndUtf8GoAsQuotedPrintable) {
  TestServer sink(SmtpSink());
  mail.From = "Jos\xc3\xa9 <jose@example.org>";
  mail.Body.Add("Error Message: " + std::string(3000, 'x'));
  mail.Body.Add("caf\xc3\xa9");
  const std::string message = Message(SendTo(sink));
  EXPECT_EQ(message.rfind("From: =?UTF-8?Q?Jos=C3=A9?= <jose@example.org>\r\n", 0), 0u) << message;
  EXPECT_NE(message.find("\r\nContent-Transfer-Encoding: quoted-printable\r\n\r\nError Message: xxx"),
            std::string::npos)
      << message;
  EXPECT_NE(message.find("\r\ncaf=C3=A9\r\n.\r\n"), std::string::npos);
  size_t longest = 0;
  for (size_t start = 0, end; (end = message.find("\r\n", start)) != std::string::npos; start = end + 2)
    longest = std::max(longest, end - start);
  EXPECT_LE(longest, 76u);
}

TEST_F(MailTest, SeveralAddressesCcBccAndRefusedRecipient) {
  TestServer sink(SmtpSink({{"RCPT nobody@example.org", "550 no such user\r\n"}}));
  mail.Recipients.Clear();
  mail.Recipients.Add("A <a@example.org>, b@example.org");
  mail.CC.Add("nobody@example.org");
  mail.BCC.Add("Hidden <hidden@example.org>");
  mail.Body.Add("text");
  std::string seen = SendTo(sink);
  EXPECT_NE(seen.find("RCPT TO: <a@example.org>\r\nRCPT TO: <b@example.org>\r\nRCPT TO: <nobody@example.org>\r\n"
                      "RCPT TO: <hidden@example.org>\r\nDATA\r\n"),
            std::string::npos)
      << seen;
  std::string message = Message(seen);
  EXPECT_NE(message.find("To: A <a@example.org>, b@example.org\r\nCC: nobody@example.org\r\n"), std::string::npos);
  EXPECT_EQ(message.find("hidden"), std::string::npos);
}

TEST_F(MailTest, DiscloseReceiptsHidesRecipients) {
  TestServer sink(SmtpSink());
  mail.Disclose_Receipts = true;
  mail.Recipients.Add("second@example.org");
  mail.Body.Add("text");
  std::string seen = SendTo(sink);
  EXPECT_NE(seen.find("RCPT TO: <bugs@example.org>\r\nRCPT TO: <second@example.org>\r\n"), std::string::npos);
  std::string message = Message(seen);
  EXPECT_NE(message.find("Subject: ORV Bug Report\r\nTo: disclosed recipients list\r\nMIME-Version: 1.0\r\n"),
            std::string::npos)
      << message;
  EXPECT_EQ(message.find("second@"), std::string::npos);
}

TEST_F(MailTest, DataRefusedSendsNoBody) {
  TestServer sink(SmtpSink({{"DATA", "554 no thanks\r\n"}}));
  mail.Body.Add("never sent");
  try {
    SendTo(sink);
    FAIL() << "no error";
  } catch (const EProtocolError& error) {
    EXPECT_EQ(error.Code(), 554);
    EXPECT_EQ(error.Protocol(), "SMTP");
    EXPECT_STREQ(error.what(), "no thanks");
  }
  std::string seen = sink.Seen().at(0);
  EXPECT_EQ(seen.substr(seen.size() - 6), "DATA\r\n");
  EXPECT_EQ(smtp.SenderAddress(), "");
}

TEST_F(MailTest, SenderAddressOfTheSmtpObjectWins) {
  TestServer sink(SmtpSink());
  smtp.SetSenderAddress("Envelope <envelope@example.org>");
  mail.Sender = "Other <other@example.org>";
  mail.Body.Add("text");
  std::string seen = SendTo(sink);
  EXPECT_NE(seen.find("MAIL FROM: <envelope@example.org>\r\n"), std::string::npos);
  EXPECT_EQ(smtp.SenderAddress(), "Envelope <envelope@example.org>");
}

TEST_F(MailTest, DataReplyBelow300WithoutBodyIsNoError) {
  TestServer sink(SmtpSink({{"DATA", "250 odd but fine\r\n"}}));
  mail.Body.Add("never sent");
  std::string seen = SendTo(sink);
  EXPECT_EQ(seen.substr(seen.size() - 6), "DATA\r\n");
}

TEST_F(MailTest, RefusedSenderOrGreeting) {
  const std::pair<const char*, const char*> cases[] = {{"MAIL", "553 bad sender\r\n"}, {"HELO", "501 who?\r\n"}};
  for (const auto& [command, reply] : cases) {
    TestServer sink(SmtpSink({{command, reply}}));
    mail.Body.Clear();
    mail.Body.Add("text");
    try {
      SendTo(sink);
      ADD_FAILURE() << command;
    } catch (const EProtocolError& error) {
      EXPECT_EQ(error.Code(), std::atoi(reply));
      EXPECT_EQ(std::string(error.what()) + "\r\n", std::string(reply).substr(4));
    }
  }
}

TEST_F(MailTest, NothingIsSentWithoutFromRecipientsSenderOrLines) {
  TestServer sink(SmtpSink());
  smtp.SetPort(sink.Port());
  mail.From.clear();
  mail.Body.Add("text");
  mail.Action();
  mail.From = "a@example.org";
  mail.Recipients.Clear();
  mail.Action();
  mail.Recipients.Add("b@example.org");
  mail.SMTP = nullptr;
  mail.Action();
  smtp.Recipients().Add("b@example.org");
  smtp.Action();  // no sender, no lines
  smtp.SetSenderAddress("a@example.org");
  smtp.Action();  // no lines
  smtp.Message().Add("line");
  smtp.Recipients().Clear();
  smtp.Action();  // no recipients
  sink.Stop();
  EXPECT_EQ(sink.Connections(), 0);
}

TEST(SmtpTest, MultiLineReplyKeepsTheFirstLine) {
  TestServer sink([](Connection& connection, int) {
    connection.Write("220-first line\r\n220-second line\r\n220 last line\r\n");
    connection.ReadLine();
  });
  T_SMTP smtp;
  smtp.SetPort(sink.Port());
  smtp.Login("127.0.0.1");
  smtp.ReadReply();
  EXPECT_EQ(smtp.ReplyCode(), 220);
  EXPECT_EQ(smtp.ReplyText(), "first line");
  smtp.Logout();
}

TEST(SmtpTest, SilentServerTimesOut) {
  TestServer sink([](Connection& connection, int) { connection.ReadLine(); });
  T_SMTP smtp;
  smtp.SetPort(sink.Port());
  smtp.SetReadTimeout(std::chrono::milliseconds(50));
  smtp.Login("127.0.0.1");
  try {
    smtp.ReadReply();
    FAIL() << "no error";
  } catch (const ESocketError& error) {
    EXPECT_EQ(error.Error(), 10060);
    EXPECT_STREQ(error.what(), "Connection timed out (Error #10060)");
  }
  smtp.Logout();
}

TEST(SmtpTest, ServerFailures) {
  struct Case {
    const char* sent;
    const char* message;
  };
  const Case cases[] = {
      {"220 ok\r\n", "Connection reset by peer (Error #10054)"},  // closes after the greeting
      {"hello there\r\n", "Malformed reply from the server"},
      {"220-a\r\n", "Connection reset by peer (Error #10054)"},  // closes inside a multi-line reply
  };
  for (const auto& test : cases) {
    TestServer sink([&test](Connection& connection, int) { connection.Write(test.sent); });
    T_SMTP smtp;
    smtp.SetPort(sink.Port());
    smtp.Login("127.0.0.1");
    try {
      smtp.ReadReply();
      smtp.ReadReply();
      ADD_FAILURE() << test.sent;
    } catch (const ETcpIpError& error) {
      EXPECT_STREQ(error.what(), test.message);
    }
    sink.Stop();
  }
}

TEST(SmtpTest, EndlessReplyLineFails) {
  TestServer sink([](Connection& connection, int) { connection.Write("220 " + std::string(70000, 'x')); });
  T_SMTP smtp;
  smtp.SetPort(sink.Port());
  smtp.Login("127.0.0.1");
  try {
    smtp.ReadReply();
    FAIL() << "no error";
  } catch (const ETcpIpError& error) {
    EXPECT_STREQ(error.what(), "Reply line longer than 65536 bytes");
  }
}

TEST(SmtpTest, LoginFailures) {
  T_SMTP smtp;
  try {
    smtp.Login("mail.no-such-host.invalid");
    FAIL() << "no error";
  } catch (const ETcpIpError& error) {
    EXPECT_STREQ(error.what(), "Couldn't resolve hostname mail.no-such-host.invalid");
  }
  smtp.SetPort(testing::UnusedPort());
  try {
    smtp.Login("127.0.0.1");
    FAIL() << "no error";
  } catch (const ESocketError& error) {
    EXPECT_STREQ(error.what(), "Error creating socket");
    EXPECT_EQ(error.Error(), 10061);
  }
  EXPECT_FALSE(smtp.LoggedIn());
}

TEST(SmtpTest, TraceSeesEveryLine) {
  TestServer sink([](Connection& connection, int) {
    connection.Write("220 hi\r\n");
    connection.ReadLine();
    connection.Write("250 fine\r\n");
  });
  T_SMTP smtp;
  std::vector<std::pair<std::string, TTraceLevel>> trace;
  smtp.OnTrace = [&trace](std::string& text, TTraceLevel level) { trace.emplace_back(text, level); };
  smtp.SetPort(sink.Port());
  smtp.Login("127.0.0.1");
  smtp.ReadReply();
  smtp.WriteLine("NOOP");
  smtp.ReadReply();
  EXPECT_EQ(trace, (std::vector<std::pair<std::string, TTraceLevel>>{
                       {"220 hi", tt_proto_get}, {"NOOP", tt_proto_sent}, {"250 fine", tt_proto_get}}));
}

// Runs `test` with the time zone `zone`, then restores the previous one.
template <typename Test>
void InZone(const char* zone, Test test) {
  const char* old = std::getenv("TZ");
  std::string saved = old ? old : "";
  setenv("TZ", zone, 1);
  tzset();
  test();
  if (old) {
    setenv("TZ", saved.c_str(), 1);
  } else {
    unsetenv("TZ");
  }
  tzset();
}

TEST(MailDateTest, LocalTimeZone) {
  const std::time_t when = 1796660405;  // Mon, 7 Dec 2026 16:20:05 UTC
  InZone("UTC", [&] { EXPECT_EQ(MailDate(when), "Mon, 7 Dec 2026 16:20:05 GMT"); });
  InZone("<+0530>-5:30", [&] { EXPECT_EQ(MailDate(when), "Mon, 7 Dec 2026 21:50:05 +0530"); });
  InZone("<-03>3", [&] { EXPECT_EQ(MailDate(when), "Mon, 7 Dec 2026 13:20:05 -0300"); });
}

TEST(SmtpReplyTest, ReplyLinesAndAddresses) {
  TSmtpReplyLine line = ParseSmtpReplyLine("250-first");
  EXPECT_TRUE(line.valid);
  EXPECT_EQ(line.code, 250);
  EXPECT_TRUE(line.more);
  EXPECT_EQ(line.text, "first");
  EXPECT_FALSE(ParseSmtpReplyLine("25").valid);
  EXPECT_FALSE(ParseSmtpReplyLine("2x0 no").valid);
  EXPECT_EQ(ParseSmtpReplyLine("354").text, "");
  EXPECT_EQ(MailboxAddress("Name <a@b>"), "a@b");
  EXPECT_EQ(MailboxAddress("  a@b "), "a@b");
  EXPECT_EQ(EntryAddresses("A <a@x>, b@y,,<c@z>"), (std::vector<std::string>{"a@x", "b@y", "c@z"}));
}

}  // namespace
}  // namespace orv::net
