// The class tables of combo boxes, list boxes, scroll bars, progress bars,
// list views with their columns, and image lists.
#include "controls/class_tables.h"

#include "components/class_table.h"
#include "controls/class_table_rows.h"
#include "controls/image_list.h"
#include "controls/list_view.h"
#include "controls/lists.h"

namespace orv {

using namespace publish;
using types::Boolean;
using types::Integer;
using types::String;

namespace {

void RegisterComboBoxes() {
  RegisterClassTable({
      .name = "TCustomComboBox",
      .published = {CaptionAsText(), Bound(SubObject("Items", &TCustomComboBox::Items)),
                    Bound(Prop("ItemIndex", Integer, &TCustomComboBox::ItemIndex, &TCustomComboBox::SetItemIndex)),
                    Prop("Style", types::TComboBoxStyle, &TCustomComboBox::Style, &TCustomComboBox::SetStyle),
                    Prop("ItemHeight", Integer, &TCustomComboBox::ItemHeight, &TCustomComboBox::SetItemHeight),
                    Prop("MaxLength", Integer, &TCustomComboBox::MaxLength, &TCustomComboBox::SetMaxLength),
                    Prop("Sorted", Boolean, &TCustomComboBox::Sorted, &TCustomComboBox::SetSorted),
                    Event("OnChange", "TNotifyEvent", &TCustomComboBox::OnChange),
                    Event("OnDropDown", "TNotifyEvent", &TCustomComboBox::OnDropDown)},
      .properties = {Bound(Prop("DroppedDown", Boolean, &TCustomComboBox::DroppedDown,
                                &TCustomComboBox::SetDroppedDown)),
                     Bound(Prop("SelLength", Integer, &TCustomComboBox::SelLength, &TCustomComboBox::SetSelLength)),
                     Bound(Prop("SelStart", Integer, &TCustomComboBox::SelStart, &TCustomComboBox::SetSelStart)),
                     Bound(Prop("SelText", String, &TCustomComboBox::SelText, &TCustomComboBox::SetSelText))},
      .methods = {Bound(Method("SelectAll", &TCustomComboBox::SelectAll))},
  });
  RegisterClassTable({
      .name = "TComboBox",
      .factory = Factory<TComboBox>(),
      .bound = {"Create", "Style", "ItemHeight", "MaxLength", "Sorted"},
  });
}

void RegisterListBoxes() {
  RegisterClassTable({
      .name = "TCustomListBox",
      .factory = Factory<TCustomListBox>(),
      .published = {Bound(SubObject("Items", &TCustomListBox::Items)),
                    Bound(Prop("ItemIndex", Integer, &TCustomListBox::ItemIndex, &TCustomListBox::SetItemIndex)),
                    Prop("MultiSelect", Boolean, &TCustomListBox::MultiSelect, &TCustomListBox::SetMultiSelect),
                    Prop("ExtendedSelect", Boolean, &TCustomListBox::ExtendedSelect,
                         &TCustomListBox::SetExtendedSelect),
                    Prop("Sorted", Boolean, &TCustomListBox::Sorted, &TCustomListBox::SetSorted),
                    Prop("Columns", Integer, &TCustomListBox::Columns, &TCustomListBox::SetColumns),
                    Prop("ItemHeight", Integer, &TCustomListBox::ItemHeight, &TCustomListBox::SetItemHeight),
                    Prop("Style", types::TListBoxStyle, &TCustomListBox::Style, &TCustomListBox::SetStyle),
                    Prop("TabWidth", Integer, &TCustomListBox::TabWidth, &TCustomListBox::SetTabWidth),
                    Prop("IntegralHeight", Boolean, &TCustomListBox::IntegralHeight,
                         &TCustomListBox::SetIntegralHeight),
                    Event("OnChange", "TNotifyEvent", &TCustomListBox::OnChange)},
      .properties = {Bound(Prop("TopIndex", Integer, &TCustomListBox::TopIndex, &TCustomListBox::SetTopIndex))},
      .methods = {Bound(Method("Clear", &TCustomListBox::Clear))},
      .bound = {"Create"},
  });
  RegisterClassTable({
      .name = "TListBox",
      .factory = Factory<TListBox>(),
      .bound = {"Create", "Columns", "ItemHeight", "Style", "TabWidth", "ExtendedSelect", "IntegralHeight",
                "MultiSelect", "Sorted"},
  });
}

void RegisterBars() {
  RegisterClassTable({
      .name = "TScrollBar",
      .factory = Factory<TScrollBar>(),
      .published = {Bound(Prop("Kind", types::TScrollBarKind, &TScrollBar::Kind, &TScrollBar::SetKind)),
                    Bound(Prop("Min", Integer, &TScrollBar::Min, &TScrollBar::SetMin)),
                    Bound(Prop("Max", Integer, &TScrollBar::Max, &TScrollBar::SetMax)),
                    Bound(Prop("Position", Integer, &TScrollBar::Position, &TScrollBar::SetPosition)),
                    Bound(Prop("SmallChange", Integer, &TScrollBar::SmallChange, &TScrollBar::SetSmallChange)),
                    Bound(Prop("LargeChange", Integer, &TScrollBar::LargeChange, &TScrollBar::SetLargeChange)),
                    Event("OnChange", "TNotifyEvent", &TScrollBar::OnChange),
                    Event("OnScroll", "TScrollEvent", &TScrollBar::OnScroll)},
      .bound = {"Create"},
  });
  RegisterClassTable({
      .name = "TProgressBar",
      .factory = Factory<TProgressBar>(),
      .published = {Prop("Min", Integer, &TProgressBar::Min, &TProgressBar::SetMin),
                    Prop("Max", Integer, &TProgressBar::Max, &TProgressBar::SetMax),
                    Prop("Position", Integer, &TProgressBar::Position, &TProgressBar::SetPosition),
                    Prop("Step", Integer, &TProgressBar::Step, &TProgressBar::SetStep),
                    Prop("Orientation", types::TProgressBarOrientation, &TProgressBar::Orientation,
                         &TProgressBar::SetOrientation)},
  });
}

void RegisterListViews() {
  RegisterClassTable({
      .name = "TCustomListView",
      .published = {Prop("ViewStyle", types::TViewStyle, &TCustomListView::ViewStyle, &TCustomListView::SetViewStyle),
                    Prop("MultiSelect", Boolean, &TCustomListView::MultiSelect, &TCustomListView::SetMultiSelect),
                    Prop("ReadOnly", Boolean, &TCustomListView::ReadOnly, &TCustomListView::SetReadOnly),
                    SubObject("Columns", &TCustomListView::Columns),
                    Reference("LargeImages", &TCustomListView::LargeImages, &TCustomListView::SetLargeImages),
                    Event("OnChange", "TLVChangeEvent", &TCustomListView::OnChange),
                    Event("OnColumnClick", "TLVColumnClickEvent", &TCustomListView::OnColumnClick)},
  });
  RegisterClassTable({.name = "TListView", .factory = Factory<TListView>()});
  RegisterClassTable({
      .name = "TListColumn",
      .published = {Prop("Caption", String, &TListColumn::Caption, &TListColumn::SetCaption),
                    Prop("Width", Integer, &TListColumn::Width, &TListColumn::SetWidth)},
  });
  RegisterClassTable({
      .name = "TImageList",
      .factory = Factory<TImageList>(),
      .published = {Prop("Width", Integer, &TImageList::Width, &TImageList::SetWidth),
                    Prop("Height", Integer, &TImageList::Height, &TImageList::SetHeight)},
  });
}

}  // namespace

void RegisterListClasses() {
  RegisterComboBoxes();
  RegisterListBoxes();
  RegisterBars();
  RegisterListViews();
}

}  // namespace orv
