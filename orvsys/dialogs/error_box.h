// The application's error box for orvsys: how an export reports an error
// that must not cross the C boundary, and how a dialog reports a file it
// could not read while it goes on with an empty list.
#pragma once

#include <exception>
#include <stdexcept>
#include <string>

namespace orv {

class TUserSettingList;

// Shows the error's message in the application's error box (standard error
// when no box can be shown).
void ShowError(const std::exception& error);

// Runs `body` and returns its result; an error that leaves it is shown in the
// error box and `failed` is returned instead.
template <class R, class F>
R Guarded(R failed, F&& body) noexcept {
  try {
    return body();
  } catch (const std::exception& error) {
    ShowError(error);
  } catch (...) {
    ShowError(std::runtime_error("Unknown error"));
  }
  return failed;
}

// LoadSettingList, with a damaged or unreadable file shown in the error box
// and the list left empty.
void LoadSettingListShowingErrors(TUserSettingList& list, const std::string& path);

}  // namespace orv
