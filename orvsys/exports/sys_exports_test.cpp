// The string exports: each assigns a new library string, frees the value the
// variable held, and leaves a null variable pointer alone (checked under
// AddressSanitizer, which reports a double free or a leak).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "orv/sys.h"
#include "orvsys/model/file_types.h"

namespace {

TEST(StringExports, AssignLibraryStringsAndFreeThePreviousValue) {
  const struct {
    void (*export_function)(char**);
    std::string expected;
  } cases[] = {
      {FileExts, orv::FileExtsText()},
      {BuildNum, "1.0.0.61"},
      {BigVer, "v1.0"},
      {ORVHome, "https://orv.example.org/"},
      {MorvaleHome, "https://morvale.example.org/"},
  };
  char* text = orv_string_new("an earlier value");
  for (const auto& c : cases) {
    c.export_function(&text);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::string(text), c.expected);
    c.export_function(nullptr);
  }
  orv_string_free(text);
}

TEST(StringExports, TheFilterListHasFifteenPairsAndNoTrailingBar) {
  char* text = nullptr;
  FileExts(&text);
  ASSERT_NE(text, nullptr);
  const std::string filter = text;
  orv_string_free(text);
  EXPECT_EQ(std::count(filter.begin(), filter.end(), '|'), 29);
  EXPECT_NE(filter.back(), '|');
  EXPECT_EQ(filter.rfind("All Files (.*)|*.*"), filter.size() - std::strlen("All Files (.*)|*.*"));
}

}  // namespace
