#include "core/lib/format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "core/lib/number_format.h"
#include "platform/exception.h"
#include "platform/run_limits.h"

namespace orv {
namespace {

class Formatter {
 public:
  Formatter(std::string_view pattern, std::span<const Variant> args, const FormatSettings& settings)
      : pattern_(pattern), args_(args), settings_(settings) {}

  std::string Run() {
    std::string out;
    size_t i = 0;
    while (i < pattern_.size()) {
      size_t percent = pattern_.find('%', i);
      if (percent == std::string_view::npos) {
        out.append(pattern_.substr(i));
        break;
      }
      out.append(pattern_.substr(i, percent - i));
      i = percent + 1;
      if (i < pattern_.size() && pattern_[i] == '%') {
        out += '%';
        ++i;
      } else {
        out += Conversion(i);
        // Widths make the text grow faster than the pattern: bound it.
        if (out.size() > Variant::kMaxStringBytes) throw EConvertError("Format result longer than 256 MiB");
      }
      KeepToLimits(out.size());
    }
    return out;
  }

 private:
  // Looks at the run's limits once every kStepsPerCheck conversions, and
  // whenever the text has grown by another kBytesPerCheck (a wide
  // conversion makes up to a MiB at once), so that a long pattern keeps to
  // them while a short one, formatted again and again, costs a count.
  void KeepToLimits(size_t size) {
    if (++steps_ < kStepsPerCheck && size - checked_size_ < kBytesPerCheck) return;
    steps_ = 0;
    checked_size_ = size;
    CheckRunLimits();
  }

  [[noreturn]] void Invalid() const {
    throw EConvertError("Format '" + std::string(pattern_) + "' invalid or incompatible with argument");
  }

  const Variant& NextArg() {
    if (next_ >= args_.size()) throw EConvertError("No argument for format '" + std::string(pattern_) + "'");
    return args_[next_++];
  }

  // Digits or "*" at pattern_[i]; -1 when there are none.
  int Number(size_t& i) {
    if (i < pattern_.size() && pattern_[i] == '*') {
      ++i;
      const Variant& arg = NextArg();
      if (!arg.IsInteger() || arg.AsInteger() > kMaxWidth) Invalid();
      return arg.AsInteger();
    }
    if (i >= pattern_.size() || pattern_[i] < '0' || pattern_[i] > '9') return -1;
    long long value = 0;
    while (i < pattern_.size() && pattern_[i] >= '0' && pattern_[i] <= '9') {
      value = value * 10 + (pattern_[i++] - '0');
      if (value > kMaxWidth) Invalid();
    }
    return static_cast<int>(value);
  }

  std::string Conversion(size_t& i) {
    int number = Number(i);
    if (i < pattern_.size() && pattern_[i] == ':') {
      ++i;
      if (number < 0) Invalid();
      next_ = static_cast<size_t>(number);
      number = -1;
    }
    bool left = false;
    if (i < pattern_.size() && pattern_[i] == '-') {
      left = true;
      ++i;
    }
    int width = number >= 0 ? number : Number(i);
    int precision = -1;
    if (i < pattern_.size() && pattern_[i] == '.') {
      ++i;
      precision = Number(i);
      if (precision < 0) Invalid();
    }
    if (i >= pattern_.size()) Invalid();
    char type = pattern_[i++];
    if (type >= 'A' && type <= 'Z') type = static_cast<char>(type + 32);
    std::string text = Convert(type, NextArg(), precision);
    if (width > 0 && static_cast<int>(text.size()) < width) {
      size_t pad = static_cast<size_t>(width) - text.size();
      if (left) text.append(pad, ' ');
      else text.insert(0, pad, ' ');
    }
    return text;
  }

  int32_t IntegerOf(const Variant& arg) const {
    try {
      return arg.AsInteger();
    } catch (const Exception&) {
      Invalid();
    }
  }

  double RealOf(const Variant& arg) const {
    try {
      return arg.AsReal();
    } catch (const Exception&) {
      Invalid();
    }
  }

  std::string Convert(char type, const Variant& arg, int precision) const {
    switch (type) {
      case 'd': {
        int32_t value = IntegerOf(arg);
        std::string digits = std::to_string(value < 0 ? -static_cast<int64_t>(value) : value);
        return (value < 0 ? "-" : "") + ZeroPadded(digits, precision);
      }
      case 'u': return ZeroPadded(std::to_string(static_cast<uint32_t>(IntegerOf(arg))), precision);
      case 'x': return ZeroPadded(IntToHex(IntegerOf(arg), 0), precision);
      case 'p': return IntToHex(IntegerOf(arg), 8);
      case 'e': return Exponent(RealOf(arg), precision < 0 ? 15 : precision);
      case 'f': return FixedText(RealOf(arg), precision < 0 ? 2 : precision, false);
      case 'g': return FloatToStrGeneral(RealOf(arg), precision < 0 ? 15 : precision, settings_.DecimalSeparator);
      case 'n': return FixedText(RealOf(arg), precision < 0 ? 2 : precision, true);
      case 'm': return Money(RealOf(arg), precision < 0 ? 2 : precision);
      case 's': {
        std::string text;
        try {
          text = arg.AsString();
        } catch (const Exception&) {
          Invalid();
        }
        if (precision >= 0 && static_cast<size_t>(precision) < text.size()) text.resize(static_cast<size_t>(precision));
        return text;
      }
      default: Invalid();
    }
  }

  static std::string ZeroPadded(std::string digits, int precision) {
    if (precision > 0 && static_cast<int>(digits.size()) < precision)
      digits.insert(0, static_cast<size_t>(precision) - digits.size(), '0');
    return digits;
  }

  std::string FixedText(double value, int decimals, bool thousands) const {
    if (!std::isfinite(value)) return FloatToStr(value, settings_);
    decimals = std::min(decimals, 18);
    std::string pattern = thousands ? "#,##0" : "0";
    if (decimals > 0) pattern += "." + std::string(static_cast<size_t>(decimals), '0');
    return FormatFloat(pattern, value, settings_);
  }

  std::string Exponent(double value, int precision) const {
    if (!std::isfinite(value)) return FloatToStr(value, settings_);
    precision = std::clamp(precision, 1, 18);
    std::string pattern = "0";
    if (precision > 1) pattern += "." + std::string(static_cast<size_t>(precision - 1), '0');
    return FormatFloat(pattern + "E+000", value, settings_);
  }

  std::string Money(double value, int decimals) const {
    std::string amount = FixedText(std::fabs(value), decimals, true);
    const std::string& currency = settings_.CurrencyString;
    std::string text;
    switch (settings_.CurrencyFormat) {
      case 1: text = amount + currency; break;
      case 2: text = currency + " " + amount; break;
      case 3: text = amount + " " + currency; break;
      default: text = currency + amount; break;
    }
    return value < 0 ? "-" + text : text;
  }

  static constexpr long long kMaxWidth = 1 << 20;
  static constexpr uint32_t kStepsPerCheck = 1024;
  static constexpr size_t kBytesPerCheck = size_t{1} << 20;

  std::string_view pattern_;
  std::span<const Variant> args_;
  const FormatSettings& settings_;
  size_t next_ = 0;
  uint32_t steps_ = 0;
  size_t checked_size_ = 0;
};

}  // namespace

std::string Format(std::string_view pattern, std::span<const Variant> args, const FormatSettings& settings) {
  return Formatter(pattern, args, settings).Run();
}

}  // namespace orv
