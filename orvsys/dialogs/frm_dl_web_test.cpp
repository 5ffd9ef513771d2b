// "Open From the Web": downloads from servers the test starts on 127.0.0.1,
// the proxy of preferences.dat, failures and Cancel.
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <filesystem>

#include "components/net/real_servers.h"
#include "components/net/test_servers.h"
#include "orv/sys.h"
#include "orvsys/dialogs/dialog_test_support.h"
#include "orvsys/dialogs/frm_dl_web.h"
#include "platform/files.h"
#include "platform/message_loop.h"

namespace orv::test {
namespace {

using net::testing::Connection;
using net::testing::TestServer;

std::string Ok(const std::string& body) {
  return "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\nContent-Length: " + std::to_string(body.size()) +
         "\r\n\r\n" + body;
}

// An address where nothing listens, so a request fails at once.
std::string Unreachable() { return "http://127.0.0.1:" + std::to_string(net::testing::UnusedPort()) + "/"; }

// A server script that answers every request with `answer`.
TestServer::Script Answering(std::string answer) {
  return [answer](Connection& connection, int) {
    connection.ReadRequest();
    connection.Write(answer);
  };
}

// The names in `folder` that begin with "page" (the saved page and anything
// written beside it), sorted.
std::vector<std::string> FilesIn(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.path().filename().string().starts_with("page")) names.push_back(entry.path().filename());
  std::sort(names.begin(), names.end());
  return names;
}

class DlWebTest : public DialogTest {
 protected:
  std::string Saved() const { return Temp() + "page.htm"; }
  // Types the URL and the file, clicks "&Retrieve" and, when the dialog is
  // still up afterwards, keeps its progress text.
  void Retrieve(const std::string& url, const std::string& file) {
    Type("FrmDlWeb", "Edit1", url);
    Type("FrmDlWeb", "Edit2", file);
    Click("FrmDlWeb", "Button1");
    progress = TextOf("FrmDlWeb", "Label4");
  }
  std::vector<uint32_t> MessageNumbers() {
    std::vector<uint32_t> numbers;
    for (const HostMessage& message : Messages()) numbers.push_back(message.Message);
    return numbers;
  }

  std::string progress;
};

TEST_F(DlWebTest, ThePageIsSavedAndTheEditorAskedToOpenIt) {
  const std::string body = std::string(20000, 'x') + "<html>end</html>";
  TestServer server(Answering(Ok(body)));
  WhenUp("FrmDlWeb", [&] {
    EXPECT_EQ(TextOf("FrmDlWeb", "Edit1"), "http://");
    EXPECT_EQ(TextOf("FrmDlWeb", "Label4"), "0 bytes");
    Screenshot("FrmDlWeb", "frm_dl_web.png");
    Retrieve(server.Url("/dir/page.htm"), Saved());
  });
  EXPECT_EQ(DlFromWeb(0, Host()), 0);
  server.Stop();
  EXPECT_EQ(ReadFileBytes(Saved()), body);
  EXPECT_EQ(progress, std::to_string(body.size()) + " bytes");
  EXPECT_EQ(MessageNumbers(), (std::vector<uint32_t>{ORV_MSG_NET_BEGIN, ORV_MSG_NET_END, ORV_MSG_OPEN_FILE}));
  EXPECT_EQ(Messages().back().Fields.at(0), Saved());
  EXPECT_EQ(server.Seen().at(0),
            "GET /dir/page.htm HTTP/1.0\r\nUser-Agent: ORV/1.0 (Open From Web; 1.0)\r\nHost: 127.0.0.1:" +
                std::to_string(server.Port()) + "\r\nPragma: no-cache\r\n\r\n");
}

TEST_F(DlWebTest, HttpsPagesAreSavedToo) {
  const net::testing::TestCertificate certificate = net::testing::MakeTestCertificate();
  TestServer server(Answering(Ok("secure page")), &certificate, true);
  TFrmDlWeb form(Host());
  form.HttpCli().TrustedCertificates = certificate.cert_pem;
  WhenUp("FrmDlWeb", [&] { Retrieve("https://localhost:" + std::to_string(server.Port()) + "/", Saved()); });
  EXPECT_EQ(form.ShowModal(), mrCancel);
  server.Stop();
  EXPECT_EQ(ReadFileBytes(Saved()), "secure page");
  EXPECT_EQ(progress, "11 bytes");
  EXPECT_EQ(Messages().back().Message, ORV_MSG_OPEN_FILE);
}

TEST_F(DlWebTest, AServersErrorPageIsSavedLikeAnyPage) {
  TestServer server(Answering("HTTP/1.0 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found"));
  WhenUp("FrmDlWeb", [&] { Retrieve(server.Url("/gone.htm"), Saved()); });
  EXPECT_EQ(DlFromWeb(0, Host()), 0);
  server.Stop();
  EXPECT_EQ(ReadFileBytes(Saved()), "not found");
  EXPECT_EQ(Messages().back().Message, ORV_MSG_OPEN_FILE);
}

TEST_F(DlWebTest, RequestsWithoutAnAnswerFailWithStatusAndReason) {
  const struct {
    std::string url;
    std::string message;
  } cases[] = {
      {"http://www.example.invalid/", "Failed : 404 can't resolve hostname to IP address"},
      {Unreachable(), "Failed : 404 Connection refused (Error #10061)"},
      {"ftp://127.0.0.1/file", "Failed : 404 Unsupported protocol 'ftp'"},
  };
  // Saving over a page that is there already: a failure leaves it whole.
  WriteFileBytes(Saved(), "the old page");
  for (const auto& c : cases) {
    std::string message;
    AnswerMessage("OK", &message);
    WhenUp("FrmDlWeb", [&] { Retrieve(c.url, Saved()); });
    EXPECT_EQ(DlFromWeb(0, Host()), 0);
    EXPECT_EQ(message, c.message);
    EXPECT_EQ(MessageNumbers().back(), ORV_MSG_NET_END) << c.url;
    EXPECT_EQ(ReadFileBytes(Saved()), "the old page") << c.url;
    EXPECT_EQ(FilesIn(Temp()), std::vector<std::string>{"page.htm"}) << "no partial file is left";
  }
}

// A transfer that breaks off says how far it came; the file it was to
// replace stays as it was.
TEST_F(DlWebTest, ATransferCutShortSaysWhereAndKeepsTheOldFile) {
  TestServer server(Answering("HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\nonly this"));
  WriteFileBytes(Saved(), "the old page");
  std::string message;
  AnswerMessage("OK", &message);
  WhenUp("FrmDlWeb", [&] { Retrieve(server.Url("/cut.htm"), Saved()); });
  EXPECT_EQ(DlFromWeb(0, Host()), 0);
  server.Stop();
  EXPECT_EQ(message, "Failed : 200 OK\nConnection closed after 9 of 100 bytes of the document");
  EXPECT_EQ(ReadFileBytes(Saved()), "the old page");
  EXPECT_EQ(FilesIn(Temp()), std::vector<std::string>{"page.htm"});
  EXPECT_EQ(MessageNumbers(), (std::vector<uint32_t>{ORV_MSG_NET_BEGIN, ORV_MSG_NET_END}));
}

TEST_F(DlWebTest, CancelAbortsARunningDownload) {
  std::atomic<bool> closed{false};
  TestServer server([&closed](Connection& connection, int) {
    connection.ReadRequest();
    connection.Write("HTTP/1.0 200 OK\r\nContent-Length: 1000000\r\n\r\n" + std::string(1000, 'p'));
    connection.ReadToEnd();
    closed = true;
  });
  WhenUp("FrmDlWeb", [&] {
    WhenTrue([] { return TextOf("FrmDlWeb", "Label4") == "1000 bytes"; },
             [] {
               EXPECT_TRUE(IsEnabled("FrmDlWeb", "Button2"));
               EXPECT_FALSE(IsEnabled("FrmDlWeb", "Button1"));
               EXPECT_FALSE(IsEnabled("FrmDlWeb", "Edit1"));
               Click("FrmDlWeb", "Button2");
             });
    Retrieve(server.Url("/big.htm"), Saved());
  });
  EXPECT_EQ(DlFromWeb(0, Host()), 0);
  server.Stop();
  EXPECT_TRUE(closed);
  EXPECT_TRUE(FilesIn(Temp()).empty()) << "a cancelled download leaves no file";
  EXPECT_EQ(MessageNumbers(), (std::vector<uint32_t>{ORV_MSG_NET_BEGIN, ORV_MSG_NET_END}));
}

// A large file from a local nginx arrives faster than it is read; Cancel,
// pressed from a Qt timer 100 ms after "&Retrieve", still ends the download:
// nothing is handed over and the old file stays.
TEST_F(DlWebTest, CancelWorksWhileAFastDownloadRuns) {
  net::testing::Nginx nginx("server { listen 127.0.0.1:{port0}; root {folder}www; }");
  if (!nginx.Started()) GTEST_SKIP() << "nginx is not installed (scripts/setup.sh installs it)";
  const std::string big = nginx.Folder() + "www/big.bin";
  WriteFileBytes(big, "");
  std::filesystem::resize_file(big, std::uintmax_t(1) << 30);  // a sparse GiB
  WriteFileBytes(Saved(), "the old page");
  QTimer cancel;
  cancel.setSingleShot(true);
  bool cancelled = false;
  QObject::connect(&cancel, &QTimer::timeout, [&cancelled] {
    cancelled = true;
    Click("FrmDlWeb", "Button2");
  });
  WhenUp("FrmDlWeb", [&] {
    cancel.start(100);
    Retrieve(nginx.Url("/big.bin"), Saved());
  });
  EXPECT_EQ(DlFromWeb(0, Host()), 0);
  EXPECT_TRUE(cancelled);
  EXPECT_EQ(ReadFileBytes(Saved()), "the old page");
  EXPECT_EQ(FilesIn(Temp()), std::vector<std::string>{"page.htm"});
  EXPECT_EQ(MessageNumbers(), (std::vector<uint32_t>{ORV_MSG_NET_BEGIN, ORV_MSG_NET_END}));
}

TEST_F(DlWebTest, TheProxyOfThePreferencesIsUsed) {
  TestServer proxy(Answering(Ok("via proxy")));
  WriteFileBytes(Home() + "preferences.dat", "[Proxy]\nUseProxy=1\nserver=127.0.0.1\nport=" +
                                                 std::to_string(proxy.Port()) + "\nusername=puser\npassword=\n");
  WhenUp("FrmDlWeb", [&] { Retrieve("http://www.example.invalid/page.htm", Saved()); });
  EXPECT_EQ(DlFromWeb(0, Host()), 0);
  proxy.Stop();
  EXPECT_EQ(ReadFileBytes(Saved()), "via proxy");
  EXPECT_EQ(proxy.Seen().at(0),
            "GET http://www.example.invalid/page.htm HTTP/1.0\r\nUser-Agent: ORV/1.0 (Open From Web; 1.0)\r\n"
            "Host: www.example.invalid\r\nPragma: no-cache\r\nProxy-Authorization: Basic cHVzZXI6\r\n\r\n");
}

TEST_F(DlWebTest, ProxySettingsAreTakenOnlyWhenTheProxyIsOn) {
  const struct {
    std::string prefs;
    std::string proxy, port, user, password;
  } cases[] = {
      {"", "", "80", "", ""},
      {"[Proxy]\nUseProxy=0\nserver=proxy.example.invalid\nport=3128\n", "", "80", "", ""},
      {"[Proxy]\nUseProxy=1\nserver=proxy.example.invalid\n", "proxy.example.invalid", "", "", ""},
      {"[Proxy]\nUseProxy=1\nserver=p.example.invalid\nport=8080\nusername=u\npassword=secret\n",
       "p.example.invalid", "8080", "u", "secret"},
      {"[Proxy]\nUseProxy=1\npassword=secret\n", "", "", "", "secret"},
  };
  for (const auto& c : cases) {
    WriteFileBytes(Home() + "preferences.dat", c.prefs);
    TFrmDlWeb form(Host());
    std::string message;
    AnswerMessage("OK", &message);
    WhenUp("FrmDlWeb", [&] { Retrieve(Unreachable(), Saved()); });
    form.ShowModal();
    EXPECT_EQ(form.HttpCli().Proxy, c.proxy) << c.prefs;
    EXPECT_EQ(form.HttpCli().ProxyPort, c.port) << c.prefs;
    EXPECT_EQ(form.HttpCli().ProxyUsername, c.user) << c.prefs;
    EXPECT_EQ(form.HttpCli().ProxyPassword, c.password) << c.prefs;
    EXPECT_EQ(message.rfind("Failed : 404 ", 0), 0u) << message;
  }
}

TEST_F(DlWebTest, AFolderAsTheFileFailsBeforeAnyNetworkAccess) {
  std::string error;
  AnswerMessage("OK", &error);
  WhenUp("FrmDlWeb", [&] {
    EXPECT_EQ(TextOf("FrmDlWeb", "Edit2"), std::filesystem::current_path().string());
    Type("FrmDlWeb", "Edit1", Unreachable());
    Type("FrmDlWeb", "Edit2", Temp());
    Click("FrmDlWeb", "Button1");
    EXPECT_FALSE(IsEnabled("FrmDlWeb", "Button1"));
    EXPECT_FALSE(IsEnabled("FrmDlWeb", "Edit1"));
    EXPECT_FALSE(IsEnabled("FrmDlWeb", "Edit2"));
    Click("FrmDlWeb", "Button2");
  });
  EXPECT_EQ(DlFromWeb(0, Host()), 0);
  EXPECT_NE(error.find("Cannot create file \"" + Temp() + "\""), std::string::npos) << error;
  EXPECT_TRUE(Messages().empty());
}

}  // namespace
}  // namespace orv::test
