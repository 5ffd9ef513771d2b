#include "components/form_resource.h"

#include <gtest/gtest.h>

#include "components/form_writer.h"
#include "components/published_test_support.h"

namespace orv {
namespace {

using test::TSample;

// A form class that keeps two of its components in fields and handles two events.
class TResourceSample : public TSample {
 public:
  explicit TResourceSample(TComponent* owner) : TSample(owner) {}
  std::string ClassName() const override { return class_name_; }

  void Read(std::string class_name) {
    class_name_ = std::move(class_name);
    ReadFormResource(
        *this,
        {Field("Edit1", &TResourceSample::Edit1), Field("Panel1", &TResourceSample::Panel1),
         Handler("Edit1Click", &TResourceSample::Edit1Click), Handler("FormClose", &TResourceSample::FormClose)},
        "TSample");
  }

  TSample* Edit1 = nullptr;
  TSample* Panel1 = nullptr;
  std::vector<std::string> calls;

 private:
  void Edit1Click(TObject* sender) { calls.push_back("click " + static_cast<TComponent*>(sender)->Name()); }
  void FormClose(TObject*, EventArgs& args) {
    calls.push_back("close");
    args.at(0) = int64_t{0};
  }

  std::string class_name_ = "TResourceSample";
};

const char* const kResourceForm =
    "object Form1: TResourceSample\n"
    "  OnClose = FormClose\n"
    "  object Panel1: TSample\n"
    "    object Edit1: TSample\n"
    "      OnClick = Edit1Click\n"
    "    end\n"
    "  end\n"
    "end\n";

class FormResourceTest : public testing::Test {
 protected:
  void SetUp() override { TSample::Register(); }

  static std::string ReadError(std::string_view text, TSample& root) {
    try {
      ReadForm(text, root, {"form.dfm", nullptr, nullptr});
    } catch (const EFormFileError& error) {
      return error.what();
    }
    return "";
  }
};

TEST_F(FormResourceTest, CollectionsReadAndWriteTheirItems) {
  TSample form(nullptr);
  ReadForm(
      "object Form1: TSample\n"
      "  Columns = <\n"
      "    item\n"
      "      Caption = 'Variable'\n"
      "      Width = 140\n"
      "    end\n"
      "    item\n"
      "      Caption = 'Value'\n"
      "    end>\n"
      "end\n",
      form, {"form.dfm", nullptr, nullptr});
  ASSERT_EQ(form.Columns()->Count(), 2);
  EXPECT_EQ(form.Columns()->Items(0)->Caption(), "Variable");
  EXPECT_EQ(form.Columns()->Items(0)->Width(), 140);
  EXPECT_EQ(form.Columns()->Items(1)->Caption(), "Value");
  EXPECT_EQ(form.Columns()->Items(1)->Width(), 50);
  EXPECT_EQ(form.Columns()->Items(1)->Index(), 1);
  const std::string written = WriteForm(form);
  EXPECT_NE(written.find("  Columns = <\n"
                         "    item\n"
                         "      Caption = 'Variable'\n"
                         "      Width = 140\n"
                         "    end\n"
                         "    item\n"
                         "      Caption = 'Value'\n"
                         "    end>\n"),
            std::string::npos)
      << written;
  TSample again(nullptr);
  ReadForm(written, again, {"again.dfm", nullptr, nullptr});
  EXPECT_EQ(WriteForm(again), written);
  // Reading replaces the items a collection had.
  ReadForm("object Form1: TSample\n  Columns = <>\nend\n", again, {"again.dfm", nullptr, nullptr});
  EXPECT_EQ(again.Columns()->Count(), 0);
}

TEST_F(FormResourceTest, BinaryDataAndStoredPropertiesAreWrittenAsTheySay) {
  TSample form(nullptr);
  ReadForm("object Form1: TSample\n  Data = {00FF41\n  0a}\n  FrameWidth = 30\nend\n", form,
           {"form.dfm", nullptr, nullptr});
  EXPECT_EQ(form.Data(), std::string("\0\xff\x41\x0a", 4));
  std::string written = WriteForm(form);
  EXPECT_NE(written.find("  Data = {\n    00FF410A}\n"), std::string::npos) << written;
  EXPECT_EQ(written.find("FrameWidth"), std::string::npos) << written;  // not framed: not stored
  form.SetFramed(true);
  written = WriteForm(form);
  EXPECT_NE(written.find("FrameWidth = 30"), std::string::npos) << written;
  TSample again(nullptr);
  ReadForm(written, again, {"again.dfm", nullptr, nullptr});
  EXPECT_EQ(WriteForm(again), written);
}

TEST_F(FormResourceTest, InheritedObjectsChangeWhatTheAncestorMade) {
  TSample form(nullptr);
  ReadForm(kResourceForm, form, {"ancestor.dfm", nullptr, nullptr});
  ReadForm(
      "inherited Form2: TDerived\n"
      "  Caption = 'Derived'\n"
      "  inherited Panel1: TSample\n"
      "    inherited Edit1: TSample\n"
      "      Width = 7\n"
      "    end\n"
      "    object Extra1: TSample\n"
      "    end\n"
      "  end\n"
      "end\n",
      form, {"derived.dfm", nullptr, nullptr});
  EXPECT_EQ(form.Name(), "Form2");
  EXPECT_EQ(form.Caption(), "Derived");
  ASSERT_EQ(form.ComponentCount(), 3);
  auto* edit = dynamic_cast<TSample*>(form.FindComponent("Edit1"));
  auto* extra = dynamic_cast<TSample*>(form.FindComponent("Extra1"));
  ASSERT_TRUE(edit && extra);
  EXPECT_EQ(edit->Width(), 7);
  EXPECT_EQ(edit->Loads(), 1);  // made once, by the ancestor
  EXPECT_EQ(extra->GetParentComponent(), form.FindComponent("Panel1"));
}

TEST_F(FormResourceTest, DamagedCollectionsAndInheritanceNameTheLine) {
  struct Case {
    const char* text;
    const char* message;
  };
  const Case cases[] = {
      {"object F: TSample\n  Columns = <\n    item\n      Nope = 1\n    end>\nend\n",
       "at line 2: Error reading F.Columns: Property Nope does not exist"},
      {"object F: TSample\n  Columns = <item Width = 'wide' end>\nend\n",
       "at line 2: Error reading F.Columns: Invalid property value"},
      {"object F: TSample\n  Columns = <thing end>\nend\n", "\"item\" expected"},
      {"object F: TSample\n  Columns = <item Width = 1\n", "\"end\" expected"},
      {"object F: TSample\n  Columns = <item end\n", "\">\" expected"},
      {"object F: TSample\n  Width = <>\nend\n", "at line 2: Error reading F.Width: Property Width has no properties"},
      {"object F: TSample\n  Data = {0G}\nend\n", "Invalid binary data"},
      {"object F: TSample\n  inherited Ghost: TSample\n  end\nend\n", "at line 2: Ancestor for 'Ghost' not found"},
  };
  for (const Case& c : cases) {
    TSample form(nullptr);
    const std::string error = ReadError(c.text, form);
    EXPECT_NE(error.find(c.message), std::string::npos) << c.text << " gave: " << error;
  }
}

TEST_F(FormResourceTest, TextRoundTripKeepsCollectionsAndBinaryData) {
  FormObject root;
  root.name = "F";
  root.class_name = "TF";
  CollectionValue columns;
  columns.items.push_back({{"Caption", "Width"}, {std::string("a"), int64_t{3}}});
  columns.items.push_back({});
  root.properties = {{"C", columns, 0},
                     {"E", CollectionValue{}, 0},
                     {"D", BinaryData{std::string(70, '\x7f')}, 0},
                     {"Z", BinaryData{}, 0}};
  const std::string text = PrintFormText(root);
  EXPECT_TRUE(ParseFormText(text, "x").SameAs(root)) << text;
}

TEST_F(FormResourceTest, ReadFormResourceBindsFieldsAndHandlersToTheClass) {
  RegisterFormResource("TResourceSample", "frm_sample.dfm", kResourceForm);
  TResourceSample form(nullptr);
  form.Read("TResourceSample");
  ASSERT_NE(form.Edit1, nullptr);
  EXPECT_EQ(form.Edit1, form.FindComponent("Edit1"));
  EXPECT_EQ(form.Panel1, form.FindComponent("Panel1"));
  EXPECT_EQ(ClassParent("TResourceSample"), "TSample");
  EventArgs none;
  form.Edit1->OnClick.code(form.Edit1, none);
  EventArgs action{int64_t{2}};
  form.OnClose.code(&form, action);
  EXPECT_EQ(form.calls, (std::vector<std::string>{"click Edit1", "close"}));
  EXPECT_EQ(action[0], PropertyValue(int64_t{0}));
  EXPECT_EQ(FindFormResource("tresourcesample")->file_name, "frm_sample.dfm");
}

TEST_F(FormResourceTest, ADerivedFormBindsItsOwnHandlersAndKeepsTheAncestors) {
  TSample form(nullptr);
  std::vector<std::string> calls;
  ReadFormWithHandlers(kResourceForm, form, "ancestor.dfm",
                       {{"FormClose", [&](TObject*, EventArgs&) { calls.push_back("ancestor close"); }},
                        {"Edit1Click", [&](TObject*, EventArgs&) { calls.push_back("ancestor click"); }}});
  ReadFormWithHandlers(
      "inherited Form1: TSample\n"
      "  inherited Panel1: TSample\n"
      "    OnClick = PanelClick\n"
      "  end\n"
      "end\n",
      form, "derived.dfm", {{"PanelClick", [&](TObject*, EventArgs&) { calls.push_back("derived click"); }}});
  EventArgs none;
  for (const char* name : {"Edit1", "Panel1"}) {
    auto* sample = dynamic_cast<TSample*>(form.FindComponent(name));
    sample->OnClick.code(sample, none);
  }
  form.OnClose.code(&form, none);
  EXPECT_EQ(calls, (std::vector<std::string>{"ancestor click", "derived click", "ancestor close"}));
}

TEST_F(FormResourceTest, AFormThatDoesNotFitItsClassIsAnError) {
  struct Case {
    const char* class_name;
    const char* text;  // null: no form file
    const char* message;
  };
  const Case cases[] = {
      {"TNoFormSample", nullptr, "No form file for TNoFormSample"},
      {"TFieldMissingSample", "object F: TFieldMissingSample\n  object Panel1: TSample\n  end\nend\n",
       "Error in form file \"missing.dfm\" at line 1: Field Edit1 not found"},
      {"THandlerMissingSample",
       "object F: THandlerMissingSample\n  OnClick = Nowhere\n  object Panel1: TSample\n  end\n"
       "  object Edit1: TSample\n  end\nend\n",
       "at line 2: Error reading F.OnClick: Handler Nowhere not found"},
  };
  for (const Case& c : cases) {
    if (c.text) RegisterFormResource(c.class_name, "missing.dfm", c.text);
    TResourceSample form(nullptr);
    try {
      form.Read(c.class_name);
      ADD_FAILURE() << c.class_name;
    } catch (const EFormFileError& error) {
      EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos) << error.what();
    }
  }
}

}  // namespace
}  // namespace orv
