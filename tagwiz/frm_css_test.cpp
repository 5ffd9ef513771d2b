// The style sheet dialog through InsCSS: styles.dat written byte for byte,
// kept on Cancel, and the colour buttons with a stand-in colour picker.
#include <QLabel>
#include <QTest>
#include <cstdio>
#include <cstdint>
#include <fstream>

#include "orv/tagwiz.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "tagwiz/test/tagwiz_test_support.h"

namespace orv::test {
namespace {

std::string Int32(uint32_t value) {
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[static_cast<size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
  return bytes;
}

// A style file of styles given as their 21 texts.
std::string StyleFile(const std::vector<std::vector<std::string>>& styles) {
  std::string bytes = Int32(static_cast<uint32_t>(styles.size()));
  for (const auto& texts : styles)
    for (const std::string& text : texts) bytes += Int32(static_cast<uint32_t>(text.size())) + text;
  return bytes;
}

std::vector<std::string> Style(const std::string& name, const std::string& size = "9") {
  return {name, "", "Arial", size, "pt", "9", "pt", "None", "None", "Left", "None",
          "0", "pt", "0", "pt", "0", "pt", "0", "#000000", "16777215", "#FFFFFF"};
}

class StyleDialogTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    std::remove(Path().c_str());
  }
  static std::string Path() { return DataDir() + "styles.dat"; }
  static void Write(const std::string& bytes) { std::ofstream(Path(), std::ios::binary) << bytes; }
  static std::string Read() { return FileExists(Path()) ? ReadFileBytes(Path()) : "<missing>"; }
};

// Presses "&Add" and answers the input box with `name`.
void AddStyle(const QString& name) {
  WhenShown([name] {
    EXPECT_EQ(Get("InputQuery", "Edit")->window()->windowTitle(), "Add Style");
    EXPECT_EQ(qobject_cast<QLabel*>(Get("InputQuery", "Prompt"))->text(), "Enter Style Name:");
    Type("InputQuery", "Edit", name);
    Click("InputQuery", "OK");
  });
  Click("FrmCSS", "Button3");
}

TEST_F(StyleDialogTest, AddingBodyWritesItsDefaultsByteForByte) {
  WhenShown([] {
    EXPECT_EQ(TextOf("FrmCSS", "FontComboBox1"), "Arial");
    EXPECT_EQ(TextOf("FrmCSS", "Edit2"), "9");
    EXPECT_EQ(TextOf("FrmCSS", "ComboBox5"), "Left");
    EXPECT_EQ(Get("FrmCSS", "Edit6")->palette().color(QPalette::Base), QColor(255, 255, 255));
    AddStyle("body");
    EXPECT_EQ(TextOf("FrmCSS", "ComboBox9"), "body");
    Click("FrmCSS", "Button1");
  });
  EXPECT_EQ(InsCSS(0, 0), 1);
  EXPECT_EQ(Read(), StyleFile({Style("body")}));
  EXPECT_TRUE(sink_->Messages.empty());
}

TEST_F(StyleDialogTest, StyleDialogPicture) {
  WhenShown([] {
    AddStyle("body");
    Screenshot("FrmCSS", "tagwiz-styles.png");
    Click("FrmCSS", "Button2");
  });
  EXPECT_EQ(InsCSS(0, 0), 0);
}

TEST_F(StyleDialogTest, AnEmptyListSavesFourZeroBytes) {
  for (bool file_exists : {false, true}) {
    if (file_exists) Write(Int32(0));
    WhenShown([] {
      EXPECT_EQ(qobject_cast<QComboBox*>(Get("FrmCSS", "ComboBox9"))->count(), 0);
      Click("FrmCSS", "Button1");
    });
    EXPECT_EQ(InsCSS(0, 0), 1);
    EXPECT_EQ(Read(), std::string(4, '\0'));
  }
  EXPECT_TRUE(sink_->Messages.empty());
}

TEST_F(StyleDialogTest, CancelLeavesTheFileAlone) {
  const std::string before = StyleFile({Style("h1")});
  Write(before);
  WhenShown([] {
    AddStyle("body");
    Type("FrmCSS", "ComboBox9", "h1");
    Type("FrmCSS", "Edit2", "30");
    Click("FrmCSS", "Button2");
  });
  EXPECT_EQ(InsCSS(0, 0), 0);
  EXPECT_EQ(Read(), before);
}

TEST_F(StyleDialogTest, ChoosingAStyleShowsItAndEditingWritesIntoIt) {
  auto h2 = Style("h2", "14");
  h2[17] = "255";
  Write(StyleFile({Style("h1", "20"), h2}));
  WhenShown([] {
    auto* names = qobject_cast<QComboBox*>(Get("FrmCSS", "ComboBox9"));
    EXPECT_EQ(names->count(), 2);
    EXPECT_EQ(names->currentText(), "");
    Type("FrmCSS", "ComboBox9", "h2");
    EXPECT_EQ(TextOf("FrmCSS", "Edit2"), "14");
    EXPECT_EQ(Get("FrmCSS", "Edit4")->palette().color(QPalette::Base), QColor(255, 0, 0));
    Type("FrmCSS", "Edit3", "16");
    Type("FrmCSS", "ComboBox2", "px");
    Type("FrmCSS", "ComboBox9", "none of these");
    Type("FrmCSS", "Edit2", "99");  // names no style: changes none
    Click("FrmCSS", "Button1");
  });
  EXPECT_EQ(InsCSS(0, 0), 1);
  h2[5] = "16";
  h2[6] = "px";
  EXPECT_EQ(Read(), StyleFile({Style("h1", "20"), h2}));
}

// Units picked from their lists are stored for each style, also when two
// styles get the same pick in turn, and a style's name picked after one was
// set by code ("&Add") shows that style.
TEST_F(StyleDialogTest, PicksFromListsAreStoredForEveryStyle) {
  Write(StyleFile({Style("a"), Style("b")}));
  WhenShown([] {
    Pick("FrmCSS", "ComboBox9", "a");
    Pick("FrmCSS", "ComboBox1", "in");
    Pick("FrmCSS", "ComboBox9", "b");
    EXPECT_EQ(TextOf("FrmCSS", "ComboBox1"), "pt");
    Pick("FrmCSS", "ComboBox1", "in");
    Pick("FrmCSS", "ComboBox9", "a");
    Pick("FrmCSS", "ComboBox9", "b");
    EXPECT_EQ(TextOf("FrmCSS", "ComboBox1"), "in");
    AddStyle("c");
    Type("FrmCSS", "Edit2", "30");
    Pick("FrmCSS", "ComboBox9", "b");
    EXPECT_EQ(TextOf("FrmCSS", "Edit2"), "9");
    Click("FrmCSS", "Button1");
  });
  EXPECT_EQ(InsCSS(0, 0), 1);
  auto a = Style("a"), b = Style("b"), c = Style("c", "30");
  a[4] = b[4] = "in";
  EXPECT_EQ(Read(), StyleFile({a, b, c}));
}

TEST_F(StyleDialogTest, TwoStylesOfOneNameActOnTheFirst) {
  Write(StyleFile({Style("p", "10"), Style("p", "20")}));
  WhenShown([] {
    Type("FrmCSS", "ComboBox9", "p");
    EXPECT_EQ(TextOf("FrmCSS", "Edit2"), "10");
    Click("FrmCSS", "Button4");
    // The first "p" is gone; the drop-down shows the next "p" and its size.
    EXPECT_EQ(TextOf("FrmCSS", "ComboBox9"), "p");
    EXPECT_EQ(TextOf("FrmCSS", "Edit2"), "20");
    Click("FrmCSS", "Button1");
  });
  EXPECT_EQ(InsCSS(0, 0), 1);
  EXPECT_EQ(Read(), StyleFile({Style("p", "20")}));
}

TEST_F(StyleDialogTest, ADamagedFileIsReportedAndKeptUntilOk) {
  const std::string damaged = Int32(3) + Int32(1000) + "short";
  Write(damaged);
  WhenShown([this] {
    ASSERT_EQ(sink_->Messages.size(), 1u);
    EXPECT_NE(sink_->Messages[0].find(Path()), std::string::npos) << sink_->Messages[0];
    EXPECT_EQ(qobject_cast<QComboBox*>(Get("FrmCSS", "ComboBox9"))->count(), 0);
    Click("FrmCSS", "Button2");
  });
  EXPECT_EQ(InsCSS(0, 0), 0);
  EXPECT_EQ(Read(), damaged);
  WhenShown([] { Click("FrmCSS", "Button1"); });
  EXPECT_EQ(InsCSS(0, 0), 1);
  EXPECT_EQ(Read(), Int32(0));
}

TEST_F(StyleDialogTest, ChangeTakesTheColourFromThePicker) {
  WhenShown([] {
    Click("FrmCSS", "Button5");  // no style yet: only the swatch changes
    EXPECT_EQ(Get("FrmCSS", "Edit4")->palette().color(QPalette::Base), QColor(0x10, 0x20, 0x30));
    AddStyle("body");
    Click("FrmCSS", "Button6");
    EXPECT_EQ(Get("FrmCSS", "Edit6")->palette().color(QPalette::Base), QColor(0x10, 0x20, 0x30));
    Click("FrmCSS", "Button1");
  });
  EXPECT_EQ(InsCSS(0, 0), 1);
  auto body = Style("body");
  body[19] = "3153936";
  body[20] = "#102030";
  EXPECT_EQ(Read(), StyleFile({body}));
  EXPECT_TRUE(sink_->Messages.empty());
}

}  // namespace
}  // namespace orv::test
