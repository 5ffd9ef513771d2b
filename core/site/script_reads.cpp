#include "core/site/script_reads.h"

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

// Per routine number: 0 not yet looked at, 1 recorded, 2 not.
std::vector<char>& Verdicts() {
  static std::vector<char> verdicts;
  return verdicts;
}

bool RoutineRecorded(int32_t number) {
  std::vector<char>& verdicts = Verdicts();
  if (number < 0) return false;
  if (static_cast<size_t>(number) >= verdicts.size()) verdicts.resize(static_cast<size_t>(number) + 1, 0);
  char& verdict = verdicts[static_cast<size_t>(number)];
  if (verdict == 0) verdict = IsRecordedRoutine(FunctionKey(number)) ? 1 : 2;
  return verdict == 1;
}

}  // namespace

bool IsRecordedRoutine(std::string_view key) {
  for (std::string_view name : kRecorded)
    if (name == key) return true;
  return false;
}

bool ReadsAreRecorded(const TProgram& program) {
  const std::vector<TProgItem>& code = program.Code;
  for (size_t i = 0; i < code.size(); ++i) {
    const int32_t op = code[i].Op;
    if (op == opDynGet || op == opDynSet) return false;
    if (op == opCall) {
      if (!RoutineRecorded(code[i].B)) return false;
      i += static_cast<size_t>(CallDataWords(FunctionAt(code[i].B).ParamCount));
    } else if (const TOpInfo* info = FindOpInfo(op)) {
      i += static_cast<size_t>(info->data_words > 0 ? info->data_words : 0);
    }
  }
  return true;
}

}  // namespace orv
