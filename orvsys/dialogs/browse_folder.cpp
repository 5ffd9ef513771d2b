#include "orvsys/dialogs/browse_folder.h"

#include <cstdlib>
#include <optional>
#include <vector>

#include "components/class_table.h"
#include "controls/folder_dialog.h"

namespace orv {
namespace {

constexpr size_t kStatusWidth = 35;

std::string Join(const std::vector<std::string>& parts) {
  std::string joined;
  for (size_t i = 0; i < parts.size(); ++i) joined += (i ? "/" : "") + parts[i];
  return joined;
}

std::string Home() {
  const char* home = std::getenv("HOME");
  return home && *home ? std::string(home) + "/" : "/";
}

// The roots a browser starts in, by their names in form files.
const TypeInfo kBrowseRoot{
    "TBrowseRoot",
    TypeKind::Enumeration,
    {{"foDesktop", foDesktop}, {"foPrograms", foPrograms}, {"foControls", foControls},
     {"foPrinters", foPrinters}, {"foPersonal", foPersonal}, {"foFavorites", foFavorites},
     {"foStartup", foStartup}, {"foRecent", foRecent}, {"foSendto", foSendto},
     {"foRecycleBin", foRecycleBin}, {"foStartMenu", foStartMenu}, {"foDesktopDirectory", foDesktopDirectory},
     {"foMyComputer", foMyComputer}, {"foNetwork", foNetwork}, {"foNetworkNeighborhood", foNetworkNeighborhood},
     {"foFonts", foFonts}, {"foTemplates", foTemplates}}};

// The browser's options as a set of form files.
const TypeInfo kBrowseFlags{"TBrowseFlags",
                            TypeKind::Set,
                            {{"bfFileSysDirsOnly", 0}, {"bfDontGoBelowDomain", 1}, {"bfStatusText", 2},
                             {"bfFileSysAncestors", 3}, {"bfBrowseForComputer", 4}, {"bfBrowseForPrinter", 5}}};

// A dialog's form file configures its browser.
[[maybe_unused]] const bool registered = [] {
  using publish::Field;
  RegisterClassTable({.name = "TBrowseFolder",
                      .parent = "TComponent",
                      .factory = publish::Factory<TBrowseFolder>(),
                      .published = {Field("Title", types::String, &TBrowseFolder::Title),
                                    Field("Folder", kBrowseRoot, &TBrowseFolder::Folder),
                                    Field("Flags", kBrowseFlags, &TBrowseFolder::Flags),
                                    Field("ShowFullPath", types::Boolean, &TBrowseFolder::ShowFullPath)}});
  return true;
}();

}  // namespace

std::string ShortenStatusPath(const std::string& path) {
  if (path.size() <= kStatusWidth) return path;
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t slash; (slash = path.find('/', start)) != std::string::npos; start = slash + 1)
    parts.push_back(path.substr(start, slash - start));
  parts.push_back(path.substr(start));
  if (parts.size() <= 2) return path;
  parts[1] = "...";
  while (Join(parts).size() > kStatusWidth && parts.size() > 3) parts.erase(parts.begin() + 2);
  return Join(parts);
}

std::string BrowseRootFolder(TBrowseRoot root) {
  switch (root) {
    case foMyComputer:
    case foNetwork:
    case foNetworkNeighborhood:
      return "/";
    case foDesktop:
    case foDesktopDirectory:
      return Home() + "Desktop/";
    case foTemplates:
      return Home() + "Templates/";
    default:
      return Home();
  }
}

TBrowseFolder::TBrowseFolder(TComponent* owner) : TComponent(owner) {}

bool TBrowseFolder::Execute(std::string& folder) {
  if (showing_) throw EBrowseDialogAlreadyShowing();
  FolderChoice choice;
  choice.name = Name();
  choice.title = Title;
  choice.start = BrowseRootFolder(Folder);
  choice.shown = [this] {
    if (OnInitialized) OnInitialized(CallbackParam);
  };
  choice.status_text = [this](const std::string& path) -> std::optional<std::string> {
    if (!ShowFullPath) return std::nullopt;
    return ShortenStatusPath(path);
  };
  choice.selection_changed = [this](const std::string& path) {
    if (OnSelectionChanged) OnSelectionChanged(CallbackParam, path);
  };
  showing_ = true;
  std::optional<std::string> chosen;
  try {
    chosen = ChooseFolder(choice);
  } catch (...) {
    showing_ = false;
    throw;
  }
  showing_ = false;
  if (chosen) folder = *chosen;
  return chosen.has_value();
}

}  // namespace orv
