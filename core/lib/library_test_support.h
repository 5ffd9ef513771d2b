// Calls of registered host routines for the library's tests: the routine is
// looked up by name as the compiler would and called with Variant arguments
// as the runner would.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "core/lib/classes_library.h"
#include "core/lib/format_settings.h"
#include "core/lib/image_info.h"
#include "core/lib/script_objects.h"
#include "core/lib/sys_library.h"
#include "core/lib/sysutils_library.h"
#include "core/script/engine.h"
#include "core/script/host_registry.h"
#include "core/script/runner.h"

namespace orv {

// What scripts reported through the test routine TESTOUT (RegisterTestOut).
inline std::vector<std::string>& TestOut() {
  static std::vector<std::string> out;
  return out;
}

// Registers TESTOUT(Value), which adds Value as text to TestOut().
inline void RegisterTestOut() {
  RegisterProc("TESTOUT", [](TObject*, const std::string&, ArgBlock& a, Variant&) {
    TestOut().push_back(a[0].AsString());
  }, {pkValue});
}

// Compiles and runs `script` with `pool` active; returns what it reported.
inline std::vector<std::string> RunReporting(const std::string& script, ScriptObjectPool& pool) {
  TestOut().clear();
  TKelRuner runner(script);
  ScriptObjectPool::Activation active(pool);
  runner.Run();
  return TestOut();
}

// Starts the engine and registers every unit of the library once; fixes the
// format settings so results do not depend on the machine's locale.
class LibraryTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    EngineStartup();
    RegisterClassesLibrary();
    RegisterSysLibrary();
    RegisterSysUtilsLibrary();
    RegisterImageInfoLibrary();
    FormatSettings settings;
    settings.DateSeparator = '.';
    settings.ShortDateFormat = "dd/mm/yyyy";
    SetFormatSettings(settings);
  }

  // The entry registered under `name`, found along the class chain.
  static const TFunListItem& Entry(std::string_view name) {
    int32_t number = FindInClassChain(name, "");
    EXPECT_GE(number, 0) << name;
    return FunctionAt(number);
  }

  // Calls `name` with `args`; the arguments as the routine left them are in
  // args_ afterwards.
  Variant Call(std::string_view name, std::initializer_list<Variant> args = {}, TObject* self = nullptr) {
    const TFunListItem& entry = Entry(name);
    EXPECT_EQ(static_cast<size_t>(entry.ParamCount), args.size()) << name;
    size_t i = 0;
    for (const Variant& arg : args) args_[i++] = arg;
    Variant result;
    entry.Code(self, entry.Name, args_, result);
    return result;
  }

  // A pkArray argument holding `values`.
  static Variant ArrayArg(std::initializer_list<Variant> values) {
    Variant array = Variant::Array(static_cast<int32_t>(values.size()));
    array.PutElement(0, Variant(static_cast<int32_t>(values.size())));
    int32_t i = 1;
    for (const Variant& value : values) array.PutElement(i++, value);
    return array;
  }

  ArgBlock args_;
};

}  // namespace orv
