// orvcc --watch and --serve as an author uses them: orvcc runs beside the
// test, the test edits the site's files and waits for the rebuild's lines,
// fetches pages from the real server with curl, follows the live reload
// stream, and stops orvcc with Ctrl-C (SIGINT) or SIGTERM.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "cc/running_program_test_support.h"
#include "platform/files.h"
#include "platform/folders.h"

namespace orv {
namespace {

namespace fs = std::filesystem;
using test::RunningProgram;

constexpr size_t npos = std::string::npos;

class WatchTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::absolute(DataDir() + "watch test").string() + "/";
    fs::remove_all(dir_);
    for (const char* folder : {"src/news", "img", "static", "ctl"}) fs::create_directories(dir_ + folder);
    WriteFileBytes(dir_ + "site.orv",
                   "[directories]\nsrc=src\nout=out\nimg=img\nstatic=static\n[other]\nlineends=lf\n"
                   "[variables]\nTitle=First title\n[files]\n0=src/**/*.hts\n");
    WriteFileBytes(dir_ + "src/index.hts", "<&head.hsn&><p>home</p></body></html>\n");
    WriteFileBytes(dir_ + "src/news/index.hts", "<&head.hsn&><p>news</p></body></html>\n");
    WriteFileBytes(dir_ + "src/head.hsn", "<html><body><h1><%Title%></h1>");
    WriteFileBytes(dir_ + "static/style.css", "body {}\n");
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::unique_ptr<RunningProgram> Orvcc(const std::vector<std::string>& args) {
    std::vector<std::string> argv = {ProgramDir() + "orvcc"};
    argv.insert(argv.end(), args.begin(), args.end());
    return std::make_unique<RunningProgram>(argv, dir_);
  }

  // orvcc --serve=0 started and serving: its port.
  int Serve(std::unique_ptr<RunningProgram>& orvcc) {
    orvcc = Orvcc({"--serve=0", "site.orv"});
    const size_t end = orvcc->WaitFor("/ (Ctrl-C to stop)\n", false);
    EXPECT_NE(end, npos) << orvcc->Err();
    const size_t colon = orvcc->Out().rfind(':', end);
    return colon == npos ? 0 : std::stoi(orvcc->Out().substr(colon + 1));
  }

  // curl ARGS run to its end: what it wrote (with -i, the head too).
  std::string Curl(const std::vector<std::string>& args) {
    std::vector<std::string> argv = {"/usr/bin/curl", "-s", "--max-time", "30"};
    argv.insert(argv.end(), args.begin(), args.end());
    RunningProgram curl(argv, dir_);
    curl.Wait(60);
    return curl.Out();
  }
  static std::string Url(int port, const std::string& path) {
    return "http://127.0.0.1:" + std::to_string(port) + path;
  }

  std::string dir_;
};

TEST_F(WatchTest, EditsAreBuiltWithTheirWarningsUntilCtrlC) {
  auto orvcc = Orvcc({"--watch", "site.orv"});
  size_t at = orvcc->WaitFor("watching for changes (Ctrl-C to stop)\n", true);
  ASSERT_NE(at, npos) << orvcc->Err();
  EXPECT_NE(orvcc->Err().find("2 pages: 2 built, 0 up to date; static files: 1 copied, 0 removed\n"), npos)
      << orvcc->Err();

  // An include that one page uses... both use it here: both are built.
  WriteFileBytes(dir_ + "src/head.hsn", "<html><body><h2><%Title%></h2>");
  at = orvcc->WaitFor("2 pages: 2 built, 0 up to date in ", true, at);
  ASSERT_NE(at, npos) << orvcc->Err();
  EXPECT_NE(orvcc->Err().find("orvcc: src/head.hsn changed\n"), npos) << orvcc->Err();
  EXPECT_EQ(ReadFileBytes(dir_ + "out/index.html"), "<html><body><h2>First title</h2>\n<p>home</p></body></html>\n");

  // A page saved the way many editors save: a new file renamed over it.
  WriteFileBytes(dir_ + "src/index.hts.new", "<&head.hsn&><p>home <%Missing%></p></body></html>\n");
  fs::rename(dir_ + "src/index.hts.new", dir_ + "src/index.hts");
  at = orvcc->WaitFor("2 pages: 1 built, 1 up to date in ", true, at);
  ASSERT_NE(at, npos) << orvcc->Err();
  // Each build prints its own warnings.
  EXPECT_NE(orvcc->Err().find("src/index.hts:1: warning: unknown variable \"Missing\""), npos) << orvcc->Err();

  // A new page that the project's pattern finds, a project variable, a
  // static file.
  WriteFileBytes(dir_ + "src/news/second.hts", "<p>second</p>\n");
  at = orvcc->WaitFor("3 pages: 1 built, 2 up to date in ", true, at);
  ASSERT_NE(at, npos) << orvcc->Err();
  WriteFileBytes(dir_ + "site.orv",
                 "[directories]\nsrc=src\nout=out\nimg=img\nstatic=static\n[other]\nlineends=lf\n"
                 "[variables]\nTitle=Second title\n[files]\n0=src/**/*.hts\n");
  at = orvcc->WaitFor("3 pages: 2 built, 1 up to date in ", true, at);
  ASSERT_NE(at, npos) << orvcc->Err();
  fs::remove(dir_ + "static/style.css");
  at = orvcc->WaitFor("static files: 0 copied, 1 removed in ", true, at);
  ASSERT_NE(at, npos) << orvcc->Err();
  EXPECT_FALSE(fs::exists(dir_ + "out/style.css"));

  EXPECT_EQ(orvcc->Stop(SIGINT), 0) << orvcc->Err();
  // Its own writes never set off a build: one line per change above.
  size_t builds = 0;
  for (size_t i = orvcc->Err().find(" up to date"); i != npos; i = orvcc->Err().find(" up to date", i + 1))
    ++builds;
  EXPECT_EQ(builds, 6u) << orvcc->Err();
}

// Rebuilds take the watcher's word for files nothing happened to; a file
// written through a hard link from a folder that is not watched starts no
// build, but the next build sees it.
TEST_F(WatchTest, AnEditThroughAHardLinkIsSeenByTheNextBuild) {
  fs::create_hard_link(dir_ + "src/head.hsn", dir_ + "ctl/head-link.hsn");
  auto orvcc = Orvcc({"--watch", "site.orv"});
  size_t at = orvcc->WaitFor("watching for changes (Ctrl-C to stop)\n", true);
  ASSERT_NE(at, npos) << orvcc->Err();
  // Two rebuilds, after which the include has been watched through a whole
  // build and is taken as unchanged.
  for (const char* text : {"<p>one</p>\n", "<p>two</p>\n"}) {
    WriteFileBytes(dir_ + "src/news/index.hts", text);
    at = orvcc->WaitFor("2 pages: 1 built, 1 up to date in ", true, at);
    ASSERT_NE(at, npos) << orvcc->Err();
  }
  const int fd = ::open((dir_ + "ctl/head-link.hsn").c_str(), O_WRONLY | O_TRUNC);
  ASSERT_GE(fd, 0);
  const std::string head = "<html><body><h3><%Title%></h3>";
  ASSERT_EQ(::write(fd, head.data(), head.size()), static_cast<ssize_t>(head.size()));
  ::close(fd);
  WriteFileBytes(dir_ + "src/news/index.hts", "<p>three</p>\n");
  at = orvcc->WaitFor("2 pages: 2 built, 0 up to date in ", true, at);
  ASSERT_NE(at, npos) << orvcc->Err();
  EXPECT_EQ(ReadFileBytes(dir_ + "out/index.html"), "<html><body><h3>First title</h3>\n<p>home</p></body></html>\n");
  EXPECT_EQ(orvcc->Stop(SIGINT), 0) << orvcc->Err();
}

// The output folder is the build's: a page deleted or changed there by
// someone else is built again; other files put there set off nothing.
TEST_F(WatchTest, APageChangedInTheOutputFolderIsBuiltAgain) {
  auto orvcc = Orvcc({"--watch", "site.orv"});
  size_t at = orvcc->WaitFor("watching for changes (Ctrl-C to stop)\n", true);
  ASSERT_NE(at, npos) << orvcc->Err();
  const std::string news = ReadFileBytes(dir_ + "out/news/index.html");
  const std::string home = ReadFileBytes(dir_ + "out/index.html");

  WriteFileBytes(dir_ + "out/notes.txt", "mine");
  fs::remove(dir_ + "out/news/index.html");
  at = orvcc->WaitFor("2 pages: 1 built, 1 up to date in ", true, at);
  ASSERT_NE(at, npos) << orvcc->Err();
  EXPECT_NE(orvcc->Err().find("orvcc: out/news/index.html changed\n"), npos) << orvcc->Err();
  EXPECT_EQ(ReadFileBytes(dir_ + "out/news/index.html"), news);

  WriteFileBytes(dir_ + "out/index.html", "edited by hand");
  at = orvcc->WaitFor("2 pages: 1 built, 1 up to date in ", true, at);
  ASSERT_NE(at, npos) << orvcc->Err();
  EXPECT_EQ(ReadFileBytes(dir_ + "out/index.html"), home);
  EXPECT_EQ(ReadFileBytes(dir_ + "out/notes.txt"), "mine");

  EXPECT_EQ(orvcc->Stop(SIGINT), 0) << orvcc->Err();
  size_t builds = 0;
  for (size_t i = orvcc->Err().find(" up to date"); i != npos; i = orvcc->Err().find(" up to date", i + 1))
    ++builds;
  EXPECT_EQ(builds, 3u) << orvcc->Err();
}

// A change made while a build runs is built once that build is over. The
// slow page's command says when it runs through the pipe ctl/started and
// then waits for a line from the pipe ctl/go; the test holds both open.
TEST_F(WatchTest, AChangeDuringABuildMakesOneMore) {
  ASSERT_EQ(::mkfifo((dir_ + "ctl/started").c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo((dir_ + "ctl/go").c_str(), 0600), 0);
  const int started = ::open((dir_ + "ctl/started").c_str(), O_RDWR | O_NONBLOCK);
  const int go = ::open((dir_ + "ctl/go").c_str(), O_RDWR);
  ASSERT_GE(started, 0);
  ASSERT_GE(go, 0);
  // Waits for the command to start, or a minute.
  auto command_started = [started] {
    pollfd fd = {started, POLLIN, 0};
    char line[8];
    return ::poll(&fd, 1, 60000) == 1 && ::read(started, line, sizeof line) == 8;
  };
  WriteFileBytes(dir_ + "src/slow.hts",
                 "<*echo started > '" + dir_ + "ctl/started'; read line < '" + dir_ + "ctl/go'*>\n");
  ASSERT_EQ(::write(go, "\n", 1), 1);
  auto orvcc = Orvcc({"--watch", "site.orv"});
  ASSERT_TRUE(command_started());
  size_t at = orvcc->WaitFor("watching for changes", true);
  ASSERT_NE(at, npos) << orvcc->Err();

  WriteFileBytes(dir_ + "src/index.hts", "<p>one</p>\n");
  ASSERT_TRUE(command_started());
  // The build is held in the slow page: change another page now.
  WriteFileBytes(dir_ + "src/news/index.hts", "<p>two</p>\n");
  ASSERT_EQ(::write(go, "\n\n", 2), 2);
  at = orvcc->WaitFor(" up to date in ", true, at);
  ASSERT_NE(at, npos) << orvcc->Err();
  at = orvcc->WaitFor("3 pages: 2 built, 1 up to date in ", true, at);
  ASSERT_NE(at, npos) << orvcc->Err();
  EXPECT_EQ(ReadFileBytes(dir_ + "out/news/index.html"), "<p>two</p>\n");
  EXPECT_EQ(orvcc->Stop(SIGTERM), 0) << orvcc->Err();
  ::close(started);
  ::close(go);
}

TEST_F(WatchTest, TheServerSendsTheOutputFolderOnly) {
  WriteFileBytes(dir_ + "secret.txt", "not for the web\n");
  fs::create_directories(dir_ + "out");
  fs::create_symlink(dir_ + "secret.txt", dir_ + "out/link.txt");
  fs::create_symlink(dir_, dir_ + "out/up");
  std::unique_ptr<RunningProgram> orvcc;
  const int port = Serve(orvcc);
  ASSERT_GT(port, 0);

  // A page gets the live reload script as it is sent; the file keeps none.
  const std::string home = Curl({Url(port, "/")});
  EXPECT_EQ(home.find("<html><body><h1>First title</h1>\n<p>home</p>"), 0u) << home;
  EXPECT_NE(home.find("<script>/* orvcc --serve"), npos) << home;
  EXPECT_EQ(ReadFileBytes(dir_ + "out/index.html").find("script"), npos);

  const struct {
    const char* path;
    const char* head;  // what the answer's head holds
    const char* body;  // what its body holds ("" to skip)
  } cases[] = {
      {"/news", "HTTP/1.1 301", ""},
      {"/news/", "Content-Type: text/html", "<p>news</p>"},
      {"/style.css", "Content-Type: text/css", "body {}"},
      {"/index.html", "Cache-Control: no-store", "<p>home</p>"},
      {"/missing.html", "HTTP/1.1 404", "Not found"},
      {"/../secret.txt", "HTTP/1.1 404", ""},
      {"/%2e%2e/secret.txt", "HTTP/1.1 404", ""},
      {"/news/%2E%2E/%2e%2e/secret.txt", "HTTP/1.1 404", ""},
      {"/link.txt", "HTTP/1.1 404", ""},
      {"/up/secret.txt", "HTTP/1.1 404", ""},
      {"/up/", "HTTP/1.1 404", ""},
  };
  for (const auto& c : cases) {
    const std::string answer = Curl({"-i", "--path-as-is", Url(port, c.path)});
    EXPECT_NE(answer.find(c.head), npos) << c.path << "\n" << answer;
    EXPECT_NE(answer.find(c.body), npos) << c.path << "\n" << answer;
    EXPECT_EQ(answer.find("not for the web"), npos) << c.path;
  }
  const std::string moved = Curl({"-i", Url(port, "/news?x=1")});
  EXPECT_NE(moved.find("Location: /news/?x=1"), npos) << moved;
  const std::string head = Curl({"-I", Url(port, "/style.css")});
  EXPECT_NE(head.find("Content-Length: 8"), npos) << head;
  EXPECT_EQ(orvcc->Stop(SIGINT), 0) << orvcc->Err();
}

// The HTTP server library is loaded for --serve only: a page's command
// looks for it among the libraries of orvcc (its parent) as it builds.
TEST_F(WatchTest, OnlyServeLoadsTheServerLibrary) {
  const std::string count = "<*grep -q liborvserve /proc/$PPID/maps && echo loaded || echo not loaded*>";
  WriteFileBytes(dir_ + "src/index.hts", count);
  auto build = Orvcc({"site.orv"});
  EXPECT_EQ(build->Wait(), 0) << build->Err();
  EXPECT_EQ(ReadFileBytes(dir_ + "out/index.html"), "not loaded\n\n");

  auto watch = Orvcc({"--watch", "--all", "site.orv"});
  ASSERT_NE(watch->WaitFor("watching for changes (Ctrl-C to stop)\n", true), npos) << watch->Err();
  EXPECT_EQ(ReadFileBytes(dir_ + "out/index.html"), "not loaded\n\n");
  EXPECT_EQ(watch->Stop(SIGINT), 0) << watch->Err();

  std::unique_ptr<RunningProgram> serve;
  ASSERT_GT(Serve(serve), 0);
  WriteFileBytes(dir_ + "src/index.hts", "<p>served</p>" + count);
  ASSERT_NE(serve->WaitFor("2 pages: 1 built, 1 up to date in ", true), npos) << serve->Err();
  EXPECT_EQ(ReadFileBytes(dir_ + "out/index.html"), "<p>served</p>loaded\n\n");
  EXPECT_EQ(serve->Stop(SIGINT), 0) << serve->Err();
}

TEST_F(WatchTest, OpenPagesReloadAfterEachBuild) {
  std::unique_ptr<RunningProgram> orvcc;
  const int port = Serve(orvcc);
  ASSERT_GT(port, 0);
  const std::string page = Curl({Url(port, "/")});
  const size_t since = page.find("?since=");
  ASSERT_NE(since, npos) << page;
  const std::string build = page.substr(since + 7, page.find('"', since) - since - 7);

  // The page's event stream, as its browser opens it.
  RunningProgram events({"/usr/bin/curl", "-s", "-N", "--max-time", "120",
                         Url(port, std::string("/_orv/live-reload?since=") + build)},
                        dir_);
  ASSERT_NE(events.WaitFor("retry: 1000\n\n", false), npos) << events.Out();
  EXPECT_EQ(events.Out().find("event: reload"), npos);
  WriteFileBytes(dir_ + "src/index.hts", "<p>edited</p>\n");
  ASSERT_NE(events.WaitFor("event: reload\n", false), npos) << events.Out() << orvcc->Err();
  EXPECT_EQ(Curl({Url(port, "/")}).find("<p>edited</p>"), 0u);

  // A page sent before the last build reloads as soon as it listens.
  RunningProgram stale({"/usr/bin/curl", "-s", "-N", "--max-time", "120",
                        Url(port, std::string("/_orv/live-reload?since=") + build)},
                       dir_);
  EXPECT_NE(stale.WaitFor("retry: 1000\n\nevent: reload\n", false), npos) << stale.Out();
  EXPECT_EQ(orvcc->Stop(SIGINT), 0) << orvcc->Err();
  EXPECT_NE(events.Wait(60), -1);
}

TEST_F(WatchTest, APortInUseAndWrongOptionsAreRefused) {
  const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(::listen(listener, 1), 0);
  socklen_t size = sizeof address;
  ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &size);
  const std::string port = std::to_string(ntohs(address.sin_port));
  auto orvcc = Orvcc({"--serve=" + port, "site.orv"});
  EXPECT_EQ(orvcc->Wait(), 1);
  EXPECT_NE(orvcc->Err().find("orvcc: cannot listen on 127.0.0.1:" + port), npos) << orvcc->Err();
  ::close(listener);

  const struct {
    std::vector<std::string> args;
    const char* error;
  } cases[] = {
      {{"--serve=http", "site.orv"}, "orvcc: --serve needs a port from 0 to 65535, not 'http'\n"},
      {{"--serve=70000", "site.orv"}, "orvcc: --serve needs a port from 0 to 65535, not '70000'\n"},
      {{"--bind", "0.0.0.0", "site.orv"}, "orvcc: --bind is for --serve (try orvcc --help)\n"},
      {{"--watch", "--window", "site.orv"},
       "orvcc: --watch and --serve build on the console and publish nothing; leave out --window and --publish\n"},
  };
  for (const auto& c : cases) {
    auto run = Orvcc(c.args);
    EXPECT_EQ(run->Wait(), 2) << c.args[0];
    EXPECT_EQ(run->Err(), c.error);
  }
  auto missing = Orvcc({"--watch", "nothing.orv"});
  EXPECT_EQ(missing->Wait(), 1);
  EXPECT_EQ(missing->Err(), "orvcc: project file not found: nothing.orv\n");
}

}  // namespace
}  // namespace orv
