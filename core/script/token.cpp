#include "core/script/token.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "platform/paths.h"

namespace orv {
namespace {

struct KeywordEntry {
  const char* word;  // upper case
  int32_t code;
};

// Sorted by word, so a keyword is found by binary search.
constexpr std::array<KeywordEntry, 57> kKeywords = {{
    {"ABSTRACT", kwAbstract},     {"AND", kwAnd},
    {"BEGIN", kwBegin},           {"CLASS", kwClass},
    {"CONST", kwConst},           {"CONSTRUCTOR", kwConstructor},
    {"DEFAULT", kwDefault},       {"DESTRUCTOR", kwDestructor},
    {"DIV", kwDiv},               {"DO", kwDo},
    {"DOWNTO", kwDownTo},         {"DYNAMIC", kwDynamic},
    {"ELSE", kwElse},             {"END", kwEnd},
    {"FALSE", kwFalse},           {"FINALIZATION", kwFinalization},
    {"FOR", kwFor},               {"FORWARD", kwForward},
    {"FUNCTION", kwFunction},     {"GOTO", kwGoto},
    {"IF", kwIf},                 {"IMPLEMENTATION", kwImplementation},
    {"INDEX", kwIndex},           {"INITIALIZATION", kwInitialization},
    {"INTERFACE", kwInterface},   {"LABEL", kwLabel},
    {"MOD", kwMod},               {"NIL", kwNil},
    {"NOT", kwNot},               {"OR", kwOr},
    {"OVERRIDE", kwOverride},     {"PRIVATE", kwPrivate},
    {"PROCEDURE", kwProcedure},   {"PROGRAM", kwProgram},
    {"PROPERTY", kwProperty},     {"PROTECTED", kwProtected},
    {"PUBLIC", kwPublic},         {"PUBLISHED", kwPublished},
    {"READ", kwRead},             {"RECORD", kwRecord},
    {"REPEAT", kwRepeat},         {"SHL", kwShl},
    {"SHR", kwShr},               {"STDCALL", kwStdcall},
    {"STORED", kwStored},         {"THEN", kwThen},
    {"TO", kwTo},                 {"TRUE", kwTrue},
    {"TYPE", kwType},             {"UNIT", kwUnit},
    {"UNTIL", kwUntil},           {"USES", kwUses},
    {"VAR", kwVar},               {"VIRTUAL", kwVirtual},
    {"WHILE", kwWhile},           {"WRITE", kwWrite},
    {"XOR", kwXor},
}};

}  // namespace

int32_t FindKeyword(std::string_view word) {
  std::string key = UpperCase(word);
  auto end = kKeywords.end();
  auto it = std::lower_bound(kKeywords.begin(), end, key,
                             [](const KeywordEntry& e, const std::string& k) { return e.word < k; });
  return it != end && key == it->word ? it->code : -1;
}

bool IsWhiteSpace(unsigned char c) { return c >= 1 && c <= 32; }

bool IsOperatorChar(unsigned char c) {
  return c != 0 && std::strchr("#$%&()*+,-./:;<=>[]^|~@", c) != nullptr;
}

bool IsWordTerminator(unsigned char c) {
  return c <= 32 || std::strchr("\"'@#$%&()*+,-./:;<=>[]^{|}~", c) != nullptr;
}

bool IsIdentStart(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || c == '_' || (c >= 192 && c <= 223);
}

bool IsIdentChar(unsigned char c) { return IsDecimalDigit(c) || IsIdentStart(c); }

bool IsDecimalDigit(unsigned char c) { return c >= '0' && c <= '9'; }

bool IsHexDigit(unsigned char c) { return IsDecimalDigit(c) || (c >= 'A' && c <= 'F'); }

}  // namespace orv
