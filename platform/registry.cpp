#include "platform/registry.h"

#include <cstdlib>

#include "platform/files.h"
#include "platform/folders.h"
#include "platform/ini_file.h"
#include "platform/paths.h"

namespace orv {
namespace {

std::string ValueKey(const std::string& name) { return name.empty() ? "@" : name; }

}  // namespace

const char* RootKeyName(TRootKey root) {
  switch (root) {
    case TRootKey::ClassesRoot: return "HKEY_CLASSES_ROOT";
    case TRootKey::LocalMachine: return "HKEY_LOCAL_MACHINE";
    case TRootKey::CurrentUser: break;
  }
  return "HKEY_CURRENT_USER";
}

TRegistry::TRegistry(TRootKey root) : root_(root) {}

std::string TRegistry::StoreFile() {
  const char* file = std::getenv("ORV_REGISTRY");
  return file != nullptr && *file != '\0' ? file : ConfigDir() + "registry.ini";
}

std::string TRegistry::Section(const std::string& path) const {
  std::string key = path;
  while (!key.empty() && key.front() == '\\') key.erase(0, 1);
  while (!key.empty() && key.back() == '\\') key.pop_back();
  return std::string(RootKeyName(root_)) + (key.empty() ? "" : "\\" + key);
}

bool TRegistry::OpenKey(const std::string& path, bool can_create) {
  if (!can_create && !KeyExists(path)) return false;
  current_ = Section(path);
  open_ = true;
  return true;
}

void TRegistry::CloseKey() {
  current_.clear();
  open_ = false;
}

std::string TRegistry::ReadString(const std::string& name) const {
  if (!open_) return std::string();
  return TIniFile(StoreFile()).ReadString(current_, ValueKey(name), "");
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
  const std::string failure = "Failed to set data for '" + name + "'";
  if (!open_) throw ERegistryException(failure);
  const std::string file = StoreFile();
  try {
    ForceDirectories(ExtractFilePath(file));
    TIniFile(file).WriteString(current_, ValueKey(name), value);
  } catch (const Exception& e) {
    throw ERegistryException(failure + ": " + e.what());
  }
}

bool TRegistry::KeyExists(const std::string& path) const {
  const std::string section = Section(path);
  for (const std::string& name : TIniFile(StoreFile()).ReadSections())
    if (SameText(name, section) ||
        (name.size() > section.size() && SameText(name.substr(0, section.size()), section) &&
         name[section.size()] == '\\'))
      return true;
  return false;
}

}  // namespace orv
