// INI profile files with the rules of the platform's profile service: the
// stand-in used for project files, preferences and exchange files.
//
// Reading rules:
// - "[name]" opens a section (blanks around the name are ignored); a line
//   "key=value" holds a value; blanks around key and value are ignored, and a
//   value wholly enclosed in a pair of double or single quotes loses them.
// - Section and key names are compared without regard to ASCII case; when a
//   name occurs more than once, the first occurrence wins (for sections: the
//   first section of that name is the one read and written).
// - Lines starting with ';' and lines without '=' are not keys. A missing or
//   unreadable file reads as an empty one.
// - Integers are read like the runtime's text-to-integer conversion: the whole
//   value must be a decimal number with an optional sign, or hexadecimal after
//   "$" or "0x"; anything else gives the default. Booleans are integers: 0 is
//   false, any other integer true.
//
// Writing rules: every write re-reads the file, changes one line (or adds the
// key at the end of its section, or the section at the end of the file),
// keeps every other line as it was, and replaces the file atomically. A value
// that the reading rules would change (blanks at either end, a pair of quotes
// around it) is written inside one more pair of double quotes, so every value
// written reads back exactly as it was given. A file
// that does not exist is created. New lines use the file's own line ends
// (CR LF when its first line ends so, LF otherwise and for new files).
#pragma once

#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/paths.h"

namespace orv {

// One INI file, read when the object is created.
class TIniFile {
 public:
  explicit TIniFile(std::string path);

  const std::string& FileName() const { return path_; }

  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& default_value) const;
  int ReadInteger(const std::string& section, const std::string& key, int default_value) const;
  bool ReadBool(const std::string& section, const std::string& key, bool default_value) const;
  bool SectionExists(const std::string& section) const;
  bool ValueExists(const std::string& section, const std::string& key) const;

  // Key names of the section, in file order (duplicates included).
  std::vector<std::string> ReadSection(const std::string& section) const;

  // Key names and values of the section, in file order, each value the one
  // written on the key's own line.
  std::vector<std::pair<std::string, std::string>> ReadSectionValues(const std::string& section) const;

  // Names of every section, in file order.
  std::vector<std::string> ReadSections() const;

  // Where the sections and keys stand, for telling the user about them:
  // every section and every key of it in file order, repeats included, with
  // its line (from 1) and whether it is the one that is read (the first of
  // its name).
  struct KeyPlace {
    std::string Key;
    size_t Line;
    bool Read;
  };
  struct SectionPlace {
    std::string Name;
    size_t Line;
    bool Read;
    std::vector<KeyPlace> Keys;
  };
  std::vector<SectionPlace> Layout() const;

  // Raise EInOutError when the file cannot be written, and EConvertError for a
  // section, key or value that the file form cannot hold (line breaks, a key
  // with '=' or starting with ';' or '[', a section with ']').
  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& key, int value);
  void WriteBool(const std::string& section, const std::string& key, bool value);
  // Removes every section of that name with its keys (and one blank line
  // after it); nothing is written when there is none. Raises EInOutError
  // when the file cannot be written.
  void EraseSection(const std::string& section);

  // Replaces every key of the section (its first occurrence) with `values`,
  // in order, keeping its comment and blank lines; creates the section when
  // it does not exist. Keys are written exactly as given, so two keys that
  // differ only in case both stay (only the first is found by ReadString,
  // but ReadSectionValues gives both). EConvertError, before anything is
  // written, for a key or value the file form cannot hold or a key with
  // blanks at either end; EInOutError when the file cannot be written.
  void WriteSectionValues(const std::string& section,
                          const std::vector<std::pair<std::string, std::string>>& values);

 private:
  struct Entry {
    std::string key;
    std::string value;
    size_t line;
  };
  struct Section {
    std::string name;
    size_t line;
    size_t last_line;  // last non-blank line that belongs to the section
    std::vector<Entry> entries;
    std::unordered_map<std::string, size_t, SameTextHash, SameTextEqual> first_entry;  // key -> index
  };

  void Load();
  void Parse();
  // Writes the lines back atomically and parses them again.
  void Save();
  const Section* FindSection(std::string_view name) const;
  const Entry* FindEntry(std::string_view section, std::string_view key) const;

  std::string path_;
  std::vector<std::string> lines_;
  std::string line_end_ = "\n";
  bool bom_ = false;  // the file began with a byte-order mark
  std::vector<Section> sections_;
  std::unordered_map<std::string, size_t, SameTextHash, SameTextEqual> first_section_;
};

}  // namespace orv
