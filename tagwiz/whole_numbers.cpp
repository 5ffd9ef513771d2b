#include "tagwiz/whole_numbers.h"

#include "controls/edits.h"
#include "platform/exception.h"
#include "platform/integer_text.h"
#include "platform/message_service.h"

namespace orv {

bool WholeNumbers(std::initializer_list<TCustomEdit*> boxes) {
  for (TCustomEdit* box : boxes) {
    try {
      StrToInt(box->Text());
    } catch (const EConvertError& error) {
      ShowMessage(MessageKind::Error, "", error.what());
      box->SetFocus();
      box->SelectAll();
      return false;
    }
  }
  return true;
}

}  // namespace orv
