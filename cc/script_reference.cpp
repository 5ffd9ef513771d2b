#include "cc/script_reference.h"

#include <algorithm>
#include <map>
#include <sstream>

#include "cc/script_reference_notes.h"
#include "components/object.h"
#include "core/script/host_registry.h"
#include "platform/paths.h"

namespace orv {
namespace {

constexpr std::string_view kSetter = "_SET";
constexpr std::string_view kIndexedSetter = "_VET";

// The notes by upper-case name.
std::map<std::string, const ScriptNote*> NotesByName() {
  std::map<std::string, const ScriptNote*> notes;
  for (const ScriptNote& note : ScriptNotes()) notes[UpperCase(note.name)] = &note;
  return notes;
}

std::vector<std::string> SplitNames(std::string_view list) {
  std::vector<std::string> names;
  while (!list.empty()) {
    size_t comma = list.find(',');
    std::string_view name = list.substr(0, comma);
    while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
    names.emplace_back(name);
    if (comma == std::string_view::npos) break;
    list.remove_prefix(comma + 1);
  }
  return names;
}

// The parameters a routine's signature shows: the note's names when they fit,
// else the kind words, with "var" before a var parameter and brackets around
// an array.
std::vector<std::string> ParamTexts(const TFunListItem& item, const ScriptNote* note) {
  std::vector<std::string> names = note ? SplitNames(note->params) : std::vector<std::string>{};
  bool named = static_cast<int32_t>(names.size()) == item.ParamCount;
  std::vector<std::string> texts;
  for (int32_t i = 0; i < item.ParamCount; ++i) {
    ParamKind kind = item.ParamKinds[static_cast<size_t>(i)];
    std::string name = named ? names[static_cast<size_t>(i)] : kind == pkArray ? "values" : "value";
    if (kind == pkVar) name = "var " + name;
    if (kind == pkArray) name = "[" + name + "]";
    texts.push_back(name);
  }
  return texts;
}

std::string Join(const std::vector<std::string>& parts, std::string_view between) {
  std::string text;
  for (size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) text += between;
    text += parts[i];
  }
  return text;
}

bool EndsWith(std::string_view text, std::string_view end) {
  return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

// One row of a table: a routine, or a property with its setter folded in.
struct Entry {
  std::string key;  // upper case, CLASS.MEMBER for a member
  int32_t number;
  bool settable = false;  // a _SET or _VET routine exists beside it
};

std::string Signature(const Entry& entry, const TFunListItem& item, const ScriptNote* note,
                      std::string_view shown_name) {
  std::vector<std::string> params = ParamTexts(item, note);
  std::string name(shown_name);
  if (params.empty()) return name;
  if (entry.settable) return name + "[" + Join(params, ", ") + "]";
  return name + "(" + Join(params, ", ") + ")";
}

std::string KindText(const Entry& entry, const TFunListItem& item) {
  if (entry.settable) return item.ParamCount > 0 ? "indexed property" : "property";
  return item.Kind == fkProcedure ? "procedure" : "function";
}

std::string Row(const Entry& entry, const std::map<std::string, const ScriptNote*>& notes,
                std::string_view shown_name) {
  const TFunListItem& item = FunctionAt(entry.number);
  auto found = notes.find(entry.key);
  const ScriptNote* note = found == notes.end() ? nullptr : found->second;
  return "| `" + Signature(entry, item, note, shown_name) + "` | " + KindText(entry, item) + " | " +
         std::string(note ? note->text : "") + " |\n";
}

// Every registered routine but the setters of properties, sorted by name;
// members (with a point) grouped by class.
std::map<std::string, std::vector<Entry>> EntriesByClass() {
  std::map<std::string, int32_t> numbers;
  for (int32_t n = 0; n < FunctionCount(); ++n) numbers[FunctionKey(n)] = n;
  std::map<std::string, std::vector<Entry>> classes;
  for (const auto& [key, number] : numbers) {
    bool setter = EndsWith(key, kSetter) || EndsWith(key, kIndexedSetter);
    if (setter && numbers.count(key.substr(0, key.size() - kSetter.size()))) continue;
    Entry entry{key, number};
    entry.settable = numbers.count(key + std::string(kSetter)) || numbers.count(key + std::string(kIndexedSetter));
    size_t point = key.find('.');
    classes[point == std::string::npos ? std::string() : key.substr(0, point)].push_back(entry);
  }
  return classes;
}

std::string ConstantText(const Variant& value) {
  std::string text = value.AsString();
  if (value.Type() == varString) {
    text.insert(text.begin(), '\'');
    text.push_back('\'');
  }
  return text;
}

const char* const kIntroduction =
    "# Script reference\n"
    "\n"
    "Every routine, constant and class member a script can use, as the script\n"
    "engine registers them at start-up. This file is generated: `orvscript\n"
    "--reference > docs/script-reference.md` writes it, and a test fails when it\n"
    "differs from the program's output. Names are found without regard to case.\n"
    "\n"
    "In a signature, `var X` is a parameter that must be a variable and receives\n"
    "a value; `[Values]` is a list written in square brackets, `[a, b, c]` (when\n"
    "it is the routine's only parameter the brackets may be left out); a routine\n"
    "shown without parentheses takes no parameters and is called without them.\n"
    "A function gives a value and may also stand as a statement; a procedure is a\n"
    "statement only. A property is read like a function without parameters and\n"
    "set with `:=`; an indexed property takes its indices in brackets,\n"
    "`L.Strings[0] := 'x'`. The language is described in the\n"
    "[user's guide](user-guide.md#5-the-scripting-language).\n";

}  // namespace

std::string ScriptReference() {
  std::map<std::string, const ScriptNote*> notes = NotesByName();
  std::map<std::string, std::vector<Entry>> classes = EntriesByClass();
  std::ostringstream out;
  out << kIntroduction;

  out << "\n## Routines\n\n| Routine | Kind | What it does |\n|---|---|---|\n";
  for (const Entry& entry : classes[""]) out << Row(entry, notes, FunctionAt(entry.number).Name);

  out << "\n## Constants\n\n| Constant | Value | What it is |\n|---|---|---|\n";
  std::map<std::string, int32_t> constants;
  for (int32_t n = 0; n < ConstCount(); ++n) constants[ConstKey(n)] = n;
  for (const auto& [key, number] : constants) {
    auto found = notes.find(key);
    out << "| `" << key << "` | `" << ConstantText(ConstAt(number)) << "` | "
        << (found == notes.end() ? std::string_view() : found->second->text) << " |\n";
  }

  out << "\n## Class members\n\nA member is called on an object: `L.Add('x')`. Members of a class\n"
         "work on objects of every class derived from it.\n";
  for (const auto& [class_name, entries] : classes) {
    if (class_name.empty()) continue;
    out << "\n### " << class_name << "\n\n";
    std::string parent = ClassParent(class_name);
    if (!parent.empty()) out << "Derived from " << UpperCase(parent) << ".\n\n";
    out << "| Member | Kind | What it does |\n|---|---|---|\n";
    for (const Entry& entry : entries) out << Row(entry, notes, entry.key);
  }
  return out.str();
}

std::vector<std::string> StaleNotes() {
  std::vector<std::string> problems;
  for (const ScriptNote& note : ScriptNotes()) {
    std::string name(note.name);
    int32_t number = FindFunction(name);
    if (number < 0) {
      if (FindConst(name) < 0) problems.push_back(name + ": nothing of that name is registered");
      continue;
    }
    const TFunListItem& item = FunctionAt(number);
    size_t given = SplitNames(note.params).size();
    if (static_cast<int32_t>(given) != item.ParamCount) {
      problems.push_back(name + ": the note names " + std::to_string(given) + " parameters, the routine takes " +
                         std::to_string(item.ParamCount));
    }
  }
  return problems;
}

}  // namespace orv
