// Handing markup to the editor: the insert record (three texts) sent with an
// insert message to the editor's window, valid while the send lasts.
#pragma once

#include <cstdint>

#include "orv/window.h"
#include "tagwiz/insert_markup.h"

namespace orv {

// Sends `texts` as an insert record to `window` with `message` (WPARAM 0,
// LPARAM the record's address). The record and its texts live until the send
// returns; an empty text is a null pointer.
void SendInsertRecord(HWND window, uint32_t message, const TInsertTexts& texts);

}  // namespace orv
