// Incremental builds against full builds: random sites, random edits, and
// after every edit the incremental build's output compared byte for byte
// with a full build's into an empty folder.
#include "core/site/incremental_build.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "core/image/image_kinds_test_writer.h"
#include "core/site/build_driver.h"
#include "core/site/build_record.h"
#include "core/site/core_startup.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/paths.h"

namespace orv {
namespace {

namespace fs = std::filesystem;

// Every file of `folder`, by relative path.
std::map<std::string, std::string> Tree(const std::string& folder) {
  std::map<std::string, std::string> files;
  if (!fs::exists(folder)) return files;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (entry.is_regular_file())
      files[entry.path().string().substr(folder.size())] = ReadFileBytes(entry.path().string());
  return files;
}

// A 1 x 1 and a 2 x 3 GIF image.
const char kGifA[] = "GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00,\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02D\x01\x00;";
const char kGifB[] = "GIF89a\x02\x00\x03\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00,\x00\x00\x00\x00\x02\x00\x03\x00\x00\x02\x02D\x01\x00;";

// The versions an image of each kind takes in the edits: two sizes and a
// damaged file. Made once: the AV1 encoder is slow.
struct ImageVersions {
  std::string Name;
  std::vector<std::string> Bytes;
};

const std::vector<ImageVersions>& Images() {
  static const std::vector<ImageVersions> images = [] {
    std::vector<ImageVersions> list = {
        {"a.gif", {std::string(kGifA, sizeof kGifA - 1), std::string(kGifB, sizeof kGifB - 1), "GIF89a"}},
        {"b.png", {test::MakePng(3, 2), test::MakePng(5, 7), test::MakePng(3, 2).substr(0, 20)}},
        {"c.webp",
         {test::MakeWebp(4, 4, test::WebpForm::Lossy), test::MakeWebp(9, 2, test::WebpForm::Lossless), "RIFF"}},
        {"d.svg",
         {"<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"10\" height=\"20\"/>",
          "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 30 40\"/>", "<svg width="}},
    };
    if (test::CanMakeAvif()) list.push_back({"e.avif", {test::MakeAvif(8, 8), test::MakeAvif(16, 8), test::MakeAvif(8, 8).substr(0, 40)}});
    return list;
  }();
  return images;
}

// A generated site of a few pages and the edits made to it.
class RandomSite {
 public:
  RandomSite(const std::string& dir, unsigned seed) : dir_(dir), random_(seed) {
    fs::remove_all(dir_);
    fs::create_directories(dir_ + "src/sub");
    fs::create_directories(dir_ + "src/more");
    fs::create_directories(dir_ + "img");
    fs::create_directories(dir_ + "static/css");
    for (int i = 0; i < kPages; ++i) WritePage(PageName(i));
    for (int i = 0; i < 3; ++i) WriteInclude(i);
    WriteFileBytes(dir_ + "data.txt", "one\ntwo\n");
    for (const ImageVersions& image : Images()) WriteFileBytes(dir_ + "img/" + image.Name, image.Bytes[0]);
    WriteFileBytes(dir_ + "static/css/site.css", "body {}\n");
    WriteProjects();
  }

  // One random edit.
  void Edit() {
    switch (Pick(13)) {
      case 0: case 1: WritePage(PageName(Pick(kPages))); break;
      case 2: WriteInclude(Pick(3)); break;
      case 3: fs::remove(dir_ + "src/inc" + std::to_string(Pick(3)) + ".hsn"); break;
      case 4: WriteFileBytes(dir_ + "data.txt", Word() + "\n" + Word() + "\n"); break;
      case 5: {
        const ImageVersions& image = Images()[static_cast<size_t>(Pick(static_cast<int>(Images().size())))];
        if (Pick(6) == 0) {
          fs::remove(dir_ + "img/" + image.Name);
        } else {
          WriteFileBytes(dir_ + "img/" + image.Name, image.Bytes[static_cast<size_t>(Pick(3))]);
        }
        break;
      }
      case 6: variable_ = Word(); WriteProjects(); break;
      case 7: listed_ = 2 + Pick(kPages - 1); WriteProjects(); break;
      case 8:
        if (Pick(2)) WriteFileBytes(dir_ + "static/" + Word() + ".txt", Word());
        else fs::remove(dir_ + "static/css/site.css");
        break;
      case 9: {
        // A page the pattern in [files] finds, or one it no longer finds.
        const std::string page = "src/more/" + Word() + ".hts";
        if (Pick(3)) WritePage(page);
        else fs::remove(dir_ + page);
        break;
      }
      case 10: line_ends_ = Pick(3) ? "lf" : "crlf"; WriteProjects(); break;
      case 11: pattern_ = !pattern_; WriteProjects(); break;
      case 12:
        // A clean build (the output folder removed), or a page changed or
        // removed in the output by someone else.
        if (Pick(3) == 0) {
          fs::remove_all(dir_ + "incremental");
        } else if (Pick(2)) {
          fs::create_directories(dir_ + "incremental");
          WriteFileBytes(dir_ + "incremental/p0.html", Word());
        } else {
          fs::remove(dir_ + "incremental/sub/p1.html");
        }
        break;
    }
  }

  std::string Project(const char* name) const { return dir_ + name; }

 private:
  static constexpr int kPages = 6;

  int Pick(int n) { return static_cast<int>(random_() % static_cast<unsigned>(n)); }
  std::string Word() {
    static const char* words[] = {"alpha", "beta", "gamma", "delta", "Title", "X"};
    return words[Pick(6)];
  }
  const std::string& ImageName() {
    return Images()[static_cast<size_t>(Pick(static_cast<int>(Images().size())))].Name;
  }

  // A piece of markup of every kind whose reads are recorded, and some
  // whose are not.
  std::string Piece() {
    switch (Pick(13)) {
      case 0: return "<%V" + std::to_string(Pick(3)) + "%>";
      case 1: return "<%Carried%>";
      case 2: return "<&inc" + std::to_string(Pick(3)) + ".hsn&>";
      case 3: return "{$DEFINE type=\"KEY" + std::to_string(Pick(3)) + "\" value=\"" + Word() + "\"}\nKEY0 KEY1\n";
      case 4: return "<+ DefVar('Carried', '" + Word() + "'); +>";
      case 5: return "<+ var L: TStringList; begin L := TStringList.Create; L.LoadFromFile(GetVar('ProjectPath') + "
                     "'data.txt'); WriteLn(L.Text); L.Free; end. +>";
      case 6: return "<&" + ImageName() + "&>";
      case 7: return "<+ InsertImage('" + ImageName() + "', 1, ''); +>";
      case 8: return "<+ BuildFile(GetVar('ProjectPath') + 'src/sub/q.hts'); +>";
      case 9: return "<*echo " + Word() + "*>";
      case 10: return "<%Undefined" + Word() + "%>";
      case 11: return "<a href=\"<%RootPath%>index.html\">";
      default: return Word() + " text " + Word();
    }
  }

  void WritePage(const std::string& name) {
    std::string text;
    for (int n = Pick(6); n >= 0; --n) text += Piece() + (Pick(2) ? "\n" : " ");
    WriteFileBytes(dir_ + name, text);
    WriteFileBytes(dir_ + "src/sub/q.hts", "queued <%Carried%> " + Word() + "\n");
  }
  void WriteInclude(int i) {
    WriteFileBytes(dir_ + "src/inc" + std::to_string(i) + ".hsn",
                   Word() + " <%V1%> " + (Pick(3) ? "" : "<&" + ImageName() + "&>"));
  }
  std::string PageName(int i) const { return (i % 2 ? "src/sub/p" : "src/p") + std::to_string(i) + ".hts"; }

  void WriteProjects() {
    for (const char* name : {"incremental", "full"}) {
      std::string project = "[directories]\nsrc=src\nimg=img\nstatic=static\nout=" + std::string(name) +
                            "\n[other]\nlineends=" + line_ends_ + "\nimgprep=<%RootPath%>img/" +
                            "\n[variables]\nV0=zero\nV1=" + variable_ + "\nV2=<%V0%> two\n[files]\n";
      int n = 0;
      for (; n < listed_; ++n) project += std::to_string(n) + "=" + PageName(n) + "\n";
      if (pattern_) project += std::to_string(n) + "=src/more/*.hts\n";
      WriteFileBytes(dir_ + name + ".orv", project);
    }
  }

  std::string dir_;
  std::mt19937 random_;
  std::string variable_ = "one";
  std::string line_ends_ = "crlf";
  bool pattern_ = true;
  int listed_ = kPages;
};

class IncrementalBuildTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { CoreStartup(); }
  void TearDown() override {
    SetIncrementalBuildDefault(true);
    SetWatchingBuilds(false);
  }

  // A build of `project` with or without the record: the error that ended
  // it, "" when none, and its report lines (with the project's own name
  // taken out) in `reports`.
  // An incremental build is made as a watching program makes it, with the
  // record kept in memory from the last incremental build.
  static std::string Build(const std::string& project, bool incremental, std::string* reports = nullptr) {
    SetIncrementalBuildDefault(incremental);
    SetWatchingBuilds(incremental);
    std::string lines;
    SetReportSink([](const char* line, void* user) { *static_cast<std::string*>(user) += std::string(line) + "\n"; },
                  &lines);
    std::string error;
    try {
      ProcessProject(project, "", nullptr, false);
    } catch (const std::exception& e) {
      error = e.what();
    }
    SetReportSink(nullptr, nullptr);
    if (reports) {
      // The two projects' files differ only in name.
      const std::string name = ExtractFileName(project);
      for (size_t at = lines.find(name); at != std::string::npos; at = lines.find(name, at))
        lines.replace(at, name.size(), "project.orv");
      *reports = lines;
    }
    return error;
  }

  // A fresh folder `dir` with the project p.orv of two pages, src/a.hts and
  // src/b.hts; `directories` are more lines of its [directories].
  static void WriteTwoPages(const std::string& dir, const std::string& directories = "") {
    fs::remove_all(dir);
    fs::create_directories(dir + "src");
    WriteFileBytes(dir + "p.orv", "[directories]\nsrc=src\nout=out\n" + directories +
                                      "[files]\n0=src/a.hts\n1=src/b.hts\n");
    WriteFileBytes(dir + "src/a.hts", "a\n");
    WriteFileBytes(dir + "src/b.hts", "b\n");
  }
};

TEST_F(IncrementalBuildTest, RandomEditsGiveWhatAFullBuildGives) {
  const char* setting = std::getenv("ORV_EQUIVALENCE_STEPS");
  const int steps = setting ? std::atoi(setting) : 2000;
  const std::string dir = DataDir() + "incremental equivalence/";
  int skipped = 0;
  for (unsigned seed = 1; seed <= 5; ++seed) {
    RandomSite site(dir, seed);
    for (int step = 0; step < steps / 5; ++step) {
      site.Edit();
      std::string incremental_reports, full_reports;
      std::string incremental_error = Build(site.Project("incremental.orv"), true, &incremental_reports);
      skipped += LastBuildCounts().UpToDate;
      fs::remove_all(dir + "full");
      std::string full_error = Build(site.Project("full.orv"), false, &full_reports);
      ASSERT_EQ(incremental_error, full_error);
      ASSERT_EQ(incremental_reports, full_reports) << "seed " << seed << ", step " << step;
      ASSERT_EQ(Tree(dir + "incremental/"), Tree(dir + "full/")) << "seed " << seed << ", step " << step;
    }
  }
  EXPECT_GT(skipped, steps) << "most pages should be up to date after one edit";
  fs::remove_all(dir);
}

TEST_F(IncrementalBuildTest, RecordsRoundTripAndDamageIsRefused) {
  BuildRecord record;
  record.ProjectFile = "/site/p.orv";
  record.Digest = 42;
  record.Files.push_back(FileInput{"/site/src/a.hts", FileState{true, FileStamp{3, 4, 5, 6}, 7, true}});
  record.Files.push_back(FileInput{"/site/src/none.hsn", FileState{}});
  record.Variables.push_back(VariableInput{"Title", VariableFound::Value, 9});
  record.Variables.push_back(VariableInput{"TimeNow", VariableFound::Clock, 0});
  PageRecord page;
  page.Entry = "/site/src/a.hts";
  page.Output = "/site/out/a.html";
  page.Files = {0, 1};
  page.Variables = {1};
  page.DefinesAdded = {{"N", std::string("v\0w", 3)}};
  page.VariablesSet = {{"Title", "x"}};
  page.Queued = {"/site/src/b.hts"};
  page.Reports = {ReportLine{"a.hts:1: warning: w", ReportLine::Kind::Warning}, ReportLine{"", ReportLine::Kind::Counted}};
  page.Stats.Lines = 3;
  page.Steps = 7;
  record.Pages.push_back(page);
  record.Statics.push_back(StaticRecord{"css/a.css", FileState{true, {}, 1, false}, FileState{true, {}, 1, false}});
  const std::string bytes = SerializeBuildRecord(record);
  ASSERT_EQ(ParseBuildRecord(bytes), record);
  // Every cut and every flipped byte is refused.
  for (size_t i = 0; i < bytes.size(); ++i) {
    EXPECT_FALSE(ParseBuildRecord(bytes.substr(0, i))) << "cut at " << i;
    std::string damaged = bytes;
    damaged[i] = static_cast<char>(damaged[i] ^ 0x20);
    EXPECT_FALSE(ParseBuildRecord(damaged)) << "byte " << i;
  }
  EXPECT_FALSE(ParseBuildRecord("[directories]\nsrc=src\n"));
}

TEST_F(IncrementalBuildTest, ADamagedRecordMeansAFullBuild) {
  const std::string dir = DataDir() + "incremental damaged/";
  WriteTwoPages(dir);
  Build(dir + "p.orv", true);
  Build(dir + "p.orv", true);
  EXPECT_EQ(LastBuildCounts().UpToDate, 2);
  const std::string record = BuildRecordPath(fs::absolute(dir + "p.orv").string());
  std::string bytes = ReadFileBytes(record);
  bytes[bytes.size() / 2] ^= 1;
  WriteFileBytes(record, bytes);
  Build(dir + "p.orv", true);
  EXPECT_EQ(LastBuildCounts().Built, 2);
  // An output changed by someone else is built again; one deleted too.
  WriteFileBytes(dir + "out/a.html", "edited\r\n");
  fs::remove(dir + "out/b.html");
  Build(dir + "p.orv", true);
  EXPECT_EQ(LastBuildCounts().Built, 2);
  EXPECT_EQ(ReadFileBytes(dir + "out/a.html"), "a\r\n");
  fs::remove_all(dir);
}

// A clean build (the output folder removed) writes every page and copies
// every static file again, and leaves the record that the next build skips
// by.
TEST_F(IncrementalBuildTest, ACleanBuildWritesEverythingAndLeavesARecord) {
  const std::string dir = DataDir() + "incremental clean/";
  WriteTwoPages(dir, "static=static\n");
  fs::create_directories(dir + "static");
  WriteFileBytes(dir + "static/s.css", "s\n");
  Build(dir + "p.orv", true);
  Build(dir + "p.orv", true);
  EXPECT_EQ(LastBuildCounts().UpToDate, 2);
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    fs::remove_all(dir + "out");
    // The watching program's record in memory is not taken either (round 0
    // builds as a watching program does, round 1 from the file).
    SetWatchingBuilds(round == 0);
    ProcessProject(dir + "p.orv", "", nullptr, false);
    EXPECT_EQ(LastBuildCounts().Built, 2);
    EXPECT_EQ(LastBuildCounts().StaticCopied, 1);
    EXPECT_EQ(ReadFileBytes(dir + "out/a.html"), "a\r\n");
    EXPECT_EQ(ReadFileBytes(dir + "out/s.css"), "s\n");
    Build(dir + "p.orv", true);
    EXPECT_EQ(LastBuildCounts().UpToDate, 2);
    EXPECT_EQ(LastBuildCounts().StaticCopied, 0);
  }
  fs::remove_all(dir);
}

// The record belongs to the project however its path is given: two
// projects, each built from its own folder as "p.orv", keep their own
// records, and a build of either after the other's skips its pages.
TEST_F(IncrementalBuildTest, ProjectsGivenByOneRelativePathKeepTheirOwnRecords) {
  const fs::path before = fs::current_path();
  const std::vector<std::string> dirs = {fs::absolute(DataDir() + "relative one/").string(),
                                         fs::absolute(DataDir() + "relative two/").string()};
  for (const std::string& dir : dirs) {
    fs::remove_all(dir);
    fs::create_directories(dir + "src");
    WriteFileBytes(dir + "p.orv", "[directories]\nsrc=src\nout=out\n[files]\n0=src/a.hts\n");
    WriteFileBytes(dir + "src/a.hts", dir + "\n");
  }
  for (int round = 0; round < 2; ++round) {
    for (const std::string& dir : dirs) {
      SCOPED_TRACE(dir + " round " + std::to_string(round));
      fs::current_path(dir);
      Build("p.orv", true);
      EXPECT_EQ(LastBuildCounts().UpToDate, round);
      EXPECT_EQ(ReadFileBytes(dir + "out/a.html"), dir + "\r\n");
    }
  }
  fs::current_path(before);
  for (const std::string& dir : dirs) fs::remove_all(dir);
}

// A watching program's word that files have not changed is taken for the
// next build only, and only for what the previous build found: the test
// gives a false word on purpose to see where it is taken and where not.
TEST_F(IncrementalBuildTest, TheWatchersWordSparesTheLookOnlyWhereItMay) {
  const std::string dir = fs::absolute(DataDir() + "incremental vouched").string() + "/";
  fs::remove_all(dir);
  fs::create_directories(dir + "src");
  WriteFileBytes(dir + "p.orv",
                 "[directories]\nsrc=src\nout=out\n[files]\n0=src/a.hts\n1=src/code.hts\n2=src/b.hts\n");
  WriteFileBytes(dir + "src/a.hts", "a <&inc.hsn&>\n");
  WriteFileBytes(dir + "src/b.hts", "b <&inc.hsn&>\n");
  WriteFileBytes(dir + "src/code.hts", "code\n");
  WriteFileBytes(dir + "src/inc.hsn", "one");
  Build(dir + "p.orv", true);
  // Changed behind the watcher's back, and vouched for all the same: the
  // pages that read it are taken as up to date.
  WriteFileBytes(dir + "src/inc.hsn", "two");
  VouchUnchanged({});
  Build(dir + "p.orv", true);
  EXPECT_EQ(LastBuildCounts().Built, 0);
  // The word holds for one build: the next looks again.
  Build(dir + "p.orv", true);
  EXPECT_EQ(LastBuildCounts().Built, 2);
  EXPECT_EQ(ReadFileBytes(dir + "out/b.html"), "b two\r\n\r\n");
  // A file named as changed is looked at.
  WriteFileBytes(dir + "src/inc.hsn", "three");
  VouchUnchanged({dir + "src/inc.hsn"});
  Build(dir + "p.orv", true);
  EXPECT_EQ(LastBuildCounts().Built, 2);
  // Not after a page ran code that may have changed files: b is built.
  WriteFileBytes(dir + "src/code.hts", "<*echo ran*>\n");
  Build(dir + "p.orv", true);
  WriteFileBytes(dir + "src/inc.hsn", "four");
  VouchUnchanged({dir + "src/code.hts"});
  Build(dir + "p.orv", true);
  EXPECT_EQ(ReadFileBytes(dir + "out/a.html"), "a three\r\n\r\n");
  EXPECT_EQ(ReadFileBytes(dir + "out/b.html"), "b four\r\n\r\n");
  // Not when another build came between the one that found the states and
  // this one.
  WriteFileBytes(dir + "src/code.hts", "code\n");
  Build(dir + "p.orv", true);
  WriteFileBytes(dir + "src/inc.hsn", "five");
  VouchUnchanged({});
  ProcessProject(dir + "p.orv", dir + "src/code.hts", nullptr, false);
  Build(dir + "p.orv", true);
  EXPECT_EQ(ReadFileBytes(dir + "out/a.html"), "a five\r\n\r\n");
  fs::remove_all(dir);
}

// What a watched build depended on: the project file first, the trees where
// a new file may matter, every file read or looked for, the output folder
// and what the build wrote there.
TEST_F(IncrementalBuildTest, AWatchedBuildListsItsInputs) {
  const std::string dir = fs::absolute(DataDir() + "incremental inputs").string() + "/";
  fs::remove_all(dir);
  fs::create_directories(dir + "src");
  fs::create_directories(dir + "more/deep");
  fs::create_directories(dir + "static");
  WriteFileBytes(dir + "p.orv",
                 "[directories]\nsrc=src\nout=out\nimg=img\nstatic=static\n[files]\n0=src/a.hts\n1=more/**/*.hts\n"
                 "2=src/missing.hts\n");
  WriteFileBytes(dir + "src/a.hts", "<&" + dir + "outside.hsn&> <+ BuildFile(GetVar('ProjectPath') + 'q.hts'); +>\n");
  WriteFileBytes(dir + "outside.hsn", "o\n");
  WriteFileBytes(dir + "more/deep/b.hts", "b\n");
  WriteFileBytes(dir + "static/s.css", "s\n");
  Build(dir + "p.orv", true);
  std::map<std::string, int> inputs;
  for (const auto& [path, kind] : LastBuildInputs()) inputs.emplace(path, kind);
  using Kind = IncrementalBuild::WatchKind;
  const std::map<std::string, Kind> expected = {
      {dir + "p.orv", Kind::File},           {dir + "src/", Kind::Tree},
      {dir + "img/", Kind::Tree},            {dir + "static/", Kind::Tree},
      {dir + "more/", Kind::Tree},           {dir + "src/a.hts", Kind::File},
      {dir + "outside.hsn", Kind::File},     {dir + "more/deep/b.hts", Kind::File},
      {dir + "src/missing.hts", Kind::File}, {dir + "q.hts", Kind::File},
      {dir + "out/", Kind::Output},          {dir + "out/a.html", Kind::Written},
      {dir + "out/b.html", Kind::Written},   {dir + "out/s.css", Kind::Written},
  };
  for (const auto& [path, kind] : expected) {
    auto found = inputs.find(path);
    ASSERT_NE(found, inputs.end()) << path;
    EXPECT_EQ(found->second, static_cast<int>(kind)) << path;
  }
  EXPECT_EQ(LastBuildInputs().front().first, dir + "p.orv");
  // Without watching, a build keeps no list.
  SetWatchingBuilds(false);
  ProcessProject(dir + "p.orv", "", nullptr, false);
  EXPECT_TRUE(LastBuildInputs().empty());
  fs::remove_all(dir);
}

}  // namespace
}  // namespace orv
