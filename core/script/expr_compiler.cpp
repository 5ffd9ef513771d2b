// Expressions, operands, dotted names and calls of host and script routines.
#include <charconv>
#include <cstdint>

#include "core/script/compiler.h"
#include "core/script/dyna_vars.h"

namespace orv {
namespace {

// The value of a hexadecimal text; 0 when it holds anything but hexadecimal
// digits or does not fit 32 bits. Eight digits wrap ($FFFFFFFF is -1).
int32_t HexValue(std::string_view text) {
  uint32_t value = 0;
  if (text.empty()) return 0;
  for (char c : text) {
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else {
      return 0;
    }
    if (value > 0x0FFFFFFFu) return 0;
    value = (value << 4) | static_cast<uint32_t>(digit);
  }
  return static_cast<int32_t>(value);
}

}  // namespace

// --- expressions ---

// Sum [ relation Sum ]: at most one comparison.
int32_t TKelCompiler::CompileExpr() {
  int32_t left = Sum();
  int32_t op;
  switch (PeekKind()) {
    case '=':
      Next();
      op = opEqual;
      break;
    case '<':
      Next();
      op = opLess;
      if (PeekKind() == '>') {
        Next();
        op = opNotEqual;
      } else if (PeekKind() == '=') {
        Next();
        op = opLessEq;
      }
      break;
    case '>':
      Next();
      op = opGreater;
      if (PeekKind() == '=') {
        Next();
        op = opGreaterEq;
      }
      break;
    default:
      return left;
  }
  Emit(op, left, Sum());
  return left;
}

int32_t TKelCompiler::CompileExprRestoring() {
  int32_t saved = next_slot_;
  int32_t result = CompileExpr();
  next_slot_ = saved;
  return result;
}

int32_t TKelCompiler::Sum() {
  int32_t left = Term();
  for (;;) {
    int32_t op;
    switch (PeekKind()) {
      case '+': op = opAdd; break;
      case '-': op = opSub; break;
      case kwOr: op = opOr; break;
      case kwXor: op = opXor; break;
      default: return left;
    }
    Next();
    Emit(op, left, Term());
  }
}

int32_t TKelCompiler::Term() {
  int32_t left = Operand();
  for (;;) {
    int32_t op;
    switch (PeekKind()) {
      case '*': op = opMul; break;
      case '/': op = opDivide; break;
      case kwDiv: op = opIntDiv; break;
      case kwMod: op = opMod; break;
      case kwAnd: op = opAnd; break;
      case kwShl: op = opShl; break;
      case kwShr: op = opShr; break;
      default: return left;
    }
    Next();
    Emit(op, left, Operand());
  }
}

// --- operands ---

int32_t TKelCompiler::Operand() {
  NestingGuard nesting(*this);
  Next();
  switch (tok_.Kind) {
    case tkDigits:
      return NumberOperand();
    case '$':
      Next();
      if (tok_.Kind != tkDigits) Error("Hex constant declaration error");
      return LoadConst(Variant(HexValue(TokenText())));
    case tkHexX:
      return LoadConst(Variant(HexValue(TokenText())));
    case '#':
      return LoadConst(Variant(std::string(1, static_cast<char>(ExpectCharCode()))));
    case tkString:
      return StringOperand();
    case kwTrue:
      return LoadConst(Variant(true));
    case kwFalse:
      return LoadConst(Variant(false));
    case kwNil:
      return LoadConst(Variant(0));
    case tkConst:
      return LoadConst(ConstAt(tok_.Value.AsInteger()));
    case '(': {
      int32_t slot = CompileExpr();
      Next();
      if (tok_.Kind != ')' && tok_.Kind != ']') Error(") expected");
      return slot;
    }
    case '+':
      return Operand();
    case '-': {
      int32_t slot = Operand();
      Emit(opNeg, slot);
      return slot;
    }
    case kwNot: {
      int32_t slot = Operand();
      Emit(opNot, slot);
      return slot;
    }
    case '[': {
      int32_t slot = ArrayConstructor(false);
      Next();
      if (tok_.Kind != ']') Error("] expected but " + TokenText() + " found");
      return slot;
    }
    case tkIdent:
      return IdentOperand();
    default:
      Error("Expression expected but " + TokenText() + " found");
  }
}

// Digits, or digits '.' digits for a real.
int32_t TKelCompiler::NumberOperand() {
  std::string text = TokenText();
  if (PeekKind() == '.') {
    Next();
    Next();
    if (tok_.Kind != tkDigits) Error("Real constant declaration error");
    text += "." + TokenText();
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return LoadConst(Variant(value));
  }
  int32_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size())
    Error("Integer constant out of range <" + text + ">");
  return LoadConst(Variant(value));
}

// A literal joined with the literals and #n codes written next to it.
int32_t TKelCompiler::StringOperand() {
  std::string text = TokenText();
  for (;;) {
    int32_t kind = PeekKind();
    if (kind == tkString) {
      Next();
      text += TokenText();
    } else if (kind == '#') {
      Next();
      text.push_back(static_cast<char>(ExpectCharCode()));
    } else {
      return LoadConst(Variant(text));
    }
  }
}

// The digits after '#', taken modulo 256.
uint8_t TKelCompiler::ExpectCharCode() {
  Next();
  if (tok_.Kind != tkDigits) Error("String constant declaration error");
  unsigned code = 0;
  for (char c : TokenText()) code = (code * 10 + static_cast<unsigned>(c - '0')) % 256;
  return static_cast<uint8_t>(code);
}

// Operands are looked up as named objects, then dynamic variables, then script
// variables, then host routines.
int32_t TKelCompiler::IdentOperand() {
  std::string name = ReadDottedName();
  int32_t next = PeekKind();
  if (next == '(' || next == '[') return CompileCall(name, false);
  if (const tobjitem* object = FindObject(name))
    return LoadConst(Variant(static_cast<int32_t>(object->Handle)));
  if (auto dyn = FindDynaVar(name, owner_)) {
    int32_t t = AllocSlot();
    Emit(opDynGet, dyn->Id, dyn->Provider);
    Emit(opData, t, 0);
    return t;
  }
  auto ident = FindIdent(name);
  if (ident != idents_.end()) {
    if (ident->second.Kind != TIdentListItem::kVariable) Error("Invalid procedure usage");
    int32_t t = AllocSlot();
    Emit(opMove, t, ident->second.Index);
    return t;
  }
  return CompileCall(name, false);
}

// [ e1, e2, ... ] as a Variant array 0..n whose element 0 holds the count n.
int32_t TKelCompiler::ArrayConstructor(bool required) {
  if (required || PeekKind() == '[') {
    Next();
    if (tok_.Kind != '[') Error("[ expected but " + TokenText() + " found");
  }
  int32_t array = AllocSlot();
  std::vector<int32_t> elements;
  for (;;) {
    int32_t kind = PeekKind();
    if (kind == ']' || kind == ')') break;
    elements.push_back(CompileExpr());
    if (PeekKind() != ',') break;
    Next();
  }
  auto count = static_cast<int32_t>(elements.size());
  Emit(opArrayNew, array, count);
  Emit(opArrayPut, 0, LoadConst(Variant(count)));
  Emit(0, array, 0);
  for (int32_t i = 0; i < count; ++i) {
    Emit(opArrayPut, i + 1, elements[i]);
    Emit(0, array, 0);
  }
  if (required) {
    Next();
    if (tok_.Kind != ']') Error("] expected but " + TokenText() + " found");
  } else if (PeekKind() == ']') {
    Next();
  }
  return array;
}

// --- names and calls ---

// Reads NAME{.NAME}; the first identifier is the current token. A dotted
// name that starts with a named object or a variable of a registered class
// sets the Self register and has its first part replaced by the class name.
std::string TKelCompiler::ReadDottedName() {
  std::string name = TokenText();
  if (PeekKind() != '.') return name;
  if (const tobjitem* object = FindObject(name)) {
    self_ = {SelfRegister::kLiteral, static_cast<int32_t>(object->Handle)};
    name = object->ClassName;
  } else if (auto var = FindVariable(name);
             var != idents_.end() && IsClassRegistered(var->second.TypeName)) {
    self_ = {SelfRegister::kSlot, var->second.Index};
    name = var->second.TypeName;
  } else {
    self_ = {};
  }
  while (PeekKind() == '.') {
    Next();
    name += "." + ExpectMemberName();
  }
  return name;
}

// The name after a point: an identifier, or a word that is a keyword
// elsewhere, since members such as a button's Default are named so.
std::string TKelCompiler::ExpectMemberName() {
  Next();
  if (tok_.Kind != tkIdent && tok_.Kind < tkKeyword) Error("Identifier expected");
  return TokenText();
}

int32_t TKelCompiler::FindHost(std::string_view name, std::string_view suffix) const {
  return FindInClassChain(name, suffix);
}

// The Self of the call is the register as the name left it, taken before the
// arguments are compiled, so an argument's own dotted names cannot change the
// object the method is called on.
int32_t TKelCompiler::CompileCall(const std::string& name, bool statement) {
  SelfRegister self = self_;
  auto ident = FindIdent(name);
  if (ident != idents_.end()) {
    int32_t result = ScriptCall(ident->first);
    int32_t t = AllocSlot();
    Emit(opMove, t, result);
    return t;
  }
  int32_t function = statement ? FindHost(name, "_VET") : -1;
  if (function < 0) function = FindHost(name, "");
  if (function < 0) Error("Unknown identifier: " + name);
  return HostCall(function, statement, self);
}

int32_t TKelCompiler::HostCall(int32_t function, bool statement, SelfRegister self) {
  const TFunListItem& entry = FunctionAt(function);
  const int32_t count = entry.ParamCount;
  if (count > 0) {
    Next();
    if (tok_.Kind != '(' && tok_.Kind != '[') Error("( expected");
  }
  if (entry.Kind == fkProcedure && !statement) Error("Invalid procedure usage");
  if (statement && entry.Kind != fkFunction && entry.Kind != fkProcedure)
    Error("Invalid function usage");
  int32_t saved_slot = next_slot_;
  std::vector<int32_t> args;
  for (int32_t i = 0; i < count; ++i) {
    const ParamKind kind = entry.ParamKinds[i];
    if (i > 0 && kind != pkAssigned) Expect(',', "Comma expected");
    switch (kind) {
      case pkValue:
        args.push_back(CompileExpr());
        break;
      case pkVar:
        args.push_back(VarArgument());
        break;
      case pkArray:
        args.push_back(ArrayConstructor(count != 1));
        break;
      case pkAssigned:
        Next();
        if (tok_.Kind != ')' && tok_.Kind != ']') Error(") expected");
        Expect(':', "Colon expected");
        Expect('=', "= expected");
        args.push_back(CompileExpr());
        break;
      default:
        Error("Unsupported parameter type");
    }
  }
  next_slot_ = saved_slot;
  EmitSelf(self);
  int32_t result = AllocSlot();
  EmitHostCall(result, function, args);
  if (count > 0 && entry.ParamKinds[count - 1] != pkAssigned) {
    Next();
    if (tok_.Kind != ')' && tok_.Kind != ']') Error(") expected");
  }
  return result;
}

// Arguments are evaluated into temporaries first and only then moved into
// the routine's static parameter slots, so an argument that reads a
// parameter of the same routine (recursion, or a nested call of it) sees the
// caller's value.
int32_t TKelCompiler::ScriptCall(const std::string& qualified) {
  const TIdentListItem& routine = idents_.at(qualified);
  if (routine.Kind != TIdentListItem::kRoutine) Error("Variable Result not found for " + qualified);
  const int32_t count = routine.ParamCount();
  std::vector<int32_t> args;
  if (count > 0) {
    Next();
    if (tok_.Kind != '(' && tok_.Kind != '[') Error("( expected");
    for (int32_t i = 0; i < count; ++i) {
      if (i > 0) Expect(',', "Comma expected");
      args.push_back(routine.ParamIsVar[i] ? VarArgument() : CompileExpr());
    }
    Next();
    if (tok_.Kind != ')' && tok_.Kind != ']') Error(") expected");
  }
  auto result = idents_.find(qualified + ".RESULT");
  if (result == idents_.end()) Error("Variable Result not found for " + qualified);
  std::vector<int32_t> params;
  for (const std::string& param : routine.ParamNames) {
    auto slot = idents_.find(qualified + "." + param);
    if (slot == idents_.end()) Error("Procedure " + qualified + " not found");
    params.push_back(slot->second.Index);
  }
  for (int32_t i = 0; i < count; ++i) Emit(opMove, params[i], args[i]);
  Emit(opGosub, routine.Index);
  for (int32_t i = 0; i < count; ++i)
    if (routine.ParamIsVar[i]) Emit(opMove, args[i], params[i]);
  called_routines_.push_back(qualified);
  return result->second.Index;
}

int32_t TKelCompiler::VarArgument() {
  std::string name = ExpectIdent("Variable name expected");
  auto var = FindVariable(name);
  if (var == idents_.end()) Error("Variable <" + name + "> not defined");
  return var->second.Index;
}

void TKelCompiler::EmitSelf(SelfRegister self) {
  if (self.kind == SelfRegister::kLiteral) Emit(opSetSelf, self.value);
  if (self.kind == SelfRegister::kSlot) Emit(opSetSelfVar, self.value);
}

// opCall, then the argument slots three to a word in the fields Op, A, B.
void TKelCompiler::EmitHostCall(int32_t result, int32_t function, const std::vector<int32_t>& args) {
  Emit(opCall, result, function);
  for (size_t i = 0; i < args.size(); i += 3) {
    Emit(args[i], i + 1 < args.size() ? args[i + 1] : 0, i + 2 < args.size() ? args[i + 2] : 0);
  }
}

}  // namespace orv
