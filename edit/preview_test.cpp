// Project | Preview (F5) as a user meets it: the real orvcc --serve started
// by the editor on a free port, the address handed to the browser, and the
// page fetched from it with curl; without a server, the built file.
#include <QProcess>
#include <QSignalSpy>
#include <QStatusBar>

#include "edit/document.h"
#include "edit/edit_test_support.h"
#include "edit/project_commands.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/paths.h"

namespace orv::edit::test {
namespace {

// curl's exit status for a connection that was refused.
constexpr int kCurlCannotConnect = 7;

class PreviewTest : public EditorTest {
 protected:
  // Opens the example site's project and the page `page` (below src/).
  void OpenSite(const std::string& page) {
    project_ = CopyExampleSite();
    ASSERT_TRUE(Main().OpenPath(QString::fromStdString(project_)));
    ASSERT_TRUE(Main().OpenPath(QString::fromStdString(Site() + "src/" + page)));
  }
  std::string Site() const { return ExtractFilePath(project_); }

  // Presses F5 and waits (running the event loop) until the browser was
  // asked to open one more address; that address.
  QUrl PressF5() {
    const qsizetype before = browser_.Urls().size();
    Press(QKeySequence(Qt::Key_F5));
    EXPECT_TRUE(QTest::qWaitFor([&] { return browser_.Urls().size() > before; }, 120000))
        << Main().statusBar()->currentMessage().toStdString();
    return browser_.Urls().size() > before ? browser_.Urls().last() : QUrl();
  }

  // The preview server's process, as the editor names it.
  QProcess* Server() { return Main().findChild<QProcess*>(QStringLiteral("PreviewProcess")); }

  QString Status() { return Main().statusBar()->currentMessage(); }

  UrlRecorder browser_;
  std::string project_;
};

struct Fetched {
  int status = -1;  // curl's exit status
  std::string body;
};

// What curl gets from `url`.
Fetched Fetch(const QUrl& url) {
  QProcess curl;
  curl.start(QStringLiteral("/usr/bin/curl"),
             {QStringLiteral("-s"), QStringLiteral("--max-time"), QStringLiteral("30"), url.toString()});
  Fetched fetched;
  if (!curl.waitForFinished(60000)) return fetched;
  fetched.status = curl.exitCode();
  fetched.body = curl.readAllStandardOutput().toStdString();
  return fetched;
}

// The served page is the built file with the live-reload script before its </body>.
void ExpectServedPage(const QUrl& url, const std::string& file) {
  const std::string built = ReadFileBytes(file);
  EXPECT_EQ(built.find("EventSource"), std::string::npos) << "the script reached the file on disk";
  const Fetched page = Fetch(url);
  ASSERT_EQ(page.status, 0) << url.toString().toStdString();
  const std::string before_body = built.substr(0, built.rfind("</body>"));
  EXPECT_EQ(page.body.compare(0, before_body.size(), before_body), 0) << page.body;
  EXPECT_NE(page.body.find("new EventSource(\"/_orv/live-reload?since="), std::string::npos) << page.body;
}

TEST_F(PreviewTest, F5ServesThePageOfTheCurrentDocumentUntilTheProjectCloses) {
  OpenSite("about.hts");
  const QUrl about = PressF5();
  EXPECT_EQ(about.scheme(), QStringLiteral("http"));
  EXPECT_EQ(about.host(), QStringLiteral("127.0.0.1"));
  EXPECT_GT(about.port(), 0);
  EXPECT_EQ(about.path(), QStringLiteral("/about.html"));
  ExpectServedPage(about, Site() + "out/about.html");
  ASSERT_NE(Server(), nullptr);
  const qint64 pid = Server()->processId();

  // A page in a sub-folder, from the server already running.
  ASSERT_TRUE(Main().OpenPath(QString::fromStdString(Site() + "src/news/first.hts")));
  const QUrl first = PressF5();
  EXPECT_EQ(first.port(), about.port());
  EXPECT_EQ(first.path(), QStringLiteral("/news/first.html"));
  EXPECT_EQ(Server()->processId(), pid);
  ExpectServedPage(first, Site() + "out/news/first.html");

  Action("CloseProjectAction")->trigger();
  EXPECT_EQ(Server()->state(), QProcess::NotRunning);
  EXPECT_EQ(Fetch(about).status, kCurlCannotConnect);
}

TEST_F(PreviewTest, F5SavesTheDocumentsAndAnotherProjectOrQuittingStopsTheServer) {
  OpenSite("about.hts");
  Current()->setCursorPosition(2, 0);
  TypeText(QStringLiteral("<p>typed before F5</p>"));
  const QUrl about = PressF5();
  EXPECT_FALSE(Current()->isModified());
  EXPECT_NE(ReadFileBytes(Site() + "src/about.hts").find("<p>typed before F5</p>"), std::string::npos);
  // The server built what was saved before it began to serve.
  EXPECT_NE(Fetch(about).body.find("<p>typed before F5</p>"), std::string::npos);

  const std::string other = Root() + "other.orv";
  WriteFileBytes(other, "[directories]\nsrc=src\nout=out\n");
  ASSERT_TRUE(Main().OpenPath(QString::fromStdString(other)));
  EXPECT_EQ(Server()->state(), QProcess::NotRunning);
  EXPECT_EQ(Fetch(about).status, kCurlCannotConnect);

  // Quitting the editor stops it too.
  ASSERT_TRUE(Main().OpenPath(QString::fromStdString(project_)));
  const QUrl again = PressF5();
  ASSERT_EQ(Fetch(again).status, 0);
  Action("QuitAction")->trigger();
  EXPECT_EQ(Server()->state(), QProcess::NotRunning);
  EXPECT_EQ(Fetch(again).status, kCurlCannotConnect);
}

TEST_F(PreviewTest, WithoutOrvccF5OpensTheBuiltFileAndSaysWhy) {
  OpenSite("about.hts");
  Press(QKeySequence(Qt::Key_F9));
  QSignalSpy finished(&Main().Projects(), &ProjectCommands::BuildFinished);
  ASSERT_TRUE(finished.wait(120000));
  const QString missing = QString::fromStdString(Root() + "no-orvcc");
  qputenv("ORVCC", missing.toUtf8());
  const QUrl url = PressF5();
  qunsetenv("ORVCC");
  EXPECT_EQ(url, QUrl::fromLocalFile(QString::fromStdString(Site() + "out/about.html")));
  EXPECT_NE(Status().indexOf(QStringLiteral("ORVCC names no program that can run: ") + missing), -1)
      << Status().toStdString();
}

TEST_F(PreviewTest, AServerThatEndsEarlyFallsBackToBuildingTheFile) {
  // An orvcc that builds but cannot serve.
  const std::string fake = Root() + "orvcc";
  WriteFileBytes(fake,
                 "#!/bin/sh\n"
                 "case \"$*\" in *--serve*) echo 'orvcc: cannot load liborvserve.so: gone' >&2; exit 3;; esac\n"
                 "exec '" + ProgramDir() + "orvcc' \"$@\"\n");
  ASSERT_TRUE(QFile::setPermissions(QString::fromStdString(fake), QFile::ReadOwner | QFile::ExeOwner));
  qputenv("ORVCC", fake.c_str());
  OpenSite("about.hts");
  const QUrl url = PressF5();
  qunsetenv("ORVCC");
  EXPECT_EQ(url, QUrl::fromLocalFile(QString::fromStdString(Site() + "out/about.html")));
  EXPECT_NE(Status().indexOf(QLatin1String("cannot load liborvserve.so: gone")), -1) << Status().toStdString();
}

}  // namespace
}  // namespace orv::edit::test
