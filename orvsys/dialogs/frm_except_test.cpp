// The error centre: the error's kind and explanation, and bug reports mailed
// to an SMTP sink the test starts on 127.0.0.1.
#include <QTest>
#include <cerrno>
#include <regex>

#include "components/net/test_servers.h"
#include "orv/sys.h"
#include "orvsys/dialogs/bug_report.h"
#include "orvsys/dialogs/dialog_test_support.h"
#include "orvsys/model/error_kinds.h"
#include "orvsys/model/preferences.h"
#include "platform/files.h"

namespace orv::test {
namespace {

using net::testing::SmtpSink;
using net::testing::TestServer;

constexpr const char* kThanks =
    "Thank you for sending us a bug report.\r\n\r\nWhile we are unable to reply to all reports, we\r\n"
    "do read every one, and do our best to impliment\r\nfixes as soon as possible.\r\n\r\n"
    "You won't see this message again.";

class ExceptTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    std::filesystem::create_directories(root_ / "config");
    std::filesystem::create_directories(XdgHome() + "applications");
    setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
    setenv("XDG_CONFIG_DIRS", (root_ / "config").c_str(), 1);
    setenv("XDG_DATA_DIRS", (root_ / "share").c_str(), 1);
  }
  void TearDown() override {
    for (const char* name : {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_DIRS"}) unsetenv(name);
    DialogTest::TearDown();
  }

  std::string Prefs() const { return Home() + "preferences.dat"; }
  void MailSettings(const std::string& server) { WriteMailSettings(Prefs(), {"Joe User", "joe@example.org", server}); }
  static std::string Server(const TestServer& sink) { return "127.0.0.1:" + std::to_string(sink.Port()); }

  // Calls ExceptCenter for an error of class `kind`.
  uint8_t Report(const char* kind, const std::string& prefs) {
    errno = EACCES;
    return ExceptCenter(0, Host(), "TEditor", kind, "Access violation at address 00000000", prefs.c_str(),
                        "TEditor.SaveFile", "2.0.1.7", "/usr/bin/editor");
  }
  std::vector<uint32_t> MessageNumbers() {
    std::vector<uint32_t> numbers;
    for (const HostMessage& message : Messages()) numbers.push_back(message.Message);
    return numbers;
  }
  // The lines of the mail's body as the sink received them.
  static std::vector<std::string> BodyLines(const TestServer& sink) {
    const std::string seen = sink.Seen().at(0);
    const size_t start = seen.find("\r\n\r\n", seen.find("DATA\r\n")) + 4;
    std::vector<std::string> lines = SplitLines(seen.substr(start));
    if (!lines.empty() && lines.back() == ".") lines.pop_back();
    return lines;
  }
};

TEST_F(ExceptTest, TheErrorsKindIsSelectedAndExplained) {
  const struct {
    const char* kind;
    int row;  // -1: none selected
    const char* details;
  } cases[] = {
      {"EConvertError", 7,
       "This exception is raised when conversion functions attempt to convert illegal values"},
      {"EMenuError", 26, "This exception is raised when an illegal menu operation occurs"},
      // The search for the row starts after the first one.
      {"EAbort", -1, "This exception is raised to escape from a block of code silently"},
      {"EDatabaseError", -1, "No explanation available for this error type"},
  };
  for (const auto& c : cases) {
    WhenUp("FrmExcept", [&] {
      auto* list = qobject_cast<QAbstractItemView*>(Control("FrmExcept", "ListView1"));
      ASSERT_NE(list, nullptr);
      const QModelIndexList selected = list->selectionModel()->selectedRows();
      if (c.row < 0) {
        EXPECT_TRUE(selected.empty()) << c.kind;
      } else {
        ASSERT_EQ(selected.size(), 1) << c.kind;
        EXPECT_EQ(selected[0].row(), c.row);
      }
      EXPECT_EQ(list->model()->rowCount(), 27);
      EXPECT_EQ(TextOf("FrmExcept", "Memo1"), c.details);
      EXPECT_EQ(TextOf("FrmExcept", "Edit1"), "Access violation at address 00000000");
      EXPECT_FALSE(IsShown("FrmExcept", "Label4"));
      Click("FrmExcept", "Button2");
    });
    EXPECT_EQ(Report(c.kind, Prefs()), 0);
  }
  EXPECT_TRUE(Messages().empty());
  EXPECT_FALSE(FileExists(Prefs()));
}

TEST_F(ExceptTest, AClickOnARowExplainsThatKind) {
  WhenUp("FrmExcept", [] {
    Screenshot("FrmExcept", "frm_except.png");
    // The wrapped introduction keeps the width it was given.
    EXPECT_EQ(Control("FrmExcept", "Label1")->width(), 390);
    EXPECT_EQ(TextOf("FrmExcept", "Label1"),
              "The Error Center provides you with information on any errors which occur.  Use the \"Report Bug\" "
              "button to mail a bug report to Morvale.");
    ClickRow("FrmExcept", "ListView1", 2);
    EXPECT_EQ(TextOf("FrmExcept", "Memo1"), ErrorExplanation("EInOutError"));
    ClickRow("FrmExcept", "ListView1", 0);
    EXPECT_EQ(TextOf("FrmExcept", "Memo1"), ErrorExplanation("EAbort"));
    QTest::keyClick(Control("FrmExcept", "ListView1"), Qt::Key_Escape);
  });
  EXPECT_EQ(Report("EDatabaseError", Prefs()), 0);
}

TEST_F(ExceptTest, TheReportReachesTheMakerWithTheBodyLinesAndTheUserIsThankedOnce) {
  WriteFileBytes((root_ / "config/mimeapps.list").string(), "[Default Applications]\ntext/html=web.desktop\n");
  WriteFileBytes(XdgHome() + "applications/web.desktop", "[Desktop Entry]\nExec=web --new %u\n");
  for (int attempt = 0; attempt < 2; ++attempt) {
    TestServer sink(SmtpSink());
    MailSettings(Server(sink));
    std::string thanks;
    if (attempt == 0) AnswerMessage("OK", &thanks);
    WhenUp("FrmExcept", [] { Click("FrmExcept", "Button1"); });
    EXPECT_EQ(Report("EListError", Prefs()), 0);
    sink.Stop();
    EXPECT_EQ(thanks, attempt == 0 ? kThanks : "");
    const std::vector<std::string> lines = BodyLines(sink);
    ASSERT_EQ(lines.size(), 15u);
    const std::vector<std::string> fixed = {
        "Error Message: Access violation at address 00000000",
        "Error in Method: TEditor.SaveFile",
        "ORV File=/usr/bin/editor",
        "FileVersion=2.0.1.7",
        "Sender(object): TEditor",
        "GetLastError: Permission denied",
        "",
        "",
    };
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 8), fixed);
    EXPECT_TRUE(std::regex_match(lines[8], std::regex("Time: .+"))) << lines[8];
    EXPECT_TRUE(std::regex_match(lines[9], std::regex("Date: .+"))) << lines[9];
    EXPECT_EQ(lines[10], "Windows Directory: /usr");
    EXPECT_EQ(lines[11], "System Directory: /usr/lib");
    EXPECT_EQ(lines[12], "Default Browser: web --new %u");
    EXPECT_TRUE(std::regex_match(lines[13], std::regex("CPU Speed: [0-9]+\\.0 MHz"))) << lines[13];
    EXPECT_EQ(lines[14], "");
    EXPECT_NE(sink.Seen().at(0).find("RCPT TO: <" + BugReportAddress() + ">\r\n"), std::string::npos);
  }
  EXPECT_EQ(MessageNumbers(),
            (std::vector<uint32_t>{ORV_MSG_NET_BEGIN, ORV_MSG_NET_END, ORV_MSG_NET_BEGIN, ORV_MSG_NET_END}));
  EXPECT_TRUE(BugReportThanked(Prefs()));
}

TEST_F(ExceptTest, ARefusingServerIsAnErrorSendingMail) {
  TestServer sink(SmtpSink({{"MAIL", "550 not from you\r\n"}}));
  MailSettings(Server(sink));
  std::string error;
  AnswerMessage("OK", &error);
  std::string thanks;
  WhenUp("FrmExcept", [] { Click("FrmExcept", "Button1"); });
  WhenTrue([&] { return !error.empty(); }, [&] { AnswerMessage("OK", &thanks); });
  EXPECT_EQ(Report("EAccessViolation", Prefs()), 0);
  sink.Stop();
  EXPECT_EQ(error, "There was an error sending mail");
  EXPECT_EQ(thanks, kThanks);
  // The host hears of the end of the network operation also when it failed.
  EXPECT_EQ(MessageNumbers(), (std::vector<uint32_t>{ORV_MSG_NET_BEGIN, ORV_MSG_NET_END}));
}

TEST_F(ExceptTest, MissingSettingsAreAskedForAndWrittenToTheFileGiven) {
  TestServer sink(SmtpSink());
  const std::string editor_prefs = Home() + "editor.dat";
  WriteFileBytes(editor_prefs, "[Bug_Mail]\nemail=joe@example.org\n");
  WriteFileBytes(Prefs(), "[Main]\nErr=1\n");
  WhenUp("FrmExcept", [&] {
    WhenUp("FrmSetup", [&] {
      Screenshot("FrmSetup", "frm_setup.png");
      EXPECT_EQ(TextOf("FrmSetup", "Label1"), "In order to send a bug report you must enter your email information");
      EXPECT_EQ(TextOf("FrmSetup", "Edit1"), "");
      EXPECT_EQ(TextOf("FrmSetup", "Edit2"), "joe@example.org");
      Type("FrmSetup", "Edit1", "Joe User");
      Type("FrmSetup", "Edit3", Server(sink));
      Click("FrmSetup", "Button1");
    });
    Click("FrmExcept", "Button1");
  });
  EXPECT_EQ(Report("EInOutError", editor_prefs), 0);
  sink.Stop();
  EXPECT_EQ(ReadFileBytes(editor_prefs),
            "[Bug_Mail]\nemail=joe@example.org\nuname=Joe User\nSMTPHost=" + Server(sink) + "\n");
  EXPECT_NE(sink.Seen().at(0).find("From: Joe User <joe@example.org>\r\n"), std::string::npos);
  EXPECT_EQ(ReadFileBytes(Prefs()), "[Main]\nErr=1\n");
}

TEST_F(ExceptTest, CancellingTheMailOptionsWritesNothingAndFails) {
  WriteFileBytes(Prefs(), "[Bug_Mail]\nuname=Joe\n[Main]\nErr=1\n");
  std::string error;
  WhenUp("FrmExcept", [&] {
    WhenUp("FrmSetup", [&] {
      Type("FrmSetup", "Edit2", "joe@example.org");
      Click("FrmSetup", "Button2");
    });
    AnswerMessage("OK", &error);
    Click("FrmExcept", "Button1");
  });
  EXPECT_EQ(Report("EInOutError", Prefs()), 0);
  EXPECT_EQ(error, "There was an error sending mail");
  EXPECT_EQ(ReadFileBytes(Prefs()), "[Bug_Mail]\nuname=Joe\n[Main]\nErr=1\n");
  EXPECT_TRUE(Messages().empty());
}

TEST_F(ExceptTest, NullTextsCountAsEmpty) {
  WhenUp("FrmExcept", [] {
    EXPECT_EQ(TextOf("FrmExcept", "Edit1"), "");
    EXPECT_EQ(TextOf("FrmExcept", "Memo1"), "No explanation available for this error type");
    Click("FrmExcept", "Button2");
  });
  EXPECT_EQ(ExceptCenter(0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr), 0);
}

}  // namespace
}  // namespace orv::test
