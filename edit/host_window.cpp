#include "edit/host_window.h"

#include <memory>
#include <stdexcept>

#include "orv/host.h"

namespace orv::edit {
namespace {

std::string Copy(const char* text) { return text ? text : ""; }

// A posted record belongs to the receiver from the moment it arrives.
using OwnedRecord = std::unique_ptr<TMyRecord, decltype(&orv_myrecord_free)>;

}  // namespace

HostWindow::HostWindow(HostHandler& handler) : handler_(handler), handle_(orv_create_window(&Receive, this)) {}

HostWindow::~HostWindow() { orv_destroy_window(handle_); }

LRESULT HostWindow::Receive(HWND, uint32_t message, WPARAM, LPARAM lparam, void* user) {
  auto* self = static_cast<HostWindow*>(user);
  try {
    self->Dispatch(message, lparam);
  } catch (const std::exception& error) {
    self->handler_.ReportError(error);
  } catch (...) {
    // Nothing may leave a receiver: the library that sent the message is C.
    self->handler_.ReportError(std::runtime_error("An error of an unknown kind"));
  }
  return 0;
}

void HostWindow::Dispatch(uint32_t message, LPARAM lparam) {
  switch (message) {
    case ORV_MSG_INSERT_LINK:
    case ORV_MSG_INSERT_MARKUP: {
      const auto* record = reinterpret_cast<const TInsertRecord*>(lparam);
      if (!record) return;
      // The library's record lives only while this send lasts.
      handler_.InsertMarkup({Copy(record->Text), Copy(record->CloseText), Copy(record->WrapFlag)});
      return;
    }
    case ORV_MSG_NET_BEGIN:
      handler_.SetBusy(true);
      return;
    case ORV_MSG_NET_END:
      handler_.SetBusy(false);
      return;
    case ORV_MSG_OPEN_FILE: {
      OwnedRecord record(reinterpret_cast<TMyRecord*>(lparam), &orv_myrecord_free);
      if (record) handler_.OpenFile(Copy(record->Field1));
      return;
    }
    case ORV_MSG_OPEN_NEW: {
      OwnedRecord record(reinterpret_cast<TMyRecord*>(lparam), &orv_myrecord_free);
      if (record) handler_.OpenAsNew(Copy(record->Field1) + Copy(record->Field2));
      return;
    }
    case ORV_MSG_PREFS_CHANGED:
      handler_.PreferencesChanged();
      return;
    default:
      return;
  }
}

}  // namespace orv::edit
