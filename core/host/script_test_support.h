// A test fixture that runs scripts with the whole host library registered:
// a script reports values through the routine TESTOUT, and the objects it
// creates belong to the fixture's pool.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/host/host_startup.h"
#include "core/lib/script_objects.h"
#include "core/script/host_registry.h"
#include "core/script/object_value.h"
#include "core/script/runner.h"

namespace orv::test {

class ScriptTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    HostStartup();
    RegisterProc("TESTOUT", [](TObject*, const std::string&, ArgBlock& a, Variant&) {
      Out().push_back(a[0].AsString());
    }, {pkValue});
  }
  static void TearDownTestSuite() { HostShutdown(); }

  // What scripts reported with TESTOUT.
  static std::vector<std::string>& Out() {
    static std::vector<std::string> out;
    return out;
  }

  // Compiles and runs `script` with the fixture's pool; returns what it reported.
  std::vector<std::string> Run(const std::string& script) {
    Out().clear();
    TKelRuner runner(script);
    ScriptObjectPool::Activation active(pool_);
    runner.Run();
    return Out();
  }

  // The message of the error that ends `script`, "(no error)" when none.
  std::string ErrorOf(const std::string& script) {
    try {
      Run(script);
    } catch (const Exception& e) {
      return e.what();
    }
    return "(no error)";
  }

  ScriptObjectPool pool_;
};

using Lines = std::vector<std::string>;

}  // namespace orv::test
