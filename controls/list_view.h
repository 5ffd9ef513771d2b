// TListView: a list of items with columns in report view (a QTreeWidget) or
// large icons in icon view (a QListWidget in icon mode). The columns are a
// collection that form files carry; the items are set by the program.
#pragma once

#include <string>
#include <vector>

#include "components/collection.h"
#include "controls/control.h"

namespace orv {

class TImageList;

enum : int { vsIcon = 0, vsSmallIcon = 1, vsList = 2, vsReport = 3 };

// One column of a list view in report view: caption and width (0 hides it).
class TListColumn : public TCollectionItem {
 public:
  std::string ClassName() const override { return "TListColumn"; }
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string_view caption);
  int Width() const { return width_; }
  void SetWidth(int width);

 private:
  std::string caption_;
  int width_ = 50;
};

// The columns of a list view.
using TListColumns = TOwnedCollection<TListColumn>;

// One item of a list view: caption, the texts of the further columns,
// selection, its picture in the list's images and a pointer for the
// program's own use.
struct TListItem {
  std::string Caption;
  std::vector<std::string> SubItems;
  bool Selected = false;
  int ImageIndex = -1;
  TObject* Data = nullptr;
};

// A list of items with columns (report view) or large icons (icon view).
class TCustomListView : public TWinControl {
 public:
  explicit TCustomListView(TComponent* owner);
  std::string ClassName() const override { return "TCustomListView"; }

  int ViewStyle() const { return view_style_; }
  void SetViewStyle(int style);
  bool MultiSelect() const { return multi_select_; }
  void SetMultiSelect(bool multi);
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool read_only) { read_only_ = read_only; }
  // The pictures of the items in icon view, by their ImageIndex; none: a
  // plain page for every item. Refresh shows pictures added later.
  TImageList* LargeImages() const;
  void SetLargeImages(TImageList* images);

  TListColumns* Columns() const { return columns_.get(); }
  int ColumnCount() const { return columns_->Count(); }
  TListColumn& Column(int index) { return *columns_->Items(index); }
  TListColumn& AddColumn(std::string_view caption, int width);
  int ItemCount() const { return static_cast<int>(items_.size()); }
  TListItem& Item(int index);
  TListItem& AddItem(std::string_view caption, const std::vector<std::string>& sub_items = {});
  void DeleteItem(int index);
  void ClearItems();
  // The first selected item's index; -1 when none is.
  int SelectedIndex() const;
  int SelCount() const;
  void SelectItem(int index, bool selected);
  // Shows the items and columns again after they were changed directly.
  void Refresh();
  // Between BeginUpdate and EndUpdate the list is not redrawn; EndUpdate
  // shows it as it then is. Calls nest.
  void BeginUpdate();
  void EndUpdate();

  TMethod OnChange;
  TMethod OnColumnClick;
  TMethod OnSelectItem;

 protected:
  QWidget* CreateWidget(QWidget* parent) override;
  void WidgetCreated() override;
  QPalette::ColorRole ColorRole() const override { return QPalette::Base; }
  int DefaultColor() const override { return clWindow; }

 private:
  void ReadSelection();
  int view_style_ = vsIcon;
  bool multi_select_ = false;
  bool read_only_ = false;
  int updating_ = 0;
  uint32_t large_images_ = 0;  // handle, so a freed list reads as none
  std::unique_ptr<TListColumns> columns_;
  std::vector<TListItem> items_;
};

// The TListView class as forms and scripts use it (TCustomListView with its properties published).
class TListView : public TCustomListView {
 public:
  using TCustomListView::TCustomListView;
  std::string ClassName() const override { return "TListView"; }
};

}  // namespace orv
