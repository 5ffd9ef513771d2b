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
  if (!program_dir.empty() && !IsInstalledProgramDir(program_dir) && ::access(program_dir.c_str(), W_OK) == 0)
    return program_dir;
  return ConfigDir();
}

bool IsInstalledProgramDir(const std::string& program_dir) {
  if (program_dir.starts_with("/usr/")) return true;
  std::error_code ec;
  return std::filesystem::is_directory(IncludeTrailingSlash(program_dir) + "../share/orv", ec);
}

std::string ConfigDir() { return XdgBaseDir("XDG_CONFIG_HOME", ".config") + "orv/"; }

std::string XdgBaseDir(const char* variable, const char* home_relative) {
  std::string dir = Env(variable);
  if (dir.empty() || dir[0] != '/') dir = IncludeTrailingSlash(Env("HOME")) + home_relative;
  return IncludeTrailingSlash(dir);
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
