#include "orvsys/dialogs/error_box.h"

#include <stdexcept>

#include "controls/application.h"
#include "orvsys/model/data_files.h"
#include "platform/message_service.h"

namespace orv {

void ShowError(const std::exception& error) {
  try {
    Application()->ShowException(error);
  } catch (...) {
    orv::ShowMessage(MessageKind::Error, "Error", error.what());
  }
}

void LoadSettingListShowingErrors(TUserSettingList& list, const std::string& path) {
  try {
    LoadSettingList(list, path);
  } catch (const std::exception& error) {
    ShowError(error);
  }
}

}  // namespace orv
