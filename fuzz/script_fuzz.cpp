// Fuzz target of the script compiler, the program loader and the runner.
// An input that starts with a zero byte is a program image (the rest of the
// input), loaded and executed directly; any other input is a script text,
// compiled and run twice. Runs are bounded by a step budget, and while an
// input runs single allocations above 16 MB fail with std::bad_alloc, as do
// all allocations once the input has allocated 256 MB in all, so a script
// that doubles a string in a loop, or a program that makes an array of a
// hundred thousand values on every step, ends quickly instead of exhausting
// memory or time.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <string>

#include "components/object.h"
#include "core/script/dyna_vars.h"
#include "core/script/engine.h"
#include "core/script/host_registry.h"
#include "core/script/object_value.h"
#include "core/script/program_image.h"
#include "core/script/runner.h"

namespace {

constexpr size_t kMaxAllocation = 16u << 20;
constexpr size_t kMaxInputAllocations = 256u << 20;
constexpr uint64_t kStepBudget = 20000;
// The allocation caps apply only while an input runs, not to the fuzzer.
bool cap_allocations = false;
size_t input_allocations = 0;  // bytes the running input has allocated

// Whether an allocation of `size` bytes stays within the caps (and counts it).
bool WithinCaps(std::size_t size) {
  if (!cap_allocations) return true;
  if (size > kMaxAllocation || size > kMaxInputAllocations - input_allocations) return false;
  input_allocations += size;
  return true;
}

// An object of a registered class, so dotted names and methods are reachable.
class TFuzzObject : public orv::TObject {
 public:
  std::string ClassName() const override { return "TFuzzObject"; }
  std::string text;
};

TFuzzObject* fuzz_object = nullptr;

void StartEngine() {
  using orv::ArgBlock;
  using orv::TObject;
  using orv::Variant;
  orv::EngineStartup();
  orv::RegisterClass("TFuzzObject", "TObject");
  orv::RegisterFunc("FADD", [](TObject*, const std::string&, ArgBlock& a, Variant& r) {
    r = orv::BinaryOp(orv::VarOp::Add, a[0], a[1]);
  }, {orv::pkValue, orv::pkValue});
  orv::RegisterFunc("FSWAP", [](TObject*, const std::string&, ArgBlock& a, Variant& r) {
    std::swap(a[0], a[1]);
    r = Variant(1);
  }, {orv::pkVar, orv::pkVar});
  orv::RegisterFunc("FCOUNT", [](TObject*, const std::string&, ArgBlock& a, Variant& r) {
    r = a[0].Element(0);
  }, {orv::pkArray});
  orv::RegisterProc("FLOG", [](TObject*, const std::string&, ArgBlock& a, Variant&) {
    (void)a[0].AsString();
  }, {orv::pkValue});
  orv::RegisterProp(
      "TOBJECT.TEXT",
      [](TObject* self, const std::string&, ArgBlock&, Variant& r) {
        if (auto* o = dynamic_cast<TFuzzObject*>(self)) r = Variant(o->text);
      },
      [](TObject* self, const std::string&, ArgBlock& a, Variant&) {
        if (auto* o = dynamic_cast<TFuzzObject*>(self)) o->text = a[0].AsString().substr(0, 1000);
      });
  fuzz_object = new TFuzzObject;
}

}  // namespace

// Every plain form of the global allocation functions is replaced, so that
// each allocation and its release pair up in malloc and free.
void* operator new(std::size_t size) {
  if (!WithinCaps(size)) throw std::bad_alloc();
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return ::operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  if (!WithinCaps(size)) return nullptr;
  return std::malloc(size == 0 ? 1 : size);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
  return ::operator new(size, tag);
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool started = (StartEngine(), true);
  (void)started;
  std::string input(reinterpret_cast<const char*>(data), size);
  cap_allocations = true;
  input_allocations = 0;
  try {
    orv::InternalVars().Result = orv::Variant();
    if (!input.empty() && input[0] == '\0') {
      orv::TBinProg program(std::string_view(input).substr(1));
      orv::Execute(program, 0, kStepBudget);
    } else {
      orv::TKelRuner runner(input);
      runner.StepLimit = kStepBudget;
      runner.Objects.Add("Obj", fuzz_object);
      runner.Run();
      runner.Run();
    }
  } catch (const orv::Exception&) {
  } catch (const std::bad_alloc&) {
  }
  cap_allocations = false;
  return 0;
}
