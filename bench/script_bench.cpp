// Script engine speed: runs each program of bench/scripts/ as ORV script and,
// when Lua 5.4 is available, the same program in Lua in this process, and
// prints both times and their ratio; then the compile speed on a generated
// script of 10,000 lines. The script library is registered as in orvscript,
// so programs may use its classes (TStringList).
#include <algorithm>
#include <ctime>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "core/script/compiler.h"
#include "core/script/dyna_vars.h"
#include "core/script/host_registry.h"
#include "core/script/runner.h"
#include "core/site/core_startup.h"
#include "platform/run_limits.h"

#ifdef ORV_HAVE_LUA
extern "C" {
#include <lauxlib.h>
#include <lua.h>
#include <lualib.h>
}
#endif

namespace {

// The best of five runs is reported, in processor time of the running
// thread, so that other processes on a busy machine count as little as
// possible. The ORV and Lua runs of a program alternate, so both see the
// same load.
constexpr int kRounds = 5;

std::filesystem::path ScriptDir() { return std::filesystem::path(__FILE__).parent_path() / "scripts"; }

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string() + " (run the benchmark from its build folder)");
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

template <class F>
double Seconds(F&& run) {
  const double start = ThreadSeconds();
  run();
  return ThreadSeconds() - start;
}

template <class F>
double BestSeconds(F&& run) {
  double best = 1e30;
  for (int round = 0; round < kRounds; ++round) best = std::min(best, Seconds(run));
  return best;
}

// Whether ORV programs run under a time limit (--time-limit), as page
// scripts do, to show what checking the limit costs.
bool with_time_limit = false;

// Runs the ORV program (compiled once, like a page script that is built once
// and run) and returns the time of the run; `result` receives its Result.
double TimeOrv(const std::string& source, std::string& result) {
  return Seconds([&] {
    orv::ScriptRunLimits limit(with_time_limit ? 3600 : 0, 0);
    orv::TKelRuner runner(source);
    runner.Run();
    result = orv::InternalVars().Result.AsString();
  });
}

#ifdef ORV_HAVE_LUA
int LuaBenchAdd(lua_State* state) {
  lua_pushinteger(state, luaL_checkinteger(state, 1) + luaL_checkinteger(state, 2));
  return 1;
}

double TimeLua(const std::string& source, std::string& result) {
  return Seconds([&] {
    lua_State* state = luaL_newstate();
    luaL_openlibs(state);
    lua_register(state, "benchadd", LuaBenchAdd);
    if (luaL_loadstring(state, source.c_str()) != LUA_OK || lua_pcall(state, 0, 1, 0) != LUA_OK) {
      result = std::string("error: ") + lua_tostring(state, -1);
    } else {
      result = lua_tostring(state, -1);
    }
    lua_close(state);
  });
}
#endif

void BenchProgram(const char* name) {
  const std::string orv_source = ReadFile(ScriptDir() / (std::string(name) + ".ops"));
  std::string orv_result;
  double orv = 1e30;
#ifdef ORV_HAVE_LUA
  const std::string lua_source = ReadFile(ScriptDir() / (std::string(name) + ".lua"));
  std::string lua_result;
  double lua = 1e30;
#endif
  for (int round = 0; round < kRounds; ++round) {
    orv = std::min(orv, TimeOrv(orv_source, orv_result));
#ifdef ORV_HAVE_LUA
    lua = std::min(lua, TimeLua(lua_source, lua_result));
#endif
  }
  std::printf("%-10s ORV %8.1f ms", name, orv * 1e3);
#ifdef ORV_HAVE_LUA
  std::printf("   Lua 5.4 %8.1f ms   ORV/Lua %5.2f", lua * 1e3, orv / lua);
  if (lua_result != orv_result)
    std::printf("   (results differ: %s / %s)", orv_result.c_str(), lua_result.c_str());
#else
  std::printf("   (Lua 5.4 not available)");
#endif
  std::printf("\n");
}

// A script of `lines` lines: declarations, a routine and a long main block
// of assignments, calls and control statements.
std::string GeneratedScript(int lines) {
  std::string text = "var a, b, c: integer; s: string;\n"
                     "function F(x, y: integer): integer;\nbegin\n  Result := x * y + 1\nend;\n"
                     "begin\n";
  for (int i = 0; lines > 8; ++i, lines -= 4) {
    text += "  a := (b + " + std::to_string(i) + ") * 3 - c div 2;\n";
    text += "  if a > b then b := F(a, c) else c := BenchAdd(a, 1);\n";
    text += "  s := 'line ' + 'text'#13#10;\n";
    text += "  while c > 100 do c := c - 7;\n";
  }
  return text + "end.\n";
}

void BenchCompile() {
  const int kLines = 10000;
  std::string source = GeneratedScript(kLines);
  double seconds = BestSeconds([&] {
    std::string image;
    orv::TKelCompiler compiler(source, image);
    compiler.Compile();
  });
  std::printf("compile    %d lines in %.1f ms: %.0f lines/s\n", kLines, seconds * 1e3, kLines / seconds);
}

}  // namespace

// Arguments name the programs to run (default: all, then the compile speed);
// --time-limit runs the ORV programs under a time limit of an hour.
int main(int argc, char** argv) {
  orv::CoreStartup();
  orv::RegisterFunc("BenchAdd",
                    [](orv::TObject*, const std::string&, orv::ArgBlock& args, orv::Variant& result) {
                      result = orv::Variant(args[0].AsInteger() + args[1].AsInteger());
                    },
                    {orv::pkValue, orv::pkValue});
  int first = 1;
  if (argc > 1 && std::string(argv[1]) == "--time-limit") {
    with_time_limit = true;
    ++first;
  }
  if (argc > first) {
    for (int i = first; i < argc; ++i) BenchProgram(argv[i]);
  } else {
    for (const char* name : {"count", "strings", "hostcalls", "calls", "params3", "stringlist"}) BenchProgram(name);
    BenchCompile();
  }
  orv::CoreShutdown();
  return 0;
}
