/* Exports of liborvcore.so, the site compiler. Load the library by name
 * (dlopen "liborvcore.so") and look the functions up with dlsym, or link it. */
#ifndef ORV_CORE_H
#define ORV_CORE_H

#include <stddef.h>
#include <stdint.h>

#include "orv/window.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Progress messages sent (synchronously) to the NotifyWindow of a build;
 * WPARAM is 0. BUILD_SETRANGE and BUILD_FILE carry a TMyRecord
 * (orv/myrecord.h) in LPARAM whose Field1 holds the range as decimal text or
 * the path of the file now being built (empty: none); the receiver owns the
 * record and frees it with orv_myrecord_free. BUILD_STEP and BUILD_RESET have
 * LPARAM 0. Records are only sent to a window that exists. */
#define ORV_BUILD_SETRANGE 3058
#define ORV_BUILD_STEP 3059
#define ORV_BUILD_RESET 3060
#define ORV_BUILD_FILE 3061

/* Builds the project `ProjectFile` (an INI project file; a missing file
 * builds nothing). `SingleFile`, when not empty, is built instead of the
 * project's file list; with `Preview` non-zero its page is then written
 * beside it with the extension .htm. `Reserved` is not used (pass 0).
 * Returns 1 when the build is over, or 0 when an error ended it (a page
 * stage raised one; the files queued so far were still built); the error's
 * message is then given by orv_core_last_error(). Null texts count as "". */
typedef int (*ProcessProjectProc)(const char* ProjectFile, const char* SingleFile,
                                  HWND NotifyWindow, int32_t Reserved, int32_t Preview);
int ProcessProject(const char* ProjectFile, const char* SingleFile, HWND NotifyWindow,
                   int32_t Reserved, int32_t Preview);

/* The message of the error that ended the last ProcessProject call on this
 * thread ("" if none). Valid until the next call into the library. */
const char* orv_core_last_error(void);

/* The time limit in seconds of each page script block in the builds that
 * follow (60 unless set; 0 or less: none). A block still running at the limit
 * ends the build with the error "<page>: Script ran longer than N seconds
 * (line L)". */
void orv_set_script_timeout(int32_t Seconds);

/* The path of `Folder` relative to `SourceRoot` (both compared without regard
 * to ASCII case, a final '/' added where missing), without a final '/': for
 * the folder "/site/src/news/2001" and the root "/site/src" it is
 * "news/2001". Empty when the folder equals the root, is shorter, or does not
 * begin with it. `OutputRoot` does not affect the result; nothing is created.
 * The result is written to `Result` (ResultSize bytes, zero-terminated,
 * truncated if needed); the return value is the full length of the result,
 * as with snprintf. */
size_t DoPathEx(const char* OutputRoot, const char* Folder, const char* SourceRoot,
                char* Result, size_t ResultSize);

#ifdef __cplusplus
}
#endif

#endif /* ORV_CORE_H */
