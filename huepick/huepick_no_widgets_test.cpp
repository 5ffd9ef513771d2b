// An export called by a program whose Qt application has no widgets cannot
// show the dialog: the error reaches the user through the platform's
// message service, the call answers as a Cancel, and nothing escapes it.
#include <QCoreApplication>
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "orv/huepick.h"
#include "platform/message_service.h"

namespace orv {
namespace {

// Error messages, kept instead of shown.
class RecordingSink : public MessageSink {
 public:
  void ShowMessage(MessageKind kind, const std::string&, const std::string& text) override {
    if (kind == MessageKind::Error) errors.push_back(text);
  }
  void Beep() override {}
  std::vector<std::string> errors;
};

TEST(HuepickNoWidgetsTest, ErrorIsShownAndTheCallCancels) {
  int argc = 1;
  char name[] = "host";
  char* argv[] = {name, nullptr};
  QCoreApplication host(argc, argv);
  auto sink = std::make_shared<RecordingSink>();
  SetMessageSink(sink);
  char buffer[8];
  std::memset(buffer, 'x', sizeof buffer);
  EXPECT_EQ(HuepickInitEx(buffer, sizeof buffer), 0);
  EXPECT_EQ(std::string(buffer, sizeof buffer), std::string(sizeof buffer, 'x'));
  EXPECT_EQ(iHuepickInitEx(), -1);
  char value[8] = "v";
  EXPECT_EQ(HuepickDouble(buffer, sizeof buffer, value, sizeof value), 0);
  EXPECT_STREQ(value, "v");
  HuepickInit();
  ASSERT_EQ(sink->errors.size(), 4u);
  EXPECT_NE(sink->errors[0].find("no widgets"), std::string::npos) << sink->errors[0];
  SetMessageSink(nullptr);
}

}  // namespace
}  // namespace orv
