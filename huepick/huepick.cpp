// The exports of libhuepick.so: each shows TFrmColor modally for one call
// and hands the chosen colour back in the caller's buffers. No exception
// leaves a C function: an error is shown in the application's error box and
// the call answers as a Cancel would.
#include "orv/huepick.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>

#include "controls/application.h"
#include "controls/qt_application.h"
#include "huepick/frm_color.h"
#include "platform/exception.h"
#include "platform/message_service.h"

namespace orv {
namespace {

constexpr int32_t kTrue = -1;
constexpr int32_t kFalse = 0;
// iHuepickInitEx's answer to Cancel: no colour value is negative.
constexpr int32_t kNoColour = -1;

// The colour the user chose with OK.
struct TColourChoice {
  std::string html;
  TColorValue value;
};

std::optional<TColourChoice> ChooseColour() {
  EnsureQtApplication();
  TFrmColor form(Application());
  if (form.ShowModal() != mrOk) return std::nullopt;
  return TColourChoice{form.HtmlColorText(), form.CurrentColor()};
}

// Shows `text` in the application's error box, or through the platform's
// message service when no error box can be made.
void ShowError(const std::string& text) {
  try {
    Application()->ShowException(Exception(text));
  } catch (...) {
    ShowMessage(MessageKind::Error, "Select Color", text);
  }
}

// Runs `body`; an error is shown to the user and gives `failed`.
template <class Result, class Body>
Result Guarded(Result failed, Body body) {
  try {
    return body();
  } catch (const std::exception& error) {
    ShowError(error.what());
  } catch (...) {
    ShowError("Unexpected error in the colour dialog");
  }
  return failed;
}

// Copies at most size − 1 characters of `text` into `buffer` and a zero
// after them; a size below 1 or a null buffer leaves no room, so nothing is
// written.
void CopyToBuffer(const std::string& text, char* buffer, int32_t size) {
  if (buffer == nullptr || size <= 0) return;
  const size_t count = std::min(text.size(), static_cast<size_t>(size) - 1);
  std::memcpy(buffer, text.data(), count);
  buffer[count] = '\0';
}

}  // namespace
}  // namespace orv

extern "C" void HuepickInit(void) {
  orv::Guarded(false, [] { return orv::ChooseColour().has_value(); });
}

extern "C" int32_t HuepickInitEx(char* Buffer, int32_t Size) {
  return orv::Guarded(orv::kFalse, [&] {
    auto choice = orv::ChooseColour();
    if (!choice) return orv::kFalse;
    orv::CopyToBuffer(choice->html, Buffer, Size);
    return orv::kTrue;
  });
}

extern "C" int32_t iHuepickInitEx(void) {
  return orv::Guarded(orv::kNoColour, [] {
    auto choice = orv::ChooseColour();
    return choice ? static_cast<int32_t>(choice->value) : orv::kNoColour;
  });
}

extern "C" int32_t HuepickDouble(char* HtmlBuffer, int32_t HtmlSize, char* ValueBuffer, int32_t ValueSize) {
  return orv::Guarded(orv::kFalse, [&] {
    auto choice = orv::ChooseColour();
    if (!choice) return orv::kFalse;
    orv::CopyToBuffer(choice->html, HtmlBuffer, HtmlSize);
    orv::CopyToBuffer(std::to_string(choice->value), ValueBuffer, ValueSize);
    return orv::kTrue;
  });
}
