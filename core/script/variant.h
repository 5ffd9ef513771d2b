// Script values: the Variant that every script slot, constant and host-routine
// argument holds, with the OLE variant type codes, the operators the runner
// executes and the conversions host routines use. Numbers and Booleans live in
// the value itself; strings and arrays are shared, immutable-while-shared
// buffers, so copying a value never copies text.
#pragma once

#include <bit>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/exception.h"
#include "platform/shared_text.h"

namespace orv {

// OLE variant type codes. An array of values has the code varArray | varVariant.
enum VarType : uint16_t {
  varEmpty = 0,
  varNull = 1,
  varSmallint = 2,
  varInteger = 3,
  varSingle = 4,
  varDouble = 5,
  varCurrency = 6,
  varDate = 7,
  varBoolean = 11,
  varVariant = 12,
  varByte = 17,
  varString = 256,
  varArray = 0x2000,
};

// An operation a value cannot take part in (an array in arithmetic), an index
// outside an array, a division by zero or an integer overflow.
class EVariantError : public Exception {
 public:
  using Exception::Exception;
};

// The binary operators of the runner. Each enumerator has the number of the
// instruction that executes it, so the runner may cast the opcode.
enum class VarOp : int32_t {
  Add = 0,
  Sub = 1,
  Mul = 2,
  IntDiv = 3,
  Mod = 4,
  Divide = 5,
  Shl = 6,
  Shr = 7,
  Or = 9,
  Xor = 10,
  And = 11,
};

// The comparisons of the runner, numbered like their instructions.
enum class VarCompareOp : int32_t {
  GreaterEq = 12,
  Equal = 13,
  LessEq = 14,
  NotEqual = 15,
  Greater = 16,
  Less = 17,
};

// Outcome of comparing two values by magnitude; Unordered when a real is NaN.
enum class VarOrder { Less, Equal, Greater, Unordered };

namespace detail {

// The shared elements of an array value (variant.cpp).
struct ArrayRep;

}  // namespace detail

// A script value. Build one from a C++ value (int32_t, double, bool, text) or
// with the named factories for the other kinds; read it with Type() and the
// As...() conversions; combine values with ApplyBinary/Compare below.
//
//   Variant a(2), b("3");
//   ApplyBinary(VarOp::Add, a, b);   // a is now the integer 5
//   a.AsString();                    // "5"
//
// Every value carries a 32-bit value field (ValueField): the number of an
// integer-kind value, and the object handle of an Empty value made by
// ObjToVariant (object_value.h). Plain Empty values have 0 there.
class Variant {
 public:
  Variant() noexcept : type_(varEmpty) { u_.bits = 0; }
  Variant(int32_t value) noexcept { SetInteger(value); }
  Variant(double value) noexcept : type_(varDouble) { u_.d = value; }
  Variant(bool value) noexcept : type_(varBoolean) { u_.bits = value ? 1 : 0; }
  Variant(std::string_view text);
  Variant(const std::string& text) : Variant(std::string_view(text)) {}
  Variant(const char* text) : Variant(std::string_view(text ? text : "")) {}
  // A string value sharing the bytes of `text` (no copy).
  explicit Variant(SharedText text) noexcept : type_(varString) { u_.str = text.Release(); }
  // Other integer widths would silently pick a surprising overload.
  Variant(int64_t) = delete;
  Variant(uint32_t) = delete;

  static Variant Null() noexcept;
  static Variant Smallint(int16_t value) noexcept;
  static Variant Byte(uint8_t value) noexcept;
  static Variant Single(float value) noexcept;
  // A date: a day count from 1899-12-30 whose fraction is the time of day.
  static Variant Date(double days) noexcept;
  // An Empty value whose value field holds `field` (used for object handles).
  static Variant EmptyWithField(uint32_t field) noexcept;
  // The text `first` followed by `second`, made in one piece (`a + b` of two
  // texts).
  static Variant Joined(std::string_view first, std::string_view second);
  // An array of values with bounds 0..high, every element Empty. `high` may be
  // -1 (no elements); below that, or above kMaxArrayHigh, is an EVariantError.
  static Variant Array(int32_t high);
  static constexpr int32_t kMaxArrayHigh = 1 << 24;
  // The longest text a value may hold; a longer one (built by joining texts
  // or by a host routine) raises EVariantError "Text longer than 256 MiB".
  static constexpr size_t kMaxStringBytes = size_t{256} << 20;

  // Copying, moving and destroying a value without a buffer (every kind but
  // strings and arrays) is a plain copy of its bits, done inline; only
  // values that share a buffer take the reference-counting path.
  Variant(const Variant& other) noexcept : type_(other.type_), u_(other.u_) {
    if (HoldsBuffer()) AddRef();
  }
  Variant(Variant&& other) noexcept : type_(other.type_), u_(other.u_) { other.Clear(); }
  Variant& operator=(const Variant& other) noexcept {
    if (((type_ | other.type_) & kBufferBits) != 0) return AssignShared(other);
    type_ = other.type_;
    u_ = other.u_;
    return *this;
  }
  Variant& operator=(Variant&& other) noexcept {
    if (this != &other) {
      Release();
      type_ = other.type_;
      u_ = other.u_;
      other.Clear();
    }
    return *this;
  }
  ~Variant() { Release(); }

  // The OLE type code (varArray | varVariant for arrays).
  uint16_t Type() const noexcept { return type_; }
  bool IsEmpty() const noexcept { return type_ == varEmpty; }
  bool IsNull() const noexcept { return type_ == varNull; }
  bool IsString() const noexcept { return type_ == varString; }
  // Whether both values are texts in one shared buffer (the same text).
  bool SharesText(const Variant& other) const noexcept {
    return type_ == varString && other.type_ == varString && u_.str != nullptr && u_.str == other.u_.str;
  }
  bool IsArray() const noexcept { return type_ == (varArray | varVariant); }
  // Smallint, Integer, Byte.
  bool IsInteger() const noexcept {
    return type_ == varSmallint || type_ == varInteger || type_ == varByte;
  }
  // Single, Double, Date.
  bool IsReal() const noexcept { return type_ == varSingle || type_ == varDouble || type_ == varDate; }

  // The 32-bit value field: the number of an integer-kind or Boolean value
  // (Boolean true is -1), the field of an Empty value; 0 for every other kind.
  uint32_t ValueField() const noexcept {
    // Empty (an object handle) and Integer, the kinds met most, keep their
    // field in the low word of the value word: read it without a switch.
    if (type_ == varEmpty || type_ == varInteger) [[likely]]
      return u_.field;
    switch (type_) {
      case varSmallint: return static_cast<uint32_t>(static_cast<int32_t>(u_.s));
      case varByte: return u_.by;
      case varBoolean: return u_.b ? 0xFFFFFFFFu : 0u;
      default: return 0;
    }
  }

  // The number of an Integer value, read without looking at the kind: only
  // for a value whose Type() is varInteger (the runner's quick paths).
  int32_t IntegerField() const noexcept { return u_.i; }
  // The number of a Double value, read the same way (only for varDouble).
  double DoubleField() const noexcept { return u_.d; }
  // The truth of a Boolean value, read the same way (only for varBoolean).
  bool BooleanField() const noexcept { return u_.b; }

  // Conversions. Each raises EConvertError when the value cannot be converted
  // (a text that is no number, Null to a number, an array to anything), with a
  // text that names the value and the wanted type.
  //   text: Empty and Null give ""; Booleans "True"/"False"; reals in general
  //         format with 15 significant digits, 7 for a Single ("1.5", "1E20"); dates as
  //         "YYYY-MM-DD" plus " hh:mm:ss" when there is a time of day.
  //   integer: reals are rounded to the nearest integer, ties to even; Boolean
  //         true is -1; texts are read as numbers ("12", " -3 ", "1.5",
  //         "$1F") or as "True"/"False"; out of the 32-bit range is an error.
  //   real: like integer, without the rounding.
  //   Boolean: numbers are true when not zero; texts "True"/"False" in any case
  //         or numbers.
  std::string AsString() const;
  int32_t AsInteger() const { return type_ == varInteger ? u_.i : ConvertToInteger(); }
  double AsReal() const;
  bool AsBoolean() const;
  // The value converted to the type `code` (one of the codes above other than
  // varCurrency, varVariant and arrays); EConvertError otherwise.
  Variant AsType(uint16_t code) const;

  // The text of a string value without copying; "" for other kinds.
  std::string_view StringView() const noexcept {
    if (type_ != varString || !u_.str) return {};
    return std::string_view(u_.str->data(), u_.str->size);
  }
  // The value as text to keep (AsString): a string's own bytes shared,
  // other kinds converted.
  SharedText SharedString() const {
    if (type_ != varString) return SharedText(AsString());
    if (u_.str) ++u_.str->refs;
    return SharedText::Adopt(u_.str);
  }
  // The value as text (AsString) without copying a string's own text:
  // other kinds are converted into `buffer`, which the view then shows.
  std::string_view TextView(std::string& buffer) const {
    if (type_ == varString) return StringView();
    buffer = AsString();
    return buffer;
  }

  // Replaces the value with a number or Boolean. A value that already is of
  // that kind (a variable that keeps its kind, as most do) has only its
  // value word written.
  void Replace(int32_t value) noexcept { ReplaceWord(varInteger, static_cast<uint32_t>(value)); }
  void Replace(double value) noexcept { ReplaceWord(varDouble, std::bit_cast<uint64_t>(value)); }
  void Replace(bool value) noexcept { ReplaceWord(varBoolean, value ? 1 : 0); }
  void Replace(int64_t) = delete;
  void Replace(uint32_t) = delete;

  // Arrays. Each raises EVariantError for a value that is not an array and
  // for an index outside 0..ArrayHigh().
  int32_t ArrayHigh() const;
  const Variant& Element(int32_t index) const;
  // Stores into element `index`; an array shared with other values is copied
  // first, so the others keep their elements.
  void PutElement(int32_t index, Variant value);

  // The name of a type code as shown in error texts ("Integer", "String").
  static std::string TypeName(uint16_t code);

 private:
  friend void ApplyBinary(VarOp op, Variant& left, const Variant& right);
  // Strings and arrays share a buffer with their copies. A value only ever
  // holds one of the codes above, and only those two have one of these bits.
  static constexpr uint16_t kBufferBits = varString | varArray;
  static_assert(varByte < varString, "codes without a buffer lie below the buffer bits");
  bool HoldsBuffer() const noexcept { return (type_ & kBufferBits) != 0; }
  // The whole value word is written in one store (the number in its low
  // bytes), so a later copy of the word reads it back without a stall.
  void SetInteger(int32_t value) noexcept {
    type_ = varInteger;
    u_.bits = static_cast<uint32_t>(value);
  }
  // Replace for a value of kind `type` whose value word is `bits`.
  [[gnu::always_inline]] void ReplaceWord(uint16_t type, uint64_t bits) noexcept {
    if (type_ != type) [[unlikely]] {
      Release();
      type_ = type;
    }
    u_.bits = bits;
  }
  void Clear() noexcept {
    type_ = varEmpty;
    u_.bits = 0;
  }
  // Takes one more share of the buffer (HoldsBuffer() is true).
  void AddRef() const noexcept {
    if (type_ != varString) {
      AddArrayRef();
    } else if (u_.str) {
      ++u_.str->refs;
    }
  }
  void AddArrayRef() const noexcept;
  // Copy assignment when either side holds a buffer.
  Variant& AssignShared(const Variant& other) noexcept;
  // Gives up the value's share of its buffer, if it has one, and leaves the
  // value Empty then.
  void Release() noexcept {
    if (HoldsBuffer()) ReleaseBuffer();
  }
  void ReleaseBuffer() noexcept;
  // Frees an array whose last value went away, nested arrays included,
  // without recursion, so deeply nested arrays cannot exhaust the stack.
  static void FreeArray(detail::ArrayRep* rep) noexcept;
  void AppendText(std::string_view text);
  // AsInteger for every kind but Integer.
  int32_t ConvertToInteger() const;

  static_assert(std::endian::native == std::endian::little, "the value word keeps numbers in its low bytes");
  uint16_t type_;
  union {
    int32_t i;
    int16_t s;
    uint8_t by;
    bool b;
    float f;
    double d;
    uint32_t field;
    uint64_t bits;
    TextRep* str;
    detail::ArrayRep* arr;
  } u_;
};

// left := left op right, the runner's binary instructions. Two strings
// concatenate under Add; a string meeting a number is read as a number;
// integer results that overflow widen to Double; Divide always gives a real;
// IntDiv, Mod, shifts and the bitwise operators work on 32-bit integers (two
// Booleans give a Boolean under And/Or/Xor); Null in either operand gives Null;
// Empty acts as 0 (or "" beside a string). Raises EConvertError or
// EVariantError ("Division by zero", arrays) and leaves `left` unchanged then.
void ApplyBinary(VarOp op, Variant& left, const Variant& right);
// The same as a pure function.
Variant BinaryOp(VarOp op, const Variant& left, const Variant& right);

// value := -value (integers widen on overflow; Booleans act as integers);
// Null stays Null.
void ApplyNeg(Variant& value);
// value := not value: logical for Booleans, bitwise for integers (reals and
// number texts are converted to integers first); Null stays Null.
void ApplyNot(Variant& value);

// Magnitude comparison of two values: numbers by value, two strings byte by
// byte, Booleans false < true, a string against a number or Boolean is
// converted first, Empty acts as the zero of the other side, Null equals only
// Null and sorts below everything else. Arrays raise EVariantError.
VarOrder Compare(const Variant& left, const Variant& right);

// The runner's comparison instructions. Equal/NotEqual first compare the type
// codes: values of different types are never equal (1 and 1.0 differ).
// Two Empty values are equal when their value fields are equal, so two
// different objects never compare equal.
bool CompareOp(VarCompareOp op, const Variant& left, const Variant& right);

// True when `value` compares equal to Boolean false by Compare: false, 0,
// 0.0, Empty, "False", "0". The runner's conditional jump takes it.
bool IsFalse(const Variant& value);

}  // namespace orv
