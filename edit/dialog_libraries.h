// The three dialog libraries as any editor meets them: opened by name at run
// time (never linked), their exports looked up with the types of their C
// headers. A library that cannot be opened leaves its exports null and keeps
// the loader's reason, so the editor can disable its commands and say why.
#pragma once

#include <cstdint>
#include <string>

#include "orv/huepick.h"
#include "orv/sys.h"
#include "orv/tagwiz.h"

namespace orv::edit {

// The libraries' file names and, once opened, their exports.
struct DialogLibraries {
  // One library: its name, the loader's handle and why it is missing.
  struct Library {
    std::string Name;
    void* Handle = nullptr;
    std::string Error;

    bool Loaded() const { return Handle != nullptr; }
  };

  Library Sys{"liborvsys.so", nullptr, {}};
  Library Tagwiz{"libtagwiz.so", nullptr, {}};
  Library Huepick{"libhuepick.so", nullptr, {}};

  // liborvsys.so
  decltype(&::DoPref) DoPref = nullptr;
  decltype(&::NewProj) NewProj = nullptr;
  decltype(&::ShowProjPref) ShowProjPref = nullptr;
  decltype(&::AddTool) AddTool = nullptr;
  decltype(&::ShowObjRep) ShowObjRep = nullptr;
  decltype(&::AddObjRep) AddObjRep = nullptr;
  decltype(&::DoVars) DoVars = nullptr;
  decltype(&::ExceptCenter) ExceptCenter = nullptr;
  decltype(&::DlFromWeb) DlFromWeb = nullptr;
  decltype(&::FileExts) FileExts = nullptr;
  decltype(&::ShowInfo) ShowInfo = nullptr;
  decltype(&::ORVHome) ORVHome = nullptr;
  decltype(&::MorvaleHome) MorvaleHome = nullptr;
  decltype(&::BuildNum) BuildNum = nullptr;
  decltype(&::BigVer) BigVer = nullptr;
  decltype(&::UploadFiles) UploadFiles = nullptr;
  // libtagwiz.so
  decltype(&::ShowHLink) ShowHLink = nullptr;
  decltype(&::InsTable) InsTable = nullptr;
  decltype(&::InsCSS) InsCSS = nullptr;
  decltype(&::InsActiveX) InsActiveX = nullptr;
  decltype(&::InsJavaApp) InsJavaApp = nullptr;
  // libhuepick.so
  decltype(&::HuepickInitEx) HuepickInitEx = nullptr;

  // Opens the three libraries (by name: beside the program, beside ORV's
  // own libraries, then the system's search) and looks up their exports. A
  // library missing an export counts as missing.
  void Load();

  // Calls a string export such as BuildNum and returns its text ("" when the
  // export is missing), freeing the library's string.
  static std::string Text(void (*text_export)(char**));
};

}  // namespace orv::edit
