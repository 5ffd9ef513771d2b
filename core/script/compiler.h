// TKelCompiler: the single-pass compiler of the script language. It reads a
// script text and emits register-machine instructions (opcodes.h) as each
// construct is recognised, with no syntax tree, and writes the program image
// (program_image.h). An expression hands on where its value is (a constant,
// a variable or a temporary slot) instead of loading it anywhere, so every
// operator is one instruction on its operands as they are, and a
// statement's last operator writes straight to the assigned variable.
// Declarations and statements are compiled in compiler.cpp, expressions,
// operands and calls in expr_compiler.cpp.
//
//   std::string image;
//   TKelCompiler compiler("var x: integer; begin x := 1 end.", image);
//   compiler.SetObjects(&objects);  // named host objects, optional
//   compiler.Compile();             // ECompilerError on the first error
//   TBinProg program(image);
//
// Limits: a script may use at most 1001 variable slots (variables,
// parameters, `.RESULT` slots and temporaries together) and a routine at most
// 100 parameters; string constants hold at most 255 characters; statements,
// expressions and routines nest at most 500 deep; a routine that is called
// must have a body. Each is a compile error naming the limit.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "components/object.h"
#include "core/script/code_buffer.h"
#include "core/script/host_registry.h"
#include "core/script/ident_list.h"
#include "core/script/lexer.h"
#include "core/script/obj_collect.h"
#include "core/script/opcodes.h"
#include "core/script/variant.h"

namespace orv {

// One entry of the label table.
struct TIDLabelItem {
  int32_t Target = 0;
  bool Used = false;
  bool Placed = false;
};

// Where the value of an expression is, as the compiler hands it on.
struct TExprValue {
  enum Kind : uint8_t {
    kConst,     // constant `index` of the pool
    kTemp,      // temporary slot `index`, written by the expression's code
    kVariable,  // variable slot `index` (a variable, a parameter, a routine's result), read where it is
  };
  Kind kind = kConst;
  int32_t index = 0;
  // A variable read held open while later operands are compiled
  // (TCodeBuffer::Hold); -1 when not held.
  int32_t hold = -1;

  static TExprValue Const(int32_t number) { return {kConst, number, -1}; }
  static TExprValue Temp(int32_t slot) { return {kTemp, slot, -1}; }
  static TExprValue Variable(int32_t slot) { return {kVariable, slot, -1}; }
};

// One term after the first of a condition that joins comparisons with
// `and` (or `or`), as the compiler takes it apart to stop the condition
// early: the instructions that compute it (the last gives its Boolean: a
// comparison, or not, and, or, xor), each with its source position; and
// what the variables it reads must hold for it to be passed over.
struct TChainTerm {
  // What an operand must hold: an Integer; an Integer or a Double; a
  // Boolean (which only a comparison's result is known to: see Passable).
  enum class Need : uint8_t { kInteger, kNumber, kBoolean };
  struct Read {
    int32_t slot;
    Need need;
  };
  std::vector<std::pair<TProgItem, size_t>> code;
  std::vector<Read> reads;
};

// Compiles one script text, once.
class TKelCompiler {
 public:
  // `image` receives the program image when Compile succeeds.
  TKelCompiler(std::string_view source, std::string& image);

  // The script component whose bound dynamic-variable providers the script
  // may use (nullptr: only the global ones).
  void SetOwner(TObject* owner) { owner_ = owner; }
  // The runner's named host objects (nullptr: none).
  void SetObjects(const tobjcollect* objects) { objects_ = objects; }

  // Compiles the whole text, checks the labels and writes the image.
  void Compile();

  // The script identifiers, after Compile.
  const TIdentList& Identifiers() const { return idents_; }
  TIdentList TakeIdentifiers() { return std::move(idents_); }
  // The source line of each instruction of the image, after Compile.
  std::vector<int32_t> TakeLines();
  // The parent class named by the last class declaration ("" if none).
  const std::string& ParentClassName() const { return parent_class_name_; }

 private:
  // Where the Self object of the next host method call comes from.
  struct SelfRegister {
    enum Kind { kNone, kLiteral, kSlot } kind = kNone;
    int32_t value = 0;  // an object handle or a slot
  };

  // Counts the nesting of statements, expressions and routines, so that
  // deeply nested text is an error instead of exhausting the stack.
  class NestingGuard {
   public:
    explicit NestingGuard(TKelCompiler& compiler);
    ~NestingGuard() { --compiler_.depth_; }
    NestingGuard(const NestingGuard&) = delete;
    NestingGuard& operator=(const NestingGuard&) = delete;

   private:
    TKelCompiler& compiler_;
  };
  static constexpr int32_t kMaxNesting = 500;

  // --- state helpers (compiler.cpp) ---
  [[noreturn]] void Error(std::string_view text) const { lex_.SyntaxError(text); }
  void Next() { lex_.GetToken(tok_); }
  int32_t PeekKind();
  bool PeekIs(int32_t kind) { return PeekKind() == kind; }
  // Consumes the next token and raises `error` unless it is of `kind`.
  void Expect(int32_t kind, std::string_view error);
  // Consumes the next token and raises `error` unless it is an identifier.
  std::string ExpectIdent(std::string_view error);
  // Consumes the name of a member after a point: an identifier or a keyword.
  std::string ExpectMemberName();
  std::string TokenText() const;

  int32_t NewLabel();
  void MarkUsed(int32_t label) { labels_[label].Used = true; }
  // A new label, marked used.
  int32_t UsedLabel();
  void Place(int32_t label) { PlaceAt(label, code_.Size()); }
  void PlaceAt(int32_t label, size_t target);
  // The source position the next instruction is attributed to.
  size_t CurrentPosition() const {
    return statement_position_ != kNoPosition ? statement_position_ : lex_.Position();
  }
  void Emit(int32_t op, int32_t a = 0, int32_t b = 0, int32_t c = 0) {
    code_.Emit(TProgItem{op, a, b, c}, CurrentPosition());
  }
  // Emits an instruction that may change variables (a call): the variable
  // reads held open get their copies first.
  void EmitCall(int32_t op, int32_t a = 0, int32_t b = 0, int32_t c = 0) {
    code_.CopyHeld();
    Emit(op, a, b, c);
  }
  int32_t AllocSlot();
  // The number of a constant of the value; equal constants share one.
  int32_t AddConst(Variant value);

  TIdentList::iterator FindIdent(std::string_view name);
  TIdentList::iterator FindVariable(std::string_view name);  // Kind 0 only
  TIdentListItem& Declare(const std::string& qualified, TIdentListItem item);
  const tobjitem* FindObject(std::string_view name) const;

  // --- declarations and statements (compiler.cpp) ---
  void Declarations();
  void LabelSection();
  void VarGroup(bool first_token_read);
  void TypeSection();
  void ClassBody();
  void UsesClause();
  // Returns the qualified name of the routine.
  std::string RoutineHeader();
  void ParameterList(TIdentListItem* routine, const std::string& qualified);
  void RoutineBody(const std::string& qualified);
  void Block();
  void StatementList(int32_t stop_keyword);
  // Returns true when the statement ended with a label's ':'.
  bool Statement();
  void Delimiter(bool after_label);
  bool IdentStatement();
  void Assignment(const std::string& name, SelfRegister self);
  // var[slot] := the value of the expression whose code starts at
  // `code_start`: its last instruction is made to write the slot when it
  // computed the value, otherwise the value is copied. A variable declared
  // as a number (`type`) is taken to be summed as one (DeclaredForText).
  void StoreTo(int32_t slot, const std::string& type, const TExprValue& value, size_t code_start);
  // Makes `var[slot] := var[slot] + x1 + ... + xn` grow the slot's text in
  // place when the slot and every x hold texts, instead of copying it into
  // a temporary at the first `+`.
  void AppendInPlace(int32_t slot, size_t code_start);
  // Whether instructions code_start .. before `end` copy var[slot] into
  // `copy` and then only compute other values (calls, their arguments),
  // leaving `copy` as the copy.
  bool CopiedBefore(int32_t copy, int32_t slot, size_t code_start, size_t end) const;
  // Whether instructions from `prefix` up to `end` add to var[slot] in
  // `copy` terms that are constant texts or slots other than both
  // (`copy := slot + k1` or `copy := slot`, then `copy := copy + c1` ...),
  // among code that neither
  // jumps nor touches `copy` (calls): at least one such instruction and at
  // most kMaxTermsBeforeCalls terms.
  bool FindTermsBeforeCalls(int32_t copy, int32_t slot, size_t code_start, size_t end, size_t& prefix) const;
  static constexpr size_t kMaxTermsBeforeCalls = 16;
  // Emits the sum whose terms FindTermsBeforeCalls found from `prefix`,
  // `sum` being its instructions after the calls and `texts` the slots those
  // add, so that it grows var[slot] in place when it holds a text.
  void AppendAfterCalls(int32_t slot, int32_t temp, size_t prefix, std::vector<std::pair<TProgItem, size_t>> sum,
                        const std::vector<int32_t>& texts);
  // The guards of a text sum's form in place: that var[slot] still holds
  // the text of its copy in `temp` (when `copied`), then the kinds of the
  // slots `texts`, two at a time.
  static std::vector<TProgItem> TextGuards(bool copied, int32_t slot, int32_t temp, const std::vector<int32_t>& texts);
  // Puts a text sum's form in place after the routine, at `label` (source
  // position `position`): `copy`
  // (unless -1) lets go of the text it shares, var[slot] gets the `kept`
  // terms and then those that `sum`'s instructions add, and a jump goes to
  // `done`.
  void DeferInPlace(int32_t label, size_t position, int32_t slot, int32_t copy,
                    const std::vector<std::pair<int32_t, size_t>>& kept,
                    const std::vector<std::pair<TProgItem, size_t>>& sum, int32_t done);
  // Whether the value operand `operand` names a constant text.
  bool TextConstant(int32_t operand) const {
    return IsConstOperand(operand) && consts_[static_cast<size_t>(ConstNumber(operand))].IsString();
  }
  // A jump to `label` unless the condition whose code starts at
  // `code_start` holds: a comparison becomes a compare-and-jump.
  void JumpUnless(const TExprValue& condition, int32_t label, size_t code_start);
  // Makes a condition that joins comparisons with `or` (or with `and`) stop
  // at the first one that decides it, where the rest cannot be told apart
  // from not running; returns the label to place after the jump on the
  // condition, or -1.
  int32_t ShortCircuit(const TExprValue& condition, int32_t label, size_t code_start);
  // Puts the guards and fallbacks of the chain `terms` in the code emitted
  // after the routine (ShortCircuit).
  void DeferGuards(std::vector<TChainTerm>& terms, const std::vector<int32_t>& guards,
                   const std::vector<int32_t>& skip);
  // Puts the guard jumps `guards` after the routine, the first at label
  // `start`: each goes on to the next when its test holds, the last to
  // `pass`, and any that fails goes to `fail`. Their A fields are set here.
  void DeferGuardChain(int32_t start, std::vector<TProgItem> guards, int32_t pass, int32_t fail, size_t position);
  // Emits the deferred code, after the return or stop that ends a routine
  // or the main program, where no instruction runs on into it.
  void EmitDeferred();
  void Condition(int32_t label);
  void IfStatement();
  void WhileStatement();
  void RepeatStatement();
  void ForStatement();
  // Whether the instructions from..to only compute values from their
  // operands (no calls).
  bool ComputesOnly(size_t from, size_t to) const;
  // Whether the values read by the instructions from..to stay the same
  // through the loop body that starts at `body` and through the step of the
  // loop variable `var`.
  bool KeepsReads(size_t from, size_t to, size_t body, int32_t var) const;
  void LinkCheck();

  // --- expressions and calls (expr_compiler.cpp) ---
  TExprValue CompileExpr();
  // CompileExpr, then the temporaries are released (the value stays
  // readable until the next instruction that uses temporaries).
  TExprValue CompileExprRestoring();
  TExprValue Sum();
  TExprValue Term();
  TExprValue Operand();
  // left op (the operand `right` compiles); the left operand's variable
  // read is held open meanwhile.
  template <class Right>
  TExprValue Binary(int32_t op, TExprValue left, Right right);
  TExprValue Unary(int32_t op, TExprValue value);
  // Holds the read of a variable value open while later code is compiled
  // (see TCodeBuffer); Settle ends the hold, giving where the value is now.
  void HoldRead(TExprValue& value);
  TExprValue Settle(TExprValue value);
  // The A, B or C field that names the value.
  static int32_t Field(const TExprValue& value) {
    return value.kind == TExprValue::kConst ? ConstOperand(value.index) : value.index;
  }
  // The data-word field that passes the value to a host call: a temporary
  // is taken by the call (its value is not read again), anything else is
  // read where it is.
  static int32_t ArgumentField(const TExprValue& value) {
    return value.kind == TExprValue::kTemp ? TakenArgument(value.index) : Field(value);
  }
  TExprValue NumberOperand();
  TExprValue StringOperand();
  TExprValue IdentOperand();
  TExprValue ArrayConstructor(bool required);
  std::string ReadDottedName();
  int32_t FindHost(std::string_view name, std::string_view suffix) const;
  TExprValue CompileCall(const std::string& name, bool statement);
  TExprValue HostCall(int32_t function, bool statement, SelfRegister self);
  TExprValue ScriptCall(const std::string& qualified);
  void EmitSelf(SelfRegister self);
  void EmitHostCall(int32_t result, int32_t function, const std::vector<int32_t>& args);
  int32_t VarArgument();
  uint8_t ExpectCharCode();

  TLexer lex_;
  TToken tok_;
  std::string& image_;
  TObject* owner_ = nullptr;
  const tobjcollect* objects_ = nullptr;

  std::string prefix_;
  int32_t next_slot_ = 0;
  int32_t slot_high_water_ = 0;  // one past the highest slot ever taken
  int32_t depth_ = 0;
  int32_t goto_labels_placed_ = 0;
  std::vector<TIDLabelItem> labels_;
  TIdentList idents_;
  TIdentList label_names_;  // label name -> Index = label number
  std::vector<Variant> consts_;
  // Constants by kind and bytes, so equal ones share a number.
  std::unordered_map<std::string, int32_t> const_numbers_;
  // The instructions; each instruction's line is taken from the start of
  // the assignment or call it belongs to, else the lexer's position when it
  // was emitted.
  TCodeBuffer code_;
  static constexpr size_t kNoPosition = static_cast<size_t>(-1);
  size_t statement_position_ = kNoPosition;  // while an assignment or call is compiled
  size_t last_call_ = kNoPosition;           // the last host call emitted
  SelfRegister self_;
  // Code to emit after the routine being compiled: an instruction, or the
  // place of label `label` when that is 0 or more.
  struct TDeferred {
    int32_t label;
    TProgItem item;
    size_t position;
  };
  std::vector<TDeferred> deferred_;
  std::string parent_class_name_;
  // Routines called by the program, checked for a body at link time.
  std::vector<std::string> called_routines_;
};

}  // namespace orv
