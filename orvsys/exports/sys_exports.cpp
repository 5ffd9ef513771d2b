// The exports of liborvsys.so (include/orv/sys.h): each makes its dialog for
// the one call or assigns its text, and shows any error in the error box.
#include <cerrno>
#include <memory>

#include "controls/form.h"
#include "controls/qt_application.h"
#include "orv/sys.h"
#include "orvsys/dialogs/error_box.h"
#include "orvsys/dialogs/frm_add_obj.h"
#include "orvsys/dialogs/frm_add_tool.h"
#include "orvsys/dialogs/frm_dl_web.h"
#include "orvsys/dialogs/frm_except.h"
#include "orvsys/dialogs/frm_info.h"
#include "orvsys/dialogs/frm_new_proj.h"
#include "orvsys/dialogs/frm_obj_rep.h"
#include "orvsys/dialogs/frm_pref.h"
#include "orvsys/dialogs/frm_proj_pref.h"
#include "orvsys/dialogs/frm_var.h"
#include "orvsys/model/file_types.h"
#include "orvsys/publish_dialog/publish_dialog.h"
#include "platform/library.h"
#include "platform/message_service.h"

namespace {

// Shows a dialog made by `make` modally; 1 when it closed with OK. The Qt
// application is made first: a dialog may be the first thing a host opens,
// and a form's constructor may already need the application's style.
template <class Make>
uint8_t RunDialog(Make&& make) {
  return orv::Guarded<uint8_t>(0, [&]() -> uint8_t {
    orv::EnsureQtApplication();
    auto dialog = make();
    return dialog->ShowModal() == orv::mrOk ? 1 : 0;
  });
}

// A text argument; null counts as empty.
std::string TextOf(const char* text) { return text ? text : ""; }

// Replaces *text with a new copy of `value`.
void Assign(char** text, const std::string& value) {
  orv::Guarded(0, [&] {
    if (text == nullptr) return 0;
    char* copy = orv_string_new(value.c_str());
    if (copy == nullptr) throw std::bad_alloc();
    orv_string_free(*text);
    *text = copy;
    return 0;
  });
}

}  // namespace

extern "C" {

uint8_t DoPref(int32_t, HWND host) {
  return RunDialog([&] { return std::make_unique<orv::TFrmPref>(host); });
}

void NewProj(int32_t, HWND host) {
  RunDialog([&] { return std::make_unique<orv::TFrmNewProj>(host); });
}

uint8_t ShowProjPref(int32_t, int32_t) {
  return RunDialog([] { return std::make_unique<orv::TFrmProjPref>(); });
}

uint8_t AddTool(int32_t, HWND host) {
  return RunDialog([&] { return std::make_unique<orv::TFrmAddTool>(host); });
}

void ShowObjRep(int32_t, HWND host) {
  RunDialog([&] { return std::make_unique<orv::TFrmObjRep>(host); });
}

void AddObjRep(int32_t, HWND host, const char* path) {
  RunDialog([&] { return std::make_unique<orv::TFrmAddObj>(host, TextOf(path)); });
}

uint8_t DoVars(int32_t) {
  return RunDialog([] { return std::make_unique<orv::TFrmVar>(); });
}

void ShowInfo(int32_t, const char* project_name, const char* build_seconds) {
  RunDialog([&] {
    return std::make_unique<orv::TFrmInfo>(TextOf(project_name), TextOf(build_seconds));
  });
}

uint8_t ExceptCenter(int32_t, HWND host, const char* sender_class, const char* exception_class,
                     const char* message, const char* preferences_path, const char* method,
                     const char* file_version, const char* file_name) {
  // Taken first: the report tells the system's last error as the caller left it.
  const int last_error = errno;
  return RunDialog([&] {
    return std::make_unique<orv::TFrmExcept>(orv::TErrorRecord{
        host, TextOf(sender_class), TextOf(exception_class), TextOf(message), TextOf(preferences_path),
        TextOf(method), TextOf(file_version), TextOf(file_name), last_error});
  });
}

uint8_t DlFromWeb(int32_t, HWND host) {
  return RunDialog([&] { return std::make_unique<orv::TFrmDlWeb>(host); });
}

uint8_t UploadFiles(const char* local_path, const char* site_name, HWND owner) {
  return orv::Guarded<uint8_t>(0, [&]() -> uint8_t {
    // The boxes below are dialogs like the publishing dialog itself.
    orv::EnsureQtApplication();
    std::string error;
    void* library = orv::LoadLibrary(orv::kPublishDialogLibrary, error);
    if (library == nullptr) {
      orv::ShowMessage(orv::MessageKind::Error, "Upload Error",
                       std::string("A required library (") + orv::kPublishDialogLibrary +
                           ") cannot be loaded, please reinstall ORV\n" + error);
      return 0;
    }
    // The library stays loaded: libcurl and OpenSSL beneath it cannot be
    // unloaded safely, and the next call finds it at once.
    auto show = reinterpret_cast<OrvPublishDialogProc>(orv::GetProcAddress(library, orv::kPublishDialogEntry, error));
    char reason[1024] = "";
    if (show != nullptr && show(local_path, site_name, owner, reason, sizeof reason) == 1) return 1;
    const std::string why = show != nullptr ? std::string(reason)
                                            : std::string("You may have a corrupted library (") +
                                                  orv::kPublishDialogLibrary + ")";
    orv::ShowMessage(orv::MessageKind::Error, "Upload Error",
                     "Site upload failed.  " + why + "\n\rPlease try reinstalling ORV");
    return 0;
  });
}

void FileExts(char** text) { Assign(text, orv::FileExtsText()); }
void ORVHome(char** text) { Assign(text, ORV_HOME_PAGE); }
void MorvaleHome(char** text) { Assign(text, ORV_MAKER_HOME_PAGE); }
void BuildNum(char** text) { Assign(text, orv::kBuildNumText); }
void BigVer(char** text) { Assign(text, orv::kBigVerText); }

}  // extern "C"
