// The style file styles.dat: any bytes are either refused with EInOutError,
// leaving the list as it was, or load into styles that save to the same bytes
// once loaded again.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/exception.h"
#include "tagwiz/style_sheets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  orv::TCSSList list;
  (new orv::TStyleSheet(list))->SetDefaults("before");
  try {
    list.LoadFromBytes(bytes, "styles.dat");
  } catch (const orv::EInOutError&) {
    if (list.Count() != 1 || list.Items(0).Texts[0] != "before") __builtin_trap();
    return 0;
  }
  const std::string saved = list.SaveToBytes();
  orv::TCSSList again;
  again.LoadFromBytes(saved, "again.dat");
  if (again.SaveToBytes() != saved) __builtin_trap();
  return 0;
}
