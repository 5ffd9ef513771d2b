// The output of a script block: joined as JoinLines would join it, and kept
// only within its room.
#include "core/site/script_output.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/files.h"

namespace orv {
namespace {

TEST(ScriptOutputBufferTest, LinesWithinTheRoomAreKeptJoined) {
  ScriptOutputBuffer output;
  output.Start(11);
  output.Add("ab");
  output.Add("");
  output.Add("x\ny");
  EXPECT_FALSE(output.TooLarge());
  EXPECT_EQ(output.Take(), JoinLines({"ab", "", "x\ny"}));  // exactly 11 bytes
}

TEST(ScriptOutputBufferTest, OutputBeyondTheRoomIsDroppedAtOnce) {
  ScriptOutputBuffer output;
  output.Start(10);
  output.Add("ab");
  output.Add("");
  output.Add("x\ny");  // 11 bytes in all: one too many
  EXPECT_TRUE(output.TooLarge());
  output.Add("more");
  EXPECT_TRUE(output.TooLarge());
  EXPECT_EQ(output.Take(), "");
  output.Start(0);
  EXPECT_FALSE(output.TooLarge()) << "a new block starts afresh";
  EXPECT_EQ(output.Take(), "");
  output.Add("");
  EXPECT_TRUE(output.TooLarge()) << "even an empty line needs its line break";
}

}  // namespace
}  // namespace orv
