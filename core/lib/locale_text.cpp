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

template <class Map>
std::string MapCase(std::string_view text, Map map) {
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

std::string AnsiUpperCase(std::string_view text) { return MapCase(text, [](wint_t c) { return towupper(c); }); }

std::string AnsiLowerCase(std::string_view text) { return MapCase(text, [](wint_t c) { return towlower(c); }); }

int AnsiCompareStr(std::string_view a, std::string_view b) {
  int order = Collate(std::string(a), std::string(b));
  return order != 0 ? order : Sign(a.compare(b));
}

int AnsiCompareText(std::string_view a, std::string_view b) { return Collate(AnsiUpperCase(a), AnsiUpperCase(b)); }

}  // namespace orv
