// The process's Qt widget application, made on first need: when the host
// already runs one it is used; otherwise one is made, on Qt's offscreen
// platform when there is no display. Making it also runs ORV's message loop
// inside Qt's and, when its windows are seen, sends the platform's message
// boxes and beeps to the application's message dialogs.
#pragma once

namespace orv {

// Makes sure a Qt widget application exists, and returns once it does.
// EControlError when the program's Qt application has no widgets.
void EnsureQtApplication();

// True when nobody sees or answers the windows: the application found no
// display and draws its windows off screen (only when the program chose no
// platform of its own through QT_QPA_PLATFORM), or the program declared
// itself unattended (platform/display.h), in which case windows are drawn
// off screen too unless QT_QPA_PLATFORM names a platform. Modal windows
// then answer at once as the Escape key would, and messages go to standard
// error.
bool WindowsUnseen();

}  // namespace orv
