#include "orvsys/model/data_files.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "platform/exception.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/user_settings.h"

namespace orv {

std::string ToolsFile() { return DataDir() + "tools.dat"; }
std::string ObjRepFile() { return DataDir() + "objrep.dat"; }
std::string VarsExchangeFile() { return TempDir() + kVarsExchangeName; }

std::string ShippedDataFolder(const std::string& relative) {
  for (const std::string& dir : {DataDir(), SharedDataDir(), std::string(ORV_SOURCE_DATA_DIR)})
    if (FileExists(dir + relative)) return dir;
  return DataDir();
}

std::string BuiltinDocumentsDir() { return ShippedDataFolder("templates/normal.htf"); }

void LoadSettingList(TUserSettingList& list, const std::string& path) {
  struct stat info;
  if (::lstat(path.c_str(), &info) != 0 && errno == ENOENT) {
    list.Clear();
    return;
  }
  try {
    list.LoadFromFile(path);
  } catch (const EInOutError&) {
    list.Clear();
    throw;
  }
}

void SaveSettingList(const TUserSettingList& list, const std::string& path) {
  if (!WriteFileAtomic(path, list.SaveToBytes()))
    throw EInOutError("Cannot write file \"" + path + "\". " + std::strerror(errno));
}

}  // namespace orv
