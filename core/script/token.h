// Tokens of the script language: TToken, the token kinds and the keyword codes
// the compiler tests, and the character classes of the lexer.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/script/variant.h"

namespace orv {

// Token kinds. 1..255 are operator characters: the kind is the byte itself.
enum TokenKind : int32_t {
  tkEnd = 0,        // end of text; Value is the integer 0
  tkIdent = 256,    // identifier; Value is its text in upper case
  tkString = 257,   // string literal; Value is the text between the quotes
  tkDigits = 258,   // decimal digits, or hexadecimal digits after '$'; Value is the text
  tkConst = 261,    // registered constant; Value is its number (FindConst)
  tkHexX = 262,     // "0x1F" form; Value is the text from the third character on
  tkKeyword = 1000, // keywords are 1000 and up; Value is the word in upper case
};

// Keyword codes (1026, 1028..1030 and 1060..1068 are unassigned).
enum Keyword : int32_t {
  kwProgram = 1000, kwLabel = 1001, kwGoto = 1002, kwVar = 1003, kwBegin = 1004,
  kwEnd = 1005, kwAnd = 1006, kwOr = 1007, kwXor = 1008, kwNot = 1009,
  kwShl = 1010, kwShr = 1011, kwDiv = 1012, kwMod = 1013, kwTrue = 1014,
  kwFalse = 1015, kwIf = 1016, kwThen = 1017, kwElse = 1018, kwWhile = 1019,
  kwRepeat = 1020, kwUntil = 1021, kwFor = 1022, kwTo = 1023, kwDownTo = 1024,
  kwDo = 1025, kwNil = 1027, kwInitialization = 1031, kwFinalization = 1032,
  kwClass = 1033, kwType = 1034, kwConstructor = 1035, kwDestructor = 1036,
  kwUses = 1037, kwUnit = 1038, kwInterface = 1039, kwImplementation = 1040,
  kwProcedure = 1041, kwPrivate = 1042, kwPublic = 1043, kwProtected = 1044,
  kwPublished = 1045, kwFunction = 1046, kwConst = 1047, kwProperty = 1048,
  kwVirtual = 1049, kwOverride = 1050, kwDynamic = 1051, kwRecord = 1052,
  kwForward = 1053, kwIndex = 1054, kwRead = 1055, kwWrite = 1056,
  kwStored = 1057, kwDefault = 1058, kwAbstract = 1059, kwStdcall = 1069,
};

// A token: its kind and its value.
struct TToken {
  int32_t Kind = tkEnd;
  Variant Value;
};

// The keyword code of `word` (any case); -1 when it is no keyword.
int32_t FindKeyword(std::string_view word);

// Character classes over the 256 byte values.
bool IsWhiteSpace(unsigned char c);      // 1..32 (0 is the end of text)
bool IsOperatorChar(unsigned char c);    // # $ % & ( ) * + , - . / : ; < = > [ ] ^ | ~ @
bool IsWordTerminator(unsigned char c);  // 0..32, quotes, @ and the operator/brace bytes
bool IsIdentStart(unsigned char c);      // A..Z, _, 192..223 (test after upper-casing)
bool IsIdentChar(unsigned char c);       // 0..9 and the identifier starts
bool IsDecimalDigit(unsigned char c);
bool IsHexDigit(unsigned char c);        // 0..9, A..F (upper case)

}  // namespace orv
