#include "platform/window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "orv/myrecord.h"

namespace orv {
namespace {

TEST(WindowTest, SendRunsAtOncePostWaitsForPump) {
  std::vector<uint32_t> seen;
  Window window([&](uint32_t message, WPARAM, LPARAM lparam) -> LRESULT {
    seen.push_back(message);
    return lparam * 2;
  });
  EXPECT_EQ(SendMessage(window.Handle(), 10, 0, 21), 42);
  EXPECT_TRUE(PostMessage(window.Handle(), 11, 0, 0));
  EXPECT_EQ(seen, (std::vector<uint32_t>{10}));
  ProcessMessages();
  EXPECT_EQ(seen, (std::vector<uint32_t>{10, 11}));
}

TEST(WindowTest, StaleAndNullHandlesAreIgnored) {
  HWND stale;
  {
    Window window([](uint32_t, WPARAM, LPARAM) -> LRESULT { return 1; });
    stale = window.Handle();
    EXPECT_TRUE(PostMessage(stale, 1, 0, 0));
  }
  EXPECT_EQ(SendMessage(stale, 1, 0, 0), 0);
  EXPECT_FALSE(PostMessage(stale, 1, 0, 0));
  EXPECT_EQ(SendMessage(nullptr, 1, 0, 0), 0);
  ProcessMessages();  // the queued message of the destroyed window is dropped
  Window next([](uint32_t, WPARAM, LPARAM) -> LRESULT { return 1; });
  EXPECT_NE(next.Handle(), stale);
}

TEST(WindowTest, MessagesPostedWhilePumpingAreDelivered) {
  int count = 0;
  HWND self = nullptr;
  Window window([&](uint32_t message, WPARAM, LPARAM) -> LRESULT {
    ++count;
    if (message < 3) PostMessage(self, message + 1, 0, 0);
    return 0;
  });
  self = window.Handle();
  PostMessage(self, 1, 0, 0);
  ProcessMessages();
  EXPECT_EQ(count, 3);
}

TEST(WindowTest, HooksRunAfterQueueUntilRemoved) {
  std::vector<std::string> order;
  Window window([&](uint32_t, WPARAM, LPARAM) -> LRESULT {
    order.push_back("message");
    return 0;
  });
  auto record = [](void* user) { static_cast<std::vector<std::string>*>(user)->push_back("hook"); };
  uint64_t first = orv_add_message_hook(record, &order);
  uint64_t second = orv_add_message_hook(record, &order);
  EXPECT_EQ(orv_add_message_hook(nullptr, nullptr), 0u);
  PostMessage(window.Handle(), 1, 0, 0);
  ProcessMessages();
  EXPECT_EQ(order, (std::vector<std::string>{"message", "hook", "hook"}));
  orv_remove_message_hook(first);
  orv_remove_message_hook(second);
  orv_remove_message_hook(second);
  ProcessMessages();
  EXPECT_EQ(order.size(), 3u);
}

TEST(MyRecordTest, ReceiverFreesWhatSenderAllocated) {
  TMyRecord* record = orv_myrecord_new("21", nullptr, "c");
  ASSERT_NE(record, nullptr);
  EXPECT_STREQ(record->Field1, "21");
  EXPECT_STREQ(record->Field2, "");
  EXPECT_STREQ(record->Field3, "c");
  std::string received;
  Window window([&](uint32_t, WPARAM, LPARAM lparam) -> LRESULT {
    auto* r = reinterpret_cast<TMyRecord*>(lparam);
    received = r->Field1;
    orv_myrecord_free(r);
    return 0;
  });
  SendMessage(window.Handle(), 3058, 0, reinterpret_cast<LPARAM>(record));
  EXPECT_EQ(received, "21");
  orv_myrecord_free(nullptr);
}

}  // namespace
}  // namespace orv
