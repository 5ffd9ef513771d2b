// Project files: any bytes as a project file beside a small source tree,
// read as a build reads it (the warnings about it, the folders, switches,
// line ends, variables and [files] with its page patterns), then the
// built-in variables and each page's RootPath. Every page list entry must
// come from a [files] key, and every file a pattern matched must lie in the
// tree. Inputs that could send a pattern outside the tree (an absolute
// value, "..") are passed over, so no input walks the whole disk.

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>

#include "core/site/build_report.h"
#include "core/site/builtin_vars.h"
#include "core/site/page_patterns.h"
#include "core/site/parse_struct.h"
#include "core/site/project_reader.h"
#include "platform/exception.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "scratch_path.h"

namespace {

// A folder with p.orv's neighbours: pages at two depths and a hidden one.
const std::string& Tree() {
  static const std::string tree = [] {
    static const orv::fuzz::ScratchPath scratch("orv-project-fuzz");
    const std::string root = scratch.Path + "/";
    for (const char* name : {"src/a.hts", "src/sub/b.hts", "src/.c.hts", "img/x.png"}) {
      std::filesystem::create_directories(std::filesystem::path(root + name).parent_path());
      orv::WriteFileBytes(root + name, "page");
    }
    return root;
  }();
  return tree;
}

// Whether a pattern in `text` could reach outside the tree.
bool LeavesTheTree(std::string text) {
  text.erase(std::remove_if(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t'; }), text.end());
  for (const char* escape : {"..", "=/", "=\"/", "='/"})
    if (text.find(escape) != std::string::npos) return true;
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  if (LeavesTheTree(text)) return 0;
  orv::SetReportSink([](const char*, void*) {}, nullptr);
  const std::string project = Tree() + "p.orv";
  orv::WriteFileBytes(project, text);
  orv::BuildState build;
  orv::TProjectSettings& settings = build.Context.Settings;
  settings.ProjectFile = project;
  orv::ProjectTexts texts;
  try {
    texts = orv::ReadProject(build.Context);
  } catch (const orv::Exception&) {
    // A name the project cannot hold (a NUL byte) is refused with an error.
    orv::SetReportSink(nullptr, nullptr);
    return 0;
  }
  orv::FillBuiltinVars(build.Context, texts, orv::BuildTime{0, true});
  if (settings.Files.size() != settings.FileEntryKeys.size()) __builtin_trap();
  for (size_t i = 0; i < settings.Files.size(); ++i) {
    if (settings.FileEntryKeys[i] >= settings.FileKeys.size()) __builtin_trap();
    const std::string& file = settings.Files[i];
    if (!file.empty() && orv::IsPagePattern(file)) __builtin_trap();  // patterns never reach the page list
    orv::SetPageBuiltins(build.Context, file);
  }
  orv::SetReportSink(nullptr, nullptr);
  return 0;
}
