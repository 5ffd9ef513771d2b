// Lists and ranges: TComboBox (QComboBox), TListBox (QListWidget),
// TScrollBar (QScrollBar) and TProgressBar (QProgressBar). Items are string
// lists that the widgets follow.
#pragma once

#include <memory>
#include <vector>

#include "components/string_list.h"
#include "controls/control.h"
#include "controls/text_selection.h"

class QComboBox;
class QLineEdit;
class QListWidget;

namespace orv {

enum : int { csDropDown = 0, csSimple = 1, csDropDownList = 2, csOwnerDrawFixed = 3, csOwnerDrawVariable = 4 };
enum : int { lbStandard = 0, lbOwnerDrawFixed = 1, lbOwnerDrawVariable = 2 };
enum : int { sbHorizontal = 0, sbVertical = 1 };

// A control whose widget shows a list of items.
class TItemsControl : public TWinControl {
 public:
  explicit TItemsControl(TComponent* owner);
  TStringList* Items() const { return items_.get(); }
  int ItemIndex() const { return item_index_; }
  virtual void SetItemIndex(int index);
  bool Sorted() const { return items_->Sorted(); }
  void SetSorted(bool sorted) { items_->SetSorted(sorted); }

  TMethod OnChange;

 protected:
  QPalette::ColorRole ColorRole() const override { return QPalette::Base; }
  int DefaultColor() const override { return clWindow; }
  void WidgetCreated() override;
  // Puts the items and the selection into the widget.
  virtual void ShowItems() = 0;
  // The user chose item `index` in the widget; `text_changed` when the pick
  // changed the control's text although the index stayed (the item's text was
  // replaced, say). Fires OnChange and OnClick when either changed.
  void ItemChosen(int index, bool text_changed = false);
  // Makes the item index follow a text set by code or typed by the user: the
  // first item that is exactly `text`, else none. Fires no event.
  void FollowText(std::string_view text);

 private:
  std::unique_ptr<TStringList> items_;
  int item_index_ = -1;
};

// An edit with a drop-down list.
class TCustomComboBox : public TItemsControl {
 public:
  explicit TCustomComboBox(TComponent* owner);
  std::string ClassName() const override { return "TCustomComboBox"; }

  std::string Caption() const override;
  // Sets the text; the item index follows it (the item with that text, else
  // -1), and the caret goes after it.
  void SetCaption(std::string_view caption) override;
  int Style() const { return style_; }
  void SetStyle(int style);
  bool DroppedDown() const;
  void SetDroppedDown(bool down);
  int ItemHeight() const { return item_height_; }
  void SetItemHeight(int height) { item_height_ = height; }
  int MaxLength() const { return max_length_; }
  void SetMaxLength(int length) { max_length_ = length; }
  int SelStart() const;
  void SetSelStart(int start);
  int SelLength() const;
  void SetSelLength(int length);
  std::string SelText() const;
  void SetSelText(std::string_view text);
  void SelectAll();
  void SetItemIndex(int index) override;

  TMethod OnDropDown;

 protected:
  QWidget* CreateWidget(QWidget* parent) override;
  // Gives the new edit the selection a script set before.
  void WidgetCreated() override;
  void ApplyCaption() override;
  void ShowItems() override;

 private:
  QComboBox* Combo() const;
  // The combo box's edit; null without a widget or for a drop-down list.
  QLineEdit* Line() const;
  TextSelection selection_;
  int style_ = csDropDown;
  int item_height_ = 13;
  int max_length_ = 0;
};

// The TComboBox class as forms and scripts use it (TCustomComboBox with its properties published).
class TComboBox : public TCustomComboBox {
 public:
  using TCustomComboBox::TCustomComboBox;
  std::string ClassName() const override { return "TComboBox"; }
};

// A list of items the user picks one (or several) of.
class TCustomListBox : public TItemsControl {
 public:
  explicit TCustomListBox(TComponent* owner);
  std::string ClassName() const override { return "TCustomListBox"; }

  void Clear() { Items()->Clear(); }
  int TopIndex() const;
  void SetTopIndex(int index);
  bool MultiSelect() const { return multi_select_; }
  void SetMultiSelect(bool multi);
  bool ExtendedSelect() const { return extended_select_; }
  void SetExtendedSelect(bool extended);
  // Whether item `index` is selected; EListError out of range.
  bool Selected(int index) const;
  void SetSelected(int index, bool selected);
  int SelCount() const;
  int Columns() const { return columns_; }
  void SetColumns(int columns) { columns_ = columns; }
  int ItemHeight() const { return item_height_; }
  void SetItemHeight(int height) { item_height_ = height; }
  int Style() const { return style_; }
  void SetStyle(int style) { style_ = style; }
  int TabWidth() const { return tab_width_; }
  void SetTabWidth(int width) { tab_width_ = width; }
  bool IntegralHeight() const { return integral_height_; }
  void SetIntegralHeight(bool value) { integral_height_ = value; }
  void SetItemIndex(int index) override;

 protected:
  QWidget* CreateWidget(QWidget* parent) override;
  void ShowItems() override;

 private:
  QListWidget* List() const;
  void ApplySelectionMode();
  std::vector<bool> selected_;
  bool multi_select_ = false;
  bool extended_select_ = true;
  int columns_ = 0;
  int item_height_ = 13;
  int style_ = lbStandard;
  int tab_width_ = 0;
  bool integral_height_ = true;
};

// The TListBox class as forms and scripts use it (TCustomListBox with its properties published).
class TListBox : public TCustomListBox {
 public:
  using TCustomListBox::TCustomListBox;
  std::string ClassName() const override { return "TListBox"; }
};

// A range with a position the user drags: Min, Max, Position.
class TScrollBar : public TWinControl {
 public:
  explicit TScrollBar(TComponent* owner);
  std::string ClassName() const override { return "TScrollBar"; }

  int Kind() const { return kind_; }
  void SetKind(int kind);
  int Min() const { return min_; }
  void SetMin(int min) { SetParams(position_, min, max_); }
  int Max() const { return max_; }
  void SetMax(int max) { SetParams(position_, min_, max); }
  int Position() const { return position_; }
  void SetPosition(int position) { SetParams(position, min_, max_); }
  void SetParams(int position, int min, int max);
  int SmallChange() const { return small_change_; }
  void SetSmallChange(int change);
  int LargeChange() const { return large_change_; }
  void SetLargeChange(int change);

  TMethod OnChange;
  TMethod OnScroll;

 protected:
  QWidget* CreateWidget(QWidget* parent) override;

 private:
  int kind_ = sbHorizontal;
  int min_ = 0;
  int max_ = 100;
  int position_ = 0;
  int small_change_ = 1;
  int large_change_ = 1;
};

// A bar that shows how far a long task has got: Min, Max, Position, Step.
class TProgressBar : public TWinControl {
 public:
  explicit TProgressBar(TComponent* owner);
  std::string ClassName() const override { return "TProgressBar"; }

  int Min() const { return min_; }
  void SetMin(int min);
  int Max() const { return max_; }
  void SetMax(int max);
  int Position() const { return position_; }
  void SetPosition(int position);
  int Step() const { return step_; }
  void SetStep(int step) { step_ = step; }
  void StepIt() { SetPosition(position_ + step_); }
  void StepBy(int delta) { SetPosition(position_ + delta); }
  int Orientation() const { return orientation_; }
  void SetOrientation(int orientation);

 protected:
  QWidget* CreateWidget(QWidget* parent) override;

 private:
  void ApplyRange();
  int min_ = 0;
  int max_ = 100;
  int position_ = 0;
  int step_ = 10;
  int orientation_ = 0;
};

}  // namespace orv
