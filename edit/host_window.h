// The editor's main window as the dialog libraries see it: a receiver made
// with orv_create_window whose handle the editor passes to every export. It
// turns the messages of the host interface into calls on a HostHandler,
// copying and freeing their records as the interface asks.
#pragma once

#include <exception>
#include <functional>
#include <string>

#include "edit/insertion.h"
#include "orv/window.h"

namespace orv::edit {

// What the editor does for each message.
class HostHandler {
 public:
  virtual ~HostHandler() = default;
  // 2924 and 2029: insert the record's markup at the caret.
  virtual void InsertMarkup(const InsertTexts& texts) = 0;
  // 3033 (true) and 3034 (false): a network operation begins or ends.
  virtual void SetBusy(bool busy) = 0;
  // 3037: open a file (a page, or a project).
  virtual void OpenFile(const std::string& path) = 0;
  // 3038: preferences.dat was written.
  virtual void PreferencesChanged() = 0;
  // 3063: open the file at `path` as a new untitled document.
  virtual void OpenAsNew(const std::string& path) = 0;
  // An error escaped one of the above; the receiver must not let it leave.
  virtual void ReportError(const std::exception& error) = 0;
};

// The registered receiver; it is unregistered when the object goes.
class HostWindow {
 public:
  explicit HostWindow(HostHandler& handler);
  ~HostWindow();
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  HWND Handle() const { return handle_; }

 private:
  static LRESULT Receive(HWND window, uint32_t message, WPARAM wparam, LPARAM lparam, void* user);
  void Dispatch(uint32_t message, LPARAM lparam);

  HostHandler& handler_;
  HWND handle_;
};

}  // namespace orv::edit
