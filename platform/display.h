// Whether anyone can see and answer the program's windows. A program run
// from a console (orvcc's build, orvscript) tells the libraries when nobody
// will, so that nothing waits for an answer that cannot come: modal windows
// then answer at once as the Escape key would, and messages go to standard
// error.
#pragma once

namespace orv {

// True when windows would appear on a screen: QT_QPA_PLATFORM names a
// platform other than "offscreen" or "minimal", or, when it names none,
// DISPLAY or WAYLAND_DISPLAY is set.
bool DisplayAvailable();

// Declares for the whole process that nobody answers its windows (false
// by default: a host with windows, a test that drives them).
void SetUnattended(bool unattended);
bool Unattended();

}  // namespace orv
