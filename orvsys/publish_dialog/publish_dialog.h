// The entry point of liborvpublishdialog.so: the publishing dialog, with the
// transfers (libcurl) beneath it. UploadFiles opens the library by name for
// each call, so an editor that never publishes never loads libcurl, and
// liborvsys.so works (all but publishing) where the library is missing.
#pragma once

#include <cstddef>
#include <cstdint>

#include "orv/window.h"

namespace orv {

// The file name UploadFiles opens, through the platform's library loader.
inline constexpr const char* kPublishDialogLibrary = "liborvpublishdialog.so";
// The name of its entry point.
inline constexpr const char* kPublishDialogEntry = "orv_publish_dialog";

}  // namespace orv

extern "C" {

/* Shows the publishing dialog modally for `folder` and the site named
 * `site` (null counts as empty; see UploadFiles in orv/sys.h). Returns 1
 * once the dialog ran, whatever the user did in it; 0 when it could not be
 * shown, with the reason in `reason` (at most `reason_size` bytes with the
 * terminating zero). */
typedef int32_t (*OrvPublishDialogProc)(const char* folder, const char* site, HWND owner, char* reason,
                                        size_t reason_size);
int32_t orv_publish_dialog(const char* folder, const char* site, HWND owner, char* reason, size_t reason_size);
}
