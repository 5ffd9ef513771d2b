// The cost of the runner's addition of two script values: two integers and two
// short strings, as the runner does it (target := left, then left op right in
// place). Peers in the same program: plain C++ values, and Lua's own
// arithmetic and concatenation when Lua is installed.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "core/script/variant.h"

#ifdef ORV_HAVE_LUA
#include <lua.hpp>
#endif

namespace {

void BM_VariantAddIntegers(benchmark::State& state) {
  const orv::Variant left(20), right(22);
  for (auto _ : state) {
    orv::Variant target = left;
    orv::ApplyBinary(orv::VarOp::Add, target, right);
    benchmark::DoNotOptimize(target);
  }
}
BENCHMARK(BM_VariantAddIntegers);

void BM_VariantAddShortStrings(benchmark::State& state) {
  const orv::Variant left("Hello, "), right("world");
  for (auto _ : state) {
    orv::Variant target = left;
    orv::ApplyBinary(orv::VarOp::Add, target, right);
    benchmark::DoNotOptimize(target);
  }
}
BENCHMARK(BM_VariantAddShortStrings);

void BM_VariantAddIntegerToText(benchmark::State& state) {
  const orv::Variant left("20"), right(22);
  for (auto _ : state) {
    orv::Variant target = left;
    orv::ApplyBinary(orv::VarOp::Add, target, right);
    benchmark::DoNotOptimize(target);
  }
}
BENCHMARK(BM_VariantAddIntegerToText);

void BM_PeerCppIntegers(benchmark::State& state) {
  int32_t left = 20, right = 22;
  for (auto _ : state) {
    benchmark::DoNotOptimize(left);
    int32_t target = left + right;
    benchmark::DoNotOptimize(target);
  }
}
BENCHMARK(BM_PeerCppIntegers);

void BM_PeerCppStrings(benchmark::State& state) {
  const std::string left("Hello, "), right("world");
  for (auto _ : state) {
    std::string target = left + right;
    benchmark::DoNotOptimize(target);
  }
}
BENCHMARK(BM_PeerCppStrings);

#ifdef ORV_HAVE_LUA
void BM_PeerLuaIntegers(benchmark::State& state) {
  lua_State* lua = luaL_newstate();
  for (auto _ : state) {
    lua_pushinteger(lua, 20);
    lua_pushinteger(lua, 22);
    lua_arith(lua, LUA_OPADD);
    benchmark::DoNotOptimize(lua_tointeger(lua, -1));
    lua_pop(lua, 1);
  }
  lua_close(lua);
}
BENCHMARK(BM_PeerLuaIntegers);

void BM_PeerLuaShortStrings(benchmark::State& state) {
  lua_State* lua = luaL_newstate();
  for (auto _ : state) {
    lua_pushliteral(lua, "Hello, ");
    lua_pushliteral(lua, "world");
    lua_concat(lua, 2);
    benchmark::DoNotOptimize(lua_tostring(lua, -1));
    lua_pop(lua, 1);
  }
  lua_close(lua);
}
BENCHMARK(BM_PeerLuaShortStrings);
#endif

}  // namespace

BENCHMARK_MAIN();
