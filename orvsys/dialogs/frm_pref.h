// TFrmPref: the preferences dialog of DoPref (frm_pref.dfm). Four pages
// (General, Internet, Editor, Extras) over preferences.dat; "&OK" and
// "&Apply" run WritePreferences, which writes every key and then sends
// message 3038 to the host window.
#pragma once

#include "controls/form.h"
#include "orv/window.h"

namespace orv {

class TButton;
class TCheckBox;
class TEdit;
class TFontDialog;
class TLabel;
class TRadioButton;

// The preferences dialog; lives for one DoPref call.
class TFrmPref : public TForm {
 public:
  explicit TFrmPref(HWND host);
  std::string ClassName() const override { return "TFrmPref"; }

  // Writes the dialog's values into preferences.dat and tells the host.
  void WritePreferences();

 private:
  void FormShow(TObject* sender);
  void CheckBox4Click(TObject* sender);
  void Button4Click(TObject* sender);
  void Button5Click(TObject* sender);
  void Button1Click(TObject* sender);
  void Button3Click(TObject* sender);
  // Enables the four proxy boxes and draws them in the window colour, or
  // disables them and draws them in the button-face colour.
  void SetProxyEnabled(bool enabled);

  HWND host_;
  TCheckBox* CheckBox1 = nullptr;        // Prevent Multiple Instances
  TCheckBox* CheckBox2 = nullptr;        // Always start with new Document
  TCheckBox* CheckBox3 = nullptr;        // Reopen last used project
  TRadioButton* RadioButton1 = nullptr;  // lower-case tags
  TRadioButton* RadioButton2 = nullptr;  // upper-case tags
  TEdit* Edit1 = nullptr;                // e-mail address
  TEdit* Edit2 = nullptr;                // user name
  TEdit* Edit3 = nullptr;                // SMTP server
  TCheckBox* CheckBox4 = nullptr;        // Use Proxy
  TEdit* Edit4 = nullptr;                // proxy server
  TEdit* Edit5 = nullptr;                // proxy port
  TEdit* Edit6 = nullptr;                // proxy user
  TEdit* Edit7 = nullptr;                // proxy password
  TCheckBox* CheckBox5 = nullptr;        // Always Maximize
  TCheckBox* CheckBox6 = nullptr;        // Save in UNIX Format
  TLabel* Label15 = nullptr;             // the font sample
  TFontDialog* FontDialog1 = nullptr;
  TButton* Button5 = nullptr;      // Reset Associations
  TCheckBox* CheckBox7 = nullptr;  // Use Projects Image Prefix
};

}  // namespace orv
