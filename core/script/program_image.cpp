#include "core/script/program_image.h"

#include <cstring>

#include "core/script/compiler_error.h"

namespace orv {
namespace {

enum : uint8_t { kTagInteger = 1, kTagReal = 2, kTagString = 3, kTagBoolean = 4 };
constexpr size_t kMaxStringConstant = 255;

void PutInt32(std::string& out, int32_t value) {
  auto u = static_cast<uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((u >> shift) & 0xFF));
}

void PutDouble(std::string& out, double value) {
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  for (int shift = 0; shift < 64; shift += 8) out.push_back(static_cast<char>((bits >> shift) & 0xFF));
}

void PutConstant(std::string& out, const Variant& value) {
  switch (value.Type()) {
    case varSmallint:
    case varInteger:
    case varByte:
      out.push_back(static_cast<char>(kTagInteger));
      PutInt32(out, value.AsInteger());
      return;
    case varSingle:
    case varDouble:
      out.push_back(static_cast<char>(kTagReal));
      PutDouble(out, value.AsReal());
      return;
    case varString: {
      std::string_view text = value.StringView();
      if (text.size() > kMaxStringConstant)
        throw ECompilerError("String constant longer than 255 characters");
      out.push_back(static_cast<char>(kTagString));
      out.push_back(static_cast<char>(text.size()));
      out.append(text);
      return;
    }
    case varBoolean:
      out.push_back(static_cast<char>(kTagBoolean));
      out.push_back(value.AsBoolean() ? 1 : 0);
      return;
    default:
      throw ECompilerError("Unknown variable type during writing program");
  }
}

// Sequential little-endian reads over the image; running out of bytes is the
// stream's read error.
class ImageReader {
 public:
  explicit ImageReader(std::string_view bytes) : bytes_(bytes) {}

  const char* Take(size_t n) {
    if (n > bytes_.size() - pos_) throw EInOutError("Stream read error");
    const char* p = bytes_.data() + pos_;
    pos_ += n;
    return p;
  }
  uint8_t Byte() { return static_cast<uint8_t>(*Take(1)); }
  int32_t Int32() {
    const char* p = Take(4);
    uint32_t u = 0;
    for (int i = 3; i >= 0; --i) u = (u << 8) | static_cast<uint8_t>(p[i]);
    return static_cast<int32_t>(u);
  }
  double Double() {
    const char* p = Take(8);
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i) bits = (bits << 8) | static_cast<uint8_t>(p[i]);
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
  }
  // A count of entries that take at least `min_size` bytes each; a negative
  // count or one the rest of the stream cannot hold is a read error, so a
  // corrupt count never makes the loader allocate for it.
  size_t Count(size_t min_size) {
    int32_t n = Int32();
    if (n < 0 || static_cast<size_t>(n) > (bytes_.size() - pos_) / min_size)
      throw EInOutError("Stream read error");
    return static_cast<size_t>(n);
  }

 private:
  std::string_view bytes_;
  size_t pos_ = 0;
};

Variant ReadConstant(ImageReader& in) {
  switch (in.Byte()) {
    case kTagInteger:
      return Variant(in.Int32());
    case kTagReal:
      return Variant(in.Double());
    case kTagString: {
      size_t length = in.Byte();
      return Variant(std::string_view(in.Take(length), length));
    }
    case kTagBoolean:
      return Variant(in.Byte() != 0);
    default:
      throw ECompilerError("Unknown reader type");
  }
}

}  // namespace

std::string WriteProgramImage(const std::vector<Variant>& constants,
                              const std::vector<int32_t>& labels,
                              const std::vector<TProgItem>& code) {
  std::string out;
  out.reserve(12 + constants.size() * 9 + labels.size() * 4 + code.size() * sizeof(TProgItem));
  PutInt32(out, static_cast<int32_t>(constants.size()));
  for (const Variant& c : constants) PutConstant(out, c);
  PutInt32(out, static_cast<int32_t>(labels.size()));
  for (int32_t target : labels) PutInt32(out, target);
  PutInt32(out, static_cast<int32_t>(code.size()));
  for (const TProgItem& item : code) {
    PutInt32(out, item.A);
    PutInt32(out, item.B);
    PutInt32(out, item.Op);
  }
  return out;
}

TBinProg::TBinProg(std::string_view image) {
  Vars.fill(Variant(0));
  ImageReader in(image);
  // A constant takes at least two bytes (tag and Boolean or length byte).
  Constants.resize(in.Count(2));
  for (Variant& c : Constants) c = ReadConstant(in);
  Labels.resize(in.Count(4));
  for (int32_t& target : Labels) target = in.Int32();
  Code.resize(in.Count(sizeof(TProgItem)));
  for (TProgItem& item : Code) {
    item.A = in.Int32();
    item.B = in.Int32();
    item.Op = in.Int32();
  }
  Decode();
}

const char* TBinProg::FaultText(int32_t handler) {
  switch (handler) {
    case kFaultInvalidOp:
      return "Invalid opcode";
    case kFaultSlot:
      return "Invalid variable slot in program";
    case kFaultConst:
      return "Invalid constant number in program";
    case kFaultLabel:
      return "Invalid label number in program";
    case kFaultTarget:
      return "Invalid jump target in program";
    case kFaultDataWord:
      return "Missing data word in program";
    default:
      return "Execution ran past the end of the program";
  }
}

void TBinProg::Decode() {
  const auto count = static_cast<int32_t>(Code.size());
  decoded_.assign(Code.size() + 1, TDecodedItem{0, 0, kFaultEnd, 0});
  auto valid_slot = [](int32_t v) { return v >= 0 && v < kSlotCount; };
  // Checks one field; returns the fault, or 0 with `v` made ready to run.
  auto check = [&](TOperand kind, int32_t& v) -> int32_t {
    switch (kind) {
      case TOperand::kSlot:
        if (!valid_slot(v)) return kFaultSlot;
        v *= static_cast<int32_t>(sizeof(Variant));
        return 0;
      case TOperand::kConst:
        return v >= 0 && v < static_cast<int32_t>(Constants.size()) ? 0 : kFaultConst;
      case TOperand::kLabel:
        if (v < 0 || v >= static_cast<int32_t>(Labels.size())) return kFaultLabel;
        v = Labels[v];
        return v >= 0 && v <= count ? 0 : kFaultTarget;
      default:
        return 0;
    }
  };
  for (int32_t i = 0; i < count; ++i) {
    const TProgItem& item = Code[i];
    TDecodedItem& d = decoded_[i];
    const TOpInfo* info = FindOpInfo(item.Op);
    if (info == nullptr) {
      d.Handler = kFaultInvalidOp;
      continue;
    }
    d.A = item.A;
    d.B = item.B;
    int32_t fault = check(info->a, d.A);
    if (fault == 0) fault = check(info->b, d.B);
    if (fault == 0 && info->data_words == 1 && (i + 1 >= count || !valid_slot(Code[i + 1].A)))
      fault = i + 1 >= count ? kFaultDataWord : kFaultSlot;
    d.Handler = fault != 0 ? fault : item.Op;
  }
  FuseAppends();
  for (int32_t i = 0; i + 1 < count; ++i) {
    TDecodedItem& d = decoded_[i];
    const TDecodedItem& next = decoded_[i + 1];
    if (d.Handler >= opGreaterEq && d.Handler <= opLess && next.Handler == opJumpIfFalse &&
        next.A == d.A) {
      d.Handler = kCompareJumpFirst + (d.Handler - opGreaterEq);
      d.Target = next.B;
    }
  }
  FuseConstArith();
  FusePairs();
  FuseForSteps();
}

namespace {

// A pair of handlers that runs as one fused handler.
struct TPairFusion {
  int32_t first;
  int32_t second;
  int32_t fused;
};

constexpr TPairFusion MoveThenMoveConstArith(int32_t op) {
  return {opMove, TBinProg::kMoveConstArithFirst + op, TBinProg::kMoveThenMoveConstArithFirst + op};
}

constexpr TPairFusion kPairFusions[] = {
    {opInc, opGoto, TBinProg::kIncThenGoto},
    {opDec, opGoto, TBinProg::kDecThenGoto},
    {opLoadConst, opMove, TBinProg::kLoadConstThenMove},
    {opLoadConst, opAdd, TBinProg::kLoadConstThenAdd},
    {opLoadConst, opSub, TBinProg::kLoadConstThenSub},
    {opLoadConst, opMul, TBinProg::kLoadConstThenMul},
    {opLoadConst, opIntDiv, TBinProg::kLoadConstThenIntDiv},
    {opLoadConst, opMod, TBinProg::kLoadConstThenMod},
    {opMove, opMove, TBinProg::kMoveThenMove},
    {opMove, TBinProg::kCompareJumpFirst + (opLessEq - opGreaterEq), TBinProg::kMoveThenLessEqJump},
    {opMove, TBinProg::kCompareJumpFirst, TBinProg::kMoveThenGreaterEqJump},
    MoveThenMoveConstArith(opAdd),
    MoveThenMoveConstArith(opSub),
    MoveThenMoveConstArith(opMul),
    MoveThenMoveConstArith(opIntDiv),
    MoveThenMoveConstArith(opMod),
};

bool IsArith(int32_t handler) { return handler >= opAdd && handler <= opMod; }

}  // namespace

int32_t TBinProg::FirstHandler(int32_t handler) {
  if (handler >= kCompareJumpFirst && handler <= kCompareJumpLast) return opGreaterEq + (handler - kCompareJumpFirst);
  if (handler == kAppend) return opMove;
  if (handler == kForStepUp) return opInc;
  if (handler == kForStepDown) return opDec;
  if (handler >= kMoveConstArithFirst && handler < kConstArithMoveFirst) return opMove;
  if (handler >= kConstArithMoveFirst && handler < kMoveThenMoveConstArithFirst) return opLoadConst;
  if (handler >= kArithThenConstArithMoveFirst && handler < kHandlerLimit)
    return opAdd + (handler - kArithThenConstArithMoveFirst) / kArithOpCount;
  for (const TPairFusion& pair : kPairFusions)
    if (pair.fused == handler) return pair.first;
  return handler;
}

// Fuses an instruction with the one after it. The first ones of the pairs
// neither jump nor have data words, so the second always runs right after;
// it keeps its own decoded form, and the fused handler goes on to the
// second's handler as it was when the pair was fused.
void TBinProg::FusePairs() {
  const auto count = static_cast<int32_t>(Code.size());
  for (int32_t i = 0; i + 1 < count; ++i) {
    for (const TPairFusion& pair : kPairFusions) {
      if (decoded_[i].Handler == pair.first && decoded_[i + 1].Handler == pair.second) {
        decoded_[i].Handler = pair.fused;
        break;
      }
    }
  }
}

// The handler runs the instructions at the loop's head as they stand, so
// only their kinds are matched here; their operands were checked when they
// were decoded (none of them holds a fault handler).
void TBinProg::FuseForSteps() {
  const auto count = static_cast<int32_t>(Code.size());
  auto runs = [&](int32_t i) { return decoded_[i].Handler < kFaultInvalidOp || decoded_[i].Handler > kFaultEnd; };
  for (int32_t i = 0; i + 1 < count; ++i) {
    TDecodedItem& d = decoded_[i];
    const bool up = d.Handler == kIncThenGoto;
    if (!up && d.Handler != kDecThenGoto) continue;
    const int32_t head = decoded_[i + 1].A;
    if (head + 2 >= count) continue;
    const int32_t test = kCompareJumpFirst + ((up ? opLessEq : opGreaterEq) - opGreaterEq);
    if ((Code[head].Op == opLoadConst || Code[head].Op == opMove) && Code[head + 1].Op == opMove &&
        runs(head) && runs(head + 1) && decoded_[head + 2].Handler == test) {
      d.Handler = up ? kForStepUp : kForStepDown;
      d.Target = head;
    }
  }
}

// Finds the arithmetic with a constant operand (see kMoveConstArithFirst).
// Only plain instructions are matched; the second and third keep their own
// decoded form, so a jump to one of them runs from there.
void TBinProg::FuseConstArith() {
  const auto count = static_cast<int32_t>(Code.size());
  for (int32_t i = 0; i + 2 < count; ++i) {
    TDecodedItem* d = &decoded_[i];
    if (d[0].Handler == opMove && d[1].Handler == opLoadConst && IsArith(d[2].Handler) && d[2].A == d[0].A &&
        d[2].B == d[1].A && d[1].A != d[0].A) {
      d[0].Handler = kMoveConstArithFirst + d[2].Handler;
    } else if (d[0].Handler == opLoadConst && IsArith(d[1].Handler) && d[2].Handler == opMove &&
               d[1].B == d[0].A && d[1].A != d[0].A && d[2].B == d[1].A) {
      d[0].Handler = kConstArithMoveFirst + d[1].Handler;
    }
  }
  for (int32_t i = 0; i + 3 < count; ++i) {
    TDecodedItem* d = &decoded_[i];
    const int32_t group = d[1].Handler - kConstArithMoveFirst;
    if (IsArith(d[0].Handler) && group >= 0 && group < kArithOpCount && d[2].A == d[0].A)
      d[0].Handler = kArithThenConstArithMoveFirst + d[0].Handler * kArithOpCount + group;
  }
}

// opMove t,s; opLoadConst u,c or opMove u,x; opAdd t,u; opMove s,t with
// t, u and s distinct and x not t: the value of s grows by the loaded value.
void TBinProg::FuseAppends() {
  const auto count = static_cast<int32_t>(Code.size());
  for (int32_t i = 0; i + 3 < count; ++i) {
    const TDecodedItem* d = &decoded_[i];
    const int32_t t = d[0].A, s = d[0].B, u = d[1].A;
    bool load = d[1].Handler == opLoadConst || (d[1].Handler == opMove && d[1].B != t);
    if (d[0].Handler == opMove && load && t != s && u != t && u != s && d[2].Handler == opAdd &&
        d[2].A == t && d[2].B == u && d[3].Handler == opMove && d[3].A == s && d[3].B == t) {
      decoded_[i].Handler = kAppend;
    }
  }
}

}  // namespace orv
