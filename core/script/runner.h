// The runner: executes a loaded program (TBinProg) instruction by
// instruction, and TKelRuner, which compiles a script once, on its first run,
// and then runs it any number of times, keeping its global values.
//
//   TKelRuner runner("var i: integer; begin i := i + 1 end.");
//   runner.Run();   // compiles, then runs the main program: i = 1
//   runner.Run();   // runs again with the values left: i = 2
//
// A host runs one routine of a compiled script (an event handler) with
// Execute(*runner.Program(), program.Labels[routine.Index]); the routine's
// final return ends that execution.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "components/object.h"
#include "core/script/ident_list.h"
#include "core/script/obj_collect.h"
#include "core/script/program_image.h"

namespace orv {

// Runs `program` from instruction `start` until opStop, or until the opReturn
// that ends the routine the execution started in. Every execution starts with
// an empty return stack of its own: an execution started while another one
// of the same program is in progress (a host routine that runs an event
// handler) keeps the outer execution's return entries and restores its depth
// when it ends. `step_limit` > 0 bounds the number of instructions; running
// past it raises ECompilerError "Step limit exceeded".
//
// Run-time errors: ECompilerError "Invalid opcode" and the load-time faults
// of handlers.h, "Return stack overflow" after 1001 nested calls, "Invalid
// function number", "Script runs nested too deeply (more than 100)" when
// kMaxNestedRuns executions are already in progress on the thread (a script
// that runs itself through RunMacro), "Script ran longer than N seconds"
// with the line that was running, once the time limit in force has expired,
// and "Memory ran out while running the script" when an allocation fails
// or the memory budget is spent (ScriptRunLimits, platform/run_limits.h:
// the runner looks at both once every thousand or so taken jumps, so the
// check costs nothing measurable); errors of the value operations (EVariantError,
// EConvertError) and of host routines and dynamic variables pass unchanged,
// and the failing instruction has no effect.
void Execute(TBinProg& program, int32_t start, uint64_t step_limit = 0);

// The source line of the instruction at which the last execution of
// `program` ended with an error (TProgram::LineOf); 0 when the program
// knows no lines. Worked out only when asked, from the instruction counter
// the execution left behind.
int32_t FailedLine(const TBinProg& program);

// Executions that may be in progress at once on one thread, nested through
// host routines that run scripts (RunMacro, RunForm, event handlers).
inline constexpr int32_t kMaxNestedRuns = 100;

// Executes the one instruction at program.PC (data words it reads included)
// and returns false when it stops the program. opReturn stops at depth 0.
bool Step(TBinProg& program);

// A script compiled on its first run and run any number of times.
class TKelRuner {
 public:
  explicit TKelRuner(std::string source) : source_(std::move(source)) {}

  // The script component that owns the runner: its bound dynamic-variable
  // providers are visible to the script.
  TObject* Owner = nullptr;
  // Named host objects, filled by the owner before each run; compiled in on
  // the first run.
  tobjcollect Objects;
  // Keep the compiler's script identifiers in Identifiers.
  bool KeepIdents = false;
  // A run compiles and loads but executes nothing.
  bool CompileOnly = false;
  // Bound on instructions per run (0: none).
  uint64_t StepLimit = 0;
  TIdentList Identifiers;
  // The parent class named by the script's last class declaration.
  std::string ParentClassName;

  // Compiles and loads on the first call (a failed compilation leaves the
  // runner uncompiled, so the next call compiles again), then executes the
  // main program unless CompileOnly is set.
  void Run();

  bool Compiled() const { return program_ != nullptr; }
  // The machine of the loaded program; nullptr before the first successful
  // run.
  TBinProg* Program() { return program_.get(); }
  // The program image the compiler produced.
  const std::string& Image() const { return image_; }

 private:
  std::string source_;
  std::string image_;
  std::unique_ptr<TBinProg> program_;
};

}  // namespace orv
