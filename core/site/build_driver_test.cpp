// Whole builds into a temporary folder: the message sequence a host window
// sees, the pages written, output naming, queues and errors.
#include "core/site/build_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>

#include "core/site/build_report.h"
#include "core/site/builtin_vars.h"
#include "core/site/incremental_build.h"
#include "core/site/page_writer.h"
#include "core/site/process_page.h"
#include "core/site/project_reader.h"
#include "orv/myrecord.h"
#include "platform/exception.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/window.h"

namespace orv {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

// A host window that records every message as text and frees the records.
class RecordingHost {
 public:
  RecordingHost()
      : window_([this](uint32_t message, WPARAM, LPARAM lparam) -> LRESULT {
          auto* record = reinterpret_cast<TMyRecord*>(lparam);
          switch (message) {
            case BUILD_SETRANGE: log.push_back(std::string("range ") + record->Field1); break;
            case BUILD_STEP: log.push_back("step"); break;
            case BUILD_RESET: log.push_back("reset"); break;
            case BUILD_FILE: log.push_back(std::string("file ") + record->Field1); break;
            default: log.push_back("other"); break;
          }
          if (on_message) on_message(message, record);
          orv_myrecord_free(record);
          return 0;
        }) {}
  HWND Handle() const { return window_.Handle(); }

  std::vector<std::string> log;
  std::function<void(uint32_t, TMyRecord*)> on_message;

 private:
  Window window_;
};

std::vector<std::string> PageMessages(const std::string& file, int steps = 7) {
  std::vector<std::string> log{"file " + file};
  log.insert(log.end(), static_cast<size_t>(steps), "step");
  return log;
}

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class BuildTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = DataDir() + "build test \xc3\xa9/";
    fs::remove_all(dir_);
    fs::create_directories(dir_ + "src");
    setenv("SOURCE_DATE_EPOCH", "946684800", 1);  // 2000-01-01 00:00:00 UTC
  }
  void TearDown() override {
    unsetenv("SOURCE_DATE_EPOCH");
    fs::remove_all(dir_);
  }
  void Put(const std::string& name, const std::string& text) {
    fs::create_directories(fs::path(dir_ + name).parent_path());
    WriteFileBytes(dir_ + name, text);
  }
  std::string Get(const std::string& name) { return ReadFileBytes(dir_ + name); }
  // A [files] section listing `pages` after as many pages of filler as a
  // build writes before it writes beside the expansion (PageWriter), so
  // that `pages` are written on the writer's thread.
  std::string FilesAfterFiller(const std::vector<std::string>& pages) {
    std::string files = "[files]\n";
    int key = 0;
    for (uint32_t i = 0; i < PageWriter::kInlinePages; ++i) {
      Put("src/filler/f" + std::to_string(i) + ".hts", "filler");
      files += std::to_string(key++) + "=src/filler/f" + std::to_string(i) + ".hts\n";
    }
    for (const std::string& page : pages) files += std::to_string(key++) + "=" + page + "\n";
    return files;
  }
  void Build(const std::string& single = "", bool preview = false) {
    ProcessProject(dir_ + "p.orv", single, host_.Handle(), preview);
  }

  std::string dir_;
  RecordingHost host_;
};

TEST_F(BuildTest, MessageSequenceOfAWholeBuild) {
  Put("src/a.hts", "a");
  Put("src/c.hts", "c");
  Put("p.orv", "[directories]\nsrc=src\nout=out\n[files]\n0=src/a.hts\n1=src/b.hts\n2=src/c.hts\n");
  Build();
  std::vector<std::string> expected = std::vector<std::string>{"range 21"} + PageMessages(dir_ + "src/a.hts") +
                                      PageMessages(dir_ + "src/c.hts") +
                                      std::vector<std::string>{"reset", "file ", "range 0", "reset", "file "};
  EXPECT_EQ(host_.log, expected);
  EXPECT_EQ(Get("out/a.html"), "a\r\n");
  EXPECT_EQ(Get("out/c.html"), "c\r\n");
  EXPECT_FALSE(FileExists(dir_ + "out/b.html"));
}

TEST_F(BuildTest, QueuedFilesAreBuiltOnceAndDeleteQueueRuns) {
  Put("src/a.hts", "a");
  Put("src/b.hts", "b");
  Put("doomed.txt", "x");
  Put("p.orv", "[directories]\nsrc=src\nout=out\n[files]\n0=src/a.hts\n");
  host_.on_message = [this](uint32_t message, TMyRecord* record) {
    if (message != BUILD_FILE || !record->Field1[0]) return;
    BuildState* build = CurrentBuild();
    ASSERT_NE(build, nullptr);
    build->BuildQueue.push_back(dir_ + "src/b.hts");  // also while b itself is built
    if (build->DeleteQueue.empty()) build->DeleteQueue.push_back(dir_ + "doomed.txt");
  };
  Build();
  std::vector<std::string> expected = std::vector<std::string>{"range 7"} + PageMessages(dir_ + "src/a.hts") +
                                      std::vector<std::string>{"reset", "file ", "range 6"} +
                                      PageMessages(dir_ + "src/b.hts") + std::vector<std::string>{"reset", "file "};
  EXPECT_EQ(host_.log, expected);
  EXPECT_EQ(Get("out/b.html"), "b\r\n");
  EXPECT_FALSE(FileExists(dir_ + "doomed.txt"));
  EXPECT_EQ(CurrentBuild(), nullptr);
}

TEST_F(BuildTest, LaterPagesAndCommandsSeeEarlierPagesWritten) {
  Put("src/a.hts", "page a");
  Put("src/b.hts", "[<&../out/a.html&>]");
  Put("src/c.hts", "[<*cat '" + dir_ + "out/b.html'*>]");
  Put("src/d.html", "page d");
  Put("p.orv", "[directories]\nsrc=src\nout=out\n" +
                   FilesAfterFiller({"src/a.hts", "src/b.hts", "src/c.hts", "src/d.html", "out/d.html"}));
  Build();
  EXPECT_EQ(Get("out/b.html"), "[page a\r\n]\r\n");
  EXPECT_EQ(Get("out/c.html"), "[[page a\r\n]\r\n]\r\n");
  EXPECT_EQ(Get("out/d.html"), "page d\r\n");  // built from src/d.html, then from itself
}

// A clean build writes its pages into a hidden folder beside the missing
// output folder, which takes its name when the build is done: a look while
// the pages are built finds no output folder at all, never part of one,
// and nothing is left beside it. A build into the folder then writes in
// place.
TEST_F(BuildTest, TheOutputFolderOfACleanBuildAppearsWhole) {
  Put("src/a.hts", "a");
  Put("src/sub/b.hts", "b");
  Put("src/c.hts", "c");
  Put("p.orv", "[directories]\nsrc=src\nout=out\n" + FilesAfterFiller({"src/a.hts", "src/sub/b.hts", "src/c.hts"}));
  std::vector<bool> seen;  // whether the output folder was there as each page began
  host_.on_message = [this, &seen](uint32_t message, TMyRecord*) {
    if (message == BUILD_FILE) seen.push_back(fs::exists(dir_ + "out"));
  };
  Build();
  EXPECT_GE(seen.size(), PageWriter::kInlinePages + 3u);
  EXPECT_EQ(std::count(seen.begin(), seen.end(), true), 0);
  EXPECT_EQ(Get("out/a.html"), "a\r\n");
  EXPECT_EQ(Get("out/sub/b.html"), "b\r\n");
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir_)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"out", "p.orv", "src"}));
  // The stamps the build recorded are those of the pages in their place.
  Build();
  EXPECT_EQ(LastBuildCounts().UpToDate, static_cast<int>(PageWriter::kInlinePages) + 3);

  seen.clear();
  Put("src/c.hts", "c, changed");
  SetIncrementalBuildDefault(false);
  Build();
  SetIncrementalBuildDefault(true);
  host_.on_message = nullptr;
  EXPECT_GE(seen.size(), PageWriter::kInlinePages + 3u);
  EXPECT_EQ(std::count(seen.begin(), seen.end(), false), 0);
  EXPECT_EQ(Get("out/c.html"), "c, changed\r\n");
}

// In a clean build, a page reached through a link into the output folder,
// which appears only once the pages are published, is found as written: as
// a page to build (src/mirror is out), as an include and by a script.
TEST_F(BuildTest, ACleanBuildsPagesAreFoundThroughLinksIntoTheOutputFolder) {
  fs::create_directory_symlink(dir_ + "out", dir_ + "src/mirror");
  fs::create_directory_symlink(dir_ + "out", dir_ + "link");
  Put("src/a.hts", "page a");
  Put("src/b.hts", "[<&" + dir_ + "link/a.html&>]");
  Put("src/c.hts", "<+ var L: TStringList; begin L := TStringList.Create; L.LoadFromFile('" + dir_ +
                       "link/b.html'); WriteLn('c: ' + L.Strings[0]); L.Free end. +>");
  const struct {
    std::string name;
    std::vector<std::string> pages;
    std::string last, text;  // the last page's output and what it holds
  } cases[] = {
      {"source", {"src/a.hts", "src/mirror/a.html"}, "out/a.html", "page a\r\n"},
      {"include", {"src/a.hts", "src/b.hts"}, "out/b.html", "[page a\r\n]\r\n"},
      {"script", {"src/a.hts", "src/b.hts", "src/c.hts"}, "out/c.html", "c: [page a\r\n\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(dir_ + "out");
    Put("p.orv", "[directories]\nsrc=src\nout=out\n" + FilesAfterFiller(c.pages));
    Build();
    EXPECT_EQ(LastBuildCounts().Built, static_cast<int>(PageWriter::kInlinePages + c.pages.size()));
    EXPECT_EQ(Get(c.last), c.text);
  }
}

// A page that reads an earlier one, by its name, through a symbolic link or
// through another path to its folder, finds it as written: in a first
// build and in a full build over the pages of the last (the build reaches
// files through folders it holds open, which must not hide a page it has
// just written).
TEST_F(BuildTest, PagesReadThroughLinksSeeEarlierPagesWritten) {
  SetIncrementalBuildDefault(false);
  Put("src/a.hts", "page a <%Title%>");
  Put("src/b.hts", "[<&" + dir_ + "out/A.html&>]");
  fs::create_symlink(dir_ + "out/a.html", dir_ + "src/c.hts");
  // src/mirror/a.html is out/a.html, built again into itself.
  fs::create_directory_symlink(dir_ + "out", dir_ + "src/mirror");
  const std::string project = "[directories]\nsrc=src\nout=out\n[variables]\nTitle=";
  for (const std::string& pages : {FilesAfterFiller({"src/a.hts", "src/c.hts", "src/b.hts"}),
                                  FilesAfterFiller({"src/a.hts", "src/mirror/a.html"})}) {
    SCOPED_TRACE(pages.substr(pages.rfind("=src/filler/")));
    fs::remove_all(dir_ + "out");
    fs::create_directories(dir_ + "out");
    Put("out/A.html", "an old page");
    for (const std::string title : {"one", "two"}) {
      SCOPED_TRACE(title);
      Put("p.orv", project + title + "\n" + pages);
      Build();
      EXPECT_EQ(Get("out/a.html"), "page a " + title + "\r\n");
      if (pages.find("c.hts") == std::string::npos) continue;
      EXPECT_EQ(Get("out/c.html"), "page a " + title + "\r\n");
      EXPECT_EQ(Get("out/b.html"), "[an old page\r\n]\r\n");  // another file, whatever its name looks like
    }
  }
  SetIncrementalBuildDefault(true);
}

// An incremental build looks at what an up-to-date page depends on as the
// pages before it left it: a page read by a later one (b includes a) and a
// page written twice (x.hts, then x.htm, last).
TEST_F(BuildTest, UpToDateChecksSeeEarlierPagesWritten) {
  Put("src/a.hts", "page a <%Title%>");
  Put("src/b.hts", "[<&../out/a.html&>]");
  Put("src/x.hts", "x.hts <%Title%>");
  Put("src/x.htm", "x.htm");
  for (const std::string title : {"one", "two"}) {
    SCOPED_TRACE(title);
    Put("p.orv", "[directories]\nsrc=src\nout=out\n[variables]\nTitle=" + title + "\n" +
                     FilesAfterFiller({"src/a.hts", "src/b.hts", "src/x.hts", "src/x.htm"}));
    Build();
    EXPECT_EQ(Get("out/b.html"), "[page a " + title + "\r\n]\r\n");
    EXPECT_EQ(Get("out/x.html"), "x.htm\r\n");
  }
  EXPECT_EQ(LastBuildCounts().Built, 4);
}

// The command rewrites the include with text of the same size, which may
// leave a recent file's stamp as it was.
TEST_F(BuildTest, AnIncludeChangedByACommandIsReadAgain) {
  for (const bool recent : {false, true}) {
    Put("src/part.hsn", "old text");
    if (!recent) fs::last_write_time(dir_ + "src/part.hsn", fs::file_time_type::clock::now() - std::chrono::hours(1));
    Put("src/a.hts", "<&part.hsn&>");
    Put("src/b.hts", "<&part.hsn&><*printf 'new text' > '" + dir_ + "src/part.hsn'*>");
    Put("src/c.hts", "<&part.hsn&>");
    Put("p.orv", "[directories]\nsrc=src\nout=out\n[files]\n0=src/a.hts\n1=src/b.hts\n2=src/c.hts\n");
    Build();
    EXPECT_EQ(Get("out/a.html"), "old text\r\n\r\n") << recent;
    EXPECT_EQ(Get("out/b.html"), "old text\r\n\r\n") << recent;
    EXPECT_EQ(Get("out/c.html"), "new text\r\n\r\n") << recent;
  }
}

TEST_F(BuildTest, ErrorEndsTheLoopButQueuesStillRun) {
  Put("src/a.hts", "<&broken.txt&>");
  Put("src/c.hts", "c");
  Put("src/q.hts", "q");
  Put("doomed.txt", "x");
  fs::create_symlink("/proc/self/mem", dir_ + "src/broken.txt");
  Put("p.orv", "[directories]\nsrc=src\nout=out\n[files]\n0=src/a.hts\n1=src/c.hts\n");
  host_.on_message = [this](uint32_t message, TMyRecord*) {
    BuildState* build = CurrentBuild();
    if (message == BUILD_SETRANGE && build->BuildQueue.empty()) {
      build->BuildQueue.push_back(dir_ + "src/q.hts");
      build->DeleteQueue.push_back(dir_ + "doomed.txt");
    }
  };
  EXPECT_THROW(Build(), EInOutError);
  EXPECT_FALSE(FileExists(dir_ + "out/a.html"));
  EXPECT_FALSE(FileExists(dir_ + "out/c.html"));
  EXPECT_EQ(Get("out/q.html"), "q\r\n");
  EXPECT_FALSE(FileExists(dir_ + "doomed.txt"));
  EXPECT_EQ(host_.log.back(), "file ");
}

TEST_F(BuildTest, OutputNamingMirrorsSubFolders) {
  Put("src/news/2001/x.hts", "x");
  Put("elsewhere/y.hts", "y");
  Put("p.orv", "[directories]\nsrc=" + dir_ + "SRC/\nout=" + dir_ + "www\n[files]\n0=" + dir_ +
                   "src/news/2001/x.hts\n1=" + dir_ + "elsewhere/y.hts\n");
  Build();
  EXPECT_EQ(Get("www/news/2001/x.html"), "x\r\n");  // source folder compared without case
  EXPECT_EQ(Get("www/y.html"), "y\r\n");              // outside the source folder
}

// A page's folder is resolved before it is mirrored: "..", ".", repeated
// separators and symbolic links of folders never lead a page out of the
// output folder; a page outside the source folder goes straight into it.
TEST_F(BuildTest, PagesAreNeverWrittenOutsideTheOutputFolder) {
  Put("proj/src/news/n.hts", "n");
  Put("proj/src/d.hts", "d");
  Put("v.hts", "v");
  Put("w.hts", "w");
  fs::create_directory_symlink(dir_ + "proj/src/news", dir_ + "proj/src/alias");
  fs::create_directory_symlink(dir_, dir_ + "proj/src/up");
  Put("proj/p.orv",
      "[directories]\nsrc=src\nout=out\n[files]\n0=src/../../v.hts\n1=src/./news//n.hts\n2=src/alias/n.hts\n"
      "3=src/news/../../src/d.hts\n4=src/up/w.hts\n5=src/news/../../../v.hts\n");
  ProcessProject(dir_ + "proj/p.orv", "", host_.Handle(), false);
  EXPECT_EQ(Get("proj/out/v.html"), "v\r\n");
  EXPECT_EQ(Get("proj/out/news/n.html"), "n\r\n");
  EXPECT_EQ(Get("proj/out/d.html"), "d\r\n");
  EXPECT_EQ(Get("proj/out/w.html"), "w\r\n");
  EXPECT_FALSE(fs::exists(dir_ + "v.html"));
  EXPECT_FALSE(fs::exists(dir_ + "proj/out/alias"));
  EXPECT_FALSE(fs::exists(dir_ + "proj/out/up"));
  std::vector<std::string> written;
  for (const auto& entry : fs::recursive_directory_iterator(dir_))
    if (entry.path().extension() == ".html") written.push_back(fs::relative(entry.path(), dir_).string());
  std::sort(written.begin(), written.end());
  EXPECT_EQ(written, (std::vector<std::string>{"proj/out/d.html", "proj/out/news/n.html", "proj/out/v.html",
                                               "proj/out/w.html"}));
}

// A page queued by a script takes the same way.
TEST_F(BuildTest, QueuedPagesAreNeverWrittenOutsideTheOutputFolder) {
  Put("src/a.hts", "a");
  Put("q.hts", "q");
  Put("p.orv", "[directories]\nsrc=src\nout=deep/out\n[files]\n0=src/a.hts\n");
  host_.on_message = [this](uint32_t message, TMyRecord*) {
    BuildState* build = CurrentBuild();
    if (message == BUILD_SETRANGE && build->BuildQueue.empty()) build->BuildQueue.push_back(dir_ + "src/../q.hts");
  };
  Build();
  EXPECT_EQ(Get("deep/out/q.html"), "q\r\n");
  EXPECT_FALSE(fs::exists(dir_ + "deep/q.html"));
}

// A folder or page name of the project that holds a NUL byte is an error
// naming it, before anything is built.
TEST_F(BuildTest, ProjectNamesWithNulBytesAreErrors) {
  Put("src/a.hts", "a");
  const struct {
    std::string project;
    std::string error;
  } cases[] = {
      {"[directories]\nsrc=src\nout=out\0/../escaped\n[files]\n0=src/a.hts\n"s,
       "[directories] out \"out\\0/../escaped\""},
      {"[directories]\nsrc=s\0rc\n[files]\n0=src/a.hts\n"s, "[directories] src \"s\\0rc\""},
      {"[directories]\nimg=\0\n[files]\n0=src/a.hts\n"s, "[directories] img \"\\0\""},
      {"[files]\n0=src/a.hts\n1=src/a.hts\0.x\n"s, "[files] 1 \"src/a.hts\\0.x\""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.error);
    Put("p.orv", c.project);
    try {
      Build();
      ADD_FAILURE() << "no error";
    } catch (const EInOutError& e) {
      EXPECT_EQ(std::string(e.what()), "Project file \"" + dir_ + "p.orv\": " + c.error +
                                           " holds a NUL byte; a folder or file name cannot");
    }
    EXPECT_FALSE(fs::exists(dir_ + "out"));
    EXPECT_FALSE(fs::exists(dir_ + "a.html"));
  }
}

TEST_F(BuildTest, SingleFileAndPreview) {
  Put("src/a.hts", "single");
  Put("src/other.hts", "other");
  Put("p.orv", "[directories]\nsrc=src\nout=out\n[files]\n0=src/other.hts\n");
  Build(dir_ + "src/a.hts", true);
  EXPECT_EQ(Get("src/a.htm"), "single\r\n");
  EXPECT_FALSE(FileExists(dir_ + "out/other.html"));
  Build(dir_ + "src/a.hts", false);
  EXPECT_EQ(Get("out/a.html"), "single\r\n");
  EXPECT_FALSE(FileExists(dir_ + "out/other.html"));
}

TEST_F(BuildTest, MissingProjectBuildsNothing) {
  ProcessProject(dir_ + "none.orv", "", host_.Handle(), false);
  EXPECT_EQ(host_.log, (std::vector<std::string>{"range 0", "reset", "file ", "range 0", "reset", "file "}));
}

TEST_F(BuildTest, ThousandsOfMissingFilesFinishQuickly) {
  std::string project = "[files]\n";
  for (int i = 0; i < 20000; ++i) project += std::to_string(i) + "=src/missing" + std::to_string(i) + ".hts\n";
  Put("p.orv", project);
  auto start = std::chrono::steady_clock::now();
  Build();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
  EXPECT_EQ(host_.log.front(), "range 140000");
}

TEST_F(BuildTest, ReadProjectRules) {
  Put("p.orv",
      "[Compiler]\nvars=0\nincludes=yes\nextapps=0\n"
      "[variables]\nTitle=Upper\ntitle=lower\nTitle=again\n"
      "[files]\n0=a.hts\n1=/abs/b.hts\n5=f.hts\n");
  BuildState build;
  build.Context.Settings.ProjectFile = dir_ + "p.orv";
  ProjectTexts texts = ReadProject(build.Context);
  EXPECT_FALSE(build.Context.Settings.UseVars);
  EXPECT_TRUE(build.Context.Settings.UseIncludes);
  EXPECT_FALSE(build.Context.Settings.UseExtApps);
  EXPECT_TRUE(build.Context.Settings.UseScripts);
  EXPECT_EQ(build.Context.Settings.Files, (LineList{dir_ + "a.hts", "/abs/b.hts", ""}));
  EXPECT_EQ(build.UserVars.Count(), 3);
  EXPECT_EQ(build.UserVars.Find("Title")->Value, "Upper");
  EXPECT_EQ(build.UserVars.Find("title")->Value, "lower");
  EXPECT_EQ(build.UserVars.Items(2).Value, "again");
  EXPECT_EQ(build.Context.Settings.SourceDir, dir_);  // empty folder: the project's own
  EXPECT_EQ(texts.Src, "");

  BuildState single;
  single.Context.Settings.ProjectFile = dir_ + "p.orv";
  single.Context.Settings.SingleFile = "/x/only.hts";
  ReadProject(single.Context);
  EXPECT_EQ(single.Context.Settings.Files, (LineList{"/x/only.hts"}));
}

TEST_F(BuildTest, BuiltinVariablesInOrder) {
  Put("p.orv", "[directories]\nsrc=src/\nout=/o\nimg=img\n[other]\nimgprep=images/\n");
  BuildState build;
  build.Context.Settings.ProjectFile = dir_ + "p.orv";
  ProjectTexts texts = ReadProject(build.Context);
  FillBuiltinVars(build.Context, texts, BuildTime{946684800, true});
  const TUserSettingList& vars = build.BuiltinVars;
  std::vector<std::string> names;
  for (int i = 0; i < vars.Count(); ++i) names.push_back(vars.Items(i).Name);
  EXPECT_EQ(names, (std::vector<std::string>{"Header", "SourceDir", "OutputDir", "ImageDir", "ImgPrefix",
                                             "TimeNow", "DateNow", "ProjectPath", "ORVRootDir", "SystemDir",
                                             "WinDir", "BuildNum", "ProjFile", "SnippetsDir", "RootPath"}));
  EXPECT_EQ(vars.Find("Header")->Value, "<!-- ORV1.0::p.orv::00:00:00::01/01/00 -->");
  EXPECT_EQ(vars.Find("SourceDir")->Value, "src/");
  EXPECT_EQ(vars.Find("ImgPrefix")->Value, "images/");
  EXPECT_EQ(vars.Find("ProjectPath")->Value, dir_);
  EXPECT_EQ(vars.Find("ORVRootDir")->Value, DataDir());
  EXPECT_EQ(vars.Find("SnippetsDir")->Value, DataDir() + "snippets/");
  EXPECT_EQ(vars.Find("BuildNum")->Value, "0.0.0.0");
  EXPECT_EQ(vars.Find("ProjFile")->Value, "p.orv");
  EXPECT_EQ(build.ImageDir, dir_ + "img");
}

TEST_F(BuildTest, ReproducibleBuildsAreByteIdentical) {
  Put("src/a.hts", "<%Header%> <%TimeNow%> <%DateNow%>");
  Put("p.orv", "[directories]\nsrc=src\nout=out\n[files]\n0=src/a.hts\n");
  Build();
  std::string first = Get("out/a.html");
  Build();
  EXPECT_EQ(Get("out/a.html"), first);
  EXPECT_EQ(first, "<!-- ORV1.0::p.orv::00:00:00::01/01/00 --> 00:00:00 01/01/00\r\n");
}

TEST_F(BuildTest, SmallSiteMatchesExpectedPages) {
  Put("src/index.hts",
      "{$DEFINE type=\"VERSION\" value=\"2.1\"}\n"
      "<html><title><%Title%></title>\n"
      "<body><&header.hsn&>Release VERSION\n"
      "<p><*printf 'made by %s' orv*></p>\n"
      "<%Unknown%> <&nope.htm&> <%ProjFile%>\n"
      "</body></html>\n");
  Put("src/news/item.hts", "<%Title%>: VERSION\r\n");
  Put("src/header.hsn", "<h1><%Title%></h1>");
  Put("p.orv",
      "[directories]\nsrc=src\nout=out\n[variables]\nTitle=My Site\n"
      "[files]\n0=src/index.hts\n1=src/news/item.hts\n");
  Build();
  EXPECT_EQ(Get("out/index.html"),
            "<html><title>My Site</title>\r\n"
            "<body><h1>My Site</h1>\r\n"
            "Release 2.1\r\n"
            "<p>made by orv\r\n"
            "</p>\r\n"
            "<!-- ERROR: Unknown --> <!-- ERROR: nope.htm --> p.orv\r\n"
            "</body></html>\r\n");
  EXPECT_EQ(Get("out/news/item.html"), "My Site: 2.1\r\n");  // defines carry to later pages
}

// Pages that cannot be written do not stop the others; each is reported as
// an error naming it, and the build then ends with an error that counts them.
TEST_F(BuildTest, OutputFolderIsCreatedAndEveryUnwritablePageIsReported) {
  Put("src/a.hts", "a");
  Put("src/b.hts", "b");
  Put("src/c.hts", "c");
  Put("p.orv", "[directories]\nsrc=src\nout=new/out\n[files]\n0=src/a.hts\n1=src/b.hts\n2=src/c.hts\n");
  fs::create_directories(dir_ + "new/out/a.html");  // folders where pages a and c should go
  fs::create_directories(dir_ + "new/out/c.html");
  std::vector<std::string> lines;
  SetReportSink([](const char* line, void* user) { static_cast<std::vector<std::string>*>(user)->push_back(line); },
                &lines);
  try {
    Build();
    ADD_FAILURE() << "no error for the pages that cannot be written";
  } catch (const EInOutError& e) {
    EXPECT_EQ(std::string(e.what()), "2 pages could not be written (see above)");
  }
  SetReportSink(nullptr, nullptr);
  EXPECT_EQ(lines, (std::vector<std::string>{
                       dir_ + "new/out/a.html: error: cannot write the page: Is a directory",
                       dir_ + "new/out/c.html: error: cannot write the page: Is a directory",
                   }));
  EXPECT_TRUE(DirectoryExists(dir_ + "new/out/a.html"));
  EXPECT_EQ(Get("new/out/b.html"), "b\r\n");
  int entries = 0;
  for (auto& entry : fs::directory_iterator(dir_ + "new/out")) entries += !entry.path().empty();
  EXPECT_EQ(entries, 3);  // no temporary file left behind
  // The pages that could not be written are built again once they can be.
  fs::remove(dir_ + "new/out/a.html");
  fs::remove(dir_ + "new/out/c.html");
  Build();
  EXPECT_EQ(LastBuildCounts().Built, 2);
  EXPECT_EQ(Get("new/out/a.html"), "a\r\n");
  EXPECT_EQ(Get("new/out/c.html"), "c\r\n");
  Build();
  EXPECT_EQ(LastBuildCounts().UpToDate, 3);
}

// Among many pages, written beside the build, each one that cannot be
// written is reported in page order, and the pages around it are written.
TEST_F(BuildTest, UnwritablePagesAmongManyAreReportedInOrder) {
  std::vector<std::string> pages;
  for (int i = 0; i < 30; ++i) {
    Put("src/p" + std::to_string(i) + ".hts", "page " + std::to_string(i));
    pages.push_back("src/p" + std::to_string(i) + ".hts");
  }
  Put("p.orv", "[directories]\nsrc=src\nout=out\n" + FilesAfterFiller(pages));
  std::vector<std::string> expected;
  for (int i : {3, 4, 17, 29}) {
    fs::create_directories(dir_ + "out/p" + std::to_string(i) + ".html");
    expected.push_back(dir_ + "out/p" + std::to_string(i) + ".html: error: cannot write the page: Is a directory");
  }
  std::vector<std::string> lines;
  SetReportSink([](const char* line, void* user) { static_cast<std::vector<std::string>*>(user)->push_back(line); },
                &lines);
  EXPECT_THROW(Build(), EInOutError);
  SetReportSink(nullptr, nullptr);
  EXPECT_EQ(lines, expected);
  for (int i = 0; i < 30; ++i) {
    if (i == 3 || i == 4 || i == 17 || i == 29) continue;
    EXPECT_EQ(Get("out/p" + std::to_string(i) + ".html"), "page " + std::to_string(i) + "\r\n");
  }
}

// Page patterns, RootPath and LF line ends together, as the starter
// project uses them: every page finds the style sheet and the home page
// from its own folder.
TEST_F(BuildTest, PatternsRootPathAndLineEnds) {
  Put("src/index.hts", "<a href=\"<%RootPath%>index.html\">home</a>\n<&logo.svg&>");
  Put("src/news/2024/b.hts", "<a href=\"<%RootPath%>index.html\">home</a>\r\nline\rtwo");
  Put("src/news/a.hts", "[<%RootPath%>]");
  Put("src/.#index.hts", "an editor's lock file");
  Put("src/notes.txt", "not a page");
  Put("static/images/logo.svg", "<svg width=\"3\" height=\"4\"/>");
  Put("p.orv",
      "[directories]\nsrc=src\nout=out\nimg=static/images\n"
      "[other]\nimgprep=<%RootPath%>images/\nlineends=LF\n"
      "[files]\n0=src/**/*.hts\n");
  Build();
  EXPECT_EQ(Get("out/index.html"),
            "<a href=\"index.html\">home</a>\n<img src=\"images/logo.svg\" width=3 height=4 alt=\"logo.svg\">\n");
  EXPECT_EQ(Get("out/news/a.html"), "[../]\n");
  EXPECT_EQ(Get("out/news/2024/b.html"), "<a href=\"../../index.html\">home</a>\nline\ntwo\n");
  EXPECT_FALSE(FileExists(dir_ + "out/.#index.html"));
  std::vector<std::string> files;  // in name order
  for (const std::string& message : host_.log)
    if (message.rfind("file /", 0) == 0) files.push_back(message.substr(5));
  EXPECT_EQ(files, (std::vector<std::string>{dir_ + "src/index.hts", dir_ + "src/news/2024/b.hts",
                                             dir_ + "src/news/a.hts"}));

  // A preview beside its source reaches the output folder from there.
  Build(dir_ + "src/news/a.hts", true);
  EXPECT_EQ(Get("src/news/a.htm"), "[../../out/]\n");
}

TEST(ApplyLineEndsTest, Table) {
  const struct {
    const char* text;
    LineEnds ends;
    const char* expected;
  } cases[] = {
      {"a\r\nb\r\n", LineEnds::CrLf, "a\r\nb\r\n"}, {"a\r\nb\r\n", LineEnds::Lf, "a\nb\n"},
      {"\r\n\r\n", LineEnds::Lf, "\n\n"},           {"a\r", LineEnds::Lf, "a\r"},
      {"\r\r\n", LineEnds::Lf, "\r\n"},               {"", LineEnds::Lf, ""},
  };
  for (const auto& c : cases) {
    std::string text = c.text;
    ApplyLineEnds(text, c.ends);
    EXPECT_EQ(text, c.expected) << testing::PrintToString(std::string(c.text));
  }
}

TEST(DoPathExTest, Table) {
  struct Case {
    const char* folder;
    const char* root;
    const char* expected;
  };
  const Case cases[] = {
      {"/site/src/news/2001", "/site/src", "news/2001"},
      {"/site/src/news/2001/", "/SITE/SRC/", "news/2001"},
      {"/src", "/src/", ""},
      {"/other", "/src", ""},
      {"/sr", "/src", ""},
      {"/srcx/a", "/src", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(DoPathEx(c.folder, c.root), c.expected) << c.folder;
}

}  // namespace
}  // namespace orv
