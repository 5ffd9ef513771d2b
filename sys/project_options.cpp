#include "sys/project_options.h"

#include "platform/folders.h"
#include "platform/ini_file.h"

namespace orv {

std::string ProjectOptionsFile() { return DataDir() + "~tmppref.ini"; }

TProjectOptions ReadProjectOptions(const std::string& path) {
  const TIniFile ini(path);
  TProjectOptions options;
  options.ImageDir = ini.ReadString("dirs", "img", "");
  options.SourceDir = ini.ReadString("dirs", "src", "");
  options.OutputDir = ini.ReadString("dirs", "out", "");
  options.ImagePrefix = ini.ReadString("dirs", "img_prep", "");
  options.Vars = ini.ReadBool("compiler", "vars", true);
  options.Databases = ini.ReadBool("compiler", "db", true);
  options.Scripts = ini.ReadBool("compiler", "scripts", true);
  options.ExtApps = ini.ReadBool("compiler", "ext", true);
  options.Includes = ini.ReadBool("compiler", "inc", true);
  return options;
}

void WriteProjectOptions(const std::string& path, const TProjectOptions& options) {
  TIniFile ini(path);
  ini.WriteString("dirs", "img", options.ImageDir);
  ini.WriteString("dirs", "src", options.SourceDir);
  ini.WriteString("dirs", "out", options.OutputDir);
  ini.WriteString("dirs", "img_prep", options.ImagePrefix);
  ini.WriteBool("compiler", "vars", options.Vars);
  ini.WriteBool("compiler", "db", options.Databases);
  ini.WriteBool("compiler", "scripts", options.Scripts);
  ini.WriteBool("compiler", "ext", options.ExtApps);
  ini.WriteBool("compiler", "inc", options.Includes);
}

}  // namespace orv
