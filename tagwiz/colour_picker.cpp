#include "tagwiz/colour_picker.h"

#include <cstdint>

#include "platform/library.h"

namespace orv {
namespace {

using HuepickDoubleProc = int32_t (*)(char* html, int32_t html_size, char* value, int32_t value_size);

constexpr int32_t kBufferSize = 101;

}  // namespace

bool PickColour(TPickedColour& colour, const std::string& library) {
  std::string error;
  void* handle = LoadLibrary(library, error);
  if (!handle) throw EColourPickerMissing("The colour picker " + library + " cannot be loaded: " + error);
  auto pick = reinterpret_cast<HuepickDoubleProc>(GetProcAddress(handle, "HuepickDouble", error));
  if (!pick) throw EColourPickerMissing("The colour picker " + library + " has no HuepickDouble: " + error);
  char html[kBufferSize] = {};
  char value[kBufferSize] = {};
  if (pick(html, kBufferSize, value, kBufferSize) == 0) return false;
  // A picker that fills a buffer to the end still yields a terminated text.
  html[kBufferSize - 1] = '\0';
  value[kBufferSize - 1] = '\0';
  colour = {html, value};
  return true;
}

}  // namespace orv
