// TFrmSetup: "Mail Options", asked by the error centre when the bug-report
// mail identity (name, address, SMTP server) is incomplete.
#pragma once

#include "controls/edits.h"
#include "controls/form.h"
#include "sys/preferences.h"

namespace orv {

// The mail options dialog; its boxes start with `current`.
class TFrmSetup : public TForm {
 public:
  explicit TFrmSetup(const TMailSettings& current);
  std::string ClassName() const override { return "TFrmSetup"; }

  // The three boxes.
  TMailSettings Settings() const;

 private:
  TEdit* name_ = nullptr;
  TEdit* email_ = nullptr;
  TEdit* smtp_ = nullptr;
};

}  // namespace orv
