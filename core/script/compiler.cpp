// Compiler state, program structure, declarations and statements.
#include "core/script/compiler.h"

#include <algorithm>
#include <iterator>
#include <utility>
#include <vector>

#include "core/script/compiler_error.h"
#include "core/script/dyna_vars.h"
#include "core/script/jump_copies.h"
#include "core/script/program_image.h"
#include "core/script/quick_ops.h"

namespace orv {
namespace {

bool IsDirective(int32_t kind) {
  return kind == kwVirtual || kind == kwOverride || kind == kwDynamic || kind == kwAbstract ||
         kind == kwStdcall;
}

bool IsVisibility(int32_t kind) {
  return kind == kwPrivate || kind == kwPublic || kind == kwProtected || kind == kwPublished;
}

}  // namespace

TKelCompiler::TKelCompiler(std::string_view source, std::string& image)
    : lex_(source), image_(image) {}

// --- state helpers ---

TKelCompiler::NestingGuard::NestingGuard(TKelCompiler& compiler) : compiler_(compiler) {
  if (++compiler_.depth_ > kMaxNesting) compiler_.Error("Program nested too deeply (more than 500 levels)");
}

int32_t TKelCompiler::PeekKind() {
  TToken next;
  lex_.PeekToken(next);
  return next.Kind;
}

void TKelCompiler::Expect(int32_t kind, std::string_view error) {
  Next();
  if (tok_.Kind != kind) Error(error);
}

std::string TKelCompiler::ExpectIdent(std::string_view error) {
  Next();
  if (tok_.Kind != tkIdent) Error(error);
  return TokenText();
}

std::string TKelCompiler::TokenText() const { return tok_.Value.AsString(); }

int32_t TKelCompiler::NewLabel() {
  labels_.push_back(TIDLabelItem{});
  return static_cast<int32_t>(labels_.size() - 1);
}

int32_t TKelCompiler::UsedLabel() {
  int32_t label = NewLabel();
  MarkUsed(label);
  return label;
}

void TKelCompiler::PlaceAt(int32_t label, size_t target) {
  labels_[label].Target = static_cast<int32_t>(target);
  labels_[label].Placed = true;
}

int32_t TKelCompiler::AllocSlot() {
  if (next_slot_ >= TBinProg::kSlotCount)
    Error("Too many variables: a script may use at most 1001 variable slots");
  slot_high_water_ = std::max(slot_high_water_, next_slot_ + 1);
  return next_slot_++;
}

// Constants are kept as the image gives them back (integer kinds as
// Integer, reals as Double), so that what the compiler computes with them
// is what the runner would.
int32_t TKelCompiler::AddConst(Variant value) {
  if (value.IsString() && value.StringView().size() > 255)
    Error("String constant longer than 255 characters");
  if (value.Type() == varSmallint || value.Type() == varByte) value = Variant(value.AsInteger());
  if (value.Type() == varSingle) value = Variant(value.AsReal());
  std::string key(1, static_cast<char>(value.Type() & 0xFF));
  if (value.Type() == varDouble) {
    const double real = value.AsReal();
    key.append(reinterpret_cast<const char*>(&real), sizeof real);
  } else if (value.IsString()) {
    key.append(value.StringView());
  } else {
    const uint32_t field = value.ValueField();
    key.append(reinterpret_cast<const char*>(&field), sizeof field);
  }
  auto [it, added] = const_numbers_.try_emplace(std::move(key), static_cast<int32_t>(consts_.size()));
  if (added) consts_.push_back(std::move(value));
  return it->second;
}

// The scope prefix is tried level by level, innermost first, then the bare
// name, so a nested routine sees the names of every routine around it.
TIdentList::iterator TKelCompiler::FindIdent(std::string_view name) {
  std::string scope = prefix_;
  for (;;) {
    auto it = idents_.find(scope + std::string(name));
    if (it != idents_.end() || scope.empty()) return it;
    scope.pop_back();
    size_t dot = scope.rfind('.');
    scope.erase(dot == std::string::npos ? 0 : dot + 1);
  }
}

TIdentList::iterator TKelCompiler::FindVariable(std::string_view name) {
  auto it = FindIdent(name);
  return it != idents_.end() && it->second.Kind == TIdentListItem::kVariable ? it : idents_.end();
}

TIdentListItem& TKelCompiler::Declare(const std::string& qualified, TIdentListItem item) {
  return idents_.insert_or_assign(qualified, std::move(item)).first->second;
}

const tobjitem* TKelCompiler::FindObject(std::string_view name) const {
  return objects_ != nullptr ? objects_->Find(name) : nullptr;
}

// --- program ---

void TKelCompiler::Compile() {
  int32_t main_label = NewLabel();
  MarkUsed(main_label);
  Emit(opGoto, main_label);
  int32_t kind = PeekKind();
  if (kind == kwProgram || kind == kwUnit) {
    Next();
    ExpectIdent("Program name expected");
    Expect(';', "Operator delimeter expected");
  }
  Declarations();
  Place(main_label);
  Block();
  Next();  // the final '.'
  Emit(opStop);
  EmitDeferred();
  LinkCheck();
  CopyJumpTargets(code_, labels_);
  std::vector<int32_t> targets;
  targets.reserve(labels_.size());
  for (const TIDLabelItem& label : labels_) targets.push_back(label.Target);
  try {
    image_ = WriteProgramImage(slot_high_water_, consts_, targets, code_.TakeCode());
  } catch (const ECompilerError& e) {
    Error(e.Text());
  }
}

std::vector<int32_t> TKelCompiler::TakeLines() {
  // Lines count line feeds, as in error messages: line n starts after the
  // (n-1)th line feed.
  std::vector<size_t> starts{0};
  const std::string_view text = lex_.Text();
  for (size_t i = 0; i < text.size(); ++i)
    if (text[i] == '\n') starts.push_back(i + 1);
  const std::vector<size_t> positions = code_.TakePositions();
  std::vector<int32_t> lines;
  lines.reserve(positions.size());
  for (size_t position : positions) {
    auto after = std::upper_bound(starts.begin(), starts.end(), std::min(position, text.size()));
    lines.push_back(static_cast<int32_t>(after - starts.begin()));
  }
  return lines;
}

void TKelCompiler::LinkCheck() {
  for (const TIDLabelItem& label : labels_)
    if (label.Used != label.Placed) Error("Link Error");
  for (const std::string& routine : called_routines_)
    if (!idents_.at(routine).HasBody) Error("Routine <" + routine + "> is called but has no body");
}

// --- declarations ---

void TKelCompiler::Declarations() {
  for (;;) {
    switch (PeekKind()) {
      case kwLabel:
        Next();
        LabelSection();
        break;
      case kwVar:
        Next();
        do VarGroup(false);
        while (PeekKind() < tkKeyword);
        break;
      case kwType:
        Next();
        TypeSection();
        break;
      case kwUses:
        Next();
        UsesClause();
        break;
      case kwInterface:
      case kwImplementation:
        Next();
        break;
      case kwProcedure:
      case kwFunction:
        Next();
        RoutineBody(RoutineHeader());
        break;
      case kwBegin:
      case kwEnd:
        return;
      default:
        Next();
        Error("Error in declaration block");
    }
  }
}

void TKelCompiler::LabelSection() {
  for (;;) {
    std::string name = ExpectIdent("Label name expected");
    if (label_names_.count(name) != 0) Error("Label <" + name + "> already defined");
    TIdentListItem item;
    item.Index = NewLabel();
    label_names_.emplace(name, std::move(item));
    Next();
    if (tok_.Kind == ';') return;
    if (tok_.Kind != ',') Error("Comma or delimeter expected");
  }
}

// name {, name} : type ;   -- the first name is read here unless the caller
// has consumed it already.
void TKelCompiler::VarGroup(bool first_token_read) {
  std::vector<TIdentListItem*> declared;
  for (bool read = first_token_read;; read = false) {
    if (!read) Next();
    if (tok_.Kind != tkIdent) Error("Variable name expected");
    std::string name = TokenText();
    if (FindIdent(name) != idents_.end()) Error("Variable <" + name + "> already defined");
    if (FindObject(name) == nullptr) {
      TIdentListItem item;
      item.Index = AllocSlot();
      declared.push_back(&Declare(prefix_ + name, std::move(item)));
    }
    Next();
    if (tok_.Kind == ':') break;
    if (tok_.Kind != ',') Error("Error in variable declaration block");
  }
  Next();
  std::string type = UpperCase(TokenText());
  for (TIdentListItem* item : declared) item->TypeName = type;
  Expect(';', "Operator delimeter expected");
}

void TKelCompiler::TypeSection() {
  while (PeekKind() == tkIdent) {
    std::string name = ExpectIdent("Identifier expected");
    Next();
    if (tok_.Kind != '=') Error(name + " declaration  error");
    Next();
    if (tok_.Kind != kwClass && tok_.Kind != kwRecord) Error("Only class declarations allowed");
    prefix_ = name + ".";
    if (PeekKind() == '(') {
      Next();
      parent_class_name_ = ExpectIdent("Parent name expected");
      Expect(')', ") Expected");
    }
    ClassBody();
  }
}

void TKelCompiler::ClassBody() {
  for (;;) {
    int32_t kind = PeekKind();
    Next();
    if (kind == ';') return;  // a forward class declaration
    if (kind == kwEnd) {
      Expect(';', "Operator delimeter expected");
      return;
    }
    if (IsVisibility(kind)) continue;
    if (kind == tkIdent) {
      VarGroup(true);
    } else if (kind == kwProcedure || kind == kwFunction) {
      RoutineHeader();
    } else if (kind == kwProperty) {
      Error("Properties not implemented");
    } else {
      Error("Error in declaration block");
    }
  }
}

void TKelCompiler::UsesClause() {
  do {
    ExpectIdent("Identifier expected");
    Next();
  } while (tok_.Kind == ',');
}

std::string TKelCompiler::RoutineHeader() {
  std::string name = ExpectIdent("Identifier expected");
  while (PeekKind() == '.') {
    Next();
    name += "." + ExpectIdent("Identifier expected");
  }
  std::string qualified;
  TIdentListItem* routine = nullptr;
  auto found = FindIdent(name);
  if (found != idents_.end()) {
    // Declared before (in a class or as forward): its parameters stand.
    if (found->second.Kind != TIdentListItem::kRoutine)
      Error("Identifier <" + name + "> already defined");
    qualified = found->first;
    ParameterList(nullptr, qualified);
  } else {
    qualified = prefix_ + name;
    TIdentListItem item;
    item.Index = NewLabel();
    item.Kind = TIdentListItem::kRoutine;
    routine = &Declare(qualified, std::move(item));
    ParameterList(routine, qualified);
  }
  if (PeekKind() == ':') {
    Next();
    Next();
    if (routine != nullptr) routine->TypeName = UpperCase(TokenText());
  }
  if (routine != nullptr) {
    TIdentListItem result;
    result.Index = AllocSlot();
    result.TypeName = routine->TypeName;
    Declare(qualified + ".RESULT", std::move(result));
  }
  Expect(';', "Operator delimeter expected");
  for (int directives = 0; directives < 2 && IsDirective(PeekKind()); ++directives) {
    Next();
    Expect(';', "Operator delimeter expected");
  }
  return qualified;
}

// ( [var|const] name {, name} : type {; ...} ); parameters are recorded into
// `routine` unless it is nullptr.
void TKelCompiler::ParameterList(TIdentListItem* routine, const std::string& qualified) {
  int32_t kind = PeekKind();
  if (kind != '(' && kind != '[') return;
  Next();
  for (;;) {
    Next();
    bool by_ref = tok_.Kind == kwVar;
    if (tok_.Kind == kwVar || tok_.Kind == kwConst) Next();
    if (tok_.Kind != tkIdent) Error("Method parameters declaration error");
    std::vector<std::string> names{TokenText()};
    for (Next(); tok_.Kind == ','; Next())
      names.push_back(ExpectIdent("Method parameters declaration error"));
    if (tok_.Kind != ':') Error("Method declaration error");
    Next();
    std::string type = UpperCase(TokenText());
    for (const std::string& name : names) {
      if (routine == nullptr) continue;
      std::string key = qualified + "." + name;
      if (idents_.count(key) != 0) Error("Variable <" + name + "> already defined");
      if (routine->ParamCount() >= kMaxParams) Error("Too many parameters: a routine may have at most 100");
      TIdentListItem param;
      param.Index = AllocSlot();
      param.TypeName = type;
      Declare(key, std::move(param));
      routine->ParamNames.push_back(name);
      routine->ParamIsVar.push_back(by_ref);
    }
    Next();
    if (tok_.Kind == ')' || tok_.Kind == ']') return;
    if (tok_.Kind != ';') Error("Method declaration error");
  }
}

void TKelCompiler::RoutineBody(const std::string& qualified) {
  if (PeekKind() == kwForward) {
    Next();
    Expect(';', "Operator delimeter expected");
    return;
  }
  NestingGuard nesting(*this);
  std::string saved = prefix_;
  prefix_ = qualified + ".";
  Declarations();
  TIdentListItem& routine = idents_.at(qualified);
  Place(routine.Index);
  MarkUsed(routine.Index);
  routine.HasBody = true;
  Block();
  Expect(';', "Operator delimeter expected");
  prefix_ = saved;
  Emit(opReturn);
  EmitDeferred();
  // The routine's temporaries are static slots like its locals; code
  // compiled later takes slots above them, so a call made in the middle of
  // an expression cannot overwrite the caller's temporaries.
  next_slot_ = slot_high_water_;
}

// --- statements ---

void TKelCompiler::Block() {
  Next();
  if (tok_.Kind == kwEnd) return;
  if (tok_.Kind != kwBegin) Error("BEGIN expected");
  StatementList(kwEnd);
  Expect(kwEnd, "END expected");
}

void TKelCompiler::StatementList(int32_t stop_keyword) {
  for (;;) {
    int32_t kind = PeekKind();
    if (kind == stop_keyword || kind == tkEnd) return;
    Delimiter(Statement());
  }
}

void TKelCompiler::Delimiter(bool after_label) {
  int32_t kind = PeekKind();
  if (kind == ';') {
    Next();
  } else if (!after_label && kind != kwEnd && kind != kwUntil) {
    Next();
    Error("Operator delimeter expected");
  }
}

// A statement's temporaries are dead once it ends, so the slots are released
// for the next statement.
bool TKelCompiler::Statement() {
  NestingGuard nesting(*this);
  int32_t saved_slot = next_slot_;
  bool after_label = false;
  switch (PeekKind()) {
    case tkIdent:
      after_label = IdentStatement();
      break;
    case kwGoto: {
      Next();
      std::string name = ExpectIdent("Label name expected");
      auto label = label_names_.find(name);
      if (label == label_names_.end()) Error("Label <" + name + "> not defined");
      MarkUsed(label->second.Index);
      Emit(opGoto, label->second.Index);
      break;
    }
    case kwBegin:
      Block();
      break;
    case kwIf:
      IfStatement();
      break;
    case kwWhile:
      WhileStatement();
      break;
    case kwRepeat:
      RepeatStatement();
      break;
    case kwFor:
      ForStatement();
      break;
    default:
      Next();
      Error("Unknown identifier: " + TokenText());
  }
  next_slot_ = saved_slot;
  return after_label;
}

bool TKelCompiler::IdentStatement() {
  Next();
  // Its instructions take the line of its first word (a run error names the
  // statement's first line, however many lines it spans).
  const size_t outer_position = statement_position_;
  statement_position_ = lex_.Position();
  struct Restore {
    size_t& position;
    size_t saved;
    ~Restore() { position = saved; }
  } restore{statement_position_, outer_position};
  std::string name = ReadDottedName();
  SelfRegister self = self_;
  if (PeekKind() != ':') {
    CompileCall(name, true);
    return false;
  }
  Next();
  if (PeekKind() == '=') {
    Next();
    Assignment(name, self);
    return false;
  }
  auto label = label_names_.find(name);
  if (label == label_names_.end()) Error("Label <" + name + "> not defined");
  Place(label->second.Index);
  ++goto_labels_placed_;
  return true;
}

void TKelCompiler::Assignment(const std::string& name, SelfRegister self) {
  auto var = FindVariable(name);
  if (var != idents_.end()) {
    const int32_t slot = var->second.Index;
    const size_t code_start = code_.Size();
    StoreTo(slot, var->second.TypeName, CompileExprRestoring(), code_start);
    return;
  }
  if (auto dyn = FindDynaVar(name, owner_)) {
    const TExprValue value = CompileExprRestoring();
    Emit(opDynSet, Field(value), dyn->Provider, dyn->Id);
    return;
  }
  int32_t setter = name.find('.') != std::string::npos ? FindHost(name, "_SET") : -1;
  if (setter < 0) Error("Variable <" + name + "> not defined");
  const TExprValue value = CompileExprRestoring();
  EmitSelf(self);
  EmitHostCall(AllocSlot(), setter, {ArgumentField(value)});
}

namespace {

// Instructions that compute a value into A from their other operands alone,
// so that A may be any slot.
bool WritesOnlyTarget(int32_t op) {
  return (op >= opAdd && op <= opNeg) || op == opMove;
}

// Whether a variable declared with the type word `type` may be meant to
// hold texts. A declared type does not bind the kinds a variable holds, so
// this only chooses the code of a sum stored in it: the forms that build a
// text in place (AppendInPlace, opAddTaking) compute the same values, but
// are worth their instructions only where texts are built.
bool DeclaredForText(const std::string& type) {
  static const char* const kNumbers[] = {"INTEGER", "LONGINT", "CARDINAL", "SMALLINT", "SHORTINT", "BYTE",
                                         "WORD",    "INT64",   "DOUBLE",   "REAL",     "SINGLE",   "EXTENDED",
                                         "CURRENCY", "COMP",   "BOOLEAN"};
  return std::find(std::begin(kNumbers), std::end(kNumbers), type) == std::end(kNumbers);
}

}  // namespace

// A host call that ends the expression stores its result in the slot
// itself, unless the slot is also one of its arguments (which a `var`
// parameter would write after the result).
void TKelCompiler::StoreTo(int32_t slot, const std::string& type, const TExprValue& value, size_t code_start) {
  if (value.kind == TExprValue::kTemp && code_.Size() > code_start) {
    TProgItem& last = code_.Last();
    if (last.A == value.index && WritesOnlyTarget(last.Op)) {
      last.A = slot;
      if (!DeclaredForText(type)) return;
      AppendInPlace(slot, code_start);
      // A sum's temporary is not read after the statement: the sum takes its
      // value, so a text in it is not copied. A number added keeps the
      // forms that hold it in the instruction (a text meeting a number is
      // read as a number: nothing to take).
      TProgItem& sum = code_.Last();
      const bool number_added = IsConstOperand(sum.C) && !TextConstant(sum.C);
      if (sum.Op == opAdd && sum.A == slot && sum.B == value.index && sum.C != value.index && !number_added)
        sum.Op = opAddTaking;
      return;
    }
    if (last_call_ != kNoPosition && last_call_ >= code_start) {
      const TProgItem& call = code_.At(last_call_);
      const size_t words = static_cast<size_t>(CallDataWords(call.C));
      bool argument = false;
      for (size_t w = 1; w <= words && last_call_ + w < code_.Size(); ++w) {
        const TProgItem& data = code_.At(last_call_ + w);
        for (const int32_t field : {data.A, data.B, data.C}) argument = argument || ArgumentOperand(field) == slot;
      }
      if (call.Op == opCall && call.A == value.index && last_call_ + 1 + words == code_.Size() && !argument) {
        code_.At(last_call_).A = slot;
        return;
      }
    }
  }
  Emit(opMove, slot, Field(value));
}

namespace {

// The conditional jump that takes the place of operation `op` when `op`
// decides a condition; -1 when there is none.
int32_t JumpOn(int32_t op) {
  if (IsComparison(op)) return opJumpUnlessGreaterEq + (op - opGreaterEq);
  switch (op) {
    case opAnd: return opJumpUnlessAnd;
    case opOr: return opJumpUnlessOr;
    case opXor: return opJumpUnlessXor;
    case opNot: return opJumpUnlessNot;
    default: return -1;
  }
}

}  // namespace

// A condition whose last operation is a comparison, `and`, `or`, `xor` or
// `not` jumps on that operation's outcome instead of testing the value it
// would leave in its temporary (which nothing else reads); the operands are
// still all computed, and the jump tests the value the operation gives.
void TKelCompiler::JumpUnless(const TExprValue& condition, int32_t label, size_t code_start) {
  if (condition.kind == TExprValue::kTemp && code_.Size() > code_start) {
    TProgItem& last = code_.Last();
    const int32_t jump = JumpOn(last.Op);
    if (last.A == condition.index && jump >= 0) {
      last = {jump, label, last.B, last.C};
      return;
    }
  }
  Emit(opJumpIfFalse, label, Field(condition));
}

namespace {

bool IsEquality(int32_t op) { return op == opEqual || op == opNotEqual; }

// Whether the term whose instructions run from `from` to its test at
// `test` may be passed over once the variables it reads hold the kinds it
// needs: it then gives a Boolean, cannot fail and writes nothing but its
// own temporaries. On numbers, +, - and * and negation cannot fail
// (integers that overflow become reals), nor / by a constant other than
// zero, nor div and mod of an integer variable by an integer constant
// other than 0 and -1, nor any comparison, which gives a Boolean; on the
// Booleans of comparisons, not, and, or and xor cannot fail and give a
// Boolean (a variable that holds one now may hold an integer when the
// term is decided on, where not, and, or and xor are bitwise). An
// equality with a constant needs nothing of its other operand: values of
// different kinds are unequal, and no constant is an array. Slots below
// `temps` are variables, which the term's guard must look at
// (`term.reads`); a temporary read must be one the term wrote, of the kind
// needed, and the term may write no slot but its temporaries other than
// `t`.
bool Passable(const TCodeBuffer& code, const std::vector<Variant>& consts, size_t from, size_t test, int32_t temps,
              int32_t t, TChainTerm& term) {
  using Need = TChainTerm::Need;
  std::vector<std::pair<int32_t, bool>> written;  // temporaries written: slot, whether a Boolean (else a number)
  const auto constant = [&](int32_t field) -> const Variant& { return consts[static_cast<size_t>(ConstNumber(field))]; };
  // The last write of temporary `field` by the term; nullptr when it wrote none.
  const auto wrote = [&](int32_t field) {
    const auto it = std::find_if(written.rbegin(), written.rend(), [field](const auto& w) { return w.first == field; });
    return it != written.rend() ? &*it : nullptr;
  };
  const auto operand = [&](int32_t field, Need need) {
    if (IsConstOperand(field)) {
      const Variant& value = constant(field);
      return need == Need::kBoolean ? value.Type() == varBoolean : need == Need::kNumber && quick::IsNumber(value);
    }
    // A variable is looked at by the term's guard; but the jump that decides
    // on a term runs without one, and must find a Boolean: only comparisons
    // within the term give those.
    if (field < temps) {
      if (need == Need::kBoolean) return false;
      term.reads.push_back({field, need});
      return true;
    }
    const auto* write = wrote(field);
    return write != nullptr && write->second == (need == Need::kBoolean) && need != Need::kInteger;
  };
  const auto divisor = [&](int32_t field, bool integer) {
    if (!IsConstOperand(field) || !quick::IsNumber(constant(field))) return false;
    const Variant& value = constant(field);
    if (!integer) return value.Type() == varInteger ? value.IntegerField() != 0 : value.DoubleField() != 0;
    return value.Type() == varInteger && value.IntegerField() != 0 && value.IntegerField() != -1;
  };
  const auto compared = [&](const TProgItem& item) {
    if (IsEquality(item.Op) && (IsConstOperand(item.B) || IsConstOperand(item.C))) {
      const int32_t other = IsConstOperand(item.B) ? item.C : item.B;
      return IsConstOperand(other) || other < temps || wrote(other) != nullptr;
    }
    return operand(item.B, Need::kNumber) && operand(item.C, Need::kNumber);
  };
  for (size_t i = from; i <= test; ++i) {
    const TProgItem& item = code.At(i);
    bool safe = false;
    bool boolean = true;
    switch (item.Op) {
      case opAdd:
      case opSub:
      case opMul: safe = operand(item.B, Need::kNumber) && operand(item.C, Need::kNumber); boolean = false; break;
      case opNeg: safe = operand(item.B, Need::kNumber); boolean = false; break;
      case opDivide: safe = operand(item.B, Need::kNumber) && divisor(item.C, false); boolean = false; break;
      case opIntDiv:
      case opMod:
        safe = !IsConstOperand(item.B) && item.B < temps && operand(item.B, Need::kInteger) && divisor(item.C, true);
        boolean = false;
        break;
      case opNot: safe = operand(item.B, Need::kBoolean); break;
      case opAnd:
      case opOr:
      case opXor: safe = operand(item.B, Need::kBoolean) && operand(item.C, Need::kBoolean); break;
      default: safe = IsComparison(item.Op) && compared(item); break;
    }
    if (!safe || item.A < temps || item.A == t) return false;
    written.emplace_back(item.A, boolean);
    term.code.emplace_back(item, code.PositionAt(i));
  }
  return written.back().second;
}

// The jump on a term of a chain that decides it: for `and`, when the term
// fails; for `or`, when the term, an equality, holds (its opposite is
// exact, where that of < and >= is not for NaN).
TProgItem DecidingJump(int32_t join, const TProgItem& test, int32_t target) {
  const int32_t op = join == opAnd ? test.Op : test.Op == opEqual ? opNotEqual : opEqual;
  return TProgItem{JumpOn(op), target, test.B, test.C};
}

}  // namespace

// The code of a condition c1 or c2 or ... or cn, each ci a comparison (or
// a not, and, or or xor of Booleans) with the code that computes its
// operands, is
//   c1 -> t; c2 -> u; t := t or u; ...; cn -> u; t := t or u
// and the condition holds as soon as one comparison does. Each of
// c1 .. cn-1 becomes a jump past the condition's own jump when it holds
// (each must be an equality: see DecidingJump), and cn is left for the
// jump; a chain of `and` is the same with jumps to `label` when a
// comparison fails, which any comparison may. The comparisons passed over
// must not be seen to be skipped: each must be Passable. One whose
// variables need looking at has a guard, placed out of the way after the
// routine (EmitDeferred): the jump past it goes to its guard, which goes on
// when its variables hold what it needs, and otherwise to its fallback, the
// comparisons from it to the end computed as before for what they raise.
// Anything else is left as it is.
int32_t TKelCompiler::ShortCircuit(const TExprValue& condition, int32_t label, size_t code_start) {
  // The condition's temporaries were released: they start at next_slot_.
  const int32_t temps = next_slot_;
  if (condition.kind != TExprValue::kTemp || condition.index < temps) return -1;
  const int32_t t = condition.index;
  // Back over the terms "code; cj -> u; t := t join u", all of one join.
  int32_t join = -1;
  size_t first = code_.Size();
  std::vector<TChainTerm> terms;
  while (first >= code_start + 3) {
    const TProgItem& joined = code_.At(first - 1);
    const size_t test = first - 2;
    if ((joined.Op != opOr && joined.Op != opAnd) || (join >= 0 && joined.Op != join) || joined.A != t ||
        joined.B != t || code_.At(test).A != joined.C)
      break;
    if (joined.Op == opOr && !terms.empty() && !IsEquality(code_.At(test).Op)) break;
    size_t from = test;
    while (from > code_start && code_.At(from - 1).A != t) --from;
    TChainTerm term;
    if (from == code_start || !Passable(code_, consts_, from, test, temps, t, term)) break;
    terms.push_back(std::move(term));
    join = joined.Op;
    first = from;
  }
  if (join < 0) return -1;
  const TProgItem head = code_.At(first - 1);
  if (head.A != t || !(join == opOr ? IsEquality(head.Op) : IsComparison(head.Op))) return -1;
  std::reverse(terms.begin(), terms.end());
  const size_t head_position = code_.PositionAt(first - 1);
  code_.Truncate(first - 1);
  const int32_t target = join == opOr ? UsedLabel() : label;
  // skip[k]: where the jump past terms k.. goes: the guard of the first of
  // them that has one, or the target.
  std::vector<int32_t> guards(terms.size(), -1), skip(terms.size() + 1, target);
  for (size_t k = terms.size(); k-- > 0;) {
    if (!terms[k].reads.empty()) guards[k] = UsedLabel();
    skip[k] = guards[k] >= 0 ? guards[k] : skip[k + 1];
  }
  code_.Emit(DecidingJump(join, head, skip[0]), head_position);
  for (size_t k = 0; k < terms.size(); ++k) {
    const std::vector<std::pair<TProgItem, size_t>>& code = terms[k].code;
    for (size_t i = 0; i + 1 < code.size(); ++i) code_.Emit(code[i].first, code[i].second);
    TProgItem test = code.back().first;
    if (k + 1 < terms.size()) {
      test = DecidingJump(join, test, skip[k + 1]);
    } else {
      test.A = t;
    }
    code_.Emit(test, code.back().second);
  }
  DeferGuards(terms, guards, skip);
  return join == opOr ? target : -1;
}

// The guard of each term k that has one (guards[k]): its variables looked
// at two at a time, each pair a jump onwards (to the next pair, or to
// skip[k + 1]) followed by a jump to the term's fallback. The fallbacks
// follow, in the order of the terms, each running into the next, the last
// ending with a jump to where the chain was decided.
void TKelCompiler::DeferGuards(std::vector<TChainTerm>& terms, const std::vector<int32_t>& guards,
                               const std::vector<int32_t>& skip) {
  if (std::all_of(guards.begin(), guards.end(), [](int32_t g) { return g < 0; })) return;
  std::vector<int32_t> fallbacks(terms.size(), -1);
  for (size_t k = 0; k < terms.size(); ++k) {
    if (guards[k] < 0) continue;
    fallbacks[k] = UsedLabel();
    // Each variable once, as an integer where it must be one (kInteger
    // sorts first), then the integers ahead of the numbers, so that a pair
    // is looked at for one kind.
    std::vector<TChainTerm::Read>& reads = terms[k].reads;
    std::sort(reads.begin(), reads.end(), [](const TChainTerm::Read& x, const TChainTerm::Read& y) {
      return x.slot != y.slot ? x.slot < y.slot : x.need < y.need;
    });
    reads.erase(std::unique(reads.begin(), reads.end(),
                            [](const TChainTerm::Read& x, const TChainTerm::Read& y) { return x.slot == y.slot; }),
                reads.end());
    std::stable_partition(reads.begin(), reads.end(),
                          [](const TChainTerm::Read& r) { return r.need == TChainTerm::Need::kInteger; });
    std::vector<TProgItem> pairs;
    for (size_t p = 0; p < reads.size();) {
      const TChainTerm::Read& x = reads[p];
      const bool pair = p + 1 < reads.size() && reads[p + 1].need == x.need;
      const TChainTerm::Read& y = pair ? reads[p + 1] : x;
      p += pair ? 2 : 1;
      pairs.push_back({x.need == TChainTerm::Need::kInteger ? opJumpIfIntegers : opJumpIfNumbers, 0, x.slot, y.slot});
    }
    DeferGuardChain(guards[k], std::move(pairs), skip[k + 1], fallbacks[k], terms[k].code.back().second);
  }
  for (size_t k = 0; k < terms.size(); ++k) {
    if (fallbacks[k] < 0) continue;
    deferred_.push_back({fallbacks[k], {}, terms[k].code.front().second});
    for (const auto& [item, at] : terms[k].code) deferred_.push_back({-1, item, at});
  }
  deferred_.push_back({-1, {opGoto, skip.back(), 0, 0}, terms.back().code.back().second});
}

void TKelCompiler::DeferGuardChain(int32_t start, std::vector<TProgItem> guards, int32_t pass, int32_t fail,
                                   size_t position) {
  deferred_.push_back({start, {}, position});
  for (size_t g = 0; g < guards.size(); ++g) {
    const bool last = g + 1 == guards.size();
    guards[g].A = last ? pass : UsedLabel();
    deferred_.push_back({-1, guards[g], position});
    deferred_.push_back({-1, {opGoto, fail, 0, 0}, position});
    if (!last) deferred_.push_back({guards[g].A, {}, position});
  }
}

void TKelCompiler::EmitDeferred() {
  for (const TDeferred& d : deferred_) {
    if (d.label >= 0) {
      PlaceAt(d.label, code_.Size());
    } else {
      code_.Emit(d.item, d.position);
    }
  }
  deferred_.clear();
}

void TKelCompiler::Condition(int32_t label) {
  const size_t code_start = code_.Size();
  const TExprValue condition = CompileExprRestoring();
  const int32_t past = ShortCircuit(condition, label, code_start);
  JumpUnless(condition, label, code_start);
  if (past >= 0) Place(past);
}

void TKelCompiler::IfStatement() {
  Next();
  int32_t else_label = UsedLabel();
  Condition(else_label);
  Expect(kwThen, "THEN expected");
  Statement();
  int32_t kind = PeekKind();
  if (kind == ';' || kind == kwEnd) {
    Place(else_label);
    return;
  }
  Expect(kwElse, "ELSE expected");
  int32_t end_label = UsedLabel();
  Emit(opGoto, end_label);
  Place(else_label);
  Statement();
  Place(end_label);
}

namespace {

// The jump with the test of `unless`, a jump unless a condition holds, and
// the opposite outcome: it jumps exactly when `unless` would not. -1 when
// `unless` is no such jump.
int32_t OppositeJump(int32_t unless) {
  if (unless >= opJumpUnlessGreaterEq && unless <= opJumpUnlessLess)
    return opJumpIfGreaterEq + (unless - opJumpUnlessGreaterEq);
  switch (unless) {
    case opJumpUnlessAnd: return opJumpIfAnd;
    case opJumpUnlessOr: return opJumpIfOr;
    case opJumpUnlessXor: return opJumpIfXor;
    case opJumpUnlessNot: return opJumpIfNot;
    case opJumpIfFalse: return opJumpIfTrue;
    default: return -1;
  }
}

}  // namespace

// The condition is tested at the bottom of the loop, which is entered by a
// jump to the test: a round ends with one jump back when the condition
// holds, where a test at the top and a jump back to it would take two. Only
// a condition compiled into one jump at its end can be moved so (one that
// stops early has several, and guards); any other stays at the top.
void TKelCompiler::WhileStatement() {
  Next();
  const int32_t end = UsedLabel();
  const size_t start = code_.Size();
  const size_t deferred = deferred_.size();
  Condition(end);
  Expect(kwDo, "DO expected");
  const size_t size = code_.Size();
  bool movable = deferred_.size() == deferred && size > start && code_.At(size - 1).A == end &&
                 OppositeJump(code_.At(size - 1).Op) >= 0;
  for (size_t i = start; movable && i + 1 < size; ++i) movable = !NamesLabel(code_.At(i).Op);
  if (!movable) {
    const int32_t top = UsedLabel();
    PlaceAt(top, start);
    Statement();
    Emit(opGoto, top);
    Place(end);
    return;
  }
  std::vector<std::pair<TProgItem, size_t>> test;
  for (size_t i = start; i < size; ++i) test.emplace_back(code_.At(i), code_.PositionAt(i));
  code_.Truncate(start);
  const int32_t body = UsedLabel();
  const int32_t bottom = UsedLabel();
  code_.Emit({opGoto, bottom, 0, 0}, test.front().second);
  Place(body);
  Statement();
  Place(bottom);
  TProgItem& jump = test.back().first;
  jump = {OppositeJump(jump.Op), body, jump.B, jump.C};
  for (const auto& [item, position] : test) code_.Emit(item, position);
  Place(end);
}

void TKelCompiler::RepeatStatement() {
  Next();
  int32_t top = UsedLabel();
  Place(top);
  StatementList(kwUntil);
  Expect(kwUntil, "UNTIL Expected");
  Condition(top);
}

// The limit is evaluated again before every round, and after a normal end
// the variable holds the first value past the limit. The end of each round
// is one instruction that steps the variable, tests it against the limit
// and jumps back into the body; a test before the first round skips the
// loop. That instruction reads the limit where it is: a constant or a
// variable is read again each round by itself, and so is a limit computed
// from variables that the body cannot change (it calls nothing, has no
// label to enter it by and writes none of them), whose value is kept.
// Any other limit is computed again at the loop's head, which the end of
// each round steps the variable and jumps back to. The loop's own
// instructions take the line of its head.
void TKelCompiler::ForStatement() {
  Next();
  std::string name = ExpectIdent("Variable name expected");
  auto var_it = FindVariable(name);
  if (var_it == idents_.end()) Error("Variable <" + name + "> not defined");
  const int32_t var = var_it->second.Index;
  Expect(':', "Colon expected");
  Expect('=', "= expected");
  const size_t start_code = code_.Size();
  StoreTo(var, var_it->second.TypeName, CompileExprRestoring(), start_code);
  Next();
  const int32_t direction = tok_.Kind;
  const size_t head = code_.Size();
  const int32_t saved_slot = next_slot_;
  const TExprValue limit = CompileExpr();
  const size_t head_end = code_.Size();
  const bool computed = head_end != head;
  const bool pure = computed && ComputesOnly(head, head_end);
  Expect(kwDo, "DO expected");
  if (direction != kwTo && direction != kwDownTo) Error("TO or DOWNTO expected");
  const bool up = direction == kwTo;
  const int32_t end = UsedLabel();
  const int32_t top = UsedLabel();
  PlaceAt(top, head);
  Emit(up ? opJumpUnlessLessEq : opJumpUnlessGreaterEq, end, var, Field(limit));
  const size_t head_position = CurrentPosition();
  // A limit that may be kept keeps its temporaries for the body's time.
  if (!pure) next_slot_ = saved_slot;
  const int32_t body = UsedLabel();
  Place(body);
  const size_t body_start = code_.Size();
  const int32_t labels_before = goto_labels_placed_;
  Statement();
  const bool kept = !computed || (pure && goto_labels_placed_ == labels_before &&
                                  KeepsReads(head, head_end, body_start, var));
  const size_t saved_position = statement_position_;
  statement_position_ = head_position;
  if (kept) {
    Emit(up ? opForLoopUp : opForLoopDown, var, body, Field(limit));
    labels_[top] = TIDLabelItem{};
  } else {
    Emit(up ? opForStepUp : opForStepDown, var, top);
    labels_[body] = TIDLabelItem{};
  }
  statement_position_ = saved_position;
  next_slot_ = saved_slot;
  Place(end);
}

namespace {

// The slots an instruction reads as values (B and C), constants left out.
template <class F>
void ForEachSlotRead(const TProgItem& item, F f) {
  const TOpInfo* info = FindOpInfo(item.Op);
  if (info == nullptr) return;
  if (info->b == TOperand::kValue && !IsConstOperand(item.B)) f(item.B);
  if (info->c == TOperand::kValue && !IsConstOperand(item.C)) f(item.C);
}

bool MayChangeAnything(int32_t op) {
  return op == opCall || op == opGosub || op == opDynGet || op == opDynSet || op == opData;
}

}  // namespace

bool TKelCompiler::ComputesOnly(size_t from, size_t to) const {
  for (size_t i = from; i < to; ++i)
    if (!WritesOnlyTarget(code_.At(i).Op)) return false;
  return true;
}

bool TKelCompiler::KeepsReads(size_t from, size_t to, size_t body, int32_t var) const {
  std::vector<int32_t> reads{var};
  bool reads_var = false;
  for (size_t i = from; i < to; ++i) {
    ForEachSlotRead(code_.At(i), [&](int32_t slot) {
      reads.push_back(slot);
      reads_var = reads_var || slot == var;
    });
  }
  if (reads_var) return false;
  for (size_t i = body; i < code_.Size(); ++i) {
    const TProgItem& item = code_.At(i);
    if (MayChangeAnything(item.Op)) return false;
    const TOpInfo* info = FindOpInfo(item.Op);
    if (info != nullptr && info->a == TOperand::kSlot && std::find(reads.begin() + 1, reads.end(), item.A) != reads.end())
      return false;
  }
  return true;
}

}  // namespace orv
