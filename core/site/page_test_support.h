// For tests of the page stages and passes: a build whose source folder is a
// fresh folder of the test's own, and the page run through the passes with
// its progress steps counted.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/site/parse_struct.h"
#include "core/site/process_page.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/window.h"

namespace orv::test {

// A build with DataDir()/<folder>/src as its source folder, removed again
// after the test.
class PageTest : public testing::Test {
 protected:
  explicit PageTest(std::string folder) : dir_(DataDir() + folder + "/") {}

  void SetUp() override {
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_ + "src");
    context_.Settings.SourceDir = dir_ + "src";
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  // The page `lines`, as the text of the file build_.CurrentFile.
  void SetPage(const LineList& lines) { context_.Page.Start(JoinLines(lines), build_.CurrentFile); }
  LineList Lines() const { return SplitLines(context_.Page.Text); }

  // Starts the page with `lines`, runs ProcessPage and returns the progress
  // steps it sent.
  int Steps(const LineList& lines) {
    int steps = 0;
    Window window([&steps](uint32_t message, WPARAM, LPARAM) -> LRESULT {
      steps += message == BUILD_STEP;
      return 0;
    });
    context_.Progress.SetWindow(window.Handle());
    SetPage(lines);
    ProcessPage(context_);
    context_.Progress.SetWindow(nullptr);
    return steps;
  }

  std::string dir_;
  BuildState build_;
  TParseStruct& context_ = build_.Context;
};

}  // namespace orv::test
