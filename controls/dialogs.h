// The library's own dialogs: message dialogs (ShowMessage, MessageDlg,
// CreateMessageDialog) and input boxes (InputBox, InputQuery). They are
// forms built of the library's components, so a test finds their parts by
// name: the form "MessageDlg" with the label "Message" and one button per
// answer named after it ("Yes", "No", "OK", "Cancel", ...); the form
// "InputQuery" with "Prompt", "Edit", "OK" and "Cancel".
#pragma once

#include <string>
#include <vector>

namespace orv {

class TForm;

// Message dialog types.
enum : int { mtWarning = 0, mtError = 1, mtInformation = 2, mtConfirmation = 3, mtCustom = 4 };
// Message dialog buttons.
enum : int {
  mbYes = 0, mbNo = 1, mbOK = 2, mbCancel = 3, mbAbort = 4, mbRetry = 5, mbIgnore = 6,
  mbAll = 7, mbNoToAll = 8, mbYesToAll = 9, mbHelp = 10
};

// Makes, without showing it, the message dialog with `text`, the icon and
// caption of `type` and the buttons listed (numbers outside 0..15 and
// repeats are ignored; none gives an OK button). The caller frees it.
TForm* CreateMessageDialog(const std::string& text, int type, const std::vector<int>& buttons);

// Shows the message dialog modally and returns its modal result (mrYes ...).
int MessageDlg(const std::string& text, int type, const std::vector<int>& buttons, int help_context);
// The same, with the dialog's top left corner at (x, y) on the screen;
// -1 for either centres it.
int MessageDlgPos(const std::string& text, int type, const std::vector<int>& buttons, int help_context, int x,
                  int y);

// Shows `text` with an OK button under the application's title.
void ShowMessage(const std::string& text);
void ShowMessagePos(const std::string& text, int x, int y);

// Asks for a text: true on OK. `value` holds the edit's final text either way.
bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value);
// The text entered, or `default_value` when the user cancels.
std::string InputBox(const std::string& caption, const std::string& prompt, const std::string& default_value);

}  // namespace orv
