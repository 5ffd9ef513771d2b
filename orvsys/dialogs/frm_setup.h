// TFrmSetup: "Mail Options" (frm_setup.dfm), asked by the error centre when
// the bug-report mail identity (name, address, SMTP server) is incomplete.
#pragma once

#include "controls/form.h"
#include "orvsys/model/preferences.h"

namespace orv {

class TEdit;

// The mail options dialog; its boxes start with `current`.
class TFrmSetup : public TForm {
 public:
  explicit TFrmSetup(const TMailSettings& current);
  std::string ClassName() const override { return "TFrmSetup"; }

  // The three boxes.
  TMailSettings Settings() const;

 private:
  TEdit* Edit1 = nullptr;  // the user's name
  TEdit* Edit2 = nullptr;  // the address
  TEdit* Edit3 = nullptr;  // the SMTP server
};

}  // namespace orv
