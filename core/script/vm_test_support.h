// Test helpers for the compiler and runner tests: a started engine with a few
// host routines and classes of the tests' own, and short ways to compile a
// script, run it and read its variables.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "core/script/compiler.h"
#include "core/script/compiler_error.h"
#include "core/script/engine.h"
#include "core/script/host_registry.h"
#include "core/script/object_value.h"
#include "core/script/runner.h"

namespace orv::vmtest {

// An object of the test class chain TTestBase <- TTestDerived with a text
// property and a small indexed list.
class TTestObject : public TObject {
 public:
  std::string ClassName() const override { return "TTestDerived"; }
  std::string text;
  std::vector<std::string> items{"a", "b", "c"};
};

// Everything the test host routines record.
inline std::string& Log() {
  static std::string log;
  return log;
}

inline TTestObject* Self(TObject* self) {
  auto* object = dynamic_cast<TTestObject*>(self);
  if (object == nullptr) throw ECompilerError("test: no Self");
  return object;
}

// Registers the test routines (once per process; the engine stays started).
//   TLOG(v)            procedure: appends AsString(v) and "|" to Log()
//   TADD(a, b)         function: a + b; the runner takes its shortcut, the
//                      reference interpreter its routine
//   TSWAP(var a, var b) function: swaps a and b, returns 7
//   TSUM([..])         function: sum of the array elements (wrapping around)
//   TTAG(s, [..])      function: s + ":" + the element count
//   TJOIN8(a, b, c, var d, e, f, g, var h) function: the eight joined with
//                      "|"; d gets "!" appended, h becomes a + g (as texts)
//   TNOTHING           function without parameters that sets no result
//   TPROC              procedure without parameters: appends "P|"
//   TFAIL              procedure that raises EConvertError "test failure"
//   TTESTBASE.NAME, .TEXT (property), .ITEMS[i] (indexed property)
inline void StartTestEngine() {
  static bool started = false;
  if (started) return;
  started = true;
  EngineStartup();
  RegisterClass("TTestBase", "TObject");
  RegisterClass("TTestDerived", "TTestBase");
  RegisterProc("TLOG", [](TObject*, const std::string&, ArgBlock& a, Variant&) {
    Log() += a[0].AsString() + "|";
  }, {pkValue});
  RegisterDirectFunc<2, [](const Variant& a, const Variant& b, Variant& r) { r = BinaryOp(VarOp::Add, a, b); }>("TADD");
  RegisterFunc("TSWAP", [](TObject*, const std::string&, ArgBlock& a, Variant& r) {
    std::swap(a[0], a[1]);
    r = Variant(7);
  }, {pkVar, pkVar});
  RegisterFunc("TSUM", [](TObject*, const std::string&, ArgBlock& a, Variant& r) {
    uint32_t sum = 0;  // wraps around
    for (int32_t i = 1; i <= a[0].Element(0).AsInteger(); ++i) sum += static_cast<uint32_t>(a[0].Element(i).AsInteger());
    r = Variant(static_cast<int32_t>(sum));
  }, {pkArray});
  RegisterFunc("TTAG", [](TObject*, const std::string&, ArgBlock& a, Variant& r) {
    r = Variant(a[0].AsString() + ":" + a[1].Element(0).AsString());
  }, {pkValue, pkArray});
  RegisterFunc("TJOIN8", [](TObject*, const std::string&, ArgBlock& a, Variant& r) {
    std::string joined;
    for (size_t i = 0; i < 8; ++i) joined += a[i].AsString() + (i < 7 ? "|" : "");
    a[3] = Variant(a[3].AsString() + "!");
    a[7] = Variant(a[0].AsString() + a[6].AsString());
    r = Variant(joined);
  }, {pkValue, pkValue, pkValue, pkVar, pkValue, pkValue, pkValue, pkVar});
  RegisterFunc("TNOTHING", [](TObject*, const std::string&, ArgBlock&, Variant&) {}, {pkNone});
  RegisterProc("TPROC", [](TObject*, const std::string&, ArgBlock&, Variant&) { Log() += "P|"; },
               {pkNone});
  RegisterProc("TFAIL", [](TObject*, const std::string&, ArgBlock&, Variant&) {
    throw EConvertError("test failure");
  }, {pkNone});
  RegisterFunc("TTESTBASE.NAME", [](TObject* self, const std::string& name, ArgBlock&, Variant& r) {
    r = Variant(Self(self)->ClassName() + "." + name);
  }, {pkNone});
  RegisterProp(
      "TTESTBASE.TEXT",
      [](TObject* self, const std::string&, ArgBlock&, Variant& r) { r = Variant(Self(self)->text); },
      [](TObject* self, const std::string&, ArgBlock& a, Variant&) { Self(self)->text = a[0].AsString(); });
  RegisterIndexedProp(
      "TTESTBASE.ITEMS", 1,
      [](TObject* self, const std::string&, ArgBlock& a, Variant& r) {
        r = Variant(Self(self)->items.at(a[0].AsInteger()));
      },
      [](TObject* self, const std::string&, ArgBlock& a, Variant&) {
        Self(self)->items.at(a[0].AsInteger()) = a[1].AsString();
      });
}

// The fixture of every compiler and runner test.
class VmTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StartTestEngine();
    Log().clear();
  }

  // Compiles and runs `source` once; the runner keeps its identifiers.
  std::unique_ptr<TKelRuner> Run(const std::string& source) {
    auto runner = std::make_unique<TKelRuner>(source);
    runner->KeepIdents = true;
    runner->StepLimit = 1000000;
    runner->Run();
    return runner;
  }

  // The value of the script variable `name` (qualified, upper case).
  static const Variant& Var(TKelRuner& runner, const std::string& name) {
    return runner.Program()->Vars[static_cast<size_t>(runner.Identifiers.at(name).Index)];
  }

  // Runs `source` and returns the global variable X as text.
  std::string RunX(const std::string& source) {
    auto runner = Run(source);
    return Var(*runner, "X").AsString();
  }

  // RunX, or "error: " and the message of the error the run raised: for
  // comparing two ways of writing the same thing, failures included.
  std::string RunXOrError(const std::string& source) {
    try {
      return RunX(source);
    } catch (const Exception& e) {
      return std::string("error: ") + e.what();
    }
  }

  // The message of the ECompilerError that compiling `source` raises.
  static std::string CompileError(const std::string& source, const tobjcollect* objects = nullptr) {
    std::string image;
    TKelCompiler compiler(source, image);
    compiler.SetObjects(objects);
    try {
      compiler.Compile();
    } catch (const ECompilerError& e) {
      return e.what();
    }
    return "(no error)";
  }

  // The framed message of a compile error at `line`.
  static std::string Framed(int line, const std::string& text) {
    return "Syntax error in  (" + std::to_string(line) + "): \r\n" + text + ".";
  }
};

}  // namespace orv::vmtest
