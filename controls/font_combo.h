// The font drop-down of the style dialog: the font families Qt knows,
// picked by name without regard to case.
#pragma once

#include "controls/common_dialogs.h"
#include "controls/lists.h"

namespace orv {

// A drop-down of font family names. On Linux the screen and the printer use
// the same fonts (fontconfig's), so fdScreen, fdPrinter and fdBoth list the
// same families; there is no separate printer font list.
class TFontComboBox : public TCustomComboBox {
 public:
  explicit TFontComboBox(TComponent* owner);
  std::string ClassName() const override { return "TFontComboBox"; }

  int Device() const { return device_; }
  void SetDevice(int device) { device_ = device; }
  bool TrueTypeOnly() const { return true_type_only_; }
  // Lists only scalable (outline) fonts, the counterpart of TrueType fonts.
  void SetTrueTypeOnly(bool value);

  // The box's text.
  std::string FontName() const { return Text(); }
  // When `name` differs from the text: selects the first family equal to it
  // ignoring case (none when no family matches) and runs OnChange.
  void SetFontName(const std::string& name);

 protected:
  QWidget* CreateWidget(QWidget* parent) override;

 private:
  // Fills the list with the families, once.
  void Fill();

  int device_ = fdScreen;
  bool true_type_only_ = false;
  bool filled_ = false;
};

}  // namespace orv
