#include "tagwiz/insert_record.h"

#include "orv/host.h"
#include "platform/window.h"

namespace orv {

void SendInsertRecord(HWND window, uint32_t message, const TInsertTexts& texts) {
  auto text_or_null = [](const std::string& text) { return text.empty() ? nullptr : text.c_str(); };
  const TInsertRecord record{text_or_null(texts.Text), text_or_null(texts.CloseText), text_or_null(texts.WrapFlag)};
  SendMessage(window, message, 0, reinterpret_cast<LPARAM>(&record));
}

}  // namespace orv
