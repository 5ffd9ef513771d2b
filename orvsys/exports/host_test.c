/* A host in plain C that knows only the public headers and dlopen: it loads
 * liborvsys.so (the path is the first argument), takes texts from the string
 * exports and frees them, answers dialogs through posted messages to its own
 * window, receiving the messages the library sends and posts, and publishes
 * a folder through the publishing dialog as a user would.
 *
 * With the name of a dialog export as the second argument it calls only that
 * export, as the first call of the process, and answers its dialog: every
 * dialog must come up in a host that has never used the library before.
 * "UploadFilesFails" with the beginning of a message as the third argument
 * calls UploadFiles where the publishing library cannot serve, checks the
 * error box's text and answers it. */
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>

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
  uint8_t (*UploadFiles)(const char*, const char*, HWND);
  HWND (*create_window)(orv_window_proc, void*);
  void (*destroy_window)(HWND);
  int (*post_message)(HWND, uint32_t, WPARAM, LPARAM);
  void (*process_messages)(void);
  uint64_t (*add_message_hook)(void (*)(void*), void*);
  const char* (*myrecord_field)(const TMyRecord*, int);
  void (*myrecord_free)(TMyRecord*);
  void (*string_free)(char*);
  int32_t (*ui_click)(const char*, const char*);
  int32_t (*ui_set_text)(const char*, const char*, const char*);
  int32_t (*ui_text)(const char*, const char*, char**);
} api;

/* What the host's window saw. */
static struct {
  int prefs_changed;
  int open_new;
  char open_folder[512];
  char open_path[512];
  size_t steps_done;
  char read[512]; /* the text of the last Read step */
} seen;

enum { MSG_STEP = 0x8001 };

/* One thing a user does in a dialog, to a control named as in
 * docs/orvsys-dialogs.md: click it, type `text` into it, or read what it
 * shows (into seen.read). */
typedef struct {
  enum { Click, Type, Read } action;
  const char* window;
  const char* control;
  const char* text;
} Step;

/* The steps still to do, and until when to keep trying the next one. */
static const Step* steps;
static size_t step_count;
static time_t step_deadline;

static LRESULT HostWindow(HWND window, uint32_t message, WPARAM wparam, LPARAM lparam, void* user) {
  (void)window;
  (void)wparam;
  (void)user;
  switch (message) {
    case MSG_STEP: {
      /* The dialog may not be up yet, or the control not enabled yet (a
       * transfer running): try again on the next turn of the loop. */
      const Step* step = &steps[seen.steps_done];
      int done = 0;
      if (step->action == Click) done = api.ui_click(step->window, step->control);
      if (step->action == Type) done = api.ui_set_text(step->window, step->control, step->text);
      if (step->action == Read) {
        char* text = NULL;
        done = api.ui_text(step->window, step->control, &text);
        snprintf(seen.read, sizeof seen.read, "%s", done ? text : "");
        api.string_free(text);
      }
      if (done) ++seen.steps_done;
      if (seen.steps_done < step_count && time(NULL) > step_deadline) {
        /* The dialog would wait for the user for ever. */
        fprintf(stderr, "%s:%d: step %zu (%s/%s) could not be done\n", __FILE__, __LINE__, seen.steps_done,
                step->window, step->control);
        exit(1);
      }
      return 0;
    }
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

/* After every pass of the message loop while steps are left: asks the host
 * window to try the next one. A message posted from the window's own
 * handler would be delivered in the same pass, again and again, and the
 * loop's timers (a transfer's) would never get their turn. */
static void TryNextStep(void* host) {
  if (seen.steps_done < step_count) api.post_message((HWND)host, MSG_STEP, 0, 0);
}

/* Asks the host window to do `count` steps once the next dialog is up. */
static void DoWhenUp(HWND host, const Step* first, size_t count) {
  static uint64_t hook;
  if (hook == 0) hook = api.add_message_hook(TryNextStep, host);
  steps = first;
  step_count = count;
  seen.steps_done = 0;
  step_deadline = time(NULL) + 30;
  api.post_message(host, MSG_STEP, 0, 0);
}

/* Asks the host window to press `control` of `window` once the next dialog is up. */
static void PressWhenUp(HWND host, const char* window, const char* control) {
  static Step press;
  press.action = Click;
  press.window = window;
  press.control = control;
  DoWhenUp(host, &press, 1);
}

static void* Need(void* library, const char* name) {
  void* address = dlsym(library, name);
  if (address == NULL) {
    fprintf(stderr, "missing export %s\n", name);
    exit(2);
  }
  return address;
}

/* Each dialog export, the window it opens, the button that closes it
 * without a change ("&Cancel", or the only button) and what the export then
 * returns. */
static const struct {
  const char* name;
  const char* window;
  const char* control;
  int result;
} dialog_exports[] = {
    {"DoPref", "FrmPref", "Button2", 0},          {"NewProj", "FrmNewProj", "Button4", 0},
    {"ShowProjPref", "FrmProjPref", "Button2", 0}, {"AddTool", "FrmAddTool", "Button2", 0},
    {"ShowObjRep", "FrmObjRep", "Button2", 0},    {"AddObjRep", "FrmAddObj", "Button2", 0},
    {"DoVars", "FrmVar", "Button2", 0},           {"ShowInfo", "FrmInfo", "Button1", 0},
    {"ExceptCenter", "FrmExcept", "Button2", 0},  {"DlFromWeb", "FrmDlWeb", "Button2", 0},
    /* The publishing step ran, whatever the user did in it. */
    {"UploadFiles", "FrmPublish", "Button4", 1},
    /* The error box of a publishing library that cannot serve. */
    {"UploadFilesFails", "MessageDlg", "OK", 0},
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
  if (strncmp(name, "UploadFiles", 11) == 0) {
    uint8_t (*upload)(const char*, const char*, HWND);
    *(void**)&upload = address;
    return upload("", "", host);
  }
  uint8_t (*dialog)(int32_t, HWND);
  *(void**)&dialog = address;
  return dialog(0, host);
}

/* Opens the dialog of export `name` as the first thing the process does with
 * the library, closes it with its cancel button and checks that it was up;
 * a message box must begin with `message`. */
static int FirstCall(void* library, const char* name, const char* message) {
  size_t i = 0;
  while (i < sizeof dialog_exports / sizeof dialog_exports[0] && strcmp(dialog_exports[i].name, name) != 0) ++i;
  if (i == sizeof dialog_exports / sizeof dialog_exports[0]) {
    fprintf(stderr, "not a dialog export: %s\n", name);
    return 2;
  }
  void* address = Need(library, strncmp(name, "UploadFiles", 11) == 0 ? "UploadFiles" : name);
  *(void**)&api.create_window = Need(library, "orv_create_window");
  *(void**)&api.post_message = Need(library, "orv_post_message");
  *(void**)&api.add_message_hook = Need(library, "orv_add_message_hook");
  *(void**)&api.ui_click = Need(library, "orv_ui_click");
  *(void**)&api.ui_text = Need(library, "orv_ui_text");
  *(void**)&api.string_free = Need(library, "orv_string_free");
  HWND host = api.create_window(HostWindow, NULL);
  const Step close[] = {
      {Read, dialog_exports[i].window, "Message", NULL}, /* only for a message box */
      {Click, dialog_exports[i].window, dialog_exports[i].control, NULL},
  };
  const int box = strcmp(dialog_exports[i].window, "MessageDlg") == 0;
  DoWhenUp(host, box ? close : close + 1, box ? 2 : 1);
  CHECK(CallDialogExport(name, address, host) == dialog_exports[i].result);
  CHECK(seen.steps_done == (box ? 2u : 1u));
  if (box) {
    CHECK(message != NULL && strncmp(seen.read, message, strlen(message)) == 0);
    if (failures) fprintf(stderr, "the box said: %s\n", seen.read);
  }
  if (failures == 0) printf("%s came up as the first call and was closed\n", name);
  return failures == 0 ? 0 : 1;
}

/* 1 when a library whose file name contains `name` is loaded. */
static int Loaded(const char* name) {
  FILE* maps = fopen("/proc/self/maps", "r");
  char line[1024];
  int found = 0;
  while (maps != NULL && !found && fgets(line, sizeof line, maps) != NULL) found = strstr(line, name) != NULL;
  if (maps != NULL) fclose(maps);
  return found;
}

/* The whole text of a file, or "" when it cannot be read. */
static const char* FileText(const char* path) {
  static char text[256];
  FILE* file = fopen(path, "rb");
  size_t size = file ? fread(text, 1, sizeof text - 1, file) : 0;
  text[size] = 0;
  if (file) fclose(file);
  return text;
}

/* Publishes a folder of the data folder to a new file:// site through the
 * publishing dialog: the site typed in, "&Publish" pressed, and the dialog
 * closed once its buttons are back (the transfer has ended). */
static void Publish(HWND host) {
  const char* home = getenv("ORV_HOME");
  char out[400], page[420], site[420], server_page[440], sites[420], manifest[440];
  snprintf(out, sizeof out, "%s/upload-out", home ? home : ".");
  snprintf(page, sizeof page, "%s/index.html", out);
  snprintf(site, sizeof site, "file://%s/upload-server/www", home ? home : ".");
  snprintf(server_page, sizeof server_page, "%s/upload-server/www/index.html", home ? home : ".");
  snprintf(sites, sizeof sites, "%s/sites.ini", home ? home : ".");
  snprintf(manifest, sizeof manifest, "%s/publish/local.manifest", home ? home : ".");
  /* What an earlier run left would make this publish send nothing. */
  remove(server_page);
  remove(sites);
  remove(manifest);
  mkdir(out, 0777);
  FILE* file = fopen(page, "wb");
  CHECK(file != NULL);
  if (file == NULL) return;
  fputs("<p>published</p>\r\n", file);
  fclose(file);

  const Step publish[] = {
      {Type, "FrmPublish", "Edit1", "Local"},
      {Type, "FrmPublish", "Edit2", site},
      {Click, "FrmPublish", "Button3", NULL}, /* "&Publish" saves the site and sends the folder */
      {Click, "FrmPublish", "Button1", NULL}, /* "&Save Site" is enabled again once the transfer ended */
      {Read, "FrmPublish", "Label7", NULL},   /* the plan of the next publish */
      {Click, "FrmPublish", "Button4", NULL}, /* "&Cancel" closes the dialog */
  };
  DoWhenUp(host, publish, sizeof publish / sizeof publish[0]);
  CHECK(api.UploadFiles(out, "", host) == 1);
  CHECK(seen.steps_done == sizeof publish / sizeof publish[0]);
  CHECK(strcmp(seen.read, "0 to send (0 B), 0 to delete, 1 unchanged") == 0);
  CHECK(strcmp(FileText(server_page), "<p>published</p>\r\n") == 0);
  CHECK(strstr(FileText(sites), "[Local]") != NULL);
}

int main(int argc, char** argv) {
  if (argc < 2) {
    fprintf(stderr, "usage: %s path/to/liborvsys.so [DIALOG-EXPORT [MESSAGE]]\n", argv[0]);
    return 2;
  }
  void* library = dlopen(argv[1], RTLD_NOW | RTLD_GLOBAL);
  if (library == NULL) {
    fprintf(stderr, "%s\n", dlerror());
    return 2;
  }
  if (argc > 2) return FirstCall(library, argv[2], argc > 3 ? argv[3] : NULL);
  *(void**)&api.FileExts = Need(library, "FileExts");
  *(void**)&api.BuildNum = Need(library, "BuildNum");
  *(void**)&api.ORVHome = Need(library, "ORVHome");
  *(void**)&api.DoPref = Need(library, "DoPref");
  *(void**)&api.ShowObjRep = Need(library, "ShowObjRep");
  *(void**)&api.ExceptCenter = Need(library, "ExceptCenter");
  *(void**)&api.DlFromWeb = Need(library, "DlFromWeb");
  *(void**)&api.UploadFiles = Need(library, "UploadFiles");
  *(void**)&api.create_window = Need(library, "orv_create_window");
  *(void**)&api.destroy_window = Need(library, "orv_destroy_window");
  *(void**)&api.post_message = Need(library, "orv_post_message");
  *(void**)&api.process_messages = Need(library, "orv_process_messages");
  *(void**)&api.add_message_hook = Need(library, "orv_add_message_hook");
  *(void**)&api.myrecord_field = Need(library, "orv_myrecord_field");
  *(void**)&api.myrecord_free = Need(library, "orv_myrecord_free");
  *(void**)&api.string_free = Need(library, "orv_string_free");
  *(void**)&api.ui_click = Need(library, "orv_ui_click");
  *(void**)&api.ui_set_text = Need(library, "orv_ui_set_text");
  *(void**)&api.ui_text = Need(library, "orv_ui_text");

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

  /* Only publishing brings the transfer library in. */
  CHECK(!Loaded("libcurl"));
  Publish(host);
  CHECK(Loaded("libcurl"));

  api.destroy_window(host);
  if (failures == 0) printf("host test passed\n");
  return failures == 0 ? 0 : 1;
}
