// Building a dialog's components in code: each component is owned by the
// form and named as the form designer names them, after its class and the
// count of that class so far (Button1, Button2, Edit1 ...), so a test or an
// outside tool finds every control by a stable name.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "controls/buttons.h"
#include "controls/containers.h"
#include "controls/edits.h"
#include "controls/form.h"

namespace orv {

// Sets an event's handler to a function without arguments.
void OnEvent(TMethod& event, std::function<void()> handler);

// Adds named components to a form.
class FormBuilder {
 public:
  // Names the form and sets its caption and client size.
  FormBuilder(TForm& form, std::string_view name, std::string_view caption, int width, int height);

  // A control inside `parent` (the form itself when null) at the bounds given.
  template <class T>
  T* Add(TWinControl* parent, int left, int top, int width, int height, std::string_view caption = {}) {
    T* control = Named(new T(&form_));
    control->SetParent(parent ? parent : &form_);
    control->SetBounds(left, top, width, height);
    if (!caption.empty()) control->SetCaption(caption);
    return control;
  }

  // A button of the usual size that closes the modal form with mrCancel and
  // answers the Escape key.
  TButton* CancelButton(int left, int top, std::string_view caption = "&Cancel");

  // The default button of the usual size, closing the modal form with mrOk.
  TButton* OkButton(int left, int top);

  // A label that wraps its text inside the bounds given.
  TLabel* Text(TWinControl* parent, int left, int top, int width, int height, std::string_view text);

  // A page of a page control.
  TTabSheet* Page(TPageControl* pages, std::string_view caption);

  // A component without a window (a dialog, a menu).
  template <class T>
  T* Component() {
    return Named(new T(&form_));
  }

 private:
  template <class T>
  T* Named(T* component) {
    std::string base = component->ClassName().substr(1);
    component->SetName(base + std::to_string(++counts_[base]));
    return component;
  }

  TForm& form_;
  std::map<std::string, int> counts_;
};

}  // namespace orv
