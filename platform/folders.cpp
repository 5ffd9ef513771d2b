#include "platform/folders.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "platform/paths.h"

namespace orv {

static std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

std::string ProgramPath() {
  std::error_code ec;
  auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::string() : path.string();
}

std::string ProgramDir() { return ExtractFilePath(ProgramPath()); }

std::string DataDir() {
  std::string home = Env("ORV_HOME");
  if (!home.empty()) return IncludeTrailingSlash(home);
  std::string program_dir = ProgramDir();
  if (!program_dir.empty() && ::access(program_dir.c_str(), W_OK) == 0) return program_dir;
  return ConfigDir();
}

std::string ConfigDir() {
  std::string config = Env("XDG_CONFIG_HOME");
  if (config.empty() || config[0] != '/') config = IncludeTrailingSlash(Env("HOME")) + ".config";
  return IncludeTrailingSlash(config) + "orv/";
}

std::string SharedDataDir() {
  std::filesystem::path dir(ProgramDir() + "../share/orv/");
  return dir.lexically_normal().string();
}

std::string TempDir() {
  std::string dir = Env("TMPDIR");
  return IncludeTrailingSlash(dir.empty() ? "/tmp" : dir);
}

std::string SystemDir() { return "/usr/lib"; }

std::string WinDir() { return "/usr"; }

}  // namespace orv
