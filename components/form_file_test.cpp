#include <gtest/gtest.h>

#include "components/form_reader.h"
#include "components/form_writer.h"
#include "components/published_test_support.h"

namespace orv {
namespace {

using test::TSample;

const char* const kForm =
    "object Form1: TForm1\n"
    "  Width = 313\n"
    "  Caption = 'Quillon''s ' +\n"
    "    'Compiler'#13#10'second'\n"
    "  Color = clBtnFace\n"
    "  OnClose = FormClose\n"
    "  object Panel1: TSample\n"
    "    Align = alTop\n"
    "    Style = [fsBold, fsItalic]\n"
    "    Ratio = 1.25\n"
    "    Buddy = Edit1\n"
    "    Enabled = False\n"
    "    object Edit1: TSample\n"
    "      Tag = $FF\n"
    "      Items.Strings = (\n"
    "        'one'\n"
    "        'two')\n"
    "      OnClick = Edit1Click\n"
    "    end\n"
    "  end\n"
    "  object Timer1: TSample\n"
    "    Width = -3\n"
    "    OnClick = Edit1Click\n"
    "  end\n"
    "end\n";

class FormFileTest : public testing::Test {
 protected:
  void SetUp() override { TSample::Register(); }

  // Reads kForm-like text into a fresh root, recording the lookups.
  std::string Read(std::string_view text, TSample& root) {
    FormReadOptions options{"form1.dfm", [this](const std::string& name) {
                              lookups_.push_back(name);
                              return static_cast<intptr_t>(lookups_.size());
                            },
                            nullptr};
    return ReadForm(text, root, options);
  }

  std::vector<std::string> lookups_;
};

TEST_F(FormFileTest, ReadsPropertiesNestedObjectsAndReferences) {
  TSample form(nullptr);
  EXPECT_EQ(Read(kForm, form), "TForm1");
  EXPECT_EQ(form.Name(), "Form1");
  EXPECT_EQ(form.Width(), 313);
  EXPECT_EQ(form.Caption(), "Quillon's Compiler\r\nsecond");
  EXPECT_EQ(form.Color(), static_cast<int32_t>(0x8000000F));
  ASSERT_EQ(form.ComponentCount(), 3);
  auto* panel = dynamic_cast<TSample*>(form.FindComponent("Panel1"));
  auto* edit = dynamic_cast<TSample*>(form.FindComponent("Edit1"));
  auto* timer = dynamic_cast<TSample*>(form.FindComponent("Timer1"));
  ASSERT_TRUE(panel && edit && timer);
  EXPECT_EQ(panel->GetParentComponent(), &form);
  EXPECT_EQ(edit->GetParentComponent(), panel);
  EXPECT_EQ(panel->Align(), 1);
  EXPECT_EQ(panel->Style(), 0b11);
  EXPECT_EQ(panel->Ratio(), 1.25);
  EXPECT_EQ(panel->Buddy(), edit);
  EXPECT_FALSE(panel->Enabled());
  EXPECT_EQ(edit->Tag(), 255);
  EXPECT_EQ(edit->Items()->Text(), "one\r\ntwo\r\n");
  EXPECT_EQ(timer->Width(), -3);
  EXPECT_EQ(form.Loads(), 1);
  EXPECT_EQ(edit->Loads(), 1);
}

TEST_F(FormFileTest, LookupHookAnswersAreStoredInEventProperties) {
  TSample form(nullptr);
  Read(kForm, form);
  EXPECT_EQ(lookups_, (std::vector<std::string>{"FormClose", "Edit1Click", "Edit1Click"}));
  auto* edit = dynamic_cast<TSample*>(form.FindComponent("Edit1"));
  auto* timer = dynamic_cast<TSample*>(form.FindComponent("Timer1"));
  EXPECT_EQ(form.OnClose.name, "FormClose");
  EXPECT_EQ(form.OnClose.data, 1);
  EXPECT_EQ(edit->OnClick.data, 2);
  EXPECT_EQ(timer->OnClick.data, 3);
  EXPECT_EQ(std::get<TMethod>(GetPropValue(*edit, "OnClick")).name, "Edit1Click");
  EXPECT_FALSE(edit->OnClick.code);
}

TEST_F(FormFileTest, WriteReadWriteKeepsEveryProperty) {
  TSample form(nullptr);
  Read(kForm, form);
  std::string written = WriteForm(form, "TForm1");
  TSample again(nullptr);
  Read(written, again);
  EXPECT_EQ(WriteForm(again, "TForm1"), written);
  EXPECT_TRUE(DescribeForm(again, "TForm1").SameAs(ParseFormText(written, "x")));
  EXPECT_NE(written.find("Align = alTop"), std::string::npos) << written;
  EXPECT_EQ(written.find("Color"), std::string::npos);  // the default colour
  EXPECT_NE(written.find("Style = [fsBold, fsItalic]"), std::string::npos);
  EXPECT_NE(written.find("Buddy = Edit1"), std::string::npos);
  EXPECT_NE(written.find("Items.Strings = (\n        'one'\n        'two')"), std::string::npos) << written;
  EXPECT_EQ(written.find("Loads"), std::string::npos);  // read-only
  // A property left at its default is not written.
  EXPECT_EQ(written.find("Width = 10"), std::string::npos);
}

TEST_F(FormFileTest, TextRoundTripKeepsOddValues) {
  std::string long_text(150, 'x');
  FormObject root;
  root.name = "F";
  root.class_name = "TF";
  root.properties = {{"A", std::string("it's\x01\xc3\xa9"), 0},
                     {"B", long_text, 0},
                     {"C", 3.0, 0},
                     {"D", int64_t{-9}, 0},
                     {"E", SetValue{}, 0},
                     {"F", ValueList{{int64_t{1}, std::string("two"), Identifier{"three"}}}, 0},
                     {"G", std::string(), 0}};
  std::string text = PrintFormText(root);
  EXPECT_TRUE(ParseFormText(text, "x").SameAs(root)) << text;
}

TEST_F(FormFileTest, DamagedFilesNameFileAndLine) {
  struct Case {
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {"", "at line 1: Identifier expected"},
      {"object Form1: TSample\n  Width = 1\n", "at line 3: \"end\" expected"},
      {"object Form1: TSample\n  Caption = 'open\nend\n", "at line 2: Unterminated string"},
      {"object Form1: TSample\n  Width 5\nend\n", "at line 2: \"=\" expected"},
      {"object Form1: TSample\n  Width = 99999999999999999999\nend\n", "at line 2: Invalid number"},
      {"object Form1: TSample\n  Caption = #300\nend\n", "at line 2: Invalid character code"},
      {"object Form1: TSample\n\n  Nope = 1\nend\n",
       "at line 3: Error reading Form1.Nope: Property Nope does not exist"},
      {"object Form1: TSample\n  Width = 'x'\nend\n", "at line 2: Error reading Form1.Width: Invalid property value"},
      {"object Form1: TSample\n  object B: TMissing\n  end\nend\n", "at line 2: Class TMissing not found"},
      {"object Form1: TSample\n  Buddy = Ghost\nend\n", "at line 2: Error reading Form1.Buddy: Invalid property value"},
      {"object Form1: TSample\n  object B: TSample\n  end\n  object b: TSample\n  end\nend\n",
       "at line 4: "},
      {"object Form1: TSample\nend\nextra", "at line 3: End of file expected"},
      {"object Form1: TSample\n  Items.Strings = (1)\nend\n",
       "at line 2: Error reading Form1.Items.Strings: Invalid property value"},
  };
  for (const Case& c : cases) {
    TSample form(nullptr);
    try {
      Read(c.text, form);
      ADD_FAILURE() << c.text;
    } catch (const EFormFileError& error) {
      std::string message = error.what();
      EXPECT_EQ(message.rfind("Error in form file \"form1.dfm\" ", 0), 0u) << message;
      EXPECT_NE(message.find(c.message), std::string::npos) << message;
    }
  }
}

TEST_F(FormFileTest, DeepNestingIsRefused) {
  std::string text;
  for (int i = 0; i < 300; ++i) text += "object A" + std::to_string(i) + ": TSample\n";
  TSample form(nullptr);
  EXPECT_THROW(Read(text, form), EFormFileError);
  std::string lists = "object F: TSample\n  Items.Strings = " + std::string(300, '(');
  EXPECT_THROW(ParseFormText(lists, "x"), EFormFileError);
}

}  // namespace
}  // namespace orv

namespace orv {
namespace {

TEST_F(FormFileTest, HandlerTablesBindCodeByName) {
  TSample form(nullptr);
  std::vector<std::string> called;
  HandlerTable handlers{{"FormClose", [&](TObject*, EventArgs&) { called.push_back("FormClose"); }},
                        {"Edit1Click", [&](TObject* sender, EventArgs&) {
                           called.push_back(static_cast<TComponent*>(sender)->Name());
                         }}};
  ReadFormWithHandlers(kForm, form, "form1.dfm", handlers);
  EventArgs none;
  form.OnClose.code(&form, none);
  auto* edit = dynamic_cast<TSample*>(form.FindComponent("Edit1"));
  edit->OnClick.code(edit, none);
  EXPECT_EQ(called, (std::vector<std::string>{"FormClose", "Edit1"}));
  handlers.erase("FormClose");
  TSample other(nullptr);
  try {
    ReadFormWithHandlers(kForm, other, "form1.dfm", handlers);
    FAIL();
  } catch (const EFormFileError& error) {
    EXPECT_NE(std::string(error.what()).find("at line 6: Error reading Form1.OnClose: Handler FormClose not found"),
              std::string::npos)
        << error.what();
  }
}

}  // namespace
}  // namespace orv
