// The exports, each answered by user actions queued before the call: the
// results of OK and Cancel, the buffer rules, and a screenshot of the dialog
// when HUEPICK_SCREENSHOT names a file to write it to.
#include "orv/huepick.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "huepick/huepick_test_support.h"

// The exports as the C translation unit huepick_header_test.c took them.
extern "C" HuepickInitProc huepick_c_init;
extern "C" HuepickInitExProc huepick_c_init_ex;
extern "C" iHuepickInitExProc huepick_c_i_init_ex;
extern "C" HuepickDoubleProc huepick_c_double;

namespace orv {
namespace {

using test::ClickAt;
using test::Part;
using test::TypeInto;

// Queues what the user does once the dialog is up, then presses `button`
// ("Button1" OK, "Button2" Cancel).
void WhenUp(std::function<void()> actions, const char* button) {
  test::WhenWindowUp("FrmColor", [actions = std::move(actions), button](QWidget*) {
    actions();
    QTest::mouseClick(Part(button), Qt::LeftButton);
  });
}

void ChoosePureRed() { TypeInto("Edit1", "255"); }

TEST(HuepickTest, ExportsFoundByNameAsAHostFindsThem) {
  void* library = dlopen("libhuepick.so", RTLD_NOW);
  ASSERT_NE(library, nullptr) << dlerror();
  EXPECT_EQ(dlsym(library, "HuepickInit"), reinterpret_cast<void*>(huepick_c_init));
  EXPECT_EQ(dlsym(library, "HuepickInitEx"), reinterpret_cast<void*>(huepick_c_init_ex));
  EXPECT_EQ(dlsym(library, "iHuepickInitEx"), reinterpret_cast<void*>(huepick_c_i_init_ex));
  EXPECT_EQ(dlsym(library, "HuepickDouble"), reinterpret_cast<void*>(huepick_c_double));
  dlclose(library);
}

TEST(HuepickTest, OkWithoutAChoiceGivesBlack) {
  WhenUp([] {}, "Button1");
  char html[101], value[101];
  EXPECT_EQ(HuepickDouble(html, sizeof html, value, sizeof value), -1);
  EXPECT_STREQ(html, "#000000");
  EXPECT_STREQ(value, "0");
  WhenUp([] {}, "Button1");
  EXPECT_EQ(iHuepickInitEx(), 0);
}

TEST(HuepickTest, PureRed) {
  WhenUp(ChoosePureRed, "Button1");
  EXPECT_EQ(iHuepickInitEx(), 255);
  WhenUp(ChoosePureRed, "Button1");
  char html[101], value[101];
  EXPECT_EQ(HuepickDouble(html, 101, value, 101), -1);
  EXPECT_STREQ(html, "#FF0000");
  EXPECT_STREQ(value, "255");
  WhenUp(ChoosePureRed, "Button1");
  char buffer[101];
  EXPECT_EQ(HuepickInitEx(buffer, sizeof buffer), -1);
  EXPECT_STREQ(buffer, "#FF0000");
}

TEST(HuepickTest, ValueOfAPaletteColour) {
  WhenUp([] { ClickAt("PaintBox2", 18, 18); }, "Button1");  // cell 18: 248, 56, 175
  char html[101], value[101];
  EXPECT_EQ(HuepickDouble(html, 101, value, 101), -1);
  EXPECT_STREQ(html, "#F838AF");
  EXPECT_STREQ(value, std::to_string(248 + 56 * 256 + 175 * 65536).c_str());
}

TEST(HuepickTest, BuffersAreCutToTheirSize) {
  struct Case {
    int32_t size;
    const char* expected;  // null: nothing written
  } cases[] = {{4, "#FF"}, {8, "#FF0000"}, {7, "#FF000"}, {1, ""}, {0, nullptr}, {-5, nullptr}};
  for (const Case& c : cases) {
    char buffer[16];
    std::memset(buffer, 'x', sizeof buffer);
    WhenUp(ChoosePureRed, "Button1");
    EXPECT_EQ(HuepickInitEx(buffer, c.size), -1) << c.size;
    if (c.expected) {
      EXPECT_STREQ(buffer, c.expected) << c.size;
    }
    const size_t written = c.expected ? std::strlen(c.expected) + 1 : 0;
    for (size_t i = written; i < sizeof buffer; ++i) EXPECT_EQ(buffer[i], 'x') << "size " << c.size << " byte " << i;
  }
  WhenUp(ChoosePureRed, "Button1");
  char value[3];
  std::memset(value, 'x', sizeof value);
  EXPECT_EQ(HuepickDouble(nullptr, 50, value, 3), -1) << "a null buffer is left alone";
  EXPECT_EQ(std::string(value, 3), std::string("25\0", 3));
}

TEST(HuepickTest, CancelLeavesTheBuffersUntouched) {
  char html[16], value[16];
  std::memset(html, 'h', sizeof html);
  std::memset(value, 'v', sizeof value);
  WhenUp(ChoosePureRed, "Button2");
  EXPECT_EQ(HuepickDouble(html, sizeof html, value, sizeof value), 0);
  WhenUp(ChoosePureRed, "Button2");
  EXPECT_EQ(HuepickInitEx(html, sizeof html), 0);
  EXPECT_EQ(std::string(html, sizeof html), std::string(sizeof html, 'h'));
  EXPECT_EQ(std::string(value, sizeof value), std::string(sizeof value, 'v'));
  WhenUp(ChoosePureRed, "Button2");
  EXPECT_EQ(iHuepickInitEx(), -1);
  test::WhenWindowUp("FrmColor", [](QWidget*) { QTest::keyClick(Part("Edit2"), Qt::Key_Escape); });
  EXPECT_EQ(iHuepickInitEx(), -1) << "Escape cancels";
}

TEST(HuepickTest, HuepickInitShowsTheDialog) {
  bool shown = false;
  WhenUp([&] { shown = true; }, "Button1");
  HuepickInit();
  EXPECT_TRUE(shown);
}

TEST(HuepickTest, Screenshot) {
  const char* file = std::getenv("HUEPICK_SCREENSHOT");
  if (file == nullptr) GTEST_SKIP() << "HUEPICK_SCREENSHOT names no file";
  WhenUp(
      [file] {
        ClickAt("PaintBox2", 5 * 12 + 6, 2 * 12 + 6);
        QTest::mousePress(Part("PaintBox1"), Qt::LeftButton, {}, QPoint(30, 130));
        QTest::mouseRelease(Part("PaintBox1"), Qt::LeftButton, {}, QPoint(30, 130));
        EXPECT_TRUE(test::FindWidget("FrmColor")->grab().save(QString::fromLocal8Bit(file)));
      },
      "Button2");
  iHuepickInitEx();
}

}  // namespace
}  // namespace orv
