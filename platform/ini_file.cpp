#include "platform/ini_file.h"

#include <cerrno>
#include <cstring>

#include "platform/exception.h"
#include "platform/files.h"
#include "platform/integer_text.h"
#include "platform/paths.h"

namespace orv {

namespace {

std::string Trim(const std::string& text) { return std::string(TrimBlanks(text)); }

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

// How a value is stored so that reading gives it back exactly: as it is,
// unless the reading rules would change it (blanks at either end, or a pair
// of quotes around it), in which case one pair of double quotes protects it.
std::string StoredValue(const std::string& value) {
  return Unquote(Trim(value)) == value ? value : "\"" + value + "\"";
}

// UTF-8's byte-order mark, which may begin the file.
constexpr char kBom[] = "\xef\xbb\xbf";

bool HasLineBreak(const std::string& text) { return text.find_first_of("\r\n") != std::string::npos; }

}  // namespace

TIniFile::TIniFile(std::string path) : path_(std::move(path)) { Load(); }

void TIniFile::Load() {
  std::string bytes;
  try {
    bytes = ReadFileBytes(path_);
  } catch (const EInOutError&) {
    bytes.clear();
  }
  bom_ = bytes.compare(0, 3, kBom) == 0;
  if (bom_) bytes.erase(0, 3);
  size_t first_break = bytes.find('\n');
  line_end_ = (first_break != std::string::npos && first_break > 0 && bytes[first_break - 1] == '\r')
                  ? "\r\n" : "\n";
  lines_ = SplitLines(bytes);
  Parse();
}

void TIniFile::Parse() {
  sections_.clear();
  first_section_.clear();
  for (size_t i = 0; i < lines_.size(); ++i) {
    const std::string_view line = TrimBlanks(lines_[i]);
    if (line.empty() || line[0] == ';') continue;
    if (line[0] == '[') {
      size_t close = line.find(']');
      std::string name(TrimBlanks(line.substr(1, close == std::string::npos ? std::string::npos : close - 1)));
      first_section_.try_emplace(name, sections_.size());
      sections_.push_back({std::move(name), i, i, {}, {}});
      continue;
    }
    if (sections_.empty()) continue;
    Section& section = sections_.back();
    section.last_line = i;
    size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    std::string key(TrimBlanks(line.substr(0, eq)));
    section.first_entry.try_emplace(key, section.entries.size());
    section.entries.push_back({std::move(key), std::string(Unquote(TrimBlanks(line.substr(eq + 1)))), i});
  }
}

std::vector<TIniFile::SectionPlace> TIniFile::Layout() const {
  std::vector<SectionPlace> places;
  places.reserve(sections_.size());
  for (size_t i = 0; i < sections_.size(); ++i) {
    const Section& section = sections_[i];
    SectionPlace place{section.name, section.line + 1, first_section_.at(section.name) == i, {}};
    for (size_t k = 0; k < section.entries.size(); ++k) {
      const Entry& entry = section.entries[k];
      place.Keys.push_back({entry.key, entry.line + 1, section.first_entry.at(entry.key) == k});
    }
    places.push_back(std::move(place));
  }
  return places;
}

const TIniFile::Section* TIniFile::FindSection(std::string_view name) const {
  auto it = first_section_.find(TrimBlanks(name));
  return it == first_section_.end() ? nullptr : &sections_[it->second];
}

const TIniFile::Entry* TIniFile::FindEntry(std::string_view section, std::string_view key) const {
  const Section* s = FindSection(section);
  if (!s) return nullptr;
  auto it = s->first_entry.find(TrimBlanks(key));
  return it == s->first_entry.end() ? nullptr : &s->entries[it->second];
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key,
                                 const std::string& default_value) const {
  const Entry* entry = FindEntry(section, key);
  return entry ? entry->value : default_value;
}

int TIniFile::ReadInteger(const std::string& section, const std::string& key, int default_value) const {
  const Entry* entry = FindEntry(section, key);
  int value;
  return entry && TryStrToInt(entry->value, value) ? value : default_value;
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key, bool default_value) const {
  return ReadInteger(section, key, default_value ? 1 : 0) != 0;
}

bool TIniFile::SectionExists(const std::string& section) const { return FindSection(section) != nullptr; }

bool TIniFile::ValueExists(const std::string& section, const std::string& key) const {
  return FindEntry(section, key) != nullptr;
}

std::vector<std::string> TIniFile::ReadSection(const std::string& section) const {
  std::vector<std::string> keys;
  if (const Section* s = FindSection(section))
    for (const Entry& entry : s->entries) keys.push_back(entry.key);
  return keys;
}

std::vector<std::pair<std::string, std::string>> TIniFile::ReadSectionValues(const std::string& section) const {
  std::vector<std::pair<std::string, std::string>> pairs;
  if (const Section* s = FindSection(section))
    for (const Entry& entry : s->entries) pairs.emplace_back(entry.key, entry.value);
  return pairs;
}

std::vector<std::string> TIniFile::ReadSections() const {
  std::vector<std::string> names;
  for (const Section& s : sections_) names.push_back(s.name);
  return names;
}

// The section name as it is stored; EConvertError when the file form cannot hold it.
static std::string CheckedSection(const std::string& section_name) {
  std::string section = Trim(section_name);
  if (HasLineBreak(section) || section.find(']') != std::string::npos)
    throw EConvertError("Invalid INI section name \"" + section_name + "\"");
  return section;
}

// The key name as it is stored; EConvertError when the file form cannot hold it.
static std::string CheckedKey(const std::string& key_name) {
  std::string key = Trim(key_name);
  if (key.empty() || HasLineBreak(key) || key.find('=') != std::string::npos || key[0] == ';' ||
      key[0] == '[')
    throw EConvertError("Invalid INI key name \"" + key_name + "\"");
  return key;
}

static void CheckValue(const std::string& value) {
  if (HasLineBreak(value)) throw EConvertError("An INI value cannot hold a line break");
}

void TIniFile::WriteString(const std::string& section_name, const std::string& key_name,
                           const std::string& value) {
  std::string section = CheckedSection(section_name);
  std::string key = CheckedKey(key_name);
  CheckValue(value);

  Load();
  const std::string stored = StoredValue(value);
  std::string line = key + "=" + stored;
  if (const Entry* entry = FindEntry(section, key)) {
    lines_[entry->line] = entry->key + "=" + stored;
  } else if (const Section* s = FindSection(section)) {
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(s->last_line + 1), line);
  } else {
    if (!lines_.empty() && !Trim(lines_.back()).empty()) lines_.push_back("");
    lines_.push_back("[" + section + "]");
    lines_.push_back(line);
  }
  Save();
}

void TIniFile::WriteSectionValues(const std::string& section_name,
                                  const std::vector<std::pair<std::string, std::string>>& values) {
  const std::string section = CheckedSection(section_name);
  std::vector<std::string> new_lines;
  for (const auto& [key_name, value] : values) {
    std::string key = CheckedKey(key_name);
    // A key that reading would change (blanks around it) could not be found again.
    if (key != key_name) throw EConvertError("Invalid INI key name \"" + key_name + "\"");
    CheckValue(value);
    new_lines.push_back(key + "=" + StoredValue(value));
  }

  Load();
  const auto at = [](size_t line) { return static_cast<std::ptrdiff_t>(line); };
  if (const Section* s = FindSection(section)) {
    // The new keys take the place of the first old one (or follow the
    // section's last line); comments and blank lines stay where they are.
    size_t insert_at = s->entries.empty() ? s->last_line + 1 : s->entries.front().line;
    for (auto entry = s->entries.rbegin(); entry != s->entries.rend(); ++entry)
      lines_.erase(lines_.begin() + at(entry->line));
    lines_.insert(lines_.begin() + at(insert_at), new_lines.begin(), new_lines.end());
  } else {
    if (!lines_.empty() && !Trim(lines_.back()).empty()) lines_.push_back("");
    lines_.push_back("[" + section + "]");
    lines_.insert(lines_.end(), new_lines.begin(), new_lines.end());
  }
  Save();
}

void TIniFile::EraseSection(const std::string& section_name) {
  Load();
  const std::string name = UpperCase(Trim(section_name));
  bool found = false;
  // From the last section backwards, so earlier line numbers stay right.
  for (auto s = sections_.rbegin(); s != sections_.rend(); ++s) {
    if (UpperCase(s->name) != name) continue;
    found = true;
    size_t end = s->last_line + 1;
    if (end < lines_.size() && Trim(lines_[end]).empty()) ++end;
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(s->line),
                 lines_.begin() + static_cast<std::ptrdiff_t>(end));
  }
  if (found) Save();
}

void TIniFile::Save() {
  // A file that began with a byte-order mark keeps it: without it, a first
  // line that itself begins with one would lose it at the next reading.
  std::string bytes = bom_ ? kBom : "";
  for (const std::string& l : lines_) bytes += l + line_end_;
  if (!WriteFileAtomic(path_, bytes))
    throw EInOutError("Cannot write file \"" + path_ + "\". " + std::strerror(errno));
  Parse();
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
  WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteBool(const std::string& section, const std::string& key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

}  // namespace orv
