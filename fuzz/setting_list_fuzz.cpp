// Setting-list files: any bytes are either rejected with EInOutError or load
// into a list that saves and loads back to the same items.
#include <cstdint>
#include <string>

#include "platform/user_settings.h"
#include "platform/exception.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  orv::TUserSettingList list;
  try {
    list.LoadFromBytes(std::string(reinterpret_cast<const char*>(data), size), "fuzz.dat");
  } catch (const orv::EInOutError&) {
    return 0;
  }
  orv::TUserSettingList again;
  again.LoadFromBytes(list.SaveToBytes(), "again.dat");
  if (again.Count() != list.Count()) __builtin_trap();
  for (int i = 0; i < list.Count(); ++i)
    if (again.Items(i).Name != list.Items(i).Name || again.Items(i).Value != list.Items(i).Value)
      __builtin_trap();
  return 0;
}
