// The class tables of buttons, check boxes, radio buttons and speed buttons.
#include "controls/class_tables.h"

#include "components/class_table.h"
#include "controls/buttons.h"
#include "controls/class_table_rows.h"

namespace orv {

using namespace publish;
using types::Boolean;
using types::Integer;

namespace {

void RegisterButtons() {
  RegisterClassTable({.name = "TButtonControl", .published = {CaptionProperty()}});
  RegisterClassTable({
      .name = "TButton",
      .factory = Factory<TButton>(),
      .published = {Bound(Prop("Default", Boolean, &TButton::Default, &TButton::SetDefault)),
                    Bound(Prop("Cancel", Boolean, &TButton::Cancel, &TButton::SetCancel)),
                    Bound(Prop("ModalResult", types::TModalResult, &TButton::ModalResult, &TButton::SetModalResult))},
      .methods = {Bound(Method("Click", &TButton::Click))},
      .bound = {"Create"},
  });
  RegisterClassTable({
      .name = "TSpeedButton",
      .factory = Factory<TSpeedButton>(),
      .published = {CaptionProperty(), Prop("Down", Boolean, &TSpeedButton::Down, &TSpeedButton::SetDown),
                    Prop("GroupIndex", Integer, &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex),
                    Prop("AllowAllUp", Boolean, &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp),
                    Prop("Flat", Boolean, &TSpeedButton::Flat, &TSpeedButton::SetFlat),
                    SubObject("Glyph", &TSpeedButton::Glyph)},
  });
}

void RegisterCheckBoxes() {
  RegisterClassTable({
      .name = "TCustomCheckBox",
      .published = {Prop("Checked", Boolean, &TCustomCheckBox::Checked, &TCustomCheckBox::SetChecked),
                    Prop("State", types::TCheckBoxState, &TCustomCheckBox::State, &TCustomCheckBox::SetState),
                    Prop("AllowGrayed", Boolean, &TCustomCheckBox::AllowGrayed, &TCustomCheckBox::SetAllowGrayed),
                    Prop("Alignment", types::TAlignment, &TCustomCheckBox::Alignment,
                         &TCustomCheckBox::SetAlignment)},
  });
  RegisterClassTable({
      .name = "TCheckBox",
      .factory = Factory<TCheckBox>(),
      .bound = {"Create", "Alignment", "State", "AllowGrayed", "Checked"},
  });
  RegisterClassTable({
      .name = "TRadioButton",
      .factory = Factory<TRadioButton>(),
      .published = {Prop("Checked", Boolean, &TRadioButton::Checked, &TRadioButton::SetChecked),
                    Bound(Prop("Alignment", types::TAlignment, &TRadioButton::Alignment,
                               &TRadioButton::SetAlignment))},
      .bound = {"Create"},
  });
}

}  // namespace

void RegisterButtonClasses() {
  RegisterButtons();
  RegisterCheckBoxes();
}

}  // namespace orv
