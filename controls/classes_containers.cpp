// The class tables of group boxes, radio groups, panels, page controls and
// their tab sheets, notebooks and their pages, and headers.
#include "controls/class_tables.h"

#include "components/class_table.h"
#include "controls/class_table_rows.h"
#include "controls/containers.h"

namespace orv {

using namespace publish;
using types::Boolean;
using types::Integer;
using types::String;

namespace {

void RegisterGroupBoxes() {
  RegisterClassTable({.name = "TCustomGroupBox", .published = {CaptionProperty()}});
  RegisterClassTable({.name = "TGroupBox", .factory = Factory<TGroupBox>(), .bound = {"Create"}});
  RegisterClassTable({
      .name = "TCustomRadioGroup",
      .factory = Factory<TCustomRadioGroup>(),
      .published = {SubObject("Items", &TCustomRadioGroup::Items),
                    Prop("ItemIndex", Integer, &TCustomRadioGroup::ItemIndex, &TCustomRadioGroup::SetItemIndex),
                    Prop("Columns", Integer, &TCustomRadioGroup::Columns, &TCustomRadioGroup::SetColumns)},
      .bound = {"Create"},
  });
  RegisterClassTable({
      .name = "TRadioGroup",
      .factory = Factory<TRadioGroup>(),
      .bound = {"Create", "Align", "Color", "Columns", "DragCursor", "DragMode", "ItemIndex", "TabOrder", "Caption",
                "Ctl3D", "Enabled", "ParentColor", "ParentCtl3D", "ParentFont", "ParentShowHint", "ShowHint",
                "TabStop", "Visible", "Font", "Items", "PopupMenu"},
  });
}

void RegisterPanels() {
  RegisterClassTable({
      .name = "TCustomPanel",
      .factory = Factory<TCustomPanel>(),
      .published = {CaptionProperty(),
                    Prop("Alignment", types::TAlignment, &TCustomPanel::Alignment, &TCustomPanel::SetAlignment),
                    Prop("BevelInner", types::TPanelBevel, &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner),
                    Prop("BevelOuter", types::TPanelBevel, &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter),
                    Prop("BevelWidth", Integer, &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth),
                    Prop("BorderWidth", Integer, &TCustomPanel::BorderWidth, &TCustomPanel::SetBorderWidth),
                    Prop("BorderStyle", types::TBorderStyle, &TCustomPanel::BorderStyle,
                         &TCustomPanel::SetBorderStyle),
                    Prop("Locked", Boolean, &TCustomPanel::Locked, &TCustomPanel::SetLocked)},
      .bound = {"Create"},
  });
  RegisterClassTable({
      .name = "TPanel",
      .factory = Factory<TPanel>(),
      .bound = {"Create",   "Align",     "Alignment",   "BevelInner",  "BevelOuter",     "BevelWidth", "BorderWidth",
                "BorderStyle", "DragCursor", "DragMode", "Color",      "TabOrder",       "Enabled",    "Ctl3D",
                "Locked",   "ParentColor", "ParentCtl3D", "ParentFont", "ParentShowHint", "ShowHint",   "TabStop",
                "Visible",  "Caption",   "Font",        "PopupMenu"},
  });
}

void RegisterPages() {
  RegisterClassTable({
      .name = "TTabSheet",
      .factory = Factory<TTabSheet>(),
      .published = {CaptionProperty(),
                    Reference("PageControl", &TTabSheet::PageControl, &TTabSheet::SetPageControl)},
  });
  RegisterClassTable({
      .name = "TPageControl",
      .factory = Factory<TPageControl>(),
      .published = {Reference("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage),
                    Event("OnChange", "TNotifyEvent", &TPageControl::OnChange)},
  });
  RegisterClassTable({
      .name = "TPage",
      .factory = Factory<TPage>(),
      .published = {Bound(CaptionProperty())},
      .bound = {"Create", "Height", "TabOrder", "Width", "Visible"},
  });
  RegisterClassTable({
      .name = "TNotebook",
      .factory = Factory<TNotebook>(),
      .published = {Bound(SubObject("Pages", &TNotebook::Pages)),
                    Bound(Prop("PageIndex", Integer, &TNotebook::PageIndex, &TNotebook::SetPageIndex)),
                    Bound(Prop("ActivePage", String, &TNotebook::ActivePage, &TNotebook::SetActivePage)),
                    Event("OnPageChanged", "TNotifyEvent", &TNotebook::OnPageChanged)},
      .bound = {"Create", "Align", "Color", "DragCursor", "DragMode", "TabOrder", "Ctl3D", "Enabled", "ParentColor",
                "ParentCtl3D", "ParentFont", "ParentShowHint", "ShowHint", "TabStop", "Visible", "Font", "PopupMenu"},
  });
}

void RegisterHeader() {
  RegisterClassTable({
      .name = "THeader",
      .factory = Factory<THeader>(),
      .published = {Bound(SubObject("Sections", &THeader::Sections)),
                    Bound(Prop("AllowResize", Boolean, &THeader::AllowResize, &THeader::SetAllowResize)),
                    Bound(Prop("BorderStyle", types::TBorderStyle, &THeader::BorderStyle, &THeader::SetBorderStyle))},
      .bound = {"Create", "Align", "TabOrder", "Enabled", "ParentFont", "ParentShowHint", "ShowHint", "TabStop",
                "Visible", "Font", "PopupMenu"},
  });
}

}  // namespace

void RegisterContainerClasses() {
  RegisterGroupBoxes();
  RegisterPanels();
  RegisterPages();
  RegisterHeader();
}

}  // namespace orv
