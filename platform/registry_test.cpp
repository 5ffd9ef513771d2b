#include "platform/registry.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/files.h"

namespace orv {
namespace {

class RegistryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() / ("orv-registry-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir_);
    store_ = (dir_ / "sub" / "registry.ini").string();
    setenv("ORV_REGISTRY", store_.c_str(), 1);
  }
  void TearDown() override {
    unsetenv("ORV_REGISTRY");
    std::filesystem::remove_all(dir_);
  }
  std::filesystem::path dir_;
  std::string store_;
};

TEST_F(RegistryTest, ValuesRoundTripThroughTheStore) {
  TRegistry reg(TRootKey::ClassesRoot);
  ASSERT_TRUE(reg.OpenKey("orvfile\\Shell\\Compile\\command", true));
  reg.WriteString("", "\"/opt/orv/bin/orvcc\" --window \"%1\"");
  reg.WriteString("Other", "plain");
  reg.CloseKey();
  EXPECT_EQ(TRegistry::StoreFile(), store_);
  TRegistry again(TRootKey::ClassesRoot);
  ASSERT_TRUE(again.OpenKey("\\ORVFILE\\shell\\compile\\COMMAND\\", false)) << "paths compare without case";
  EXPECT_EQ(again.ReadString(""), "\"/opt/orv/bin/orvcc\" --window \"%1\"") << "quotes at both ends survive";
  EXPECT_EQ(again.ReadString("other"), "plain");
  EXPECT_EQ(again.ReadString("missing"), "");
  EXPECT_TRUE(again.KeyExists("orvfile"));
  EXPECT_TRUE(again.KeyExists("orvfile\\Shell"));
  EXPECT_FALSE(again.KeyExists("orvfil"));
  EXPECT_FALSE(again.OpenKey("nothing\\here", false));
  TRegistry machine(TRootKey::LocalMachine);
  EXPECT_FALSE(machine.KeyExists("orvfile")) << "roots are separate";
  EXPECT_NE(ReadFileBytes(store_).find("[HKEY_CLASSES_ROOT\\orvfile\\Shell\\Compile\\command]"), std::string::npos);
}

TEST_F(RegistryTest, WritingTwiceLeavesOneValue) {
  TRegistry reg(TRootKey::ClassesRoot);
  for (int i = 0; i < 2; ++i) {
    reg.OpenKey(".orv", true);
    reg.WriteString("", "orvfile");
    reg.CloseKey();
  }
  const std::string once = ReadFileBytes(store_);
  reg.OpenKey(".orv", true);
  reg.WriteString("", "orvfile");
  EXPECT_EQ(ReadFileBytes(store_), once);
}

TEST_F(RegistryTest, FailuresNameTheValue) {
  TRegistry reg;
  try {
    reg.WriteString("x", "y");
    ADD_FAILURE() << "no key open";
  } catch (const ERegistryException& e) {
    EXPECT_STREQ(e.what(), "Failed to set data for 'x'");
  }
  setenv("ORV_REGISTRY", "/dev/null/registry.ini", 1);
  reg.OpenKey("Software", true);
  try {
    reg.WriteString("", "v");
    ADD_FAILURE() << "unwritable store";
  } catch (const ERegistryException& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Failed to set data for ''", 0), 0u) << e.what();
  }
  EXPECT_THROW(reg.WriteString("line", "a\nb"), ERegistryException);
}

}  // namespace
}  // namespace orv
