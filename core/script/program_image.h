// The program image: the byte stream through which the compiler hands a
// compiled script to the runner; TProgram, the immutable program loaded and
// decoded from it; and TBinProg, the machine state of its executions.
//
// Image layout (all integers little-endian Int32):
//   header:    the four bytes "ORVP", then the format version
//              (kProgramImageVersion); an image of another version is
//              refused, so a stale image is never run as if it were current;
//              then the number of variable slots the program uses (0 to
//              TBinProg::kSlotCount)
//   constants: count, then per constant a tag byte and its value
//              1 = Int32, 2 = 8-byte IEEE double, 3 = length byte + text,
//              4 = one byte Boolean (0 false, anything else true)
//   labels:    count, then one instruction index per label
//   code:      count, then 16-byte instructions Op, A, B, C (opcodes.h)
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/script/const_divisor.h"
#include "core/script/opcodes.h"
#include "core/script/variant.h"

namespace orv {

// The format version the writer writes and the loader reads. It changes
// whenever the instruction set or the layout does.
inline constexpr int32_t kProgramImageVersion = 10;

// Serialises a compiled program that uses variable slots 0 .. slots - 1.
// Integer kinds are written with tag 1, reals
// with tag 2, strings with tag 3 and Booleans with tag 4. Raises
// ECompilerError "Unknown variable type during writing program" for any other
// kind of constant, and "String constant longer than 255 characters" for a
// text that the one-byte length cannot hold.
std::string WriteProgramImage(int32_t slots, const std::vector<Variant>& constants,
                              const std::vector<int32_t>& labels,
                              const std::vector<TProgItem>& code);

// One instruction prepared for execution: its handler (handlers.h) and its
// operands, checked against the tables when the program was loaded. Slot and
// value operands are byte offsets into the machine's registers (the
// variable slots, then the constants: see TBinProg), so the runner reaches
// any operand without scaling or telling slots from constants; jumps hold
// the byte distance from the jump to its target instruction in the decoded
// code instead of the label number; an immediate form holds its integer in C, but for
// div and mod the number of its entry in TProgram::Divisors(). The data
// words after a host call hold their argument offsets, each with
// kTakenOffsetBit set when the call takes the temporary's value
// (TakenArgument in opcodes.h); registers are 16 bytes, so the bit is free.
struct TDecodedItem {
  int32_t Handler = 0;
  int32_t A = 0;
  int32_t B = 0;
  int32_t C = 0;
};
static_assert(sizeof(TDecodedItem) == 16, "decoded instructions are 16 bytes");
inline constexpr int32_t kTakenOffsetBit = 1;

// A loaded program: the tables of its image and the decoded instructions
// the runner executes. It never changes once loaded, so one program may be
// shared by any number of machines (TBinProg), such as every run of the same
// page block in a build.
class TProgram {
 public:
  // Loads an image. `lines` optionally gives the source line of each
  // instruction (the compiler's, for errors that name a line). Raises
  // ECompilerError "Stale program image ..." for an image of another format
  // version, "Invalid variable slot count in program" for a count of slots
  // outside 0 .. TBinProg::kSlotCount, "Unknown reader type" for a bad constant tag, and EInOutError
  // "Stream read error" for a stream that ends early or announces more
  // entries than it holds.
  explicit TProgram(std::string_view image, std::vector<int32_t> lines = {});

  // The variable slots the code may name (any other slot it names is a
  // fault, handlers.h); a machine has this many.
  int32_t Slots = 0;
  std::vector<Variant> Constants;
  std::vector<TProgItem> Code;
  std::vector<int32_t> Labels;

  // Code.size() + 1 decoded instructions; the last one is the kFaultEnd guard.
  const std::vector<TDecodedItem>& Decoded() const { return decoded_; }
  // The divisors of the immediate forms of div and mod.
  const std::vector<TDivisor>& Divisors() const { return divisors_; }
  // The source line of instruction `index`; 0 when unknown.
  int32_t LineOf(int32_t index) const;

 private:
  std::vector<TDecodedItem> decoded_;
  std::vector<TDivisor> divisors_;
  std::vector<int32_t> lines_;
};

// The machine that runs a program: slots, return stack, Self, argument
// block. Slots, the return stack and Self persist from one execution to the
// next; a new machine starts with every slot holding the integer 0.
class TBinProg {
 public:
  static constexpr int32_t kSlotCount = 1001;        // the most slots a program may use
  static constexpr int32_t kReturnStackSize = 1001;  // nested calls
  static constexpr int32_t kArgCount = 101;          // argument block 0..100

  // Loads `image` into a program of its own (see TProgram).
  explicit TBinProg(std::string_view image);
  // Runs a program that may be shared with other machines.
  explicit TBinProg(std::shared_ptr<const TProgram> program);
  TBinProg(const TBinProg&) = delete;
  TBinProg& operator=(const TBinProg&) = delete;

  const TProgram& Program() const { return *program_; }
  const std::shared_ptr<const TProgram>& SharedProgram() const { return program_; }

 private:
  // First, so that the views below can be bound to them.
  std::shared_ptr<const TProgram> program_;
  // Frees the registers: destroys the `count` values, then the storage.
  struct RegistersDeleter {
    size_t count = 0;
    void operator()(Variant* registers) const;
  };
  // The registers of `program`, each made once (a slot as the integer 0, a
  // constant as its copy) rather than made Empty and then assigned: a page
  // whose script block runs makes a machine for every run, with only the
  // slots the program uses.
  static std::unique_ptr<Variant[], RegistersDeleter> MakeRegisters(const TProgram& program);

  // The registers instructions address: the variable slots, followed by a
  // copy of the program's constants, so an operand is one offset whichever
  // it names. Instructions never write past the slots (the decoder checks
  // every target).
  std::unique_ptr<Variant[], RegistersDeleter> registers_;

 public:
  std::array<Variant, kArgCount> Args;
  int32_t PC = 0;
  std::array<int32_t, kReturnStackSize> ReturnStack{};
  int32_t ReturnDepth = 0;
  // The program's tables (views of Program()'s).
  const std::vector<Variant>& Constants;
  const std::vector<TProgItem>& Code;
  const std::vector<int32_t>& Labels;
  // Handle of the object of the current host method call (0: none).
  uint32_t SelfHandle = 0;
  // The variable slots (Program().Slots of them).
  const std::span<Variant> Vars;

  // The registers (see above): Vars, then the constants.
  Variant* Registers() { return registers_.get(); }
  const std::vector<TDecodedItem>& Decoded() const { return program_->Decoded(); }

  // Nesting of executions in progress (see Execute in runner.h).
  int32_t Running = 0;
};

}  // namespace orv
