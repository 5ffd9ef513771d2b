// orv_binding_table: writes the script bindings of the visual classes as
// C++. It links liborvcontrols.so, whose class tables register on load, and
// writes one MemberBinding row (class_binding.h) per member they bind, with
// the function that registers the table. The build runs it and compiles its
// output into the core, which so knows every script-visible name of the
// visual classes at start-up without loading Qt.
//   orv_binding_table OUTPUT.cpp
#include <cctype>
#include <exception>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "components/class_table.h"
#include "platform/exception.h"
#include "platform/paths.h"

namespace orv {
namespace {

const char* KindName(MemberKind kind) {
  switch (kind) {
    case MemberKind::Property: return "Property";
    case MemberKind::ReadOnly: return "ReadOnly";
    case MemberKind::IndexedReadOnly: return "IndexedReadOnly";
    case MemberKind::Procedure: return "Procedure";
    case MemberKind::Function: return "Function";
    case MemberKind::Constructor: return "Constructor";
  }
  return "";
}

// `text` as a string literal; only names and parameter letters are written,
// so anything else is a fault in a table.
std::string Literal(const std::string& text) {
  for (char c : text)
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_')
      throw Exception("A binding names \"" + text + "\", which is not an identifier");
  return '"' + text + '"';
}

std::string Source(const std::vector<BoundMember>& members) {
  std::ostringstream out;
  out << "// Written by orv_binding_table from the class tables of liborvcontrols.so.\n"
         "#include \"core/host/class_binding.h\"\n"
         "#include \"core/host/class_bindings.h\"\n\n"
         "namespace orv {\n"
         "namespace {\n\n"
         "using enum MemberKind;\n\n"
         "constexpr MemberBinding kVisualClassMembers[] = {\n";
  for (const BoundMember& member : members)
    out << "    {" << Literal(member.class_name) << ", " << Literal(UpperCase(member.name)) << ", "
        << KindName(member.kind) << ", " << Literal(member.params) << "},\n";
  out << "};\n\n"
         "}  // namespace\n\n"
         "void RegisterVisualClassBindings() { RegisterMembers<kVisualClassMembers>(); }\n\n"
         "}  // namespace orv\n";
  return out.str();
}

std::string FileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Writes the bindings to `path`, leaving a file that already holds them
// untouched so that nothing is rebuilt for it.
void Write(const std::string& path) {
  if (!FindClassDescriptor("TControl")) throw Exception("liborvcontrols.so registered no classes");
  std::vector<BoundMember> members = BoundMembers();
  if (members.empty()) throw Exception("The class tables bind no members");
  std::string source = Source(members);
  if (FileText(path) == source) return;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << source;
  out.close();
  if (!out) throw Exception("Cannot write " + path);
}

}  // namespace
}  // namespace orv

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: orv_binding_table OUTPUT.cpp\n";
    return 2;
  }
  try {
    orv::Write(argv[1]);
  } catch (const std::exception& error) {
    std::cerr << "orv_binding_table: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
