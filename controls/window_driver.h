// Driving the shown windows from outside, as a user would: a window and a
// control are found by their names (objectName), a button is clicked, an
// edit's text is set, and what a control shows is read. The dialog
// libraries' automation exports for hosts without a toolkit rest on it.
#pragma once

#include <optional>
#include <string>

namespace orv {

// Clicks the button `control` of the shown window `window`; false when there
// is no such button or it is greyed out (a user could not press it).
bool ClickShownControl(const std::string& window, const std::string& control);

// Sets the text of the single-line edit `control`; false when there is none.
bool SetShownEditText(const std::string& window, const std::string& control, const std::string& text);

// The text `control` shows (a label, an edit, a memo, a drop-down's current
// text, a button's caption); nothing when there is no such control or it
// shows no text.
std::optional<std::string> ShownControlText(const std::string& window, const std::string& control);

}  // namespace orv
