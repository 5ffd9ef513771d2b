// Fuzz target: the text form-file reader. Any input either fails with
// EFormFileError or gives a tree that prints and reads back the same.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "components/form_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    orv::FormObject tree = orv::ParseFormText(text, "fuzz.dfm");
    orv::FormObject again = orv::ParseFormText(orv::PrintFormText(tree), "fuzz.dfm");
    if (!again.SameAs(tree)) std::abort();
  } catch (const orv::EFormFileError&) {
  }
  return 0;
}
