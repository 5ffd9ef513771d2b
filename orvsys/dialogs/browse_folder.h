// TBrowseFolder: the folder browser of the new-project wizard, on the folder
// chooser of the visual classes (objectName: the component's name). While it
// is open and ShowFullPath is set, the label "StatusText" under the folder
// view shows the selected folder, shortened by ShortenStatusPath.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "components/component.h"
#include "platform/exception.h"

namespace orv {

// The folder a browser starts in.
enum TBrowseRoot : int {
  foDesktop, foPrograms, foControls, foPrinters, foPersonal, foFavorites, foStartup, foRecent, foSendto,
  foRecycleBin, foStartMenu, foDesktopDirectory, foMyComputer, foNetwork, foNetworkNeighborhood, foFonts,
  foTemplates
};

// Browser options (bits of Flags).
enum : uint32_t {
  bfFileSysDirsOnly = 1u << 0, bfDontGoBelowDomain = 1u << 1, bfStatusText = 1u << 2,
  bfFileSysAncestors = 1u << 3, bfBrowseForComputer = 1u << 4, bfBrowseForPrinter = 1u << 5
};

// Raised when Execute is called while the browser is already open.
class EBrowseDialogAlreadyShowing : public Exception {
 public:
  EBrowseDialogAlreadyShowing() : Exception("The browse dialog is already showing.") {}
};

// A path as the status text shows it: at most 35 characters when it can be
// shortened. A longer path is split at '/'; with more than two parts the
// second becomes "...", then the third is removed while the joined path is
// longer than 35 characters and more than three parts remain.
std::string ShortenStatusPath(const std::string& path);

// The folder of a root on this system, with a final '/'.
std::string BrowseRootFolder(TBrowseRoot root);

// A modal folder chooser.
class TBrowseFolder : public TComponent {
 public:
  explicit TBrowseFolder(TComponent* owner);
  std::string ClassName() const override { return "TBrowseFolder"; }

  std::string Title = "Select Folder";
  TBrowseRoot Folder = foDesktop;
  uint32_t Flags = 0;
  bool ShowFullPath = false;
  intptr_t CallbackParam = 0;
  // Raised when the dialog is up (with the callback parameter) and when the
  // selection changes (with the selected folder).
  std::function<void(intptr_t param)> OnInitialized;
  std::function<void(intptr_t param, const std::string& folder)> OnSelectionChanged;

  // Shows the browser; true with the chosen folder's full path in `folder`
  // when the user confirms.
  bool Execute(std::string& folder);
  bool Showing() const { return showing_; }

 private:
  bool showing_ = false;
};

}  // namespace orv
