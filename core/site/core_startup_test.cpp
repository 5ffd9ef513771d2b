#include "core/site/core_startup.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "core/script/engine.h"
#include "core/script/host_registry.h"

namespace orv {
namespace {

// Stops the host however many starts other tests left it with, and gives
// those back at the end.
class CoreStartupTest : public testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 100 && Running(); ++i, ++taken_) CoreShutdown();
    ASSERT_FALSE(Running());
  }
  void TearDown() override {
    for (; taken_ > 0; --taken_) CoreStartup();
  }
  // Whether the host runs, the site compiler's routines registered.
  static bool Running() { return EngineStarted() && FindFunction("GetVar") >= 0; }

 private:
  int taken_ = 0;
};

TEST_F(CoreStartupTest, AFirstUseStartsTheHostOnceAndItsShutdownStopsIt) {
  CoreStartupOnUse();
  CoreStartupOnUse();
  EXPECT_TRUE(Running());
  CoreShutdownStartedOnUse();
  EXPECT_FALSE(Running());
  CoreShutdownStartedOnUse();
  EXPECT_FALSE(Running());
}

TEST_F(CoreStartupTest, AHostTheProgramStartedIsLeftToTheProgram) {
  CoreStartup();
  CoreStartupOnUse();
  CoreShutdownStartedOnUse();
  EXPECT_TRUE(Running());
  CoreShutdown();
  EXPECT_FALSE(Running());
}

TEST_F(CoreStartupTest, ThreadsThatUseTheHostAtOnceStartItOnce) {
  std::vector<std::thread> threads;
  for (int i = 0; i < 4; ++i)
    threads.emplace_back([] {
      CoreStartupOnUse();
      EXPECT_GE(FindFunction("GetVar"), 0);
    });
  for (std::thread& thread : threads) thread.join();
  CoreShutdownStartedOnUse();
  EXPECT_FALSE(Running());
}

}  // namespace
}  // namespace orv
