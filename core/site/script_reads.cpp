#include "core/site/script_reads.h"

#include <algorithm>
#include <span>
#include <string>
#include <vector>

#include "core/script/host_registry.h"
#include "core/script/opcodes.h"
#include "core/script/program_image.h"

namespace orv {

namespace {

// Routines that read nothing but their arguments, and those whose reads and
// effects the build records. Properties are listed with their setters
// (_SET, _VET for indexed ones).
constexpr std::string_view kRecorded[] = {
    // Site routines.
    "WRITELN", "CURFILE", "GETVAR", "DEFVAR", "EXTRACTFILENAME", "EXTRACTFILEPATH", "STRIPFILEEXT",
    "CHANGEFILEEXT", "INSERTIMAGE", "INSERTIMAGEEX", "ORD", "BUILDFILE", "DELQUEUE", "SCANF",
    // Strings, values and objects.
    "SETLENGTH", "LENGTH", "INSERT", "POS", "COPY", "DELETE", "STR", "IORESULT", "MOVE", "UPCASE", "VARCLEAR",
    "VARCOPY", "VARTYPE", "VARASTYPE", "VARISEMPTY", "VARISNULL", "VARTOSTR", "VARFROMDATETIME",
    "VARTODATETIME", "VARARRAYOF", "VARARRAYDIMCOUNT", "VARARRAYLOWBOUND", "VARARRAYHIGHBOUND", "VARARRAYREF",
    "VARISARRAY", "UNIQUESTRING", "FPOWER10", "TEXTSTART", "TOBJECT.FREE", "TOBJECT.CLASSNAME",
    "TOBJECT.CLASSNAMEIS", "TOBJECT.INSTANCESIZE",
    // Conversions (the locale they follow is part of the build's digest).
    "INTTOHEX", "INTTOSTR", "FORMAT", "ANSIUPPERCASE", "ANSILOWERCASE", "FLOATTOSTR", "ANSICOMPARESTR",
    "ANSICOMPARETEXT", "TRIM", "TRIMLEFT", "TRIMRIGHT", "VAL", "DATETOSTR", "DECODEDATE", "ENCODEDATE",
    "FORMATDATETIME", "STRTOINT", "STRTOFLOAT", "FORMATFLOAT",
    // String lists (LoadFromFile reports what it reads).
    "TPERSISTENT.ASSIGN", "TSTRINGS.ADD", "TSTRINGS.ADDOBJECT", "TSTRINGS.EQUALS", "TSTRINGS.INDEXOF",
    "TSTRINGS.INDEXOFNAME", "TSTRINGS.INDEXOFOBJECT", "TSTRINGS.APPEND", "TSTRINGS.ADDSTRINGS",
    "TSTRINGS.BEGINUPDATE", "TSTRINGS.CLEAR", "TSTRINGS.DELETE", "TSTRINGS.ENDUPDATE", "TSTRINGS.EXCHANGE",
    "TSTRINGS.INSERT", "TSTRINGS.LOADFROMFILE", "TSTRINGS.MOVE", "TSTRINGS.COMMATEXT", "TSTRINGS.COMMATEXT_SET",
    "TSTRINGS.TEXT", "TSTRINGS.TEXT_SET", "TSTRINGS.COUNT", "TSTRINGS.STRINGS", "TSTRINGS.STRINGS_VET",
    "TSTRINGS.NAMES", "TSTRINGS.OBJECTS", "TSTRINGS.OBJECTS_VET", "TSTRINGS.VALUES", "TSTRINGS.VALUES_VET",
    "TSTRINGLIST.CREATE", "TSTRINGLIST.FIND", "TSTRINGLIST.SORT", "TSTRINGLIST.DUPLICATES",
    "TSTRINGLIST.DUPLICATES_SET", "TSTRINGLIST.SORTED", "TSTRINGLIST.SORTED_SET", "TSTRINGLIST.CASESENSITIVE",
    "TSTRINGLIST.CASESENSITIVE_SET", "TSTRINGS.CASESENSITIVE", "TSTRINGS.CASESENSITIVE_SET",
    "TSTRINGS.NAMEVALUESEPARATOR", "TSTRINGS.NAMEVALUESEPARATOR_SET", "TSTRINGS.DELIMITER",
    "TSTRINGS.DELIMITER_SET", "TSTRINGS.DELIMITEDTEXT", "TSTRINGS.DELIMITEDTEXT_SET", "TSTRINGS.QUOTECHAR",
    "TSTRINGS.QUOTECHAR_SET", "TSTRINGS.VALUEFROMINDEX", "TSTRINGS.VALUEFROMINDEX_VET", "TSTRINGS.ADDPAIR",
    "TSTRINGS.GETTEXT", "TSTRINGS.SETTEXT", "TSTRINGS.CAPACITY",
};

// Routines that are not recorded, since they read the clock or the
// process's arguments, but reach no file. Every recorded routine keeps to
// the build: the files they read are settled first (InsertImage, and
// LoadFromFile through the build's read trace).
constexpr std::string_view kFileFree[] = {"DATE", "TIME", "NOW", "STRTODATE", "RANDOMIZE", "PARAMCOUNT", "PARAMSTR"};

bool Listed(std::span<const std::string_view> names, std::string_view key) {
  return std::find(names.begin(), names.end(), key) != names.end();
}

// What a page build needs to know of a routine.
struct Verdict {
  bool judged = false;
  std::string key;  // the routine's registry key when judged
  bool recorded = false;
  bool keeps_to_build = false;
};

// The verdict on routine `number`, judged once per registry key (a number
// names another routine after the engine started again).
const Verdict& VerdictOn(int32_t number) {
  static std::vector<Verdict> verdicts;
  if (static_cast<size_t>(number) >= verdicts.size()) verdicts.resize(static_cast<size_t>(number) + 1);
  Verdict& verdict = verdicts[static_cast<size_t>(number)];
  const std::string& key = FunctionKey(number);
  if (!verdict.judged || verdict.key != key) {
    verdict.judged = true;
    verdict.key = key;
    verdict.recorded = IsRecordedRoutine(key);
    verdict.keeps_to_build = verdict.recorded || Listed(kFileFree, key);
  }
  return verdict;
}

// Whether every routine `program` may call passes `test`, and, unless
// `variables` is set, the program uses no dynamic variable (whose reads
// are not recorded, though they reach no file).
template <typename Test>
bool EveryRoutine(const TProgram& program, bool variables, Test test) {
  const std::vector<TProgItem>& code = program.Code;
  for (size_t i = 0; i < code.size(); ++i) {
    const int32_t op = code[i].Op;
    if (!variables && (op == opDynGet || op == opDynSet)) return false;
    if (op == opCall) {
      if (code[i].B < 0 || !test(VerdictOn(code[i].B))) return false;
      i += static_cast<size_t>(CallDataWords(FunctionAt(code[i].B).ParamCount));
    } else if (const TOpInfo* info = FindOpInfo(op)) {
      i += static_cast<size_t>(info->data_words > 0 ? info->data_words : 0);
    }
  }
  return true;
}

}  // namespace

bool IsRecordedRoutine(std::string_view key) { return Listed(kRecorded, key); }

bool ReadsAreRecorded(const TProgram& program) {
  return EveryRoutine(program, false, [](const Verdict& verdict) { return verdict.recorded; });
}

bool KeepsToTheBuild(const TProgram& program) {
  return EveryRoutine(program, true, [](const Verdict& verdict) { return verdict.keeps_to_build; });
}

}  // namespace orv
