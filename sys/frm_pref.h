// TFrmPref: the preferences dialog of DoPref. Four pages (General, Internet,
// Editor, Extras) over preferences.dat; "&OK" and "&Apply" run
// WritePreferences, which writes every key and then sends message 3038 to
// the host window.
#pragma once

#include "controls/buttons.h"
#include "controls/common_dialogs.h"
#include "controls/edits.h"
#include "controls/form.h"
#include "orv/window.h"
#include "sys/preferences.h"

namespace orv {

// The preferences dialog; lives for one DoPref call.
class TFrmPref : public TForm {
 public:
  explicit TFrmPref(HWND host);
  std::string ClassName() const override { return "TFrmPref"; }

  // Writes the dialog's values into preferences.dat and tells the host.
  void WritePreferences();

 private:
  void FormShow();
  void SetProxyEnabled(bool enabled);
  void ChangeFont();
  void ResetAssociations();

  HWND host_;
  TCheckBox* single_ = nullptr;
  TCheckBox* new_editor_ = nullptr;
  TCheckBox* last_project_ = nullptr;
  TRadioButton* lower_ = nullptr;
  TRadioButton* upper_ = nullptr;
  TEdit* email_ = nullptr;
  TEdit* user_name_ = nullptr;
  TEdit* smtp_ = nullptr;
  TCheckBox* use_proxy_ = nullptr;
  TEdit* proxy_server_ = nullptr;
  TEdit* proxy_port_ = nullptr;
  TEdit* proxy_user_ = nullptr;
  TEdit* proxy_password_ = nullptr;
  TCheckBox* maximize_ = nullptr;
  TCheckBox* unix_ = nullptr;
  TLabel* font_sample_ = nullptr;
  TFontDialog* font_dialog_ = nullptr;
  TButton* reset_ = nullptr;
  TCheckBox* ins_img_ = nullptr;
};

}  // namespace orv
