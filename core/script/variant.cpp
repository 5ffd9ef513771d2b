// Storage, copying and conversions of Variant. The operators are in
// variant_ops.cpp.
#include "core/script/variant.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "core/script/text_number.h"
#include "platform/run_limits.h"

namespace orv {
namespace detail {

// The shared elements of an array value; its count is a plain counter, as
// a string's is.
struct ArrayRep {
  uint32_t refs = 1;
  std::vector<Variant> items;
};

}  // namespace detail

namespace {

// A shared text of `capacity` bytes holding `text`, for a value;
// EVariantError "Text longer than 256 MiB" beyond the bound of a value.
TextRep* MakeText(std::string_view text, size_t capacity) {
  if (capacity > Variant::kMaxStringBytes) throw EVariantError("Text longer than 256 MiB");
  return TextRep::Make(text, capacity);
}

[[noreturn]] void CannotConvert(uint16_t from, uint16_t to) {
  throw EConvertError("Could not convert variant of type (" + Variant::TypeName(from) + ") into type (" +
                      Variant::TypeName(to) + ")");
}

int32_t RealToInteger(double value, uint16_t from) {
  double rounded = std::nearbyint(value);  // the default mode rounds ties to even
  if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0)) {
    throw EConvertError("Could not convert " + FormatReal(value) + " of type (" + Variant::TypeName(from) +
                        ") into type (Integer): out of range");
  }
  return static_cast<int32_t>(rounded);
}

}  // namespace

Variant Variant::Null() noexcept {
  Variant v;
  v.type_ = varNull;
  return v;
}

Variant Variant::Smallint(int16_t value) noexcept {
  Variant v;
  v.type_ = varSmallint;
  v.u_.bits = static_cast<uint16_t>(value);  // one store, see SetInteger
  return v;
}

Variant Variant::Byte(uint8_t value) noexcept {
  Variant v;
  v.type_ = varByte;
  v.u_.bits = value;
  return v;
}

Variant Variant::Single(float value) noexcept {
  Variant v;
  v.type_ = varSingle;
  v.u_.f = value;
  return v;
}

Variant Variant::Date(double days) noexcept {
  Variant v(days);
  v.type_ = varDate;
  return v;
}

Variant Variant::EmptyWithField(uint32_t field) noexcept {
  Variant v;
  v.u_.field = field;
  return v;
}

Variant::Variant(std::string_view text) : type_(varString) {
  u_.bits = 0;
  if (!text.empty()) u_.str = MakeText(text, text.size());
}

Variant Variant::Joined(std::string_view first, std::string_view second) {
  Variant v;
  v.type_ = varString;
  const size_t size = first.size() + second.size();
  if (size == 0) return v;
  TextRep* rep = MakeText(first, size);
  if (!second.empty()) std::memcpy(rep->data() + first.size(), second.data(), second.size());
  rep->size = size;
  v.u_.str = rep;
  return v;
}

Variant Variant::Array(int32_t high) {
  if (high < -1 || high > kMaxArrayHigh) {
    throw EVariantError("Invalid array bounds 0.." + std::to_string(high));
  }
  ReserveRunMemory((static_cast<size_t>(high) + 1) * sizeof(Variant));
  Variant v;
  v.type_ = varArray | varVariant;
  v.u_.arr = new detail::ArrayRep;
  v.u_.arr->items.resize(static_cast<size_t>(high) + 1);
  return v;
}

void Variant::AddArrayRef() const noexcept { ++u_.arr->refs; }

Variant& Variant::AssignShared(const Variant& other) noexcept {
  // The new share is taken before the old value is given up (by `old`, at
  // the end), so assigning a value to itself, or a text to another holder
  // of the same text, never frees the buffer.
  if (other.HoldsBuffer()) other.AddRef();
  Variant old;
  old.type_ = type_;
  old.u_ = u_;
  type_ = other.type_;
  u_ = other.u_;
  return *this;
}

void Variant::ReleaseBuffer() noexcept {
  if (type_ == varString) {
    if (u_.str && --u_.str->refs == 0) u_.str->Free();
  } else if (--u_.arr->refs == 0) {
    FreeArray(u_.arr);
  }
  Clear();
}

void Variant::FreeArray(detail::ArrayRep* rep) noexcept {
  // Arrays freed with this one wait in `pending`, which stays empty (and
  // allocates nothing) while no element is an array freed with it.
  std::vector<detail::ArrayRep*> pending;
  for (detail::ArrayRep* current = rep; current != nullptr;) {
    for (Variant& item : current->items) {
      if (!item.IsArray()) continue;
      if (--item.u_.arr->refs == 0) pending.push_back(item.u_.arr);
      item.Clear();
    }
    delete current;
    current = nullptr;
    if (!pending.empty()) {
      current = pending.back();
      pending.pop_back();
    }
  }
}

void Variant::AppendText(std::string_view text) {
  if (text.empty()) return;
  TextRep* rep = u_.str;
  size_t size = rep ? rep->size : 0;
  if (rep && rep->refs == 1 && rep->capacity - size >= text.size()) {
    std::memmove(rep->data() + size, text.data(), text.size());
    rep->size += text.size();
    return;
  }
  size_t needed = size + text.size();
  TextRep* grown =
      MakeText(std::string_view(rep ? rep->data() : "", size), std::max(needed, std::min(2 * size, kMaxStringBytes)));
  std::memcpy(grown->data() + size, text.data(), text.size());  // `text` may lie in the old buffer
  grown->size = needed;
  Release();
  type_ = varString;
  u_.str = grown;
}

std::string Variant::AsString() const {
  switch (type_) {
    case varEmpty:
    case varNull: return std::string();
    case varSmallint:
    case varInteger:
    case varByte: return std::to_string(static_cast<int32_t>(ValueField()));
    case varSingle: return FormatReal(u_.f, 7);
    case varDouble: return FormatReal(u_.d);
    case varDate: return FormatDate(u_.d);
    case varBoolean: return u_.b ? "True" : "False";
    case varString: return std::string(StringView());
    default: CannotConvert(type_, varString);
  }
}

int32_t Variant::ConvertToInteger() const {
  switch (type_) {
    case varEmpty: return 0;
    case varSmallint:
    case varInteger:
    case varByte:
    case varBoolean: return static_cast<int32_t>(ValueField());
    case varSingle: return RealToInteger(u_.f, type_);
    case varDouble:
    case varDate: return RealToInteger(u_.d, type_);
    case varString: return TextToNumber(StringView(), varInteger).AsInteger();
    default: CannotConvert(type_, varInteger);
  }
}

double Variant::AsReal() const {
  switch (type_) {
    case varEmpty: return 0.0;
    case varSmallint:
    case varInteger:
    case varByte:
    case varBoolean: return static_cast<int32_t>(ValueField());
    case varSingle: return u_.f;
    case varDouble:
    case varDate: return u_.d;
    case varString: return TextToNumber(StringView(), varDouble).AsReal();
    default: CannotConvert(type_, varDouble);
  }
}

bool Variant::AsBoolean() const {
  switch (type_) {
    case varEmpty: return false;
    case varSmallint:
    case varInteger:
    case varByte: return ValueField() != 0;
    case varBoolean: return u_.b;
    case varSingle: return u_.f != 0.0f;
    case varDouble:
    case varDate: return u_.d != 0.0;
    case varString: return TextToNumber(StringView(), varBoolean).AsReal() != 0.0;
    default: CannotConvert(type_, varBoolean);
  }
}

Variant Variant::AsType(uint16_t code) const {
  if (code == type_ && code != varEmpty) return *this;
  if (type_ == varNull && code != varEmpty && code != varString) CannotConvert(type_, code);
  switch (code) {
    case varEmpty: return Variant();
    case varNull: return Null();
    case varSmallint: {
      int32_t value = AsInteger();
      if (value < INT16_MIN || value > INT16_MAX) CannotConvert(type_, code);
      return Smallint(static_cast<int16_t>(value));
    }
    case varInteger: return Variant(AsInteger());
    case varByte: {
      int32_t value = AsInteger();
      if (value < 0 || value > 255) CannotConvert(type_, code);
      return Byte(static_cast<uint8_t>(value));
    }
    case varSingle: {
      double value = AsReal();
      if (std::isfinite(value) && std::fabs(value) > 3.4028234663852886e38) CannotConvert(type_, code);
      return Single(static_cast<float>(value));
    }
    case varDouble: return Variant(AsReal());
    case varDate: {
      double days;
      if (type_ == varString && ParseDateText(StringView(), days)) return Date(days);
      return Date(AsReal());
    }
    case varBoolean: return Variant(AsBoolean());
    case varString: return Variant(AsString());
    default: CannotConvert(type_, code);
  }
}

int32_t Variant::ArrayHigh() const {
  if (!IsArray()) throw EVariantError("Variant of type (" + TypeName(type_) + ") is not an array");
  return static_cast<int32_t>(u_.arr->items.size()) - 1;
}

const Variant& Variant::Element(int32_t index) const {
  int32_t high = ArrayHigh();
  if (index < 0 || index > high) {
    throw EVariantError("Array index " + std::to_string(index) + " out of bounds 0.." + std::to_string(high));
  }
  return u_.arr->items[static_cast<size_t>(index)];
}

void Variant::PutElement(int32_t index, Variant value) {
  Element(index);  // checks the kind and the bounds
  if (u_.arr->refs != 1) {
    // A shared array is copied first; when memory runs out on the way, the
    // half-made copy is freed and this value is left as it was.
    ReserveRunMemory(u_.arr->items.size() * sizeof(Variant));
    auto copy = std::make_unique<detail::ArrayRep>();
    copy->items = u_.arr->items;
    Release();
    type_ = varArray | varVariant;
    u_.arr = copy.release();
  }
  u_.arr->items[static_cast<size_t>(index)] = std::move(value);
}

std::string Variant::TypeName(uint16_t code) {
  switch (code) {
    case varEmpty: return "Empty";
    case varNull: return "Null";
    case varSmallint: return "Smallint";
    case varInteger: return "Integer";
    case varSingle: return "Single";
    case varDouble: return "Double";
    case varCurrency: return "Currency";
    case varDate: return "Date";
    case varBoolean: return "Boolean";
    case varVariant: return "Variant";
    case varByte: return "Byte";
    case varString: return "String";
    case varArray | varVariant: return "Array";
    default: return "type code " + std::to_string(code);
  }
}

}  // namespace orv
