// For tests of whole builds and what they report: a project of one page in a
// fresh folder of the test's own, built with every report line caught.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/site/build_driver.h"
#include "core/site/build_report.h"
#include "core/site/core_startup.h"
#include "platform/files.h"
#include "platform/folders.h"

namespace orv::test {

// A project DataDir()/<folder>/p.orv with sources in src/, pages in out/ and
// images in img/; the report lines of its builds go to lines_.
class ReportedBuildTest : public testing::Test {
 protected:
  explicit ReportedBuildTest(const std::string& folder) : dir_(DataDir() + folder + "/") {}

  static void SetUpTestSuite() { CoreStartup(); }
  static void TearDownTestSuite() { CoreShutdown(); }

  void SetUp() override {
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_ + "src");
    std::filesystem::create_directories(dir_ + "img");
    SetReportSink([](const char* line, void* user) { static_cast<std::vector<std::string>*>(user)->push_back(line); },
                  &lines_);
  }
  void TearDown() override {
    SetReportSink(nullptr, nullptr);
    SetStrictBuildDefault(false);
    std::filesystem::remove_all(dir_);
  }

  // A project with one page, a.hts, holding `page`, and `variables` ("name=value" lines).
  void OnePage(const std::string& page, const std::string& variables = "") {
    WriteFileBytes(dir_ + "src/a.hts", page);
    WriteFileBytes(dir_ + "p.orv", "[directories]\nsrc=src\nout=out\nimg=img\n[variables]\n" + variables +
                                       "[files]\n0=src/a.hts\n");
  }
  void Build() { ProcessProject(dir_ + "p.orv", "", nullptr, false); }
  std::string Page() { return ReadFileBytes(dir_ + "out/a.html"); }
  std::string A() { return dir_ + "src/a.hts"; }

  std::string dir_;
  std::vector<std::string> lines_;
};

}  // namespace orv::test
