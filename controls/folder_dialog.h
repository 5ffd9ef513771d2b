// A modal folder chooser on Qt's own folder dialog (never the desktop's
// native one, so it also runs headless), with a status line under the folder
// view (objectName "StatusText") that the caller may fill as the selection
// changes. The folder browser of the new-project wizard is built on it.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace orv {

// What a folder chooser shows, and whom it tells what happens.
struct FolderChoice {
  std::string name;   // the dialog's objectName
  std::string title;
  std::string start;  // the folder it opens in
  // Called once the dialog is up.
  std::function<void()> shown;
  // When the selection changes, with its full path: first the status line's
  // new text (nothing leaves it as it is), then the news itself.
  std::function<std::optional<std::string>(const std::string& folder)> status_text;
  std::function<void(const std::string& folder)> selection_changed;
};

// Shows the chooser until the user confirms or cancels; the chosen folder's
// full path, or nothing when cancelled.
std::optional<std::string> ChooseFolder(const FolderChoice& choice);

}  // namespace orv
