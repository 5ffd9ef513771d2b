// Folders, the version record, library loading, the message sink, command
// running and the file helpers.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

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

TEST(ProcessTest, CapturesStandardOutputOnly) {
  std::string out;
  EXPECT_TRUE(RunCommand("echo hello; echo oops >&2", out, 1 << 20));
  EXPECT_EQ(out, "hello\n");
  EXPECT_TRUE(RunCommand("printf 'a b'; exit 3", out, 1 << 20));
  EXPECT_EQ(out, "a b");
  EXPECT_TRUE(RunCommand("cat", out, 1 << 20));  // standard input is empty
  EXPECT_EQ(out, "");
}

TEST(ProcessTest, CommandsThatCannotStartFail) {
  std::string out;
  EXPECT_FALSE(RunCommand("orv-no-such-command-xyz 2>/dev/null", out, 1 << 20));
  EXPECT_FALSE(RunCommand("yes", out, 4096));  // endless output is cut off
}

TEST(FilesTest, LinesSplitAtEveryBreakKind) {
  EXPECT_EQ(SplitLines("a\r\nb\rc\nd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
  EXPECT_EQ(SplitLines("\n"), (std::vector<std::string>{""}));
  EXPECT_TRUE(SplitLines("").empty());
  EXPECT_EQ(JoinLines({"a", ""}), "a\r\n\r\n");
  EXPECT_EQ(JoinLines({}), "");
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

}  // namespace
}  // namespace orv
