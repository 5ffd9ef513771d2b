// The error centre's table of error kinds and their explanations.
#include "orvsys/model/error_kinds.h"

#include <gtest/gtest.h>

#include <set>

namespace orv {
namespace {

TEST(ErrorKindsTest, TheListHoldsTwentySevenKindsInItsOrder) {
  const std::vector<std::string>& names = ErrorKindNames();
  ASSERT_EQ(names.size(), 27u);
  EXPECT_EQ(names.front(), "EAbort");
  EXPECT_EQ(names[8], "EAccessViolation");
  EXPECT_EQ(names[23], "EInvalidOperation");
  EXPECT_EQ(names.back(), "EMenuError");
}

TEST(ErrorKindsTest, EveryListedKindHasItsOwnExplanation) {
  const std::string none = "No explanation available for this error type";
  std::set<std::string> seen;
  for (const std::string& name : ErrorKindNames()) {
    const std::string explanation = ErrorExplanation(name);
    EXPECT_NE(explanation, none) << name;
    EXPECT_TRUE(seen.insert(explanation).second) << name;
  }
}

TEST(ErrorKindsTest, ExplanationsAreLookedUpByExactName) {
  const struct {
    const char* name;
    const char* explanation;
  } cases[] = {
      {"EAccessViolation", "This exception is raised when you attempt to access an invalid section of memory."},
      {"EOutOfMemory", "This exception is raised when there is nott enough free memory to complete the requested task"},
      {"EAbort", "This exception is raised to escape from a block of code silently"},
      {"EThread", "This exception is not documented"},
      {"EBitsError", "This exception is raised when the bits property is < zero or >= to its max size"},
      {"EInvalidGraphicOperation", "This exception is raised when an illegal operation is performed on a graphic"},
      {"eabort", "No explanation available for this error type"},
      {"EDatabaseError", "No explanation available for this error type"},
      {"", "No explanation available for this error type"},
  };
  for (const auto& c : cases) EXPECT_EQ(ErrorExplanation(c.name), c.explanation) << c.name;
}

}  // namespace
}  // namespace orv
