#include "sys/net/wsocket.h"

#include <gtest/gtest.h>

namespace orv::net {
namespace {

TEST(SocketErrorsTest, TextsOfTheTable) {
  EXPECT_EQ(WSocketErrorDesc(0), "No Error");
  EXPECT_EQ(WSocketErrorDesc(10061), "Connection refused");
  EXPECT_EQ(WSocketErrorDesc(11001), "Host not found");
  EXPECT_EQ(WSocketErrorDesc(12345), "Not a WinSock error");
}

}  // namespace
}  // namespace orv::net
