// The program image: the byte stream through which the compiler hands a
// compiled script to the runner, and TBinProg, the program loaded from it
// together with the machine state of its executions.
//
// Image layout (all integers little-endian Int32):
//   constants: count, then per constant a tag byte and its value
//              1 = Int32, 2 = 8-byte IEEE double, 3 = length byte + text,
//              4 = one byte Boolean (0 false, anything else true)
//   labels:    count, then one instruction index per label
//   code:      count, then 12-byte instructions A, B, Op
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/script/opcodes.h"
#include "core/script/variant.h"

namespace orv {

// Serialises a compiled program. Integer kinds are written with tag 1, reals
// with tag 2, strings with tag 3 and Booleans with tag 4. Raises
// ECompilerError "Unknown variable type during writing program" for any other
// kind of constant, and "String constant longer than 255 characters" for a
// text that the one-byte length cannot hold.
std::string WriteProgramImage(const std::vector<Variant>& constants,
                              const std::vector<int32_t>& labels,
                              const std::vector<TProgItem>& code);

// One instruction prepared for execution: the handler to run and its
// operands, checked against the tables when the program was loaded. Jumps
// hold their target instruction instead of the label number. A comparison
// directly followed by an opJumpIfFalse on its result runs as one fused
// handler that also takes the jump (target in Target); the four
// instructions of an append to a variable run as one handler too, and so do
// some frequent pairs (TBinProg::kIncThenGoto ...). Fused handlers leave
// every slot as the instructions would, and the instructions after the first
// keep their own decoded form, so a jump to one of them runs it alone.
// Slot operands are held as byte offsets into TBinProg::Vars (the slot
// number times sizeof(Variant)), so the runner reaches a slot without
// scaling its number; operands of other kinds keep their numbers.
struct TDecodedItem {
  int32_t A = 0;
  int32_t B = 0;
  int32_t Handler = 0;  // an opcode, a TBinProg::kFault... or kCompareJump... code
  int32_t Target = 0;
};

// A loaded program and the state of its machine. Slots, the return stack and
// Self persist from one execution to the next; a new program starts with
// every slot holding the integer 0.
class TBinProg {
 public:
  // The arithmetic opcodes opAdd .. opMod, which have constant-operand forms.
  static constexpr int32_t kArithOpCount = opMod - opAdd + 1;

  static constexpr int32_t kSlotCount = 1001;        // slots 0..1000
  static constexpr int32_t kReturnStackSize = 1001;  // nested calls
  static constexpr int32_t kArgCount = 101;          // argument block 0..100

  // Handlers of instructions that cannot run; executing one raises an error.
  enum : int32_t {
    kFaultInvalidOp = kOpCodeLimit,  // "Invalid opcode"
    kFaultSlot,                      // a slot index outside 0..1000
    kFaultConst,                     // a constant number outside the table
    kFaultLabel,                     // a label number outside the table
    kFaultTarget,                    // a label whose target is outside the code
    kFaultDataWord,                  // a data word missing at the end of the code
    kFaultEnd,                       // execution ran past the last instruction
    // Fused comparison and opJumpIfFalse, one per comparison, in the order
    // of their opcodes (opGreaterEq .. opLess).
    kCompareJumpFirst,
    kCompareJumpLast = kCompareJumpFirst + (opLess - opGreaterEq),
    // "s := s + x" as compiled (opMove t,s; a load of x into u; opAdd t,u;
    // opMove s,t) run as one step that appends to s in place.
    kAppend,
    // Pairs of instructions run as one step, named first-then-second: the
    // handler runs the first instruction and goes straight on to the second
    // one's handler, without a dispatch in between.
    kIncThenGoto,
    kDecThenGoto,
    kLoadConstThenMove,
    kLoadConstThenAdd,
    kLoadConstThenSub,
    kLoadConstThenMul,
    kLoadConstThenIntDiv,
    kLoadConstThenMod,
    kMoveThenMove,
    kMoveThenLessEqJump,
    kMoveThenGreaterEqJump,
    // The end of a round of a for loop: opInc i (opDec for downto), opGoto
    // to the loop's head and the head itself, a limit load (opLoadConst or
    // opMove), opMove of i into a temporary and the fused opLessEq
    // (opGreaterEq) test with its jump out of the loop. Target holds the
    // head's instruction.
    kForStepUp,
    kForStepDown,
    // Arithmetic with a constant operand, one handler per operator in the
    // order of their opcodes (opAdd .. opMod):
    //   kMoveConstArith...:  opMove t,x; opLoadConst u,c; op t,u
    //   kConstArithMove...:  opLoadConst u,c; op t,u; opMove x,t
    //   kMoveThenMoveConstArith...: an opMove, then kMoveConstArith...
    // with u distinct from t. Two integers whose result is an integer are
    // computed at once and written to every slot the instructions write;
    // anything else runs the first instruction alone and goes on from the
    // second.
    kMoveConstArithFirst,
    kConstArithMoveFirst = kMoveConstArithFirst + kArithOpCount,
    kMoveThenMoveConstArithFirst = kConstArithMoveFirst + kArithOpCount,
    // An arithmetic instruction op1 t,y followed by a kConstArithMove...
    // group on the same t: kArithThenConstArithMoveFirst + op1 *
    // kArithOpCount + op2.
    kArithThenConstArithMoveFirst = kMoveThenMoveConstArithFirst + kArithOpCount,
    kHandlerLimit = kArithThenConstArithMoveFirst + kArithOpCount * kArithOpCount,
  };

  // The handler of the first instruction a fused handler runs (the handler
  // itself for one that is not fused); single steps run that one.
  static int32_t FirstHandler(int32_t handler);

  // Loads an image. Raises ECompilerError "Unknown reader type" for a bad
  // constant tag, and EInOutError "Stream read error" for a stream that ends
  // early or announces more entries than it holds.
  explicit TBinProg(std::string_view image);

  std::array<Variant, kArgCount> Args;
  int32_t PC = 0;
  std::array<int32_t, kReturnStackSize> ReturnStack{};
  int32_t ReturnDepth = 0;
  std::vector<Variant> Constants;
  std::vector<TProgItem> Code;
  std::vector<int32_t> Labels;
  // Handle of the object of the current host method call (0: none).
  uint32_t SelfHandle = 0;
  std::array<Variant, kSlotCount> Vars;

  // Code.size() + 1 decoded instructions; the last one is the kFaultEnd guard.
  const std::vector<TDecodedItem>& Decoded() const { return decoded_; }

  // Nesting of executions in progress (see Execute in runner.h).
  int32_t Running = 0;

  // The text of a fault handler's error.
  static const char* FaultText(int32_t handler);

 private:
  void Decode();
  void FuseAppends();
  void FusePairs();
  void FuseForSteps();
  void FuseConstArith();

  std::vector<TDecodedItem> decoded_;
};

}  // namespace orv
