#include "core/script/program_generator.h"

#include <algorithm>
#include <random>
#include <vector>

namespace orv::testing_programs {
namespace {

// Where a statement or expression is generated: the variables it may read
// and write, and what it may call.
struct Scope {
  std::vector<std::string> readable;
  std::vector<std::string> writable;
  bool calls_routines;  // F and P (never from inside them: no recursion)
  bool main;            // the engine-wide Result is assigned in the main block only
};

class Generator {
 public:
  explicit Generator(uint32_t seed) : rng_(seed) {}

  std::string Program() {
    std::string text =
        "var a, b, c, d, e: integer;\n"
        "    s, t: string;\n"
        "    i, j, w0, w1: integer;\n";
    Scope f{{"X", "Y", "U", "A", "B", "C", "S"}, {"U", "A", "C", "S"}, false, false};
    text += "function F(x, y: integer): integer;\nvar u: integer;\nbegin\n";
    text += "  u := " + Expression(f, 2) + ";\n";
    text += Statements(f, 1 + Pick(2), 2, 1);
    text += "  Result := " + Expression(f, 2) + "\nend;\n";
    Scope p{{"Z", "V", "A", "D", "T"}, {"Z", "D", "T"}, false, false};
    text += "procedure P(var z: integer; v: integer);\nbegin\n";
    text += Statements(p, 1 + Pick(2), 2, 1);
    text += "  z := " + Expression(p, 2) + "\nend;\n";
    text += "begin\n";
    // The text variables start as texts more often than not, so that texts
    // are built in them (Append).
    for (const std::string name : {"a", "b", "c", "d", "e", "s", "t"})
      text += "  " + name + " := " + (name >= "s" && Chance(60) ? Word() : Literal()) + ";\n";
    Scope main{{"A", "B", "C", "D", "E", "S", "T"}, {"A", "B", "C", "D", "E", "S", "T"}, true, true};
    text += Statements(main, 4 + Pick(8), 0, 1);
    return text + "end.\n";
  }

 private:
  int Pick(int n) { return static_cast<int>(rng_() % static_cast<uint32_t>(n)); }
  bool Chance(int percent) { return Pick(100) < percent; }
  template <class T>
  const T& OneOf(const std::vector<T>& items) {
    return items[static_cast<size_t>(Pick(static_cast<int>(items.size())))];
  }

  std::string Literal() {
    static const std::vector<std::string> integers = {"0",     "1",     "2",     "3",     "7",          "10",
                                                      "100",   "255",   "46341", "65536", "2147483647", "1000003",
                                                      "-1",    "-7",    "(-2147483647 - 1)"};
    static const std::vector<std::string> reals = {"0.5", "1.5", "2.25", "1000.0", "0.1", "0.0"};
    // Texts are mostly numbers, so that a program runs on after most of its
    // conversions; the others end it with a conversion error.
    static const std::vector<std::string> numbers = {"'7'", "' 12 '", "'3.5'", "'-2'", "'True'"};
    const int kind = Pick(100);
    if (kind < 65) return OneOf(integers);
    if (kind < 80) return OneOf(reals);
    if (kind < 90) return OneOf(numbers);
    if (kind < 91) return Word();
    return Chance(50) ? "True" : "False";
  }

  // A text that is no number, or one that is.
  std::string Word() {
    static const std::vector<std::string> words = {"''", "'abc'", "'x'#65", "'7'", "' '"};
    return OneOf(words);
  }

  // The right operand of a division: mostly a constant other than zero, so
  // that a program divides by zero now and then only.
  std::string Divisor(const Scope& scope, int depth) {
    static const std::vector<std::string> divisors = {"2", "3", "7", "10", "1000003", "-7", "-4", "0.25"};
    return Chance(75) ? OneOf(divisors) : Operand(scope, depth);
  }

  // An expression: a comparison of sums, or a sum.
  std::string Expression(const Scope& scope, int depth) {
    std::string left = Sum(scope, depth);
    if (!Chance(25)) return left;
    static const std::vector<std::string> relations = {"=", "<>", "<", "<=", ">", ">="};
    return left + " " + OneOf(relations) + " " + Sum(scope, depth);
  }

  std::string Sum(const Scope& scope, int depth) {
    std::string text = Term(scope, depth);
    static const std::vector<std::string> ops = {"+", "+", "-", "-", "or", "xor"};
    for (int n = Pick(3) / 2 + Pick(2); n > 0 && depth > 0; --n) text += " " + OneOf(ops) + " " + Term(scope, depth - 1);
    return text;
  }

  std::string Term(const Scope& scope, int depth) {
    std::string text = Operand(scope, depth);
    static const std::vector<std::string> ops = {"*", "*", "div", "mod", "/", "and", "shl", "shr"};
    for (int n = Pick(2); n > 0 && depth > 0; --n) {
      const std::string& op = OneOf(ops);
      const bool divides = op == "div" || op == "mod" || op == "/";
      text += " " + op + " " + (divides ? Divisor(scope, depth - 1) : Operand(scope, depth - 1));
    }
    return text;
  }

  std::string Operand(const Scope& scope, int depth) {
    const int kind = Pick(100);
    if (depth <= 0 || kind < 35) return Chance(75) ? OneOf(scope.readable) : Literal();
    if (kind < 58) return Literal();
    if (kind < 67) return "(" + Expression(scope, depth - 1) + ")";
    if (kind < 72) return "-(" + Expression(scope, depth - 1) + ")";
    if (kind < 75) return "not " + Operand(scope, depth - 1);
    if (kind < 81) return "TADD(" + Expression(scope, depth - 1) + ", " + Expression(scope, depth - 1) + ")";
    if (kind < 83) return "TSUM([" + Expression(scope, depth - 1) + ", " + Operand(scope, depth - 1) + "])";
    if (kind < 86 && scope.writable.size() >= 2) {
      const std::string& first = OneOf(scope.writable);
      std::string second = OneOf(scope.writable);
      return "TSWAP(" + first + ", " + second + ")";
    }
    if (kind < 94 && scope.calls_routines)
      return "F(" + Expression(scope, depth - 1) + ", " + Expression(scope, depth - 1) + ")";
    if (kind < 96) return "Result";
    return OneOf(scope.readable);
  }

  // The condition of an if: an expression, or one joined by `or` or `and`
  // to comparisons of a variable or of one operation on it, mostly
  // equalities with a constant (which a condition may stop before), some
  // that stop early only when their variables hold numbers, some that may
  // fail, and to `not` of a variable (passed over when it holds a Boolean).
  std::string Condition(const Scope& scope) {
    if (Chance(50)) return Expression(scope, 2);
    const std::string join = Chance(50) ? " or " : " and ";
    static const std::vector<std::string> relations = {"=", "=", "<>", "<"};
    static const std::vector<std::string> heads = {"=", "<>", "<", ">="};
    std::string text = Chance(50) ? "(" + Expression(scope, 1) + ")"
                                  : "(" + Operand(scope, 1) + " " + OneOf(heads) + " " + Operand(scope, 1) + ")";
    for (int n = 1 + Pick(3); n > 0; --n) {
      if (Chance(15)) {
        text += join + "not " + OneOf(scope.readable);
        continue;
      }
      const std::string right = Chance(85) ? Literal() : OneOf(scope.readable);
      std::string left = OneOf(scope.readable);
      if (Chance(40)) {
        static const std::vector<std::string> ops = {"+", "-", "*", "/", "div", "mod"};
        const std::string& op = OneOf(ops);
        const bool divides = op == "div" || op == "mod" || op == "/";
        left += " " + op + " " + (divides ? Divisor(scope, 0) : Operand(scope, 0));
      }
      text += join + "(" + left + " " + OneOf(relations) + " " + right + ")";
    }
    return text;
  }

  std::string Statements(Scope& scope, int count, int loop_depth, int indent) {
    std::string text;
    for (int n = 0; n < count; ++n) text += Statement(scope, loop_depth, indent) + ";\n";
    return text;
  }

  std::string Statement(Scope& scope, int loop_depth, int indent) {
    const std::string pad(static_cast<size_t>(indent) * 2, ' ');
    const int kind = Pick(100);
    if (kind < 12) return pad + "TLOG(" + Expression(scope, 2) + ")";
    if (kind < 20 && scope.calls_routines)
      return pad + "P(" + OneOf(scope.writable) + ", " + Expression(scope, 2) + ")";
    if (kind < 25 && scope.main) return pad + "Result := " + Expression(scope, 2);
    if (kind < 38) {
      std::string text = pad + "if " + Condition(scope) + " then\n" + Statement(scope, loop_depth, indent + 1);
      if (Chance(50)) text += "\n" + pad + "else\n" + Statement(scope, loop_depth, indent + 1);
      return text;
    }
    if (kind < 52 && loop_depth < 2) return Loop(scope, loop_depth, indent);
    if (kind < 60) return pad + Append(scope);
    return pad + OneOf(scope.writable) + " := " + Expression(scope, 2);
  }

  // A sum of terms added to the variable it is stored in, the way texts are
  // built: mostly a text variable, with texts, text variables, other
  // variables and numbers added.
  std::string Append(const Scope& scope) {
    std::vector<std::string> texts;
    for (const char* name : {"S", "T"})
      if (std::find(scope.writable.begin(), scope.writable.end(), name) != scope.writable.end()) texts.push_back(name);
    const std::string var = !texts.empty() && Chance(80) ? OneOf(texts) : OneOf(scope.writable);
    std::string text = var + " := " + var;
    for (int n = 2 + Pick(3); n > 0; --n) {
      const int kind = Pick(100);
      text += " + " + (kind < 40                       ? Word()
                       : kind < 60 && !texts.empty() ? OneOf(texts)
                       : kind < 72                   ? OneOf(scope.readable)
                       : kind < 84                   ? Call(scope)
                                                     : Literal());
    }
    return text;
  }

  // A call among a sum's terms: a host function, or F where the scope may
  // call it.
  std::string Call(const Scope& scope) {
    if (scope.calls_routines && Chance(50)) return "F(" + OneOf(scope.readable) + ", " + Literal() + ")";
    return "TADD(" + (Chance(50) ? Word() : OneOf(scope.readable)) + ", " + OneOf(scope.readable) + ")";
  }

  // A for, while or repeat loop whose counter is its own variable (readable
  // inside, written by nothing else).
  std::string Loop(Scope& scope, int loop_depth, int indent) {
    const std::string pad(static_cast<size_t>(indent) * 2, ' ');
    const std::string counter = std::string(Pick(2) == 0 ? "i" : "w") + std::to_string(loop_depth);
    Scope inner = scope;
    const std::string name = counter == "i0" ? "I" : counter == "i1" ? "J" : counter == "w0" ? "W0" : "W1";
    const std::string var = counter == "i0" ? "i" : counter == "i1" ? "j" : counter;
    inner.readable.push_back(name);
    const std::string body = Statements(inner, 1 + Pick(3), loop_depth + 1, indent + 1);
    if (counter[0] == 'i') {
      // Limits that need no code, limits computed from variables (which
      // the body may change), from calls, and any expression.
      std::string limit;
      switch (Pick(6)) {
        case 0: limit = std::to_string(Pick(6)); break;
        case 1: limit = OneOf(scope.readable) + " mod 5 + 1"; break;
        case 2: limit = OneOf(scope.readable); break;
        case 3: limit = "TADD(" + OneOf(scope.readable) + " mod 3, 2)"; break;
        case 4:
          limit = scope.calls_routines ? "F(" + OneOf(scope.readable) + ", 1) mod 4 + 1" : OneOf(scope.readable) + " + 1";
          break;
        default: limit = Expression(scope, 1); break;
      }
      const bool up = Chance(70);
      return pad + "for " + var + " := " + (up ? "1" : "5") + (up ? " to " : " downto ") + limit + " do begin\n" +
             body + pad + "end";
    }
    // The counter's start and the loop are one statement.
    const std::string bound = std::to_string(1 + Pick(4));
    const std::string start = pad + "begin\n" + pad + var + " := 0;\n";
    if (Chance(50)) {
      return start + pad + "while " + var + " < " + bound + " do begin\n" + body + pad + "  " + var + " := " + var +
             " + 1\n" + pad + "end\n" + pad + "end";
    }
    return start + pad + "repeat\n" + body + pad + "  " + var + " := " + var + " + 1;\n" + pad + "until (" + var +
           " >= " + bound + ") or (" + Expression(scope, 1) + ")\n" + pad + "end";
  }

  std::mt19937 rng_;
};

}  // namespace

std::string GenerateProgram(uint32_t seed) { return Generator(seed).Program(); }

}  // namespace orv::testing_programs
