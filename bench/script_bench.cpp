// Script engine speed against Lua. Every program of bench/scripts/ (NAME.ops,
// with its Lua twin NAME.lua computing the same result) runs twice over:
//
//   in process  ORV (compiled once, then run) and Lua 5.4 in this process,
//               in processor time of the thread;
//   whole runs  `orvscript NAME.ops` against `lua5.4 NAME.lua`, and for the
//               call-heavy programs also `luajit -joff NAME.lua` (LuaJIT's
//               interpreter), in processor time (user + system) of the child,
//               start-up included; programs that call the routines this
//               benchmark registers (Bench0 .. Bench4, BenchAdd) run in
//               process only.
//
// Every peer of a comparison runs the same number of rounds, interleaved (ORV,
// Lua, ORV, Lua ...; the peer that goes first alternates from round to
// round), so that all see the same load; each is reported the same way, by
// its best and its median round, and the ratios of both. Results are compared
// and a difference is reported. Then the start-up of an empty script and the
// compile speed on a generated script of 10,000 lines.
//
//   script_bench [--time-limit] [--in-process | --processes] [--rounds N] [--scripts DIR] [NAME...]
//
// --rounds sets the rounds of every comparison (default: 5 in process, where
// a round is steady, and 15 for whole runs, which spread by a third on a
// shared machine). --time-limit runs the in-process ORV programs under a time
// limit of an hour, as page scripts run, to show what checking the limit
// costs. --scripts runs the programs of another folder (NAME.ops with its
// twin NAME.lua). It finds bench/scripts/ by the path it was built with and
// orvscript beside itself.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

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

namespace fs = std::filesystem;

constexpr int kInProcessRounds = 5;
constexpr int kWholeRunRounds = 15;
// Rounds asked for by --rounds; 0 keeps each half's default.
int rounds_option = 0;

int Rounds(int default_rounds) { return rounds_option > 0 ? rounds_option : default_rounds; }

// Programs whose Lua twin is plain Lua 5.1 as well, so LuaJIT runs it too:
// the call-heavy ones, where an interpreter's call path shows.
const std::set<std::string> kLuaJitPrograms = {"calls", "params3", "varparams"};

// The folder of the programs: bench/scripts/, or the one --scripts names.
fs::path script_dir = ORV_BENCH_SCRIPTS;

fs::path ScriptDir() { return script_dir; }

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The programs of the corpus, by name, in alphabetical order.
std::vector<std::string> AllPrograms() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(ScriptDir()))
    if (entry.path().extension() == ".ops") names.push_back(entry.path().stem().string());
  std::sort(names.begin(), names.end());
  return names;
}

// Whether the ORV program calls routines only this benchmark registers.
bool NeedsBenchRoutines(const std::string& source) { return source.find("Bench") != std::string::npos; }

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

bool with_time_limit = false;

// The times of one peer's rounds.
class Samples {
 public:
  void Add(double seconds) { times_.push_back(seconds); }
  double Best() const { return times_.empty() ? 0 : *std::min_element(times_.begin(), times_.end()); }
  double Median() const {
    if (times_.empty()) return 0;
    std::vector<double> sorted = times_;
    std::sort(sorted.begin(), sorted.end());
    const size_t mid = sorted.size() / 2;
    return sorted.size() % 2 == 1 ? sorted[mid] : (sorted[mid - 1] + sorted[mid]) / 2;
  }

 private:
  std::vector<double> times_;
};

// "ORV 12.3/13.0 ms": a peer's best and median round.
void PrintTimes(const char* label, const Samples& samples) {
  std::printf("  %s %6.1f/%6.1f ms", label, samples.Best() * 1e3, samples.Median() * 1e3);
}

// "ORV/Lua 0.71/0.73": the ratios of the bests and of the medians.
void PrintRatio(const std::string& label, const Samples& orv, const Samples& peer) {
  std::printf("   ORV/%s %4.2f/%4.2f", label.c_str(), orv.Best() / peer.Best(), orv.Median() / peer.Median());
}

// --- in process ---

double TimeOrv(const std::string& source, std::string& result) {
  return Seconds([&] {
    orv::ScriptRunLimits limit(with_time_limit ? 3600 : 0, 0);
    orv::TKelRuner runner(source);
    runner.Run();
    result = orv::InternalVars().Result.AsString();
  });
}

// The routines of hostargs and hostcalls: the sum of their integer
// arguments plus one per argument (Bench0 gives 1, BenchAdd the plain sum).
template <int kArgs>
void OrvBench(orv::TObject*, const std::string&, orv::ArgBlock& args, orv::Variant& result) {
  int32_t sum = kArgs;
  for (int i = 0; i < kArgs; ++i) sum += args[i].AsInteger();
  result = orv::Variant(sum);
}

void RegisterOrvBenchRoutines() {
  const std::vector<orv::ParamKind> v = {orv::pkValue, orv::pkValue, orv::pkValue, orv::pkValue};
  orv::RegisterFunc("Bench0", OrvBench<0>, {orv::pkNone});
  orv::RegisterFunc("Bench1", OrvBench<1>, {v.begin(), v.begin() + 1});
  orv::RegisterFunc("Bench2", OrvBench<2>, {v.begin(), v.begin() + 2});
  orv::RegisterFunc("Bench3", OrvBench<3>, {v.begin(), v.begin() + 3});
  orv::RegisterFunc("Bench4", OrvBench<4>, v);
  orv::RegisterFunc("BenchAdd",
                    [](orv::TObject*, const std::string&, orv::ArgBlock& args, orv::Variant& result) {
                      result = orv::Variant(args[0].AsInteger() + args[1].AsInteger());
                    },
                    {orv::pkValue, orv::pkValue});
}

#ifdef ORV_HAVE_LUA
template <int kArgs>
int LuaBench(lua_State* state) {
  lua_Integer sum = kArgs;
  for (int i = 1; i <= kArgs; ++i) sum += luaL_checkinteger(state, i);
  lua_pushinteger(state, sum);
  return 1;
}

int LuaBenchAdd(lua_State* state) {
  lua_pushinteger(state, luaL_checkinteger(state, 1) + luaL_checkinteger(state, 2));
  return 1;
}

double TimeLua(const std::string& source, std::string& result) {
  return Seconds([&] {
    lua_State* state = luaL_newstate();
    luaL_openlibs(state);
    lua_register(state, "bench0", LuaBench<0>);
    lua_register(state, "bench1", LuaBench<1>);
    lua_register(state, "bench2", LuaBench<2>);
    lua_register(state, "bench3", LuaBench<3>);
    lua_register(state, "bench4", LuaBench<4>);
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

void InProcess(const std::string& name) {
  const std::string orv_source = ReadFile(ScriptDir() / (name + ".ops"));
  std::string orv_result;
  Samples orv;
#ifdef ORV_HAVE_LUA
  const std::string lua_source = ReadFile(ScriptDir() / (name + ".lua"));
  std::string lua_result;
  Samples lua;
#endif
  const int rounds = Rounds(kInProcessRounds);
  for (int round = 0; round < rounds; ++round) {
#ifdef ORV_HAVE_LUA
    if (round % 2 == 1) lua.Add(TimeLua(lua_source, lua_result));
#endif
    orv.Add(TimeOrv(orv_source, orv_result));
#ifdef ORV_HAVE_LUA
    if (round % 2 == 0) lua.Add(TimeLua(lua_source, lua_result));
#endif
  }
  std::printf("%-11s", name.c_str());
  PrintTimes("ORV", orv);
#ifdef ORV_HAVE_LUA
  PrintTimes("Lua", lua);
  PrintRatio("Lua", orv, lua);
  if (lua_result != orv_result) std::printf("   (results differ: %s / %s)", orv_result.c_str(), lua_result.c_str());
#else
  std::printf("   (Lua 5.4 not available)");
#endif
  std::printf("\n");
}

// --- whole runs ---

// A program started as its own process: its standard output and processor
// time (user + system).
struct ProcessRun {
  bool ok = false;
  std::string output;
  double seconds = 0;
};

ProcessRun RunProcess(const std::vector<std::string>& argv) {
  ProcessRun run;
  int out[2];
  if (::pipe(out) != 0) return run;
  const pid_t pid = ::fork();
  if (pid < 0) return run;
  if (pid == 0) {
    ::dup2(out[1], 1);
    ::close(out[0]);
    ::close(out[1]);
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    ::execvp(args[0], args.data());
    ::_exit(127);
  }
  ::close(out[1]);
  char buffer[4096];
  ssize_t n;
  while ((n = ::read(out[0], buffer, sizeof buffer)) > 0) run.output.append(buffer, static_cast<size_t>(n));
  ::close(out[0]);
  int status = 0;
  rusage usage{};
  if (::wait4(pid, &status, 0, &usage) != pid) return run;
  run.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  auto secs = [](const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6; };
  run.seconds = secs(usage.ru_utime) + secs(usage.ru_stime);
  while (!run.output.empty() && (run.output.back() == '\n' || run.output.back() == '\r')) run.output.pop_back();
  return run;
}

bool Installed(const std::string& program) {
  return RunProcess({"sh", "-c", "command -v " + program + " >/dev/null"}).ok;
}

// A peer of one whole-run comparison: a command, its times and its output.
struct Peer {
  Peer(std::string label_, std::vector<std::string> argv_) : label(std::move(label_)), argv(std::move(argv_)) {}
  std::string label;
  std::vector<std::string> argv;
  Samples times;
  std::string output;
  bool failed = false;
};

// Runs the peers in turn, round after round; each round starts with the next
// peer, so that none always runs first (or right after the same other).
void RunPeers(std::vector<Peer>& peers) {
  const int rounds = Rounds(kWholeRunRounds);
  for (int round = 0; round < rounds; ++round) {
    for (size_t turn = 0; turn < peers.size(); ++turn) {
      Peer& peer = peers[(turn + static_cast<size_t>(round)) % peers.size()];
      ProcessRun run = RunProcess(peer.argv);
      if (!run.ok) peer.failed = true;
      peer.times.Add(run.seconds);
      peer.output = run.output;
    }
  }
}

// Lua prints nothing of a chunk's return value; a one-line wrapper prints it.
std::vector<std::string> LuaCommand(const std::string& lua, const fs::path& file, bool jit_off) {
  std::vector<std::string> argv = {lua};
  if (jit_off) argv.push_back("-joff");
  argv.insert(argv.end(), {"-e", "print(dofile('" + file.string() + "'))"});
  return argv;
}

void PrintPeers(const std::string& name, const std::vector<Peer>& peers) {
  std::printf("%-11s", name.c_str());
  for (const Peer& peer : peers) PrintTimes(peer.label.c_str(), peer.times);
  for (size_t i = 1; i < peers.size(); ++i) PrintRatio(peers[i].label, peers[0].times, peers[i].times);
  for (size_t i = 1; i < peers.size(); ++i) {
    if (peers[i].failed || peers[0].failed) {
      std::printf("   (%s failed)", peers[i].failed ? peers[i].label.c_str() : "ORV");
    } else if (peers[i].output != peers[0].output) {
      std::printf("   (results differ: %s / %s)", peers[0].output.c_str(), peers[i].output.c_str());
    }
  }
  std::printf("\n");
}

fs::path OrvScript() { return fs::read_symlink("/proc/self/exe").parent_path() / "orvscript"; }

void WholeRun(const std::string& name, bool with_luajit) {
  const fs::path ops = ScriptDir() / (name + ".ops");
  if (NeedsBenchRoutines(ReadFile(ops))) return;
  const fs::path lua = ScriptDir() / (name + ".lua");
  std::vector<Peer> peers = {{"ORV", {OrvScript().string(), ops.string()}},
                             {"Lua", LuaCommand("lua5.4", lua, false)}};
  if (with_luajit && kLuaJitPrograms.count(name) != 0) peers.push_back({"LuaJIT-joff", LuaCommand("luajit", lua, true)});
  RunPeers(peers);
  PrintPeers(name, peers);
}

// Start-up: an empty script in each language.
void StartUp() {
  const fs::path dir = fs::temp_directory_path() / ("orv-script-bench-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  std::ofstream(dir / "empty.ops") << "begin end.\n";
  std::ofstream(dir / "empty.lua") << "return ''\n";
  std::vector<Peer> peers = {{"ORV", {OrvScript().string(), (dir / "empty.ops").string()}},
                             {"Lua", {"lua5.4", (dir / "empty.lua").string()}}};
  RunPeers(peers);
  const Samples& orv = peers[0].times;
  const Samples& lua = peers[1].times;
  std::printf("%-11s  ORV %5.2f/%5.2f ms  Lua %5.2f/%5.2f ms   ORV - Lua %+.2f/%+.2f ms\n", "start-up",
              orv.Best() * 1e3, orv.Median() * 1e3, lua.Best() * 1e3, lua.Median() * 1e3,
              (orv.Best() - lua.Best()) * 1e3, (orv.Median() - lua.Median()) * 1e3);
  fs::remove_all(dir);
}

// --- compile speed ---

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
  double seconds = 1e30;
  for (int round = 0; round < kInProcessRounds; ++round) {
    seconds = std::min(seconds, Seconds([&] {
                         std::string image;
                         orv::TKelCompiler compiler(source, image);
                         compiler.Compile();
                       }));
  }
  std::printf("compile     %d lines in %.1f ms: %.0f lines/s\n", kLines, seconds * 1e3, kLines / seconds);
}

const char kUsage[] =
    "usage: script_bench [--time-limit] [--in-process | --processes] [--rounds N] [--scripts DIR] [NAME...]\n"
    "Runs the programs of bench/scripts/ (or those NAMEd) as ORV script and as Lua,\n"
    "in this process and as whole runs of orvscript against lua5.4, interleaved.\n"
    "Every time is printed as best/median of the rounds, every ratio likewise.\n"
    "  --in-process   only the in-process half\n"
    "  --processes    only the whole runs and the start-up\n"
    "  --rounds N     rounds of every comparison (default 5 in process, 15 whole runs)\n"
    "  --scripts DIR  the programs of DIR (NAME.ops and its twin NAME.lua) instead\n"
    "  --time-limit   run the in-process ORV programs under a time limit\n";

}  // namespace

int main(int argc, char** argv) try {
  orv::CoreStartup();
  RegisterOrvBenchRoutines();
  bool in_process = true, processes = true;
  std::vector<std::string> names;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--time-limit") {
      with_time_limit = true;
    } else if (arg == "--in-process") {
      processes = false;
    } else if (arg == "--processes") {
      in_process = false;
    } else if (arg == "--rounds" && i + 1 < argc) {
      rounds_option = std::atoi(argv[++i]);
      if (rounds_option <= 0) throw std::runtime_error("--rounds needs a positive number");
    } else if (arg == "--scripts" && i + 1 < argc) {
      script_dir = argv[++i];
      if (!fs::is_directory(script_dir)) throw std::runtime_error("no folder " + script_dir.string());
    } else if (arg == "--help" || arg == "-h") {
      std::printf("%s", kUsage);
      return 0;
    } else if (arg.rfind("--", 0) == 0) {
      throw std::runtime_error("unknown option " + arg + " (see --help)");
    } else {
      names.push_back(arg);
    }
  }
  const bool everything = names.empty();
  if (everything) names = AllPrograms();
  double load[3] = {0, 0, 0};
  if (::getloadavg(load, 3) > 0) std::printf("load average %.2f %.2f %.2f\n", load[0], load[1], load[2]);
  if (in_process) {
    std::printf("-- in process (best/median of %d, thread processor time)\n", Rounds(kInProcessRounds));
    for (const std::string& name : names) InProcess(name);
  }
  if (processes) {
    if (!fs::exists(OrvScript()) || !Installed("lua5.4")) {
      std::printf("-- whole runs skipped: orvscript or lua5.4 missing\n");
    } else {
      const bool luajit = Installed("luajit");
      std::printf("-- whole runs (best/median of %d, interleaved, processor time of the process)%s\n",
                  Rounds(kWholeRunRounds),
                  luajit ? "" : "; luajit not installed");
      for (const std::string& name : names) WholeRun(name, luajit);
      StartUp();
    }
  }
  if (everything && in_process) BenchCompile();
  orv::CoreShutdown();
  return 0;
} catch (const std::exception& e) {
  std::fprintf(stderr, "script_bench: %s\n", e.what());
  return 1;
}
