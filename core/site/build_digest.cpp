#include "core/site/build_digest.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "core/site/parse_struct.h"
#include "core/site/script_stage.h"
#include "platform/content_hash.h"
#include "platform/ini_file.h"
#include "platform/paths.h"

namespace orv {

namespace {

// The file this code was loaded from (liborvcore.so, or a program that
// links the site compiler): a rebuilt program may expand pages otherwise.
std::string ProgramStamp() {
  Dl_info info{};
  FileStamp stamp;
  if (!dladdr(reinterpret_cast<void*>(&BuildDigest), &info) || !info.dli_fname ||
      !StatFile(info.dli_fname, stamp))
    return "unknown program";
  return std::string(info.dli_fname) + ":" + std::to_string(stamp.size) + ":" + std::to_string(stamp.mtime_ns);
}

}  // namespace

uint64_t ProjectSettingsHash(const TIniFile& ini) {
  uint64_t digest = ContentHash("project settings");
  auto add = [&digest](const std::string& text) { digest = ContentHash(text, digest); };
  for (const std::string& section : ini.ReadSections()) {
    if (SameText(section, "variables") || SameText(section, "files")) continue;
    add("[" + LowerCase(section) + "]");
    for (const auto& [key, value] : ini.ReadSectionValues(section)) {
      add(LowerCase(key));
      add(value);
    }
  }
  return digest;
}

uint64_t BuildDigest(const TParseStruct& context) {
  uint64_t digest = ContentHash("ORV build digest 1");
  auto add = [&digest](const std::string& text) { digest = ContentHash(text, digest); };
  add(ProgramStamp());
  char folder[4096];
  add(::getcwd(folder, sizeof folder) ? folder : "");
  for (const char* name : {"LANG", "LC_ALL", "LC_CTYPE", "LC_COLLATE", "LC_NUMERIC", "LC_TIME", "LC_MONETARY"}) {
    const char* value = std::getenv(name);
    add(value ? std::string("=") + value : std::string("unset"));
  }
  const BuildState& build = context.Build;
  for (long long limit : {static_cast<long long>(build.Limits.MaxPassDepth),
                          static_cast<long long>(build.Limits.MaxPageBytes),
                          static_cast<long long>(build.Limits.CommandTimeoutSeconds),
                          static_cast<long long>(PageScriptTimeLimit()),
                          static_cast<long long>(PageScriptMemoryLimit())})
    add(std::to_string(limit));
  add(context.Settings.ProjectFile);
  add(std::to_string(context.Settings.SettingsHash));
  return digest;
}

}  // namespace orv
