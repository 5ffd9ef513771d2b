/* A host in plain C that knows only the public headers and dlopen: it loads
 * liborvsys.so (the path is the first argument), takes texts from the string
 * exports and frees them, and answers two dialogs through posted messages to
 * its own window, receiving the messages the library sends and posts.
 *
 * With the name of a dialog export as the second argument it calls only that
 * export, as the first call of the process, and answers its dialog: every
 * dialog must come up in a host that has never used the library before. */
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "orv/host.h"
#include "orv/sys.h"

static int failures = 0;

#define CHECK(condition)                                              \
  do {                                                                \
    if (!(condition)) {                                               \
      fprintf(stderr, "%s:%d: failed: %s\n", __FILE__, __LINE__, #condition); \
      ++failures;                                                     \
    }                                                                 \
  } while (0)

/* The functions the host looks up. */
static struct {
  void (*FileExts)(char**);
  void (*BuildNum)(char**);
  void (*ORVHome)(char**);
  uint8_t (*DoPref)(int32_t, HWND);
  void (*ShowObjRep)(int32_t, HWND);
  uint8_t (*ExceptCenter)(int32_t, HWND, const char*, const char*, const char*, const char*, const char*,
                          const char*, const char*);
  uint8_t (*DlFromWeb)(int32_t, HWND);
  HWND (*create_window)(orv_window_proc, void*);
  void (*destroy_window)(HWND);
  int (*post_message)(HWND, uint32_t, WPARAM, LPARAM);
  void (*process_messages)(void);
  const char* (*myrecord_field)(const TMyRecord*, int);
  void (*myrecord_free)(TMyRecord*);
  void (*string_free)(char*);
  int32_t (*ui_click)(const char*, const char*);
} api;

/* What the host's window saw. */
static struct {
  int prefs_changed;
  int open_new;
  char open_folder[512];
  char open_path[512];
  int tries;
  int clicked;
} seen;

enum { MSG_CLICK = 0x8001 };

/* The control to press once the dialog is up: "<window>/<control>". */
static const char* pending_window;
static const char* pending_control;

static LRESULT HostWindow(HWND window, uint32_t message, WPARAM wparam, LPARAM lparam, void* user) {
  (void)wparam;
  (void)user;
  switch (message) {
    case MSG_CLICK:
      /* The dialog may not be up yet at the first try: ask again later. */
      if (api.ui_click(pending_window, pending_control))
        ++seen.clicked;
      else if (++seen.tries < 1000)
        api.post_message(window, MSG_CLICK, 0, 0);
      return 0;
    case ORV_MSG_PREFS_CHANGED:
      ++seen.prefs_changed;
      return 0;
    case ORV_MSG_OPEN_NEW: {
      TMyRecord* record = (TMyRecord*)lparam;
      ++seen.open_new;
      snprintf(seen.open_folder, sizeof seen.open_folder, "%s", api.myrecord_field(record, 0));
      snprintf(seen.open_path, sizeof seen.open_path, "%s", api.myrecord_field(record, 1));
      api.myrecord_free(record);
      return 0;
    }
    default:
      return 0;
  }
}

/* Asks the host window to press `control` of `window` once the next dialog is up. */
static void PressWhenUp(HWND host, const char* window, const char* control) {
  pending_window = window;
  pending_control = control;
  seen.tries = 0;
  api.post_message(host, MSG_CLICK, 0, 0);
}

static void* Need(void* library, const char* name) {
  void* address = dlsym(library, name);
  if (address == NULL) {
    fprintf(stderr, "missing export %s\n", name);
    exit(2);
  }
  return address;
}

/* Each dialog export, the window it opens and the button that closes it
 * without a change ("&Cancel", or the only button). */
static const struct {
  const char* name;
  const char* window;
  const char* control;
} dialog_exports[] = {
    {"DoPref", "FrmPref", "Button2"},       {"NewProj", "FrmNewProj", "Button4"},
    {"ShowProjPref", "FrmProjPref", "Button2"}, {"AddTool", "FrmAddTool", "Button2"},
    {"ShowObjRep", "FrmObjRep", "Button2"}, {"AddObjRep", "FrmAddObj", "Button2"},
    {"DoVars", "FrmVar", "Button2"},        {"ShowInfo", "FrmInfo", "Button1"},
    {"ExceptCenter", "FrmExcept", "Button2"}, {"DlFromWeb", "FrmDlWeb", "Button2"},
};

/* Calls the dialog export `name` (at `address`) with the arguments a host
 * passes; its Boolean result, or 0 for the exports that have none. */
static int CallDialogExport(const char* name, void* address, HWND host) {
  if (strcmp(name, "NewProj") == 0 || strcmp(name, "ShowObjRep") == 0) {
    void (*show)(int32_t, HWND);
    *(void**)&show = address;
    show(0, host);
    return 0;
  }
  if (strcmp(name, "AddObjRep") == 0) {
    void (*add)(int32_t, HWND, const char*);
    *(void**)&add = address;
    add(0, host, "/tmp/page.hts");
    return 0;
  }
  if (strcmp(name, "ShowInfo") == 0) {
    void (*info)(int32_t, const char*, const char*);
    *(void**)&info = address;
    info(0, "site", "2");
    return 0;
  }
  if (strcmp(name, "ShowProjPref") == 0) {
    uint8_t (*options)(int32_t, int32_t);
    *(void**)&options = address;
    return options(0, 0);
  }
  if (strcmp(name, "DoVars") == 0) {
    uint8_t (*vars)(int32_t);
    *(void**)&vars = address;
    return vars(0);
  }
  if (strcmp(name, "ExceptCenter") == 0) {
    uint8_t (*except)(int32_t, HWND, const char*, const char*, const char*, const char*, const char*, const char*,
                      const char*);
    *(void**)&except = address;
    return except(0, host, "TFrmMain", "EConvertError", "'x' is not a valid integer value", "", "TFrmMain.Open",
                  "1.0.0.61", "orv");
  }
  uint8_t (*dialog)(int32_t, HWND);
  *(void**)&dialog = address;
  return dialog(0, host);
}

/* Opens the dialog of export `name` as the first thing the process does with
 * the library, closes it with its cancel button and checks that it was up. */
static int FirstCall(void* library, const char* name) {
  size_t i = 0;
  while (i < sizeof dialog_exports / sizeof dialog_exports[0] && strcmp(dialog_exports[i].name, name) != 0) ++i;
  if (i == sizeof dialog_exports / sizeof dialog_exports[0]) {
    fprintf(stderr, "not a dialog export: %s\n", name);
    return 2;
  }
  void* address = Need(library, name);
  *(void**)&api.create_window = Need(library, "orv_create_window");
  *(void**)&api.post_message = Need(library, "orv_post_message");
  *(void**)&api.ui_click = Need(library, "orv_ui_click");
  HWND host = api.create_window(HostWindow, NULL);
  PressWhenUp(host, dialog_exports[i].window, dialog_exports[i].control);
  CHECK(CallDialogExport(name, address, host) == 0);
  CHECK(seen.clicked == 1);
  if (failures == 0) printf("%s came up as the first call and was closed\n", name);
  return failures == 0 ? 0 : 1;
}

int main(int argc, char** argv) {
  if (argc < 2) {
    fprintf(stderr, "usage: %s path/to/liborvsys.so [DIALOG-EXPORT]\n", argv[0]);
    return 2;
  }
  void* library = dlopen(argv[1], RTLD_NOW | RTLD_GLOBAL);
  if (library == NULL) {
    fprintf(stderr, "%s\n", dlerror());
    return 2;
  }
  if (argc > 2) return FirstCall(library, argv[2]);
  *(void**)&api.FileExts = Need(library, "FileExts");
  *(void**)&api.BuildNum = Need(library, "BuildNum");
  *(void**)&api.ORVHome = Need(library, "ORVHome");
  *(void**)&api.DoPref = Need(library, "DoPref");
  *(void**)&api.ShowObjRep = Need(library, "ShowObjRep");
  *(void**)&api.ExceptCenter = Need(library, "ExceptCenter");
  *(void**)&api.DlFromWeb = Need(library, "DlFromWeb");
  *(void**)&api.create_window = Need(library, "orv_create_window");
  *(void**)&api.destroy_window = Need(library, "orv_destroy_window");
  *(void**)&api.post_message = Need(library, "orv_post_message");
  *(void**)&api.process_messages = Need(library, "orv_process_messages");
  *(void**)&api.myrecord_field = Need(library, "orv_myrecord_field");
  *(void**)&api.myrecord_free = Need(library, "orv_myrecord_free");
  *(void**)&api.string_free = Need(library, "orv_string_free");
  *(void**)&api.ui_click = Need(library, "orv_ui_click");

  /* Strings: one variable reused; the export frees the old value. */
  char* text = NULL;
  api.FileExts(&text);
  CHECK(text != NULL && strncmp(text, "HTML Source (.hts)|*.hts|HTML Snippet (.hsn)|", 45) == 0);
  CHECK(text != NULL && strlen(text) > 18 && strcmp(text + strlen(text) - 18, "All Files (.*)|*.*") == 0);
  api.BuildNum(&text);
  CHECK(text != NULL && strcmp(text, "1.0.0.61") == 0);
  api.ORVHome(&text);
  CHECK(text != NULL && strncmp(text, "http", 4) == 0);
  api.string_free(text);
  api.FileExts(NULL);

  HWND host = api.create_window(HostWindow, NULL);

  /* Preferences answered with "&OK": the library sends 3038 once. */
  PressWhenUp(host, "FrmPref", "Button1");
  CHECK(api.DoPref(0, host) == 1);
  CHECK(seen.prefs_changed == 1);

  /* The gallery answered with "&OK" before any choice: 3063 with empty texts. */
  PressWhenUp(host, "FrmObjRep", "Button1");
  api.ShowObjRep(0, host);
  api.process_messages();
  CHECK(seen.open_new == 1);
  CHECK(strcmp(seen.open_folder, "") == 0 && strcmp(seen.open_path, "") == 0);

  /* The error centre closed with "&Close", with texts and with none. */
  PressWhenUp(host, "FrmExcept", "Button2");
  CHECK(api.ExceptCenter(0, host, "TFrmMain", "EConvertError", "'x' is not a valid integer value", "",
                         "TFrmMain.Open", "1.0.0.61", "orv") == 0);
  PressWhenUp(host, "FrmExcept", "Button2");
  CHECK(api.ExceptCenter(0, host, NULL, NULL, NULL, NULL, NULL, NULL, NULL) == 0);

  /* The web download cancelled before anything was fetched. */
  PressWhenUp(host, "FrmDlWeb", "Button2");
  CHECK(api.DlFromWeb(0, host) == 0);
  CHECK(seen.open_new == 1);

  api.destroy_window(host);
  if (failures == 0) printf("host test passed\n");
  return failures == 0 ? 0 : 1;
}
