// Settings records kept in INI files. A record declares its keys once, each
// as a section, a key and the member that holds its value, and the same
// declaration reads and writes the record, so a key cannot be read under
// one name and written under another.
#pragma once

#include <span>
#include <string>
#include <variant>

#include "platform/ini_file.h"

namespace orv {

// One key of a settings record R: where it lives in the file and the member
// of R that holds it (a Boolean, an integer or a text).
template <class R>
struct TIniKey {
  const char* Section;
  const char* Key;
  std::variant<bool R::*, int R::*, std::string R::*> Field;
};

// Reads every key of `keys` from `ini` into a copy of `defaults`; a missing
// key keeps the value `defaults` has.
template <class R>
R ReadIniRecord(const TIniFile& ini, std::span<const TIniKey<R>> keys, R defaults = R{}) {
  for (const TIniKey<R>& key : keys) {
    if (auto* flag = std::get_if<bool R::*>(&key.Field))
      defaults.** flag = ini.ReadBool(key.Section, key.Key, defaults.**flag);
    else if (auto* number = std::get_if<int R::*>(&key.Field))
      defaults.** number = ini.ReadInteger(key.Section, key.Key, defaults.**number);
    else if (auto* text = std::get_if<std::string R::*>(&key.Field))
      defaults.** text = ini.ReadString(key.Section, key.Key, defaults.**text);
  }
  return defaults;
}

// Writes every key of `keys` from `record`, in the order of `keys`.
template <class R>
void WriteIniRecord(TIniFile& ini, std::span<const TIniKey<R>> keys, const R& record) {
  for (const TIniKey<R>& key : keys) {
    if (auto* flag = std::get_if<bool R::*>(&key.Field))
      ini.WriteBool(key.Section, key.Key, record.**flag);
    else if (auto* number = std::get_if<int R::*>(&key.Field))
      ini.WriteInteger(key.Section, key.Key, record.**number);
    else if (auto* text = std::get_if<std::string R::*>(&key.Field))
      ini.WriteString(key.Section, key.Key, record.**text);
  }
}

}  // namespace orv
