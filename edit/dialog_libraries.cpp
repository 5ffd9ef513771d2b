#include "edit/dialog_libraries.h"

#include "platform/library.h"

namespace orv::edit {
namespace {

// Looks up the exports of `library`, which then counts as loaded only when
// all of them were found.
class ExportBinder {
 public:
  explicit ExportBinder(DialogLibraries::Library& library) : library_(library) {
    library_.Handle = LoadLibrary(library_.Name, library_.Error);
  }
  ~ExportBinder() {
    if (!missing_.empty()) {
      library_.Error = library_.Name + " has no export " + missing_;
      library_.Handle = nullptr;
    }
  }

  template <typename Function>
  void Bind(Function& function, const char* name, bool required = true) {
    if (!library_.Handle) return;
    std::string error;
    function = reinterpret_cast<Function>(GetProcAddress(library_.Handle, name, error));
    if (!function && required && missing_.empty()) missing_ = name;
  }

 private:
  DialogLibraries::Library& library_;
  std::string missing_;
};

}  // namespace

void DialogLibraries::Load() {
  {
    ExportBinder sys(Sys);
    sys.Bind(DoPref, "DoPref");
    sys.Bind(NewProj, "NewProj");
    sys.Bind(ShowProjPref, "ShowProjPref");
    sys.Bind(AddTool, "AddTool");
    sys.Bind(ShowObjRep, "ShowObjRep");
    sys.Bind(AddObjRep, "AddObjRep");
    sys.Bind(DoVars, "DoVars");
    sys.Bind(ExceptCenter, "ExceptCenter");
    sys.Bind(DlFromWeb, "DlFromWeb");
    sys.Bind(FileExts, "FileExts");
    sys.Bind(ShowInfo, "ShowInfo");
    sys.Bind(ORVHome, "ORVHome");
    sys.Bind(MorvaleHome, "MorvaleHome");
    sys.Bind(BuildNum, "BuildNum");
    sys.Bind(BigVer, "BigVer");
    // Publishing came later than the other exports: without it only
    // Project | Publish is unavailable.
    sys.Bind(UploadFiles, "UploadFiles", false);
  }
  {
    ExportBinder tagwiz(Tagwiz);
    tagwiz.Bind(ShowHLink, "ShowHLink");
    tagwiz.Bind(InsTable, "InsTable");
    tagwiz.Bind(InsCSS, "InsCSS");
    tagwiz.Bind(InsActiveX, "InsActiveX");
    tagwiz.Bind(InsJavaApp, "InsJavaApp");
  }
  {
    ExportBinder huepick(Huepick);
    huepick.Bind(HuepickInitEx, "HuepickInitEx");
  }
}

std::string DialogLibraries::Text(void (*text_export)(char**)) {
  if (!text_export) return {};
  char* text = nullptr;
  text_export(&text);
  std::string copy = text ? text : "";
  orv_string_free(text);
  return copy;
}

}  // namespace orv::edit
