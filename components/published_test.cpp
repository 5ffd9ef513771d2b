#include "components/published.h"

#include <gtest/gtest.h>

#include "components/published_test_support.h"

namespace orv {
namespace {

using test::TSample;

class PublishedTest : public testing::Test {
 protected:
  void SetUp() override { TSample::Register(); }
};

TEST_F(PublishedTest, PropertiesOfClassAndParentsWithTypeNames) {
  auto properties = PublishedProperties("TSample");
  ASSERT_GE(properties.size(), 13u);
  EXPECT_EQ(properties[0]->name, "Tag");  // TComponent's first
  std::map<std::string, std::string> types;
  for (auto* property : properties) types[property->name] = property->type->name;
  EXPECT_EQ(types["Width"], "Integer");
  EXPECT_EQ(types["Align"], "TAlign");
  EXPECT_EQ(types["Style"], "TFontStyles");
  EXPECT_EQ(types["Color"], "TColor");
  EXPECT_EQ(types["OnClick"], "TNotifyEvent");
  EXPECT_EQ(types["OnClose"], "TCloseEvent");
  EXPECT_EQ(types["Buddy"], "TComponent");
  EXPECT_EQ(ClassParent("TSample"), "TComponent");
}

TEST_F(PublishedTest, GetAndSetByNameConvertIdentifiersAndSets) {
  TSample sample(nullptr);
  SetPropValue(sample, "width", int64_t{42});
  SetPropValue(sample, "Caption", std::string("Hello"));
  SetPropValue(sample, "Align", Identifier{"alClient"});
  SetPropValue(sample, "Style", SetValue{{"fsBold", "fsUnderline"}});
  SetPropValue(sample, "Color", Identifier{"clRed"});
  SetPropValue(sample, "Ratio", int64_t{2});
  SetPropValue(sample, "Tag", int64_t{-7});
  EXPECT_EQ(sample.Width(), 42);
  EXPECT_EQ(sample.Caption(), "Hello");
  EXPECT_EQ(sample.Align(), 5);
  EXPECT_EQ(sample.Style(), 0b101);
  EXPECT_EQ(sample.Color(), 0xFF);
  EXPECT_EQ(sample.Ratio(), 2.0);
  EXPECT_EQ(std::get<int64_t>(GetPropValue(sample, "TAG")), -7);
  EXPECT_EQ(std::get<std::string>(GetPropValue(sample, "Caption")), "Hello");
}

TEST_F(PublishedTest, BadNamesAndValuesRaise) {
  TSample sample(nullptr);
  struct Case {
    const char* property;
    PropertyValue value;
    const char* message;
  };
  const Case cases[] = {
      {"Nope", int64_t{1}, "Property Nope does not exist"},
      {"Loads", int64_t{1}, "Property Loads is read-only"},
      {"Width", std::string("x"), "Invalid property value"},
      {"Align", Identifier{"alMiddle"}, "Invalid property value"},
      {"Style", SetValue{{"fsHuge"}}, "Invalid property value"},
      {"Enabled", int64_t{1}, "Invalid property value"},
      {"OnClick", int64_t{1}, "Invalid property value"},
  };
  for (const Case& c : cases) {
    try {
      SetPropValue(sample, c.property, c.value);
      ADD_FAILURE() << c.property;
    } catch (const EPropertyError& error) {
      EXPECT_STREQ(error.what(), c.message) << c.property;
    }
  }
  EXPECT_EQ(sample.Width(), 10);
}

TEST_F(PublishedTest, EventPropertiesHoldHandlers) {
  TSample sample(nullptr);
  int calls = 0;
  TMethod handler;
  handler.code = [&](TObject* sender, EventArgs&) { calls += sender == &sample; };
  SetPropValue(sample, "OnClick", handler);
  ASSERT_TRUE(sample.OnClick.Assigned());
  EventArgs none;
  sample.OnClick.code(&sample, none);
  EXPECT_EQ(calls, 1);
}

TEST_F(PublishedTest, CreateComponentByClassName) {
  TComponent owner;
  TComponent* made = CreateComponent("tsample", &owner);
  EXPECT_EQ(made->ClassName(), "TSample");
  EXPECT_EQ(made->Owner(), &owner);
  try {
    CreateComponent("TNoSuchClass", &owner);
    FAIL();
  } catch (const EClassNotFound& error) {
    EXPECT_STREQ(error.what(), "Class TNoSuchClass not found");
  }
  // A class of the tree without a factory (abstract) cannot be made.
  EXPECT_THROW(CreateComponent("TPersistent", &owner), EClassNotFound);
}

}  // namespace
}  // namespace orv
