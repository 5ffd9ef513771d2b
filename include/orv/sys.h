/* Exports of liborvsys.so, the environment services an editor host calls:
 * preferences, the new-project wizard, project options, the tools menu, the
 * object repository, the variables editor, the error centre, the web
 * download, the site upload, the file-type filter list, the version and home-page texts and
 * the project information.
 *
 * Every dialog export makes its dialog for the one call, shows it modally
 * (the host's posted messages keep flowing meanwhile) and frees it before it
 * returns. A Boolean result is 1 exactly when the dialog was closed with OK,
 * else 0. An error inside an export never leaves it: it is shown in the
 * application's error box and the export returns 0 (or nothing).
 *
 * Strings: an export that assigns a string stores a new string made with
 * orv_string_new in *text. *text must be null or a string an export assigned
 * earlier: its old value is freed first (so a variable can be reused), and
 * the caller frees the last value with orv_string_free (orv/host.h). A null
 * `text` is ignored.
 *
 * Files (folders in docs/editor-host.md): preferences.dat, ~tmppref.ini,
 * tools.dat and objrep.dat in the data folder; ~fsetting.tmp in the
 * temporary folder. */
#ifndef ORV_SYS_H
#define ORV_SYS_H

#include <stdint.h>

#include "orv/host.h"

#ifdef __cplusplus
extern "C" {
#endif

/* The preferences dialog over preferences.dat; sends ORV_MSG_PREFS_CHANGED
 * to `host` after each save ("&OK", "&Apply"). */
uint8_t DoPref(int32_t unused, HWND host);

/* The new-project wizard; posts ORV_MSG_OPEN_FILE with the new project file
 * when the user wants it opened. */
void NewProj(int32_t unused, HWND host);

/* The project-options dialog over the exchange file ~tmppref.ini, which it
 * deletes on showing and writes again on OK. */
uint8_t ShowProjPref(int32_t unused1, int32_t unused2);

/* The tools-menu editor over tools.dat (rewritten on OK). */
uint8_t AddTool(int32_t unused, HWND host);

/* The repository gallery; OK posts ORV_MSG_OPEN_NEW with the folder and the
 * path of the chosen document. */
void ShowObjRep(int32_t unused, HWND host);

/* Adds the document at `path` to the user's repository under a description
 * the user types. */
void AddObjRep(int32_t unused, HWND host, const char* path);

/* The variables editor over the exchange file ~fsetting.tmp, which it
 * deletes when it opens and writes again on OK. */
uint8_t DoVars(int32_t unused);

/* The error centre for an error the editor caught: `sender_class` is the
 * class name of the object that raised it, `exception_class` the error's
 * class name (it selects the explanation) and `message` its text;
 * `preferences_path` names the preferences file that holds the bug-report
 * mail identity (section Bug_Mail), `method` the method in which the error
 * occurred, `file_version` and `file_name` the editor's version and file
 * name. "&Report Bug" mails a report to the maker, sending
 * ORV_MSG_NET_BEGIN and ORV_MSG_NET_END to `host` around the mail. Null texts
 * count as empty. Returns 0: both ways out of the dialog cancel it. */
uint8_t ExceptCenter(int32_t unused, HWND host, const char* sender_class, const char* exception_class,
                     const char* message, const char* preferences_path, const char* method,
                     const char* file_version, const char* file_name);

/* "Open From the Web": downloads a URL into a file, sending
 * ORV_MSG_NET_BEGIN and ORV_MSG_NET_END to `host` around the transfer, and
 * posts ORV_MSG_OPEN_FILE with the file's path when it is saved. Returns 0:
 * every way out of the dialog cancels it. */
uint8_t DlFromWeb(int32_t unused, HWND host);

/* Publishes the folder `local_path` (the project's output folder) to the
 * site `site_name` of sites.ini in the data folder, in the publishing
 * dialog: the user may choose or create a site, test the connection, see
 * the files that will be sent and deleted, publish and cancel. An empty
 * path publishes nothing (sites can still be edited); an empty site name
 * chooses the first site. Returns 1 once the dialog ran, whatever the user
 * did in it; 0 after the error box "Upload Error" when it could not be
 * shown. Null texts count as empty. */
uint8_t UploadFiles(const char* local_path, const char* site_name, HWND owner);

/* The file dialogs' filter list: fifteen label and pattern pairs joined with "|". */
void FileExts(char** text);

/* The project-information dialog for `project_name` and `build_seconds`. */
void ShowInfo(int32_t unused, const char* project_name, const char* build_seconds);

/* The product's and the maker's home-page addresses, the build number
 * "1.0.0.61" and the short version "v1.0". */
void ORVHome(char** text);
void MorvaleHome(char** text);
void BuildNum(char** text);
void BigVer(char** text);

/* Driving a dialog from a host that has no toolkit of its own (tests,
 * scripts): acts on the control named `control` in the visible window named
 * `window` (the names of docs/orvsys-dialogs.md). Return 1 when the control
 * was found (and, for a click, enabled), else 0. */
int32_t orv_ui_click(const char* window, const char* control);
int32_t orv_ui_set_text(const char* window, const char* control, const char* text);
/* The text the control shows (a label, an edit box, a memo, a combo box's
 * choice, a button's caption) replaces *text, which is freed first with
 * orv_string_free; the caller frees the new text the same way. */
int32_t orv_ui_text(const char* window, const char* control, char** text);

#ifdef __cplusplus
}
#endif

#endif /* ORV_SYS_H */
