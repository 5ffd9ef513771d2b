#include "core/script/reference_interpreter.h"

#include <charconv>
#include <memory>
#include <stdexcept>
#include <vector>

#include "core/script/dyna_vars.h"
#include "core/script/host_registry.h"
#include "core/script/lexer.h"

namespace orv::reference {
namespace {

// --- the tree ---

struct Expr;
using ExprPtr = std::unique_ptr<Expr>;

struct Expr {
  enum Kind { kConst, kVariable, kEngineResult, kUnary, kBinary, kCompare, kScriptCall, kHostCall, kArray };
  Kind kind = kConst;
  Variant value;     // kConst
  std::string name;  // kVariable: qualified name; kScriptCall: routine
  int32_t op = 0;    // kUnary: '-' or kwNot; kBinary: VarOp; kCompare: VarCompareOp; kHostCall: function
  std::vector<ExprPtr> args;
};

struct Stmt;
using StmtPtr = std::unique_ptr<Stmt>;

struct Stmt {
  enum Kind { kAssign, kSetResult, kScriptCall, kHostCall, kIf, kWhile, kRepeat, kFor, kBlock };
  Kind kind = kBlock;
  int32_t line = 0;    // of the statement, or of its condition or head
  std::string target;  // kAssign: qualified variable
  ExprPtr value;       // assigned value, condition, call, or the for loop's start
  ExprPtr limit;       // kFor
  bool up = true;      // kFor
  std::vector<StmtPtr> body;  // kBlock, kWhile, kRepeat, kFor: body[0]; kIf: then, else (may be null)
};

struct Routine {
  std::string name;
  std::vector<std::string> params;  // qualified
  std::vector<bool> by_ref;
  bool function = false;
  StmtPtr body;
};

// --- the parser ---

class Parser {
 public:
  explicit Parser(std::string_view source) : lex_(source) {}

  void Program(std::map<std::string, Variant>& variables, std::map<std::string, Routine>& routines, StmtPtr& main) {
    variables_ = &variables;
    routines_ = &routines;
    Declarations("");
    main = Block("");
  }

 private:
  [[noreturn]] static void Unknown(const std::string& what) { throw std::invalid_argument("reference: " + what); }
  void Next() { lex_.GetToken(tok_); }
  int32_t Peek() {
    TToken t;
    lex_.PeekToken(t);
    return t.Kind;
  }
  void Expect(int32_t kind) {
    Next();
    if (tok_.Kind != kind) Unknown("unexpected token " + tok_.Value.AsString());
  }
  std::string Ident() {
    Next();
    if (tok_.Kind != tkIdent) Unknown("identifier expected");
    return tok_.Value.AsString();
  }

  void Declarations(const std::string& scope) {
    for (;;) {
      const int32_t kind = Peek();
      if (kind == kwVar) {
        Next();
        while (Peek() == tkIdent) VarGroup(scope);
      } else if (kind == kwProcedure || kind == kwFunction) {
        Next();
        RoutineDeclaration(kind == kwFunction);
      } else {
        return;
      }
    }
  }

  void VarGroup(const std::string& scope) {
    for (;;) {
      (*variables_)[scope + Ident()] = Variant(0);
      Next();
      if (tok_.Kind == ':') break;
      if (tok_.Kind != ',') Unknown("var group");
    }
    Next();  // the type
    Expect(';');
  }

  void RoutineDeclaration(bool function) {
    Routine routine;
    routine.name = Ident();
    routine.function = function;
    const std::string scope = routine.name + ".";
    if (Peek() == '(') {
      Next();
      for (;;) {
        bool by_ref = false;
        Next();
        if (tok_.Kind == kwVar) {
          by_ref = true;
          Next();
        }
        std::vector<std::string> names{tok_.Value.AsString()};
        for (Next(); tok_.Kind == ','; Next()) names.push_back(Ident());
        Next();  // the type
        for (const std::string& n : names) {
          routine.params.push_back(scope + n);
          routine.by_ref.push_back(by_ref);
          (*variables_)[scope + n] = Variant(0);
        }
        Next();
        if (tok_.Kind == ')') break;
      }
    }
    if (Peek() == ':') {
      Next();
      Next();
    }
    Expect(';');
    (*variables_)[scope + "RESULT"] = Variant(0);
    std::string name = routine.name;
    (*routines_)[name] = std::move(routine);
    Declarations(scope);
    (*routines_)[name].body = Block(scope);
    Expect(';');
  }

  StmtPtr Block(const std::string& scope) {
    Expect(kwBegin);
    auto block = std::make_unique<Stmt>();
    block->kind = Stmt::kBlock;
    while (Peek() != kwEnd) {
      block->body.push_back(Statement(scope));
      if (Peek() == ';') Next();
    }
    Next();
    return block;
  }

  StmtPtr Statement(const std::string& scope) {
    auto s = std::make_unique<Stmt>();
    const int32_t kind = Peek();
    if (kind == kwBegin) return Block(scope);
    Next();
    s->line = lex_.CurrentLine();
    switch (kind) {
      case kwIf:
        s->kind = Stmt::kIf;
        s->value = Expression(scope);
        Expect(kwThen);
        s->body.push_back(Statement(scope));
        if (Peek() == kwElse) {
          Next();
          s->body.push_back(Statement(scope));
        }
        return s;
      case kwWhile:
        s->kind = Stmt::kWhile;
        s->value = Expression(scope);
        Expect(kwDo);
        s->body.push_back(Statement(scope));
        return s;
      case kwRepeat:
        s->kind = Stmt::kRepeat;
        s->body.push_back(std::make_unique<Stmt>());
        while (Peek() != kwUntil) {
          s->body[0]->body.push_back(Statement(scope));
          if (Peek() == ';') Next();
        }
        Next();
        s->line = lex_.CurrentLine();
        s->value = Expression(scope);
        return s;
      case kwFor: {
        s->kind = Stmt::kFor;
        s->target = Variable(scope, Ident());
        Expect(':');
        Expect('=');
        s->value = Expression(scope);
        Next();
        s->up = tok_.Kind == kwTo;
        s->limit = Expression(scope);
        Expect(kwDo);
        s->body.push_back(Statement(scope));
        return s;
      }
      case tkIdent:
        break;
      default:
        Unknown("statement");
    }
    const std::string name = tok_.Value.AsString();
    if (Peek() == ':') {
      Next();
      Expect('=');
      if (name == "RESULT" && scope.empty()) {
        s->kind = Stmt::kSetResult;
      } else {
        s->kind = Stmt::kAssign;
        s->target = Variable(scope, name);
      }
      s->value = Expression(scope);
      return s;
    }
    s->value = Call(scope, name);
    s->kind = s->value->kind == Expr::kScriptCall ? Stmt::kScriptCall : Stmt::kHostCall;
    return s;
  }

  std::string Variable(const std::string& scope, const std::string& name) const {
    if (variables_->count(scope + name) != 0) return scope + name;
    if (variables_->count(name) != 0) return name;
    Unknown("variable " + name);
  }

  ExprPtr Expression(const std::string& scope) {
    ExprPtr left = Sum(scope);
    int32_t op;
    switch (Peek()) {
      case '=': op = static_cast<int32_t>(VarCompareOp::Equal); break;
      case '<': op = static_cast<int32_t>(VarCompareOp::Less); break;
      case '>': op = static_cast<int32_t>(VarCompareOp::Greater); break;
      default: return left;
    }
    Next();
    const int32_t first = tok_.Kind, next = Peek();
    if (first == '<' && next == '>') {
      Next();
      op = static_cast<int32_t>(VarCompareOp::NotEqual);
    } else if (first != '=' && next == '=') {
      Next();
      op = static_cast<int32_t>(first == '<' ? VarCompareOp::LessEq : VarCompareOp::GreaterEq);
    }
    return Node(Expr::kCompare, op, std::move(left), Sum(scope));
  }

  ExprPtr Sum(const std::string& scope) {
    ExprPtr left = Term(scope);
    for (;;) {
      VarOp op;
      switch (Peek()) {
        case '+': op = VarOp::Add; break;
        case '-': op = VarOp::Sub; break;
        case kwOr: op = VarOp::Or; break;
        case kwXor: op = VarOp::Xor; break;
        default: return left;
      }
      Next();
      left = Node(Expr::kBinary, static_cast<int32_t>(op), std::move(left), Term(scope));
    }
  }

  ExprPtr Term(const std::string& scope) {
    ExprPtr left = Operand(scope);
    for (;;) {
      VarOp op;
      switch (Peek()) {
        case '*': op = VarOp::Mul; break;
        case '/': op = VarOp::Divide; break;
        case kwDiv: op = VarOp::IntDiv; break;
        case kwMod: op = VarOp::Mod; break;
        case kwAnd: op = VarOp::And; break;
        case kwShl: op = VarOp::Shl; break;
        case kwShr: op = VarOp::Shr; break;
        default: return left;
      }
      Next();
      left = Node(Expr::kBinary, static_cast<int32_t>(op), std::move(left), Operand(scope));
    }
  }

  static ExprPtr Node(Expr::Kind kind, int32_t op, ExprPtr left, ExprPtr right) {
    auto e = std::make_unique<Expr>();
    e->kind = kind;
    e->op = op;
    e->args.push_back(std::move(left));
    if (right) e->args.push_back(std::move(right));
    return e;
  }

  static ExprPtr Constant(Variant value) {
    auto e = std::make_unique<Expr>();
    e->value = std::move(value);
    return e;
  }

  ExprPtr Operand(const std::string& scope) {
    Next();
    switch (tok_.Kind) {
      case tkDigits: {
        std::string text = tok_.Value.AsString();
        if (Peek() == '.') {
          Next();
          Next();
          text += "." + tok_.Value.AsString();
          double d = 0;
          std::from_chars(text.data(), text.data() + text.size(), d);
          return Constant(Variant(d));
        }
        int32_t i = 0;
        std::from_chars(text.data(), text.data() + text.size(), i);
        return Constant(Variant(i));
      }
      case tkString: {
        std::string text = tok_.Value.AsString();
        while (Peek() == tkString || Peek() == '#') {
          Next();
          if (tok_.Kind == tkString) {
            text += tok_.Value.AsString();
          } else {
            Next();
            text.push_back(static_cast<char>(tok_.Value.AsInteger() % 256));
          }
        }
        return Constant(Variant(text));
      }
      case kwTrue: return Constant(Variant(true));
      case kwFalse: return Constant(Variant(false));
      case '(': {
        ExprPtr e = Expression(scope);
        Expect(')');
        return e;
      }
      case '-': return Node(Expr::kUnary, '-', Operand(scope), nullptr);
      case kwNot: return Node(Expr::kUnary, kwNot, Operand(scope), nullptr);
      case '[': {
        ExprPtr array = ArrayValue(scope);
        Expect(']');
        return array;
      }
      case tkIdent: break;
      default: Unknown("operand " + tok_.Value.AsString());
    }
    const std::string name = tok_.Value.AsString();
    if (Peek() == '(') return Call(scope, name);
    if (name == "RESULT") {
      auto e = std::make_unique<Expr>();
      e->kind = Expr::kEngineResult;
      return e;
    }
    if (variables_->count(scope + name) != 0 || variables_->count(name) != 0) {
      auto e = std::make_unique<Expr>();
      e->kind = Expr::kVariable;
      e->name = Variable(scope, name);
      return e;
    }
    return Call(scope, name);
  }

  // [ e, ... ] after its '[': an array 0..n whose element 0 holds n.
  ExprPtr ArrayValue(const std::string& scope) {
    Expect('[');
    auto e = std::make_unique<Expr>();
    e->kind = Expr::kArray;
    while (Peek() != ']') {
      e->args.push_back(Expression(scope));
      if (Peek() == ',') Next();
    }
    Next();
    return e;
  }

  ExprPtr Call(const std::string& scope, const std::string& name) {
    auto e = std::make_unique<Expr>();
    auto routine = routines_->find(name);
    if (routine != routines_->end()) {
      e->kind = Expr::kScriptCall;
      e->name = name;
      if (!routine->second.params.empty()) {
        Expect('(');
        for (size_t i = 0; i < routine->second.params.size(); ++i) {
          if (i > 0) Expect(',');
          e->args.push_back(routine->second.by_ref[i] ? VariableArg(scope) : Expression(scope));
        }
        Expect(')');
      }
      return e;
    }
    e->kind = Expr::kHostCall;
    e->op = FindFunction(name);
    if (e->op < 0) Unknown("routine " + name);
    const TFunListItem& entry = FunctionAt(e->op);
    if (entry.ParamCount == 0) return e;
    Expect('(');
    for (int32_t i = 0; i < entry.ParamCount; ++i) {
      if (i > 0) Expect(',');
      const ParamKind kind = entry.ParamKinds[static_cast<size_t>(i)];
      if (kind == pkVar) {
        e->args.push_back(VariableArg(scope));
      } else if (kind == pkArray) {
        if (entry.ParamCount != 1 || Peek() == '[') {
          e->args.push_back(ArrayValue(scope));
        } else {
          auto array = std::make_unique<Expr>();
          array->kind = Expr::kArray;
          while (Peek() != ')') {
            array->args.push_back(Expression(scope));
            if (Peek() == ',') Next();
          }
          e->args.push_back(std::move(array));
        }
      } else {
        e->args.push_back(Expression(scope));
      }
    }
    Expect(')');
    return e;
  }

  ExprPtr VariableArg(const std::string& scope) {
    auto e = std::make_unique<Expr>();
    e->kind = Expr::kVariable;
    e->name = Variable(scope, Ident());
    return e;
  }

  TLexer lex_;
  TToken tok_;
  std::map<std::string, Variant>* variables_ = nullptr;
  std::map<std::string, Routine>* routines_ = nullptr;
};

// --- the evaluator ---

struct Exhausted {};

class Machine {
 public:
  Machine(TOutcome& out, std::map<std::string, Routine>& routines, int64_t budget)
      : out_(out), routines_(routines), budget_(budget) {}

  void Execute(const Stmt& s) {
    if (--budget_ < 0) throw Exhausted{};
    switch (s.kind) {
      case Stmt::kBlock:
        for (const StmtPtr& inner : s.body) Execute(*inner);
        return;
      case Stmt::kAssign: {
        line_ = s.line;
        Variant v = Eval(*s.value);
        out_.variables[s.target] = std::move(v);
        return;
      }
      case Stmt::kSetResult: {
        line_ = s.line;
        Variant v = Eval(*s.value);
        out_.result = std::move(v);
        return;
      }
      case Stmt::kScriptCall:
      case Stmt::kHostCall:
        line_ = s.line;
        Eval(*s.value);
        return;
      case Stmt::kIf:
        line_ = s.line;
        if (!False(Eval(*s.value))) {
          Execute(*s.body[0]);
        } else if (s.body.size() > 1) {
          Execute(*s.body[1]);
        }
        return;
      case Stmt::kWhile:
        for (;;) {
          line_ = s.line;
          if (False(Eval(*s.value))) return;
          Execute(*s.body[0]);
          if (--budget_ < 0) throw Exhausted{};
        }
      case Stmt::kRepeat:
        for (;;) {
          Execute(*s.body[0]);
          line_ = s.line;
          if (!False(Eval(*s.value))) return;
          if (--budget_ < 0) throw Exhausted{};
        }
      case Stmt::kFor: {
        line_ = s.line;
        Variant start = Eval(*s.value);
        out_.variables[s.target] = std::move(start);
        const VarCompareOp test = s.up ? VarCompareOp::LessEq : VarCompareOp::GreaterEq;
        for (;;) {
          line_ = s.line;
          const Variant limit = Eval(*s.limit);
          if (!CompareOp(test, out_.variables[s.target], limit)) return;
          Execute(*s.body[0]);
          line_ = s.line;
          ApplyBinary(VarOp::Add, out_.variables[s.target], Variant(s.up ? 1 : -1));
          if (--budget_ < 0) throw Exhausted{};
        }
      }
    }
  }

  int32_t line() const { return line_; }

 private:
  static bool False(const Variant& v) { return v.Type() == varBoolean ? !v.AsBoolean() : IsFalse(v); }

  Variant Eval(const Expr& e) {
    switch (e.kind) {
      case Expr::kConst:
        return e.value;
      case Expr::kVariable:
        return out_.variables.at(e.name);
      case Expr::kEngineResult:
        return out_.result;
      case Expr::kUnary: {
        Variant v = Eval(*e.args[0]);
        e.op == '-' ? ApplyNeg(v) : ApplyNot(v);
        return v;
      }
      case Expr::kBinary: {
        Variant left = Eval(*e.args[0]);
        const Variant right = Eval(*e.args[1]);
        ApplyBinary(static_cast<VarOp>(e.op), left, right);
        return left;
      }
      case Expr::kCompare: {
        const Variant left = Eval(*e.args[0]);
        const Variant right = Eval(*e.args[1]);
        return Variant(CompareOp(static_cast<VarCompareOp>(e.op), left, right));
      }
      case Expr::kArray: {
        std::vector<Variant> values;
        for (const ExprPtr& a : e.args) values.push_back(Eval(*a));
        Variant array = Variant::Array(static_cast<int32_t>(values.size()));
        array.PutElement(0, Variant(static_cast<int32_t>(values.size())));
        for (size_t i = 0; i < values.size(); ++i) array.PutElement(static_cast<int32_t>(i + 1), values[i]);
        return array;
      }
      case Expr::kScriptCall:
        return ScriptCall(e);
      case Expr::kHostCall:
        return HostCall(e);
    }
    return Variant();
  }

  // Arguments first, then the parameters, the body, the `var` parameters
  // back to their variables; the value is the routine's result slot.
  Variant ScriptCall(const Expr& e) {
    const Routine& routine = routines_.at(e.name);
    std::vector<Variant> values;
    for (size_t i = 0; i < e.args.size(); ++i)
      values.push_back(routine.by_ref[i] ? Variant() : Eval(*e.args[i]));
    for (size_t i = 0; i < e.args.size(); ++i)
      out_.variables[routine.params[i]] = routine.by_ref[i] ? out_.variables.at(e.args[i]->name) : values[i];
    const int32_t saved_line = line_;
    Execute(*routine.body);
    line_ = saved_line;
    for (size_t i = 0; i < e.args.size(); ++i)
      if (routine.by_ref[i]) out_.variables[e.args[i]->name] = out_.variables.at(routine.params[i]);
    return out_.variables.at(routine.name + ".RESULT");
  }

  Variant HostCall(const Expr& e) {
    const TFunListItem& entry = FunctionAt(e.op);
    std::vector<Variant> values;
    for (size_t i = 0; i < e.args.size(); ++i)
      values.push_back(entry.ParamKinds[i] == pkVar ? Variant() : Eval(*e.args[i]));
    for (size_t i = 0; i < e.args.size(); ++i)
      args_[i] = entry.ParamKinds[i] == pkVar ? out_.variables.at(e.args[i]->name) : values[i];
    Variant result;
    entry.Code(nullptr, entry.Name, args_, result);
    for (size_t i = 0; i < e.args.size(); ++i)
      if (entry.ParamKinds[i] == pkVar) out_.variables[e.args[i]->name] = args_[i];
    return result;
  }

  TOutcome& out_;
  std::map<std::string, Routine>& routines_;
  int64_t budget_;
  int32_t line_ = 0;
  ArgBlock args_;
};

}  // namespace

TOutcome Run(std::string_view source, int64_t budget) {
  TOutcome out;
  std::map<std::string, Routine> routines;
  StmtPtr main;
  Parser(source).Program(out.variables, routines, main);
  out.result = InternalVars().Result;
  Machine machine(out, routines, budget);
  try {
    machine.Execute(*main);
  } catch (const Exhausted&) {
    out.exhausted = true;
  } catch (const Exception& e) {
    out.error = e.what();
    out.line = machine.line();
  }
  return out;
}

}  // namespace orv::reference
