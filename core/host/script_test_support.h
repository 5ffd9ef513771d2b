// A test fixture that runs scripts with the whole host library registered:
// a script reports values through the routine TESTOUT, and the objects it
// creates belong to the fixture's pool.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/host/host_startup.h"
#include "core/lib/library_test_support.h"
#include "core/script/object_value.h"

namespace orv::test {

class ScriptTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    HostStartup();
    RegisterTestOut();
  }
  static void TearDownTestSuite() { HostShutdown(); }

  // Compiles and runs `script` with the fixture's pool; returns what it reported.
  std::vector<std::string> Run(const std::string& script) { return RunReporting(script, pool_); }

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
