// Folders, the version record, library loading, the message sink, command
// running and the file helpers.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "platform/display.h"
#include "platform/exception.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/library.h"
#include "platform/message_service.h"
#include "platform/paths.h"
#include "platform/process.h"
#include "platform/version_info.h"

namespace orv {
namespace {

// Sets an environment variable for one test and restores it afterwards.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    const char* old = std::getenv(name);
    had_ = old != nullptr;
    if (had_) old_ = old;
    if (value) setenv(name, value, 1);
    else unsetenv(name);
  }
  ~ScopedEnv() {
    if (had_) setenv(name_, old_.c_str(), 1);
    else unsetenv(name_);
  }

 private:
  const char* name_;
  bool had_;
  std::string old_;
};

TEST(FoldersTest, ProgramFolderAndDataFolder) {
  EXPECT_EQ(ExtractFileName(ProgramPath()), "platform_test");
  EXPECT_EQ(ProgramDir().back(), '/');
  {
    ScopedEnv home("ORV_HOME", "/x/home");
    EXPECT_EQ(DataDir(), "/x/home/");
  }
  {
    ScopedEnv home("ORV_HOME", "");
    EXPECT_EQ(DataDir(), ProgramDir());  // the build folder is writable
  }
  EXPECT_EQ(SharedDataDir(), std::filesystem::path(ProgramDir() + "../share/orv/").lexically_normal().string());
}

// An installed program never writes beside itself, even where it could.
TEST(FoldersTest, InstalledProgramFolders) {
  EXPECT_TRUE(IsInstalledProgramDir("/usr/bin/"));
  EXPECT_TRUE(IsInstalledProgramDir("/usr/local/bin/"));
  EXPECT_FALSE(IsInstalledProgramDir(ProgramDir()));  // the build tree
  const std::string prefix = std::string(std::getenv("ORV_HOME") ? std::getenv("ORV_HOME") : "/tmp") + "/prefix";
  std::filesystem::create_directories(prefix + "/bin");
  EXPECT_FALSE(IsInstalledProgramDir(prefix + "/bin/"));
  std::filesystem::create_directories(prefix + "/share/orv");
  EXPECT_TRUE(IsInstalledProgramDir(prefix + "/bin/"));
  EXPECT_TRUE(IsInstalledProgramDir(prefix + "/bin"));
  std::filesystem::remove_all(prefix);
}

TEST(FoldersTest, TempAndSystemFolders) {
  {
    ScopedEnv tmp("TMPDIR", "/var/tmp");
    EXPECT_EQ(TempDir(), "/var/tmp/");
  }
  {
    ScopedEnv tmp("TMPDIR", nullptr);
    EXPECT_EQ(TempDir(), "/tmp/");
  }
  EXPECT_EQ(SystemDir(), "/usr/lib");
  EXPECT_EQ(WinDir(), "/usr");
}

TEST(VersionInfoTest, ProgramWithoutRecordGivesZeros) {
  EXPECT_EQ(ProgramFileVersion(), "0.0.0.0");
  EXPECT_EQ(ProgramProductVersion(), "0.0.0.0");
}

TEST(LibraryTest, MissingLibraryAndExportAreReported) {
  std::string error;
  EXPECT_EQ(LoadLibrary("liborv-no-such-library.so", error), nullptr);
  EXPECT_NE(error.find("liborv-no-such-library.so"), std::string::npos);
  void* platform = LoadLibrary("liborvplatform.so", error);
  ASSERT_NE(platform, nullptr) << error;
  EXPECT_NE(GetProcAddress(platform, "orv_send_message", error), nullptr);
  EXPECT_EQ(GetProcAddress(platform, "NoSuchExport", error), nullptr);
  EXPECT_EQ(error, "the library has no export NoSuchExport");
}

class RecordingSink : public MessageSink {
 public:
  void ShowMessage(MessageKind, const std::string& caption, const std::string& text) override {
    log += caption + "|" + text + ";";
  }
  void Beep() override { log += "beep;"; }
  std::string log;
};

TEST(MessageServiceTest, SinkCanBeReplaced) {
  auto sink = std::make_shared<RecordingSink>();
  auto previous = SetMessageSink(sink);
  Beep();
  ShowMessage(MessageKind::Error, "orvcc", "No project specified");
  SetMessageSink(previous);
  EXPECT_EQ(sink->log, "beep;orvcc|No project specified;");
}

TEST(ProcessTest, CapturesStandardOutputAndErrorApart) {
  std::string out;
  CommandStatus status;
  EXPECT_EQ(RunCommand("echo hello; echo oops >&2", out, 1 << 20, 0, "", &status), CommandOutcome::Done);
  EXPECT_EQ(out, "hello\n");
  EXPECT_EQ(status.ErrorOutput, "oops\n");
  EXPECT_FALSE(status.ErrorOutputCut);
  EXPECT_EQ(RunCommand("printf 'a b'; exit 3", out, 1 << 20), CommandOutcome::Done);
  EXPECT_EQ(out, "a b");
  EXPECT_EQ(RunCommand("cat", out, 1 << 20), CommandOutcome::Done);  // standard input is empty
  EXPECT_EQ(out, "");
  EXPECT_EQ(RunCommand("exec >&-; echo gone", out, 1 << 20, 5), CommandOutcome::Done);  // output closed early
  EXPECT_EQ(out, "");
}

TEST(ProcessTest, CommandsThatCannotStartFail) {
  std::string out;
  EXPECT_EQ(RunCommand("orv-no-such-command-xyz 2>/dev/null", out, 1 << 20), CommandOutcome::Failed);
  EXPECT_EQ(RunCommand("yes", out, 4096), CommandOutcome::Failed);  // endless output is cut off
}

// The details of each way a command ends.
TEST(ProcessTest, StatusTellsHowACommandEnded) {
  const struct {
    const char* command;
    size_t max_output;
    const char* folder;
    CommandOutcome outcome;
    int error, exit_status, signal;
    bool overflow;
  } cases[] = {
      {"true", 1 << 20, "", CommandOutcome::Done, 0, 0, 0, false},
      {"exit 3", 1 << 20, "", CommandOutcome::Done, 0, 3, 0, false},
      {"kill -9 $$", 1 << 20, "", CommandOutcome::Done, 0, 0, 9, false},
      {"orv-no-such-command-xyz 2>/dev/null", 1 << 20, "", CommandOutcome::Failed, 0, 127, 0, false},
      {"yes", 4096, "", CommandOutcome::Failed, 0, 0, 0, true},
      {"true", 1 << 20, "/orv-no-such-folder", CommandOutcome::Failed, ENOENT, 0, 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    std::string out;
    CommandStatus status;
    status.ExitStatus = -5;  // every field is set by the run
    EXPECT_EQ(RunCommand(c.command, out, c.max_output, 0, c.folder, &status), c.outcome);
    EXPECT_EQ(status.Error, c.error);
    EXPECT_EQ(status.ExitStatus, c.exit_status);
    EXPECT_EQ(status.Signal, c.signal);
    EXPECT_EQ(status.Overflow, c.overflow);
  }
}

TEST(MessageServiceTest, ConsoleLineJoinsLines) {
  const struct {
    const char* text;
    const char* line;
  } cases[] = {
      {"plain", "plain"},
      {"Syntax error in  (3): \r\nVariable <X> not defined.", "Syntax error in  (3): Variable <X> not defined."},
      {"a\nb\rc\r\n\r\nd", "a b c d"},
      {"\r\nstart", "start"},
      {"end\n", "end "},
  };
  for (const auto& c : cases) EXPECT_EQ(ConsoleLine(c.text), c.line) << c.text;
}

// Whether the process `pid` ends (or has ended) within `seconds`.
bool Ends(pid_t pid, int seconds) {
  int fd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
  if (fd < 0) return errno == ESRCH;
  struct pollfd wait_for = {fd, POLLIN, 0};
  bool ended = ::poll(&wait_for, 1, seconds * 1000) == 1;
  ::close(fd);
  return ended;
}

// A background job neither holds the read nor outlives its command: it is
// ended with the command's process group when the shell exits.
TEST(ProcessTest, ABackgroundChildIsEndedWithItsCommand) {
  std::string out;
  CommandStatus status;
  EXPECT_EQ(RunCommand("sleep 100 & echo $!; echo bg; echo bg >&2", out, 1 << 20, 60, "", &status),
            CommandOutcome::Done);
  size_t line = out.find('\n');
  ASSERT_NE(line, std::string::npos);
  EXPECT_EQ(out.substr(line + 1), "bg\n");
  EXPECT_EQ(status.ErrorOutput, "bg\n");
  pid_t sleeper = static_cast<pid_t>(std::stol(out.substr(0, line)));
  EXPECT_TRUE(Ends(sleeper, 10));
}

// Standard error beyond what is kept is read and dropped, so a command that
// writes much of it neither blocks nor fills memory.
TEST(ProcessTest, MuchStandardErrorIsCutAndDoesNotBlock) {
  std::string out;
  CommandStatus status;
  EXPECT_EQ(RunCommand("head -c 3000000 /dev/zero >&2; echo done", out, 1 << 20, 60, "", &status),
            CommandOutcome::Done);
  EXPECT_EQ(out, "done\n");
  EXPECT_EQ(status.ErrorOutput.size(), kMaxCommandErrorBytes);
  EXPECT_TRUE(status.ErrorOutputCut);
}

TEST(ProcessTest, TimeOutEndsTheWholeProcessGroup) {
  std::string out;
  EXPECT_EQ(RunCommand("sleep 100 & echo $!; sleep 100", out, 1 << 20, 1), CommandOutcome::TimedOut);
  ASSERT_FALSE(out.empty());
  EXPECT_TRUE(Ends(static_cast<pid_t>(std::stol(out)), 10));
  EXPECT_EQ(RunCommand("sleep 100", out, 1 << 20, 1), CommandOutcome::TimedOut);
}

TEST(FilesTest, LinesSplitAtEveryBreakKind) {
  EXPECT_EQ(SplitLines("a\r\nb\rc\nd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
  EXPECT_EQ(SplitLines("\n"), (std::vector<std::string>{""}));
  EXPECT_TRUE(SplitLines("").empty());
  EXPECT_EQ(JoinLines({"a", ""}), "a\r\n\r\n");
  EXPECT_EQ(JoinLines({}), "");
}

TEST(FilesTest, NormalLineTextIsJoinOfSplit) {
  for (const char* text : {"", "a", "a\r\n", "a\r", "a\n", "\n", "\r\r\n", "\n\r", "a\r\nb", "a\rb\nc\r\n",
                           "\r\n\r\n", "x\r\n\n", "ab\r\ncd\r\n"}) {
    std::string normal = text;
    NormalizeLineText(normal);
    EXPECT_EQ(normal, JoinLines(SplitLines(text))) << text;
    EXPECT_TRUE(IsNormalLineText(normal)) << text;
    EXPECT_EQ(IsNormalLineText(text), normal == text) << text;
  }
}

TEST(FilesTest, ReadFileBytesReadsRegularFilesAndOthers) {
  std::string path = std::string(std::getenv("ORV_HOME") ? std::getenv("ORV_HOME") : "/tmp") + "/read test";
  for (size_t size : {0u, 1u, 65535u, 65536u, 200000u}) {
    std::string bytes(size, 'x');
    WriteFileBytes(path, bytes);
    EXPECT_EQ(ReadFileBytes(path), bytes) << size;
  }
  std::filesystem::remove(path);
  EXPECT_FALSE(ReadFileBytes("/proc/self/status").empty());  // reports a size of 0
}

// A display is there when Qt would show windows on one.
TEST(DisplayTest, DisplayAvailableFollowsTheEnvironment) {
  const struct {
    const char* platform;
    const char* display;
    const char* wayland;
    bool available;
  } cases[] = {
      {nullptr, nullptr, nullptr, false}, {nullptr, ":0", nullptr, true},    {nullptr, nullptr, "wayland-0", true},
      {nullptr, "", "", false},           {"offscreen", ":0", nullptr, false}, {"minimal", ":0", nullptr, false},
      {"offscreen:size=800x600", ":0", nullptr, false}, {"xcb", nullptr, nullptr, true}, {"", ":0", nullptr, true},
  };
  for (const auto& c : cases) {
    ScopedEnv platform("QT_QPA_PLATFORM", c.platform);
    ScopedEnv display("DISPLAY", c.display);
    ScopedEnv wayland("WAYLAND_DISPLAY", c.wayland);
    EXPECT_EQ(DisplayAvailable(), c.available)
        << (c.platform ? c.platform : "-") << " " << (c.display ? c.display : "-") << " "
        << (c.wayland ? c.wayland : "-");
  }
  EXPECT_FALSE(Unattended());
  SetUnattended(true);
  EXPECT_TRUE(Unattended());
  SetUnattended(false);
}

// ReadFileUpTo reads regular files of a bounded size and refuses, without
// reading or waiting, anything else: a device that never ends, a pipe
// without a writer, a folder.
TEST(FilesTest, ReadFileUpToRefusesWhatIsNoRegularFileOrTooLarge) {
  std::string dir = std::string(std::getenv("ORV_HOME") ? std::getenv("ORV_HOME") : "/tmp") + "/up to";
  std::filesystem::remove_all(dir);
  ASSERT_TRUE(ForceDirectories(dir));
  WriteFileBytes(dir + "/small", std::string(1 << 20, 'x'));
  EXPECT_EQ(ReadFileUpTo(dir + "/small", 1 << 20).size(), size_t{1} << 20);
  EXPECT_FALSE(ReadFileUpTo("/proc/self/status", 1 << 20).empty());  // reports a size of 0
  ASSERT_EQ(::mkfifo((dir + "/fifo").c_str(), 0600), 0);
  const struct {
    std::string path;
    size_t max;
    std::string error;
  } refused[] = {
      {dir + "/small", (1 << 20) - 1, "Cannot read file \"" + dir + "/small\". It is larger than 1048575 bytes"},
      {"/dev/zero", 1 << 20, "Cannot open file \"/dev/zero\". Not a regular file"},
      {dir + "/fifo", 1 << 20, "Cannot open file \"" + dir + "/fifo\". Not a regular file"},
      {dir, 1 << 20, "Cannot open file \"" + dir + "\". Not a regular file"},
      {dir + "/absent", 1 << 20, "Cannot open file \"" + dir + "/absent\". No such file or directory"},
  };
  for (const auto& c : refused) {
    try {
      ReadFileUpTo(c.path, c.max);
      ADD_FAILURE() << c.path << " was read";
    } catch (const EInOutError& e) {
      EXPECT_EQ(e.what(), c.error);
    }
  }
  std::filesystem::remove_all(dir);
}

TEST(FilesTest, AtomicWriteReplacesAndLeavesNoTemporary) {
  std::string dir = std::string(std::getenv("ORV_HOME") ? std::getenv("ORV_HOME") : "/tmp") + "/atomic \xc3\xa9";
  std::filesystem::remove_all(dir);
  ASSERT_TRUE(ForceDirectories(dir + "/a/b"));
  std::string path = dir + "/a/b/page.html";
  ASSERT_TRUE(WriteFileAtomic(path, "old"));
  ASSERT_TRUE(WriteFileAtomic(path, "new"));
  EXPECT_EQ(ReadFileBytes(path), "new");
  EXPECT_FALSE(WriteFileAtomic(dir + "/missing/page.html", "x"));
  int entries = 0;
  for (auto& e : std::filesystem::directory_iterator(dir + "/a/b")) entries += !e.path().empty();
  EXPECT_EQ(entries, 1);
  EXPECT_TRUE(DeleteFile(path));
  EXPECT_FALSE(FileExists(path));
  EXPECT_FALSE(FileExists(dir));
  EXPECT_FALSE(FileExists("/dev/null"));
  EXPECT_TRUE(DirectoryExists(dir));
  EXPECT_THROW(ReadFileBytes(path), EInOutError);
  std::filesystem::remove_all(dir);
}

// A name with a NUL byte names no file: nothing acts on the part before
// the byte, and the functions that raise errors say why.
TEST(FilesTest, NamesWithNulBytesNameNoFile) {
  std::string dir = std::string(std::getenv("ORV_HOME") ? std::getenv("ORV_HOME") : "/tmp") + "/nul names";
  std::filesystem::remove_all(dir);
  ASSERT_TRUE(ForceDirectories(dir));
  const std::string file = dir + "/f";
  WriteFileBytes(file, "kept");
  const std::string cut = file + std::string(1, '\0') + ".txt";
  std::string bytes;
  FileStamp stamp;
  EXPECT_FALSE(FileExists(cut));
  EXPECT_FALSE(StatFile(cut, stamp));
  EXPECT_FALSE(DirectoryExists(dir + std::string(1, '\0')));
  EXPECT_EQ(ReadRegularFile(cut, bytes), FileRead::NoFile);
  EXPECT_FALSE(WriteFileAtomic(cut, "lost"));
  EXPECT_FALSE(DeleteFile(cut));
  EXPECT_FALSE(ForceDirectories(dir + "/d" + std::string(1, '\0') + "x"));
  for (const auto& read : {ReadFileBytes, +[](const std::string& path) { return ReadFileUpTo(path, 1 << 20); }}) {
    try {
      read(cut);
      ADD_FAILURE() << "no error";
    } catch (const EInOutError& e) {
      EXPECT_EQ(std::string(e.what()), "Cannot open file \"" + file + "\\0.txt\": a file name cannot hold a NUL byte");
    }
  }
  EXPECT_THROW(WriteFileBytes(cut, "lost"), EInOutError);
  EXPECT_EQ(ReadFileBytes(file), "kept");
  EXPECT_FALSE(DirectoryExists(dir + "/d"));
  EXPECT_EQ(ShowNul(std::string("a\0b\0", 4)), "a\\0b\\0");
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace orv
