// The desktop's web browser: the command line of the application that the
// desktop's MIME associations name as the default for HTML pages.
#pragma once

#include <string>

namespace orv {

// The Exec line of the desktop entry that the first mimeapps.list naming one
// gives as the default application for "text/html" (the lists looked at in
// the desktop's order: $XDG_CONFIG_HOME, each of $XDG_CONFIG_DIRS, then
// applications/ under $XDG_DATA_HOME and each of $XDG_DATA_DIRS). The entry
// is looked for in applications/ under $XDG_DATA_HOME and $XDG_DATA_DIRS.
// Empty when no default is set or its entry is missing.
std::string DefaultBrowserCommand();

}  // namespace orv
