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

/* Sets a limit that the builds started afterwards in this process use.
 * "command-timeout": seconds an external command (<*command*>) may run
 * before it is ended with its process group, 0 for no limit (default 60).
 * "max-page-bytes": the size a page may grow to while it is expanded
 * (default 64 MiB, at least 4096).
 * "script-timeout": seconds each page script block may run, 0 for no limit
 * (default 60); a block still running then ends the build with the error
 * "<page>:<line>: Script ran longer than N seconds (line L)".
 * "incremental": 1 (the default) builds only the pages whose inputs changed
 * since the last build of the project; 0 builds every page (orvcc --all).
 * "watch": 1 for a program that builds the same project again whenever its
 * inputs change (orvcc --watch): each build of a whole project then keeps
 * what it depended on for orv_core_last_inputs, and the record of the last
 * build stays in memory between builds; 0 (the default) does neither.
 * "script-memory-bytes": how much each page script block may make the
 * process grow, 0 for no limit (default 512 MiB); a block that makes it grow
 * more ends the build with "<page>:<line>: Memory ran out while running the
 * script".
 * "strict": 1 makes a build that gave any warning end with an error (once
 * every page is built: ProcessProject returns 0 and orv_core_last_error says
 * "Strict build: N warnings (see above)"); 0 (the default) does not.
 * Returns 1 when the limit was set, 0 for an unknown name or a value out of
 * range. */
typedef int (*SetLimitProc)(const char* Name, long long Value);
int orv_core_set_limit(const char* Name, long long Value);

/* Where the warnings and notes of the builds go, one line each without a
 * line break ("<path>:<line>: warning: <message>", "<path>:<line>: note:
 * ..."; see docs/user-guide.md): `Report` is called with each line and
 * `User`, on the thread of the build. A null `Report` sends them to standard
 * error, as before any call. */
typedef void (*OrvReportProc)(const char* Line, void* User);
typedef void (*SetReportProc)(OrvReportProc Report, void* User);
void orv_core_set_report(OrvReportProc Report, void* User);

/* What the last ProcessProject call on this thread did: the pages it built
 * and those it left as the build before had made them because nothing they
 * depend on changed (an incremental build; see docs/user-guide.md), and the
 * files of the static folder it copied into the output folder and removed
 * from it. */
typedef struct OrvBuildCounts {
  int32_t Built;
  int32_t UpToDate;
  int32_t StaticCopied;
  int32_t StaticRemoved;
} OrvBuildCounts;
typedef void (*LastCountsProc)(OrvBuildCounts* Counts);
void orv_core_last_counts(OrvBuildCounts* Counts);

/* What the last build of a whole project on this thread depended on, for a
 * program that builds again when it changes (orvcc --watch), when the
 * "watch" limit was 1 during the build: `Input` is called with each path
 * and its kind: ORV_INPUT_FILE a file (the project file first, every file a
 * page read or looked for, the listed and queued pages), ORV_INPUT_TREE a
 * folder, with a final '/', in which a new file may be a new input (the
 * source, image, static and snippet folders and the folders of page
 * patterns), ORV_INPUT_OUTPUT the output folder, and ORV_INPUT_WRITTEN each
 * file the build wrote or left in it (pages, static copies), whose changes
 * are the build's own. Nothing after a single-file build. */
#define ORV_INPUT_FILE 0
#define ORV_INPUT_TREE 1
#define ORV_INPUT_OUTPUT 2
#define ORV_INPUT_WRITTEN 3
typedef void (*OrvInputProc)(const char* Path, int Kind, void* User);
typedef void (*LastInputsProc)(OrvInputProc Input, void* User);
void orv_core_last_inputs(OrvInputProc Input, void* User);

/* A fingerprint of the list orv_core_last_inputs gives: the same number as
 * long as the builds give the same list, so that a program need not take
 * it again; 0 when there is none. */
typedef unsigned long long (*LastInputsIdProc)(void);
unsigned long long orv_core_last_inputs_id(void);

/* For a program that watches the inputs of its builds (orvcc --watch),
 * before a build: every file the previous build on this thread listed as
 * ORV_INPUT_FILE or ORV_INPUT_WRITTEN (orv_core_last_inputs) has surely not
 * changed since that build began, except the `Count` files named in
 * `Changed` (as the builds name them); a negative `Count` vouches for
 * nothing. The next build then takes the state the previous build found in
 * a file vouched for instead of looking at the file again: only while the
 * previous build's record is the one kept in memory ("watch" limit 1), never
 * for a file the build itself wrote or deleted, and not after a page ran
 * code that may change files. The word holds for the next build only. */
typedef void (*VouchProc)(const char* const* Changed, long long Count);
void orv_core_vouch(const char* const* Changed, long long Count);

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
