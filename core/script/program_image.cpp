#include "core/script/program_image.h"

#include <cstring>
#include <memory>
#include <string>

#include "core/script/compiler_error.h"
#include "core/script/decoder.h"

namespace orv {
namespace {

enum : uint8_t { kTagInteger = 1, kTagReal = 2, kTagString = 3, kTagBoolean = 4 };
constexpr size_t kMaxStringConstant = 255;
constexpr std::string_view kMagic = "ORVP";

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

// The header: an image without the mark, or of another version, was made
// by another build of the engine and is refused before anything is read.
void ReadHeader(ImageReader& in) {
  if (std::string_view(in.Take(kMagic.size()), kMagic.size()) != kMagic)
    throw ECompilerError("Stale program image (no version mark): compile the script again");
  const int32_t version = in.Int32();
  if (version != kProgramImageVersion)
    throw ECompilerError("Stale program image (version " + std::to_string(version) + ", this engine reads version " +
                         std::to_string(kProgramImageVersion) + "): compile the script again");
}

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

std::string WriteProgramImage(int32_t slots, const std::vector<Variant>& constants,
                              const std::vector<int32_t>& labels,
                              const std::vector<TProgItem>& code) {
  std::string out(kMagic);
  out.reserve(24 + constants.size() * 9 + labels.size() * 4 + code.size() * sizeof(TProgItem));
  PutInt32(out, kProgramImageVersion);
  PutInt32(out, slots);
  PutInt32(out, static_cast<int32_t>(constants.size()));
  for (const Variant& c : constants) PutConstant(out, c);
  PutInt32(out, static_cast<int32_t>(labels.size()));
  for (int32_t target : labels) PutInt32(out, target);
  PutInt32(out, static_cast<int32_t>(code.size()));
  for (const TProgItem& item : code) {
    PutInt32(out, item.Op);
    PutInt32(out, item.A);
    PutInt32(out, item.B);
    PutInt32(out, item.C);
  }
  return out;
}

TProgram::TProgram(std::string_view image, std::vector<int32_t> lines) : lines_(std::move(lines)) {
  ImageReader in(image);
  ReadHeader(in);
  Slots = in.Int32();
  if (Slots < 0 || Slots > TBinProg::kSlotCount) throw ECompilerError("Invalid variable slot count in program");
  // A constant takes at least two bytes (tag and Boolean or length byte).
  Constants.resize(in.Count(2));
  for (Variant& c : Constants) c = ReadConstant(in);
  Labels.resize(in.Count(4));
  for (int32_t& target : Labels) target = in.Int32();
  Code.resize(in.Count(sizeof(TProgItem)));
  for (TProgItem& item : Code) {
    item.Op = in.Int32();
    item.A = in.Int32();
    item.B = in.Int32();
    item.C = in.Int32();
  }
  decoded_ = DecodeProgram(Slots, Constants, Code, Labels, divisors_);
}

int32_t TProgram::LineOf(int32_t index) const {
  return index >= 0 && static_cast<size_t>(index) < lines_.size() ? lines_[static_cast<size_t>(index)] : 0;
}

TBinProg::TBinProg(std::string_view image) : TBinProg(std::make_shared<const TProgram>(image)) {}

void TBinProg::RegistersDeleter::operator()(Variant* registers) const {
  std::destroy_n(registers, count);
  std::allocator<Variant>().deallocate(registers, count);
}

std::unique_ptr<Variant[], TBinProg::RegistersDeleter> TBinProg::MakeRegisters(const TProgram& program) {
  const auto slots = static_cast<size_t>(program.Slots);
  const size_t count = slots + program.Constants.size();
  Variant* registers = std::allocator<Variant>().allocate(count);
  // Unrolled, a slot takes its two stores and little else.
#pragma GCC unroll 8
  for (size_t i = 0; i < slots; ++i) ::new (registers + i) Variant(0);
  std::uninitialized_copy(program.Constants.begin(), program.Constants.end(), registers + slots);
  return std::unique_ptr<Variant[], RegistersDeleter>(registers, RegistersDeleter{count});
}

TBinProg::TBinProg(std::shared_ptr<const TProgram> program)
    : program_(std::move(program)),
      registers_(MakeRegisters(*program_)),
      Constants(program_->Constants),
      Code(program_->Code),
      Labels(program_->Labels),
      Vars(registers_.get(), static_cast<size_t>(program_->Slots)) {}

}  // namespace orv
