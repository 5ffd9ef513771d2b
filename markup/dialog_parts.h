// Building blocks shared by the insert dialogs: placing labelled controls on
// a form, the OK and Cancel buttons, reporting a box whose text is not a
// whole number, and handing an insert record to the editor's window.
#pragma once

#include <functional>
#include <initializer_list>
#include <string>

#include "controls/buttons.h"
#include "controls/containers.h"
#include "controls/edits.h"
#include "controls/form.h"
#include "markup/insert_markup.h"
#include "orv/window.h"

namespace orv {

// A control of class T named `name` (empty for none) owned by `form`, shown
// in `parent` at the given place.
template <class T>
T* Place(TForm& form, TWinControl& parent, const std::string& name, int left, int top, int width, int height) {
  auto* control = new T(&form);
  if (!name.empty()) control->SetName(name);
  control->SetParent(&parent);
  control->SetBounds(left, top, width, height);
  return control;
}

// A label with `caption` at the given place.
TLabel* AddLabel(TForm& form, TWinControl& parent, const std::string& caption, int left, int top);

// A label with `caption` at `label_left` and, beside it at `left`, a
// control of class T named `name`, `width` wide.
template <class T>
T* AddField(TForm& form, TWinControl& parent, const std::string& caption, const std::string& name, int label_left,
            int left, int top, int width) {
  AddLabel(form, parent, caption, label_left, top + 4);
  return Place<T>(form, parent, name, left, top, width, 21);
}

// A group box with `caption` at the given place.
TGroupBox* AddGroup(TForm& form, TWinControl& parent, const std::string& caption, int left, int top, int width,
                    int height);

// A wrapped note of several lines across the top of a form.
TLabel* AddNote(TForm& form, const std::string& text, int left, int top, int width, int height);

// Makes `form` a fixed dialog named `name` with `caption` and the given
// client size, centred on the screen.
void SetUpDialog(TForm& form, const std::string& name, const std::string& caption, int width, int height);

// "&OK" (Button1, the default button, running `on_ok`) and "&Cancel"
// (Button2, the cancel button, closing with mrCancel), side by side.
void AddOkCancel(TForm& form, int left, int top, std::function<void()> on_ok);

// True when every box's text is a whole number. Otherwise shows the
// conversion error of the first one that is not, focuses it and selects its
// text, and returns false.
bool WholeNumbers(std::initializer_list<TCustomEdit*> boxes);

// Sends `texts` as an insert record to `window` with `message` (WPARAM 0,
// LPARAM the record's address). The record and its texts live until the send
// returns; an empty text is a null pointer.
void SendInsertRecord(HWND window, uint32_t message, const TInsertTexts& texts);

}  // namespace orv
