// The class tables of labels, edits and memos.
#include "controls/class_tables.h"

#include "components/class_table.h"
#include "controls/class_table_rows.h"
#include "controls/edits.h"

namespace orv {

using namespace publish;
using types::Boolean;
using types::Integer;
using types::String;

namespace {

void RegisterLabels() {
  RegisterClassTable({
      .name = "TCustomLabel",
      .factory = Factory<TCustomLabel>(),
      .published = {CaptionProperty(),
                    Prop("Alignment", types::TAlignment, &TCustomLabel::Alignment, &TCustomLabel::SetAlignment),
                    Prop("AutoSize", Boolean, &TCustomLabel::AutoSize, &TCustomLabel::SetAutoSize),
                    Prop("WordWrap", Boolean, &TCustomLabel::WordWrap, &TCustomLabel::SetWordWrap),
                    Prop("Transparent", Boolean, &TCustomLabel::Transparent, &TCustomLabel::SetTransparent),
                    Prop("ShowAccelChar", Boolean, &TCustomLabel::ShowAccelChar, &TCustomLabel::SetShowAccelChar),
                    Reference("FocusControl", &TCustomLabel::FocusControl, &TCustomLabel::SetFocusControl)},
      .bound = {"Create"},
  });
  RegisterClassTable({
      .name = "TLabel",
      .factory = Factory<TLabel>(),
      .bound = {"Create", "Alignment", "AutoSize", "ShowAccelChar", "Transparent", "WordWrap", "FocusControl"},
  });
}

void RegisterEdits() {
  RegisterClassTable({
      .name = "TCustomEdit",
      .factory = Factory<TCustomEdit>(),
      .published = {CaptionAsText(), Prop("ReadOnly", Boolean, &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly),
                    Prop("MaxLength", Integer, &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength),
                    Prop("BorderStyle", types::TBorderStyle, &TCustomEdit::BorderStyle, &TCustomEdit::SetBorderStyle),
                    Prop("CharCase", types::TEditCharCase, &TCustomEdit::CharCase, &TCustomEdit::SetCharCase),
                    Prop("PasswordChar", types::Char, &TCustomEdit::PasswordChar, &TCustomEdit::SetPasswordChar),
                    Prop("AutoSelect", Boolean, &TCustomEdit::AutoSelect, &TCustomEdit::SetAutoSelect),
                    Prop("AutoSize", Boolean, &TCustomEdit::AutoSize, &TCustomEdit::SetAutoSize),
                    Prop("OEMConvert", Boolean, &TCustomEdit::OemConvert, &TCustomEdit::SetOemConvert),
                    Event("OnChange", "TNotifyEvent", &TCustomEdit::OnChange)},
      .properties = {Bound(Prop("Modified", Boolean, &TCustomEdit::Modified, &TCustomEdit::SetModified)),
                     Bound(Prop("SelLength", Integer, &TCustomEdit::SelLength, &TCustomEdit::SetSelLength)),
                     Bound(Prop("SelStart", Integer, &TCustomEdit::SelStart, &TCustomEdit::SetSelStart)),
                     Bound(Prop("SelText", String, &TCustomEdit::SelText, &TCustomEdit::SetSelText))},
      .methods = {Bound(Method("Clear", &TCustomEdit::Clear)),
                  Bound(Method("ClearSelection", &TCustomEdit::ClearSelection)),
                  Bound(Method("CopyToClipboard", &TCustomEdit::CopyToClipboard)),
                  Bound(Method("CutToClipboard", &TCustomEdit::CutToClipboard)),
                  Bound(Method("PasteFromClipboard", &TCustomEdit::PasteFromClipboard)),
                  Bound(Method("SelectAll", &TCustomEdit::SelectAll))},
      .bound = {"Create"},
  });
  RegisterClassTable({
      .name = "TEdit",
      .factory = Factory<TEdit>(),
      .bound = {"Create", "AutoSelect", "AutoSize", "OEMConvert", "ReadOnly", "BorderStyle", "CharCase", "MaxLength",
                "PasswordChar"},
  });
}

void RegisterMemos() {
  RegisterClassTable({
      .name = "TCustomMemo",
      .factory = Factory<TCustomMemo>(),
      .published = {Prop("Text", String, &TCustomMemo::Caption, &TCustomMemo::SetCaption),
                    Bound(SubObject("Lines", &TCustomMemo::Lines)),
                    Prop("Alignment", types::TAlignment, &TCustomMemo::Alignment, &TCustomMemo::SetAlignment),
                    Prop("ScrollBars", types::TScrollStyle, &TCustomMemo::ScrollBars, &TCustomMemo::SetScrollBars),
                    Prop("WantReturns", Boolean, &TCustomMemo::WantReturns, &TCustomMemo::SetWantReturns),
                    Prop("WantTabs", Boolean, &TCustomMemo::WantTabs, &TCustomMemo::SetWantTabs),
                    Prop("WordWrap", Boolean, &TCustomMemo::WordWrap, &TCustomMemo::SetWordWrap)},
      .bound = {"Create"},
  });
  RegisterClassTable({
      .name = "TMemo",
      .factory = Factory<TMemo>(),
      .bound = {"Create", "Alignment", "ScrollBars", "WantReturns", "WantTabs", "WordWrap"},
  });
}

}  // namespace

void RegisterEditClasses() {
  RegisterLabels();
  RegisterEdits();
  RegisterMemos();
}

}  // namespace orv
