#include "orvsys/model/associations.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>

#include "orvsys/model/file_types.h"
#include "platform/files.h"
#include "platform/registry.h"

namespace orv {
namespace {

namespace fs = std::filesystem;

class AssociationsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("orv-assoc-" + std::to_string(::getpid()));
    fs::create_directories(dir_);
    setenv("ORV_REGISTRY", (dir_ / "registry.ini").c_str(), 1);
    paths_.EditorPath = "/opt/my editor/bin/editor";
    paths_.LibraryDir = "/opt/orv/lib/orv/";
    paths_.ProgramsDir = "/opt/orv/bin/";
    paths_.IconsDir = std::string(std::getenv("ORV_SOURCE_DIR")) + "/data/icons/";
  }
  void TearDown() override {
    unsetenv("ORV_REGISTRY");
    fs::remove_all(dir_);
  }

  static std::string Default(TRootKey root, const std::string& key) {
    TRegistry registry(root);
    return registry.OpenKey(key, false) ? registry.ReadString("") : "<missing>";
  }

  // Every file below `folder` that we write, with its bytes.
  static std::map<std::string, std::string> OurFiles(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const char* part : {"mime/packages", "applications", "icons"})
      for (const auto& entry : fs::recursive_directory_iterator(folder / part))
        if (entry.is_regular_file() && entry.path().filename() != "mimeinfo.cache")
          files[entry.path().string()] = ReadFileBytes(entry.path().string());
    return files;
  }

  fs::path dir_;
  AssociationPaths paths_;
};

TEST(FileTypesTest, FilterListHasFifteenPairs) {
  const std::string text = FileExtsText();
  EXPECT_EQ(std::count(text.begin(), text.end(), '|'), 29);
  EXPECT_EQ(text.rfind("HTML Source (.hts)|*.hts|HTML Snippet (.hsn)|*.hsn|", 0), 0u);
  EXPECT_NE(text.find("|HTML File (.html,.htm)|*.html;*.htm|"), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 19), "|All Files (.*)|*.*");
}

TEST_F(AssociationsTest, ClassKeysOfBothRoots) {
  RegisterClassKeys(paths_);
  for (auto [root, prefix] : {std::pair{TRootKey::ClassesRoot, std::string()},
                              std::pair{TRootKey::LocalMachine, std::string("SOFTWARE\\Classes\\")}}) {
    EXPECT_EQ(Default(root, prefix + ".orv"), "orvfile");
    EXPECT_EQ(Default(root, prefix + ".wcs"), "wcsfile");
    EXPECT_EQ(Default(root, prefix + "orvfile"), "Quillon Project File");
    EXPECT_EQ(Default(root, prefix + "hsnfile\\DefaultIcon"), "/opt/orv/lib/orv/liborvsys.so,5");
    EXPECT_EQ(Default(root, prefix + "opsfile\\Shell\\Open\\command"), "\"/opt/my editor/bin/editor\" \"%1\"");
    EXPECT_EQ(Default(root, prefix + "orvfile\\Shell\\Compile\\command"), "\"/opt/orv/bin/orvcc\" --window \"%1\"");
    EXPECT_EQ(Default(root, prefix + "htsfile\\Shell\\Compile\\command"), "<missing>") << "only projects compile";
  }
  const std::string once = ReadFileBytes((dir_ / "registry.ini").string());
  RegisterClassKeys(paths_);
  EXPECT_EQ(ReadFileBytes((dir_ / "registry.ini").string()), once) << "registering twice leaves the same values";
}

TEST_F(AssociationsTest, DesktopTypesForTheUser) {
  const fs::path home = dir_ / "data";
  RegisterDesktopTypes(paths_, home.string());
  const std::string mime = ReadFileBytes((home / "mime/packages/orv.xml").string());
  EXPECT_NE(mime.find("<mime-type type=\"application/x-orv-project\">\n    <comment>Quillon Project File</comment>\n"
                      "    <icon name=\"application-x-orv-project\"/>\n    <glob pattern=\"*.orv\"/>"),
            std::string::npos);
  EXPECT_EQ(std::count(mime.begin(), mime.end(), '<') - 3, 6 * 6) << "six types of six tags";
  // The package installs the same types for every user.
  EXPECT_EQ(mime, ReadFileBytes(std::string(std::getenv("ORV_SOURCE_DIR")) + "/packaging/orv.xml"));
  const std::string compile = ReadFileBytes((home / "applications/orv-compile.desktop").string());
  EXPECT_NE(compile.find("\nExec=/opt/orv/bin/orvcc --window %f\n"), std::string::npos);
  EXPECT_NE(compile.find("\nMimeType=application/x-orv-project;\n"), std::string::npos);
  const std::string editor = ReadFileBytes((home / "applications/orv-editor.desktop").string());
  EXPECT_NE(editor.find("\nExec=\"/opt/my editor/bin/editor\" %f\n"), std::string::npos);
  EXPECT_EQ(ReadFileBytes((home / "icons/hicolor/scalable/mimetypes/application-x-orv-script.svg").string()),
            ReadFileBytes(paths_.IconsDir + "8-script.svg"));
  const auto first = OurFiles(home);
  EXPECT_EQ(first.size(), 2u + 1u + 6u);
  RegisterDesktopTypes(paths_, home.string());
  EXPECT_EQ(OurFiles(home), first) << "registering twice leaves the same files";
}

TEST(DesktopExecTest, WordsAreQuotedAndEscapedAsEntriesNeed) {
  struct Case {
    const char* word;
    const char* exec;
  } cases[] = {
      {"/usr/bin/orvcc", "/usr/bin/orvcc"},
      {"/opt/my editor/ed", "\"/opt/my editor/ed\""},
      {"/opt/a$b", "\"/opt/a\\\\$b\""},
      {"/opt/100%", "/opt/100%%"},
      {"/opt/q\"t", "\"/opt/q\\\\\"t\""},
      {"/opt/back\\slash", "\"/opt/back\\\\\\\\slash\""},
      {"", "\"\""},
  };
  for (const Case& c : cases) EXPECT_EQ(DesktopExecWord(c.word), c.exec) << c.word;
}

TEST(XdgTest, DataHomeDefaultsToLocalShare) {
  const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
  setenv("XDG_DATA_HOME", "/x/data", 1);
  EXPECT_EQ(XdgDataHome(), "/x/data/");
  setenv("XDG_DATA_HOME", "relative", 1);
  setenv("HOME", "/home/u", 1);
  EXPECT_EQ(XdgDataHome(), "/home/u/.local/share/") << "a relative value is ignored";
  unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(XdgDataHome(), "/home/u/.local/share/");
  setenv("HOME", home.c_str(), 1);
}

}  // namespace
}  // namespace orv
