#include "core/lib/sys_library.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <vector>

#include "core/lib/binding.h"
#include "core/lib/date_time.h"
#include "core/lib/number_format.h"
#include "core/lib/print_attachments.h"
#include "core/lib/script_runners.h"
#include "platform/files.h"
#include "platform/message_service.h"
#include "platform/paths.h"
#include "platform/text_search.h"

namespace orv {
namespace {

using A = ArgBlock;
using R = Variant;

constexpr size_t kMaxStringLength = size_t{1} << 28;

// A 1-based index argument below 1 counts as 1.
size_t StartIndex(const Variant& index) { return static_cast<size_t>(std::max(index.AsInteger(), 1)); }

std::string JoinedText(const Variant& values) {
  std::string text;
  for (const Variant& value : ConstArrayFromVariant(values)) text += value.AsString();
  return text;
}

bool IsFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

// The process's command line: the program path first, then its arguments.
const std::vector<std::string>& CommandLine() {
  static const std::vector<std::string> words = [] {
    std::vector<std::string> out;
    std::ifstream in("/proc/self/cmdline", std::ios::binary);
    std::string word;
    while (std::getline(in, word, '\0')) out.push_back(word);
    char exe[4096];
    ssize_t n = ::readlink("/proc/self/exe", exe, sizeof exe - 1);
    std::string program = n > 0 ? std::string(exe, static_cast<size_t>(n)) : std::string();
    if (out.empty()) out.push_back(program);
    else if (!program.empty()) out[0] = program;
    return out;
  }();
  return words;
}

// The 16-byte image of a value as the runtime lays it out: the type code in
// bytes 0-1 and the value from byte 8. Strings and arrays have none.
using ValueImage = std::array<unsigned char, 16>;

bool ImageOf(const Variant& v, ValueImage& image) {
  image.fill(0);
  uint16_t type = v.Type();
  std::memcpy(image.data(), &type, 2);
  unsigned char* value = image.data() + 8;
  switch (type) {
    case varEmpty:
    case varInteger: {
      uint32_t field = v.ValueField();
      std::memcpy(value, &field, 4);
      return true;
    }
    case varNull: return true;
    case varSmallint:
    case varBoolean: {
      int16_t small = static_cast<int16_t>(v.ValueField());
      std::memcpy(value, &small, 2);
      return true;
    }
    case varByte: value[0] = static_cast<unsigned char>(v.ValueField()); return true;
    case varSingle: {
      float f = static_cast<float>(v.AsReal());
      std::memcpy(value, &f, 4);
      return true;
    }
    case varDouble:
    case varDate: {
      double d = v.AsReal();
      std::memcpy(value, &d, 8);
      return true;
    }
    default: return false;
  }
}

Variant FromImage(const ValueImage& image) {
  uint16_t type = 0;
  std::memcpy(&type, image.data(), 2);
  const unsigned char* value = image.data() + 8;
  int32_t i32 = 0;
  int16_t i16 = 0;
  float f = 0;
  double d = 0;
  std::memcpy(&i32, value, 4);
  std::memcpy(&i16, value, 2);
  std::memcpy(&f, value, 4);
  std::memcpy(&d, value, 8);
  switch (type) {
    case varEmpty: return Variant::EmptyWithField(static_cast<uint32_t>(i32));
    case varNull: return Variant::Null();
    case varSmallint: return Variant::Smallint(i16);
    case varInteger: return Variant(i32);
    case varSingle: return Variant::Single(f);
    case varDouble: return Variant(d);
    case varDate: return Variant::Date(d);
    case varBoolean: return Variant(i16 != 0);
    case varByte: return Variant::Byte(value[0]);
    default: throw EConvertError("MOVE made a value of unknown type " + std::to_string(type));
  }
}

// MOVE: whole values are copied as values; a part of a value only between
// values of the plain kinds, through their images, so nothing outside the
// two values is ever read or written.
void MoveValue(const Variant& source, Variant& dest, int32_t count) {
  if (count <= 0) return;
  if (count >= 16) {
    dest = source;
    return;
  }
  ValueImage from, to;
  if (!ImageOf(source, from)) throw EConvertError("MOVE cannot copy part of a " + Variant::TypeName(source.Type()) + " value");
  if (!ImageOf(dest, to)) throw EConvertError("MOVE cannot copy into part of a " + Variant::TypeName(dest.Type()) + " value");
  std::memcpy(to.data(), from.data(), static_cast<size_t>(count));
  dest = FromImage(to);
}

void RequireArray(const Variant& a, const Variant& dim) {
  if (!a.IsArray()) throw EVariantError("Variant is not an array");
  if (dim.AsInteger() != 1) throw EVariantError("Variant array has no dimension " + std::to_string(dim.AsInteger()));
}

void NoEffect(TObject*, const std::string&, A&, R&) {}

void RegisterStringRoutines() {
  RegisterProc("SetLength", [](TObject*, const std::string&, A& a, R&) {
    std::string s = a[0].AsString();
    int32_t length = std::max(a[1].AsInteger(), 0);
    if (static_cast<size_t>(length) > kMaxStringLength) throw EOutOfMemory("Out of memory");
    s.resize(static_cast<size_t>(length), ' ');
    a[0] = s;
  }, {pkVar, pkValue});
  RegisterDirectFunc<1, [](const Variant& s, R& r) { r = static_cast<int32_t>(TextArg(s).View().size()); }>("Length");
  RegisterProc("Insert", [](TObject*, const std::string&, A& a, R&) {
    std::string s = a[1].AsString();
    s.insert(std::min(StartIndex(a[2]) - 1, s.size()), a[0].AsString());
    a[1] = s;
  }, {pkValue, pkVar, pkValue});
  RegisterDirectFunc<2, [](const Variant& sub_value, const Variant& s_value, R& r) {
    const TextArg sub_arg(sub_value), s_arg(s_value);
    const std::string_view sub = sub_arg, s = s_arg;
    size_t at = sub.empty() ? std::string_view::npos : FindText(s, sub);
    r = at == std::string_view::npos ? 0 : static_cast<int32_t>(at + 1);
  }>("Pos");
  RegisterDirectFunc<3, [](const Variant& s_value, const Variant& index, const Variant& count_value, R& r) {
    const TextArg text(s_value);
    const std::string_view s = text;
    size_t start = StartIndex(index);
    int32_t count = count_value.AsInteger();
    r = (start > s.size() || count <= 0) ? std::string_view() : s.substr(start - 1, static_cast<size_t>(count));
  }>("Copy");
  RegisterProc("Delete", [](TObject*, const std::string&, A& a, R&) {
    std::string s = a[0].AsString();
    size_t start = StartIndex(a[1]);
    int32_t count = a[2].AsInteger();
    if (start > s.size() || count <= 0) return;
    s.erase(start - 1, static_cast<size_t>(count));
    a[0] = s;
  }, {pkVar, pkValue, pkValue});
  RegisterProc("Str", [](TObject*, const std::string&, A& a, R&) {
    a[1] = DefaultRealNotation(a[0].AsReal());
  }, {pkValue, pkVar});
}

void RegisterObjectRoutines() {
  // Free on nil (or on an object already freed) does nothing.
  RegisterProc("TOBJECT.FREE", [](TObject* self, const std::string&, A&, R&) { delete self; }, {pkNone});
  RegisterProc("TOBJECT.CLEANUPINSTANCE",
               Method<TObject, [](TObject& self, A&, R&) { self.CleanupInstance(); }>, {pkNone});
  RegisterFunc("TOBJECT.CLASSNAME", Method<TObject, [](TObject& self, A&, R& r) { r = self.ClassName(); }>,
               {pkNone});
  RegisterFunc("TOBJECT.CLASSNAMEIS", Method<TObject, [](TObject& self, A& a, R& r) {
                 r = SameText(self.ClassName(), a[0].AsString());
               }>,
               {pkValue});
  RegisterFunc("TOBJECT.INSTANCESIZE",
               Method<TObject, [](TObject& self, A&, R& r) { r = static_cast<int32_t>(self.InstanceSize()); }>,
               {pkNone});
  // The message number is the value's integer field; the value itself is
  // left as it is.
  RegisterProc("TOBJECT.DISPATCH", Method<TObject, [](TObject& self, A& a, R&) {
                 TMessage message;
                 message.Msg = a[0].ValueField();
                 self.Dispatch(message);
               }>,
               {pkVar});
  RegisterProc("TOBJECT.DEFAULTHANDLER", Method<TObject, [](TObject& self, A& a, R&) {
                 TMessage message;
                 message.Msg = a[0].ValueField();
                 self.DefaultHandler(message);
               }>,
               {pkVar});
}

}  // namespace

void RegisterSysLibrary() {
  RegisterFunc("RunMacro", [](TObject*, const std::string& name, A& a, R& r) {
    std::string file = a[0].AsString();
    CheckFileName(file, name);
    if (!IsFile(file)) {
      ShowMessage(MessageKind::Error, "Script", "File " + file + " not found");
      return;
    }
    if (!GetScriptFileRunner()) throw ECompilerError("RunMacro is not available in this program");
    r = GetScriptFileRunner()(file);
  }, {pkValue});
  RegisterProc("RunForm", [](TObject*, const std::string& name, A& a, R&) {
    if (!GetScriptFormRunner()) throw ECompilerError("RunForm is not available in this program");
    std::string file = a[0].AsString();
    CheckFileName(file, name);
    GetScriptFormRunner()(file);
  }, {pkValue});
  RegisterProc("Print", [](TObject*, const std::string&, A& a, R&) {
    std::string text = JoinedText(a[0]);
    if (PrintControl()) PrintControl()(text);
    if (TStrings* log = PrintLog()) log->Add(text);
  }, {pkArray});
  RegisterProc("PrintError", [](TObject*, const std::string&, A& a, R&) {
    SetErrorFlag(true);
    if (TStrings* log = ErrorLog()) log->Add(JoinedText(a[0]));
  }, {pkArray});
  RegisterStringRoutines();
  RegisterObjectRoutines();
  // Nothing in the library reads files in a mode that records results, so
  // the result is always 0.
  RegisterFunc("IORESULT", [](TObject*, const std::string&, A&, R& r) { r = 0; }, {pkNone});
  RegisterProc("MOVE", [](TObject*, const std::string&, A& a, R&) { MoveValue(a[0], a[1], a[2].AsInteger()); },
               {pkValue, pkVar, pkValue});
  RegisterFunc("PARAMCOUNT", [](TObject*, const std::string&, A&, R& r) {
    r = static_cast<int32_t>(CommandLine().size()) - 1;
  }, {pkNone});
  RegisterFunc("PARAMSTR", [](TObject*, const std::string&, A& a, R& r) {
    int32_t index = a[0].AsInteger();
    const auto& words = CommandLine();
    r = index < 0 || static_cast<size_t>(index) >= words.size() ? std::string() : words[static_cast<size_t>(index)];
  }, {pkValue});
  RegisterProc("RANDOMIZE", [](TObject*, const std::string&, A&, R&) {
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    std::srand(static_cast<unsigned>(now.tv_sec ^ now.tv_nsec));
  }, {pkNone});
  RegisterDirectFunc<1, [](const Variant& text, R& r) {
    const TextArg arg(text);
    const std::string_view s = arg;
    if (s.empty()) {
      r = std::string();
      return;
    }
    char c = s[0];
    r = std::string(1, c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c);
  }>("UPCASE");
  RegisterProc("VARCLEAR", [](TObject*, const std::string&, A& a, R&) { a[0] = Variant(); }, {pkVar});
  RegisterProc("VARCOPY", [](TObject*, const std::string&, A& a, R&) { a[0] = a[1]; }, {pkVar, pkValue});
  RegisterDirectFunc<1, [](const Variant& v, R& r) { r = static_cast<int32_t>(v.Type()); }>("VARTYPE");
  RegisterFunc("VARASTYPE", [](TObject*, const std::string&, A& a, R& r) {
    int32_t code = a[1].AsInteger();
    if (code < 0 || code > 0xFFFF) throw EConvertError("Invalid variant type " + std::to_string(code));
    r = a[0].AsType(static_cast<uint16_t>(code));
  }, {pkValue, pkValue});
  RegisterFunc("VARISEMPTY", [](TObject*, const std::string&, A& a, R& r) { r = a[0].IsEmpty(); }, {pkValue});
  RegisterFunc("VARISNULL", [](TObject*, const std::string&, A& a, R& r) { r = a[0].IsNull(); }, {pkValue});
  RegisterDirectFunc<1, [](const Variant& v, R& r) { r = v.AsString(); }>("VARTOSTR");
  RegisterFunc("VARFROMDATETIME", [](TObject*, const std::string&, A& a, R& r) {
    r = Variant::Date(a[0].AsReal());
  }, {pkValue});
  RegisterFunc("VARTODATETIME", [](TObject*, const std::string&, A& a, R& r) {
    r = Variant::Date(a[0].IsString() ? StrToDateTime(a[0].StringView()) : a[0].AsReal());
  }, {pkValue});
  RegisterFunc("VARARRAYOF", [](TObject*, const std::string&, A& a, R& r) {
    Variant array = Variant::Array(0);
    array.PutElement(0, a[0]);
    r = array;
  }, {pkValue});
  RegisterFunc("VARARRAYDIMCOUNT", [](TObject*, const std::string&, A& a, R& r) {
    r = a[0].IsArray() ? 1 : 0;
  }, {pkValue});
  RegisterFunc("VARARRAYLOWBOUND", [](TObject*, const std::string&, A& a, R& r) {
    RequireArray(a[0], a[1]);
    r = 0;
  }, {pkValue, pkValue});
  RegisterFunc("VARARRAYHIGHBOUND", [](TObject*, const std::string&, A& a, R& r) {
    RequireArray(a[0], a[1]);
    r = a[0].ArrayHigh();
  }, {pkValue, pkValue});
  RegisterFunc("VARARRAYREF", [](TObject*, const std::string&, A& a, R& r) { r = a[0]; }, {pkValue});
  RegisterFunc("VARISARRAY", [](TObject*, const std::string&, A& a, R& r) { r = a[0].IsArray(); }, {pkValue});
  // Values never share text a script could change, so there is nothing to do.
  RegisterProc("UNIQUESTRING", NoEffect, {pkVar});
  RegisterProc("FPOWER10", NoEffect, {pkNone});
  RegisterProc("TEXTSTART", NoEffect, {pkNone});
  RegisterConst("pi", Variant(3.141592653589793));
}

}  // namespace orv
