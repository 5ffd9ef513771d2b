// The class tables of the insert dialogs' own widgets, registered when
// libtagwiz.so is loaded, so that their form files can hold them.
#include "components/class_table.h"
#include "controls/font_combo.h"
#include "controls/rx_spin.h"

namespace orv {
namespace {

using namespace publish;

// Which fonts a font list shows.
const TypeInfo kFontDevice{"TFontDevice", TypeKind::Enumeration, {{"fdScreen", 0}, {"fdPrinter", 1}, {"fdBoth", 2}}};

[[maybe_unused]] const bool registered = [] {
  RegisterClassTable(
      {.name = "TRxSpinEdit",
       .parent = "TCustomEdit",
       .factory = Factory<TRxSpinEdit>(),
       .published = {Prop("MinValue", types::Double, &TRxSpinEdit::MinValue, &TRxSpinEdit::SetMinValue),
                     Prop("MaxValue", types::Double, &TRxSpinEdit::MaxValue, &TRxSpinEdit::SetMaxValue),
                     Prop("Increment", types::Double, &TRxSpinEdit::Increment, &TRxSpinEdit::SetIncrement),
                     Prop("Decimal", types::Integer, &TRxSpinEdit::Decimal, &TRxSpinEdit::SetDecimal),
                     Prop("EditorEnabled", types::Boolean, &TRxSpinEdit::EditorEnabled, &TRxSpinEdit::SetEditorEnabled),
                     Prop("Alignment", types::TAlignment, &TRxSpinEdit::Alignment, &TRxSpinEdit::SetAlignment)}});
  RegisterClassTable({.name = "TFontComboBox",
                      .parent = "TCustomComboBox",
                      .factory = Factory<TFontComboBox>(),
                      .published = {Prop("Device", kFontDevice, &TFontComboBox::Device, &TFontComboBox::SetDevice),
                                    Prop("TrueTypeOnly", types::Boolean, &TFontComboBox::TrueTypeOnly,
                                         &TFontComboBox::SetTrueTypeOnly)}});
  return true;
}();

}  // namespace
}  // namespace orv
