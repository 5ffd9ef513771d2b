// The stand-in for the platform's registry: keys under a few roots, each with
// named text values (the unnamed value is the key's default). Everything is
// kept in one file of the user's configuration folder, registry.ini, with a
// section per key ("HKEY_CLASSES_ROOT\.orv") and "@" for the default value.
#pragma once

#include <string>

#include "platform/exception.h"

namespace orv {

// A key that cannot be opened or a value that cannot be written.
class ERegistryException : public Exception {
 public:
  using Exception::Exception;
};

// The roots of the key tree.
enum class TRootKey { ClassesRoot, CurrentUser, LocalMachine };

// The root's name as key paths spell it ("HKEY_CLASSES_ROOT").
const char* RootKeyName(TRootKey root);

// Access to the keys below one root, one key open at a time.
class TRegistry {
 public:
  explicit TRegistry(TRootKey root = TRootKey::CurrentUser);

  // The file that holds every key: $ORV_REGISTRY when set, else
  // ConfigDir() + "registry.ini".
  static std::string StoreFile();

  // Opens the key with `path` (parts joined by '\'). A key that does not
  // exist yet is made when `can_create` is set (it shows once a value is
  // written); otherwise the result is false.
  bool OpenKey(const std::string& path, bool can_create);
  void CloseKey();

  // The value `name` ("" for the default) of the open key; "" when missing.
  std::string ReadString(const std::string& name) const;

  // Writes the value `name` of the open key at once to the store. Raises
  // ERegistryException "Failed to set data for '<name>'" when no key is open
  // or the store cannot be written.
  void WriteString(const std::string& name, const std::string& value);

  bool KeyExists(const std::string& path) const;

 private:
  std::string Section(const std::string& path) const;

  TRootKey root_;
  std::string current_;
  bool open_ = false;
};

}  // namespace orv
