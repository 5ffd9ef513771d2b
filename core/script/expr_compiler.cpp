// Expressions, operands, dotted names and calls of host and script routines.
#include <algorithm>
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

namespace {

// Whether the image can hold `value` as a constant (folding must not make
// a constant the image refuses).
bool Storable(const Variant& value) {
  switch (value.Type()) {
    case varInteger:
    case varDouble:
    case varBoolean:
      return true;
    case varString:
      return value.StringView().size() <= 255;
    default:
      return false;
  }
}

// left op right computed at compile time, as the runner would; false when
// the operation fails (it is then left to fail at run time, with its line)
// or gives what the image cannot hold.
bool Fold(int32_t op, const Variant& left, const Variant* right, Variant& result) {
  try {
    if (op == opNeg || op == opNot) {
      result = left;
      op == opNeg ? ApplyNeg(result) : ApplyNot(result);
    } else if (IsComparison(op)) {
      result = Variant(CompareOp(static_cast<VarCompareOp>(op), left, *right));
    } else {
      result = BinaryOp(static_cast<VarOp>(op), left, *right);
    }
  } catch (const Exception&) {
    return false;
  }
  return Storable(result);
}

}  // namespace

// Sum [ relation Sum ]: at most one comparison.
TExprValue TKelCompiler::CompileExpr() {
  TExprValue left = Sum();
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
  return Binary(op, left, [this] { return Sum(); });
}

TExprValue TKelCompiler::CompileExprRestoring() {
  int32_t saved = next_slot_;
  TExprValue result = CompileExpr();
  next_slot_ = saved;
  return result;
}

TExprValue TKelCompiler::Sum() {
  TExprValue left = Term();
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
    left = Binary(op, left, [this] { return Term(); });
  }
}

TExprValue TKelCompiler::Term() {
  TExprValue left = Operand();
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
    left = Binary(op, left, [this] { return Operand(); });
  }
}

// The result goes to the left operand's temporary, or to a temporary taken
// before the right operand is compiled (which also holds the copy of a
// variable left operand, should the right operand call anything); the
// temporaries of the right operand are released afterwards.
template <class Right>
TExprValue TKelCompiler::Binary(int32_t op, TExprValue left, Right right) {
  const int32_t target = left.kind == TExprValue::kTemp ? left.index : AllocSlot();
  if (left.kind == TExprValue::kVariable) left.hold = code_.Hold(left.index, target);
  TExprValue right_value = right();
  left = Settle(left);
  Variant folded;
  if (left.kind == TExprValue::kConst && right_value.kind == TExprValue::kConst &&
      Fold(op, consts_[static_cast<size_t>(left.index)], &consts_[static_cast<size_t>(right_value.index)], folded)) {
    next_slot_ = target;
    return TExprValue::Const(AddConst(std::move(folded)));
  }
  Emit(op, target, Field(left), Field(right_value));
  next_slot_ = target + 1;
  return TExprValue::Temp(target);
}

TExprValue TKelCompiler::Unary(int32_t op, TExprValue value) {
  Variant folded;
  if (value.kind == TExprValue::kConst && Fold(op, consts_[static_cast<size_t>(value.index)], nullptr, folded))
    return TExprValue::Const(AddConst(std::move(folded)));
  const int32_t target = value.kind == TExprValue::kTemp ? value.index : AllocSlot();
  Emit(op, target, Field(value));
  return TExprValue::Temp(target);
}

void TKelCompiler::HoldRead(TExprValue& value) {
  if (value.kind == TExprValue::kVariable) value.hold = code_.Hold(value.index, AllocSlot());
}

TExprValue TKelCompiler::Settle(TExprValue value) {
  if (value.hold < 0) return value;
  const int32_t slot = code_.HeldSlot(value.hold);
  code_.ReleaseLast();
  return slot == value.index ? TExprValue::Variable(slot) : TExprValue::Temp(slot);
}

// --- operands ---

TExprValue TKelCompiler::Operand() {
  NestingGuard nesting(*this);
  Next();
  switch (tok_.Kind) {
    case tkDigits:
      return NumberOperand();
    case '$':
      Next();
      if (tok_.Kind != tkDigits) Error("Hex constant declaration error");
      return TExprValue::Const(AddConst(Variant(HexValue(TokenText()))));
    case tkHexX:
      return TExprValue::Const(AddConst(Variant(HexValue(TokenText()))));
    case '#':
      return TExprValue::Const(AddConst(Variant(std::string(1, static_cast<char>(ExpectCharCode())))));
    case tkString:
      return StringOperand();
    case kwTrue:
      return TExprValue::Const(AddConst(Variant(true)));
    case kwFalse:
      return TExprValue::Const(AddConst(Variant(false)));
    case kwNil:
      return TExprValue::Const(AddConst(Variant(0)));
    case tkConst:
      return TExprValue::Const(AddConst(ConstAt(tok_.Value.AsInteger())));
    case '(': {
      TExprValue value = CompileExpr();
      Next();
      if (tok_.Kind != ')' && tok_.Kind != ']') Error(") expected");
      return value;
    }
    case '+':
      return Operand();
    case '-':
      return Unary(opNeg, Operand());
    case kwNot:
      return Unary(opNot, Operand());
    case '[': {
      TExprValue value = ArrayConstructor(false);
      Next();
      if (tok_.Kind != ']') Error("] expected but " + TokenText() + " found");
      return value;
    }
    case tkIdent:
      return IdentOperand();
    default:
      Error("Expression expected but " + TokenText() + " found");
  }
}

// Digits, or digits '.' digits for a real.
TExprValue TKelCompiler::NumberOperand() {
  std::string text = TokenText();
  if (PeekKind() == '.') {
    Next();
    Next();
    if (tok_.Kind != tkDigits) Error("Real constant declaration error");
    text += "." + TokenText();
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return TExprValue::Const(AddConst(Variant(value)));
  }
  int32_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size())
    Error("Integer constant out of range <" + text + ">");
  return TExprValue::Const(AddConst(Variant(value)));
}

// A literal joined with the literals and #n codes written next to it.
TExprValue TKelCompiler::StringOperand() {
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
      return TExprValue::Const(AddConst(Variant(text)));
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
TExprValue TKelCompiler::IdentOperand() {
  std::string name = ReadDottedName();
  int32_t next = PeekKind();
  if (next == '(' || next == '[') return CompileCall(name, false);
  if (const tobjitem* object = FindObject(name))
    return TExprValue::Const(AddConst(Variant(static_cast<int32_t>(object->Handle))));
  if (auto dyn = FindDynaVar(name, owner_)) {
    int32_t t = AllocSlot();
    EmitCall(opDynGet, t, dyn->Provider, dyn->Id);
    return TExprValue::Temp(t);
  }
  auto ident = FindIdent(name);
  if (ident != idents_.end()) {
    if (ident->second.Kind != TIdentListItem::kVariable) Error("Invalid procedure usage");
    return TExprValue::Variable(ident->second.Index);
  }
  return CompileCall(name, false);
}

// [ e1, e2, ... ] as a Variant array 0..n whose element 0 holds the count n.
TExprValue TKelCompiler::ArrayConstructor(bool required) {
  if (required || PeekKind() == '[') {
    Next();
    if (tok_.Kind != '[') Error("[ expected but " + TokenText() + " found");
  }
  int32_t array = AllocSlot();
  std::vector<TExprValue> elements;
  for (;;) {
    int32_t kind = PeekKind();
    if (kind == ']' || kind == ')') break;
    elements.push_back(CompileExpr());
    HoldRead(elements.back());
    if (PeekKind() != ',') break;
    Next();
  }
  for (auto element = elements.rbegin(); element != elements.rend(); ++element) *element = Settle(*element);
  auto count = static_cast<int32_t>(elements.size());
  Emit(opArrayNew, array, count);
  Emit(opArrayPut, array, 0, ConstOperand(AddConst(Variant(count))));
  for (int32_t i = 0; i < count; ++i) Emit(opArrayPut, array, i + 1, Field(elements[static_cast<size_t>(i)]));
  if (required) {
    Next();
    if (tok_.Kind != ']') Error("] expected but " + TokenText() + " found");
  } else if (PeekKind() == ']') {
    Next();
  }
  return TExprValue::Temp(array);
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
TExprValue TKelCompiler::CompileCall(const std::string& name, bool statement) {
  SelfRegister self = self_;
  auto ident = FindIdent(name);
  if (ident != idents_.end()) return ScriptCall(ident->first);
  int32_t function = statement ? FindHost(name, "_VET") : -1;
  if (function < 0) function = FindHost(name, "");
  if (function < 0) Error("Unknown identifier: " + name);
  return HostCall(function, statement, self);
}

// The arguments are read where they are (a variable argument is copied
// first only when a later argument calls anything), and the value of an
// argument computed into a temporary is taken by the call; the result slot
// is where the arguments' temporaries began, since the runner passes the
// arguments before it stores the result. Each argument has temporaries of
// its own, so a taken one is never another argument's.
TExprValue TKelCompiler::HostCall(int32_t function, bool statement, SelfRegister self) {
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
  std::vector<TExprValue> args;
  for (int32_t i = 0; i < count; ++i) {
    const ParamKind kind = entry.ParamKinds[i];
    if (i > 0 && kind != pkAssigned) Expect(',', "Comma expected");
    switch (kind) {
      case pkValue:
        args.push_back(CompileExpr());
        break;
      case pkVar:
        args.push_back(TExprValue::Variable(VarArgument()));
        continue;  // passed by reference: read and written back by the call itself
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
    HoldRead(args.back());
  }
  std::vector<int32_t> fields(args.size());
  for (size_t i = args.size(); i-- > 0;) fields[i] = ArgumentField(Settle(args[i]));
  next_slot_ = saved_slot;
  EmitSelf(self);
  int32_t result = AllocSlot();
  EmitHostCall(result, function, fields);
  if (count > 0 && entry.ParamKinds[count - 1] != pkAssigned) {
    Next();
    if (tok_.Kind != ')' && tok_.Kind != ']') Error(") expected");
  }
  return TExprValue::Temp(result);
}

// Arguments are evaluated first and only then moved into the routine's
// static parameter slots, so an argument that reads a parameter of the same
// routine (recursion, or a nested call of it) sees the caller's value: such
// a variable argument is copied before the parameters are set. The call's
// value is the routine's result slot, read where it is.
TExprValue TKelCompiler::ScriptCall(const std::string& qualified) {
  const TIdentListItem& routine = idents_.at(qualified);
  if (routine.Kind != TIdentListItem::kRoutine) Error("Variable Result not found for " + qualified);
  const int32_t count = routine.ParamCount();
  const int32_t first_hold = code_.HoldCount();
  std::vector<TExprValue> args;
  if (count > 0) {
    Next();
    if (tok_.Kind != '(' && tok_.Kind != '[') Error("( expected");
    for (int32_t i = 0; i < count; ++i) {
      if (i > 0) Expect(',', "Comma expected");
      if (routine.ParamIsVar[i]) {
        args.push_back(TExprValue::Variable(VarArgument()));
      } else {
        args.push_back(CompileExpr());
        HoldRead(args.back());
      }
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
  for (int32_t i = 0; i < count; ++i) {
    const TExprValue& arg = args[static_cast<size_t>(i)];
    if (arg.hold >= 0 && std::find(params.begin(), params.begin() + i, arg.index) != params.begin() + i)
      code_.CopyHeld(first_hold);
  }
  for (size_t i = args.size(); i-- > 0;) args[i] = Settle(args[i]);
  for (int32_t i = 0; i < count; ++i) Emit(opMove, params[i], Field(args[static_cast<size_t>(i)]));
  EmitCall(opGosub, routine.Index);
  for (int32_t i = 0; i < count; ++i)
    if (routine.ParamIsVar[i]) Emit(opMove, args[static_cast<size_t>(i)].index, params[i]);
  called_routines_.push_back(qualified);
  return TExprValue::Variable(result->second.Index);
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

// opCall, then the argument values three to a data word in A, B and C.
void TKelCompiler::EmitHostCall(int32_t result, int32_t function, const std::vector<int32_t>& args) {
  const auto count = static_cast<int32_t>(args.size());
  EmitCall(opCall, result, function, count);
  last_call_ = code_.Size() - 1;
  for (size_t i = 0; i < args.size(); i += 3) {
    Emit(opData, args[i], i + 1 < args.size() ? args[i + 1] : 0, i + 2 < args.size() ? args[i + 2] : 0);
  }
}

}  // namespace orv
