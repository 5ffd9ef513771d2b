#include "core/site/page_inputs.h"

#include <gtest/gtest.h>

#include <string>

namespace orv {
namespace {

FileState StateOf(int n) { return FileState{true, FileStamp{n, n, n, static_cast<unsigned long long>(n)}, 0, false}; }

// A file is recorded once, with the state of its first look, whether the
// page has read a few files (looked through) or many (found by a map), and
// across the change from one to the other; Clear starts over.
TEST(PageInputsTest, EachFileIsRecordedOnceAsFirstSeen) {
  FileStates states;
  PageInputs inputs(states);
  for (int round = 0; round < 2; ++round) {
    for (int n = 0; n < 40; ++n) {
      inputs.FileSeen("/site/src/f" + std::to_string(n), StateOf(n));
      // Every file seen so far, seen again with another state.
      for (int m = 0; m <= n; ++m) inputs.FileSeen("/site/src/f" + std::to_string(m), StateOf(100 + m));
      ASSERT_EQ(inputs.Files().size(), static_cast<size_t>(n + 1)) << "after file " << n;
    }
    for (int n = 0; n < 40; ++n) {
      EXPECT_EQ(inputs.Files()[n].Path, "/site/src/f" + std::to_string(n));
      EXPECT_EQ(inputs.Files()[n].State, StateOf(n));
    }
    inputs.FileRead("/site/src/f7", FileStamp{}, "other bytes");
    EXPECT_EQ(inputs.Files().size(), 40u);
    inputs.Clear();
    EXPECT_TRUE(inputs.Files().empty());
  }
}

}  // namespace
}  // namespace orv
