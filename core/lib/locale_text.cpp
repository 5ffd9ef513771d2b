#include "core/lib/locale_text.h"

#include <limits.h>
#include <locale.h>
#include <string.h>
#include <wchar.h>
#include <wctype.h>

namespace orv {
namespace {

locale_t UserLocale() {
  static locale_t loc = [] {
    locale_t l = newlocale(LC_ALL_MASK, "", static_cast<locale_t>(0));
    return l ? l : newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  }();
  return loc;
}

// Switches the calling thread to the user's locale while it lives.
class LocaleScope {
 public:
  LocaleScope() : previous_(uselocale(UserLocale())) {}
  ~LocaleScope() { uselocale(previous_); }
  LocaleScope(const LocaleScope&) = delete;
  LocaleScope& operator=(const LocaleScope&) = delete;

 private:
  locale_t previous_;
};

// The mapping of the 128 ASCII characters in the user's locale, when it is
// the plain one of ASCII (in every locale but a few, such as Turkish, where
// 'i' becomes a letter outside ASCII); empty otherwise.
template <class Map>
std::string AsciiMapping(Map map, bool upper) {
  LocaleScope scope;
  std::string table(128, '\0');
  for (int c = 0; c < 128; ++c) {
    const bool letter = upper ? (c >= 'a' && c <= 'z') : (c >= 'A' && c <= 'Z');
    const int plain = letter ? c + (upper ? 'A' - 'a' : 'a' - 'A') : c;
    if (static_cast<int>(map(static_cast<wint_t>(c))) != plain) return std::string();
    table[static_cast<size_t>(c)] = static_cast<char>(plain);
  }
  return table;
}

bool IsAscii(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

// `text` with `map` applied to each character the locale reads; ASCII text
// is mapped through `ascii` (AsciiMapping) when the locale maps it plainly.
template <class Map>
std::string MapCase(std::string_view text, Map map, const std::string& ascii) {
  if (!ascii.empty() && IsAscii(text)) {
    std::string out(text);
    for (char& c : out) c = ascii[static_cast<unsigned char>(c)];
    return out;
  }
  LocaleScope scope;
  std::string out;
  out.reserve(text.size());
  mbstate_t state{};
  size_t i = 0;
  while (i < text.size()) {
    wchar_t wide = 0;
    size_t used = mbrtowc(&wide, text.data() + i, text.size() - i, &state);
    if (used == 0 || used == static_cast<size_t>(-1) || used == static_cast<size_t>(-2)) {
      // A zero byte or a byte the locale cannot read passes unchanged.
      out += text[i++];
      state = mbstate_t{};
      continue;
    }
    char buffer[MB_LEN_MAX];
    mbstate_t out_state{};
    size_t made = wcrtomb(buffer, static_cast<wchar_t>(map(static_cast<wint_t>(wide))), &out_state);
    if (made == static_cast<size_t>(-1)) out.append(text.data() + i, used);
    else out.append(buffer, made);
    i += used;
  }
  return out;
}

int Sign(int value) { return value < 0 ? -1 : (value > 0 ? 1 : 0); }

int Collate(const std::string& a, const std::string& b) { return Sign(strcoll_l(a.c_str(), b.c_str(), UserLocale())); }

}  // namespace

std::string AnsiUpperCase(std::string_view text) {
  auto upper = [](wint_t c) { return towupper(c); };
  static const std::string ascii = AsciiMapping(upper, true);
  return MapCase(text, upper, ascii);
}

std::string AnsiLowerCase(std::string_view text) {
  auto lower = [](wint_t c) { return towlower(c); };
  static const std::string ascii = AsciiMapping(lower, false);
  return MapCase(text, lower, ascii);
}

int AnsiCompareStr(std::string_view a, std::string_view b) {
  int order = Collate(std::string(a), std::string(b));
  return order != 0 ? order : Sign(a.compare(b));
}

int AnsiCompareText(std::string_view a, std::string_view b) { return Collate(AnsiUpperCase(a), AnsiUpperCase(b)); }

}  // namespace orv
