#include "core/site/project_check.h"

#include <array>
#include <string>
#include <vector>

#include "platform/paths.h"

namespace orv {

namespace {

// The sections the build reads and, where it reads only some, their keys.
struct KnownSection {
  const char* name;
  std::vector<const char*> keys;  // empty: every key is read
};

const std::array<KnownSection, 5>& KnownSections() {
  static const std::array<KnownSection, 5> sections = {{
      {"directories", {"src", "out", "img", "static"}},
      {"other", {"imgprep", "lineends"}},
      {"Compiler", {"vars", "db", "scripts", "extapps", "includes"}},
      {"variables", {}},
      {"files", {}},
  }};
  return sections;
}

const KnownSection* FindKnown(const std::string& name) {
  for (const KnownSection& section : KnownSections())
    if (SameText(name, section.name)) return &section;
  return nullptr;
}

bool KnownKey(const KnownSection& section, const std::string& key) {
  for (const char* known : section.keys)
    if (SameText(key, known)) return true;
  return false;
}

// Whether `key` is one of the [files] keys read: "0" to count-1, written
// without leading zeros.
bool ReadFileKey(const std::string& key, size_t count) {
  if (key.empty() || key.size() > 9 || (key.size() > 1 && key[0] == '0')) return false;
  size_t number = 0;
  for (char c : key) {
    if (c < '0' || c > '9') return false;
    number = number * 10 + static_cast<size_t>(c - '0');
  }
  return number < count;
}

// The line of the first `key` in `section`, or 0 when there is none.
size_t KeyLine(const TIniFile& ini, const std::string& section, const std::string& key) {
  for (const TIniFile::SectionPlace& place : ini.Layout()) {
    if (!place.Read || !SameText(place.Name, section)) continue;
    for (const TIniFile::KeyPlace& key_place : place.Keys)
      if (key_place.Read && SameText(key_place.Key, key)) return key_place.Line;
  }
  return 0;
}

// The place of [files] key `key`, or "" when the key is not in the file.
std::string FileKeyPlace(const TProjectSettings& settings, size_t key) {
  const size_t line = key < settings.FileLines.size() ? settings.FileLines[key] : 0;
  return line == 0 ? std::string() : PlaceText(settings.ProjectFile, static_cast<int>(line));
}

}  // namespace

void CheckProject(const TIniFile& ini, TParseStruct& context) {
  const std::string& path = context.Settings.ProjectFile;
  BuildReport& report = context.Build.Report;
  const bool whole_project = context.Settings.SingleFile.empty();
  for (const TIniFile::SectionPlace& section : ini.Layout()) {
    const std::string place = PlaceText(path, static_cast<int>(section.Line));
    const KnownSection* known = FindKnown(section.Name);
    if (!known) {
      report.Warning(place, "unknown section [" + section.Name + "]");
      continue;
    }
    if (!section.Read) {
      report.Warning(place, "section [" + section.Name + "] repeats; only its first occurrence is read");
      continue;
    }
    const bool files = SameText(section.Name, "files");
    if (files && !whole_project) continue;
    if (files) context.Settings.FileLines.assign(section.Keys.size(), 0);
    for (const TIniFile::KeyPlace& key : section.Keys) {
      // Made only for a warning: a project may list thousands of pages.
      auto key_place = [&path, &key] { return PlaceText(path, static_cast<int>(key.Line)); };
      if (files) {
        if (key.Read && ReadFileKey(key.Key, section.Keys.size())) {
          context.Settings.FileLines[std::stoul(key.Key)] = key.Line;
          continue;
        }
        report.Warning(key_place(), "key \"" + key.Key + "\" of [files] is never read: pages are read from the keys 0 to " +
                                      std::to_string(section.Keys.size() - 1));
      } else if (!known->keys.empty() && !KnownKey(*known, key.Key)) {
        report.Warning(key_place(), "unknown key \"" + key.Key + "\" in [" + section.Name + "]");
      } else if (!key.Read && !known->keys.empty()) {
        report.Warning(key_place(), "key \"" + key.Key + "\" repeats in [" + section.Name + "]; only the first is read");
      }
    }
  }
}

LineEnds ReadLineEnds(const TIniFile& ini, TParseStruct& context) {
  const std::string value = ini.ReadString("other", "lineends", "");
  if (value.empty() || SameText(value, "crlf")) return LineEnds::CrLf;
  if (SameText(value, "lf")) return LineEnds::Lf;
  const std::string& path = context.Settings.ProjectFile;
  context.Build.Report.Warning(PlaceText(path, static_cast<int>(KeyLine(ini, "other", "lineends"))),
                               "lineends \"" + value + "\" in [other] is neither crlf nor lf; pages get CR LF line ends");
  return LineEnds::CrLf;
}

void ReportMissingPage(TParseStruct& context, size_t index, const std::string& entry) {
  const TProjectSettings& settings = context.Settings;
  if (!settings.SingleFile.empty()) {
    context.Build.Report.Warning(entry, "the page does not exist");
    return;
  }
  const size_t key = index < settings.FileEntryKeys.size() ? settings.FileEntryKeys[index] : index;
  const std::string where = FileKeyPlace(settings, key);
  if (where.empty()) return;
  if (entry.empty())
    context.Build.Report.Warning(where, "key \"" + std::to_string(key) + "\" of [files] names no page");
  else
    context.Build.Report.Warning(where, "page \"" + entry + "\" does not exist");
}

void ReportEmptyPattern(TParseStruct& context, size_t key, const std::string& pattern) {
  const TProjectSettings& settings = context.Settings;
  const std::string where = FileKeyPlace(settings, key);
  context.Build.Report.Warning(where.empty() ? settings.ProjectFile : where,
                               "pattern \"" + pattern + "\" matches no file");
}

}  // namespace orv
