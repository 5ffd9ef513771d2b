// TKelCompiler: the single-pass compiler of the script language. It reads a
// script text and emits three-operand instructions over the runner's variant
// slots as each construct is recognised, with no syntax tree, and writes the
// program image (program_image.h). Declarations and statements are compiled
// in compiler.cpp, expressions, operands and calls in expr_compiler.cpp.
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
#include <vector>

#include "components/object.h"
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
  void Place(int32_t label);
  void Emit(int32_t op, int32_t a = 0, int32_t b = 0) {
    code_.push_back(TProgItem{a, b, op});
    positions_.push_back(statement_position_ != kNoPosition ? statement_position_ : lex_.Position());
  }
  int32_t AllocSlot();
  int32_t AddConst(Variant value);
  int32_t LoadConst(Variant value);  // loads into a new slot

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
  void IfStatement();
  void WhileStatement();
  void RepeatStatement();
  void ForStatement();
  void LinkCheck();

  // --- expressions and calls (expr_compiler.cpp) ---
  int32_t CompileExpr();
  int32_t CompileExprRestoring();
  int32_t Sum();
  int32_t Term();
  int32_t Operand();
  int32_t NumberOperand();
  int32_t StringOperand();
  int32_t IdentOperand();
  int32_t ArrayConstructor(bool required);
  std::string ReadDottedName();
  int32_t FindHost(std::string_view name, std::string_view suffix) const;
  int32_t CompileCall(const std::string& name, bool statement);
  int32_t HostCall(int32_t function, bool statement, SelfRegister self);
  int32_t ScriptCall(const std::string& qualified);
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
  std::vector<TIDLabelItem> labels_;
  TIdentList idents_;
  TIdentList label_names_;  // label name -> Index = label number
  std::vector<Variant> consts_;
  std::vector<TProgItem> code_;
  // Where each instruction's line is taken from: the start of the assignment
  // or call it belongs to, else the lexer's position when it was emitted.
  std::vector<size_t> positions_;
  static constexpr size_t kNoPosition = static_cast<size_t>(-1);
  size_t statement_position_ = kNoPosition;  // while an assignment or call is compiled
  SelfRegister self_;
  std::string parent_class_name_;
  // Routines called by the program, checked for a body at link time.
  std::vector<std::string> called_routines_;
};

}  // namespace orv
