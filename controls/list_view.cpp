#include "controls/list_view.h"

#include <QHeaderView>
#include <QListWidget>
#include <QStyle>
#include <QTreeWidget>
#include <algorithm>

#include "components/errors.h"
#include "controls/image_list.h"
#include "controls/qt_text.h"

namespace orv {

void TListColumn::SetCaption(std::string_view caption) {
  caption_ = caption;
  Changed();
}

void TListColumn::SetWidth(int width) {
  width_ = width;
  Changed();
}

TCustomListView::TCustomListView(TComponent* owner) : TWinControl(owner), columns_(std::make_unique<TListColumns>()) {
  color_ = clWindow;
  columns_->OnChange = [this] { Refresh(); };
  SetBounds(0, 0, 250, 150);
}

TImageList* TCustomListView::LargeImages() const { return dynamic_cast<TImageList*>(ObjectFromHandle(large_images_)); }

void TCustomListView::SetLargeImages(TImageList* images) {
  large_images_ = images ? images->Handle() : 0;
  Refresh();
}

TListColumn& TCustomListView::AddColumn(std::string_view caption, int width) {
  TListColumn* column = columns_->Add();
  column->SetCaption(caption);
  column->SetWidth(width);
  return *column;
}

TListItem& TCustomListView::Item(int index) {
  if (index < 0 || index >= ItemCount()) throw ListIndexError(index);
  return items_[static_cast<size_t>(index)];
}

TListItem& TCustomListView::AddItem(std::string_view caption, const std::vector<std::string>& sub_items) {
  items_.push_back({std::string(caption), sub_items, false, -1, nullptr});
  Refresh();
  return items_.back();
}

void TCustomListView::DeleteItem(int index) {
  Item(index);
  items_.erase(items_.begin() + index);
  Refresh();
}

void TCustomListView::ClearItems() {
  items_.clear();
  Refresh();
}

int TCustomListView::SelectedIndex() const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i].Selected) return static_cast<int>(i);
  return -1;
}

int TCustomListView::SelCount() const {
  return static_cast<int>(std::count_if(items_.begin(), items_.end(), [](const TListItem& i) { return i.Selected; }));
}

void TCustomListView::SelectItem(int index, bool selected) {
  if (!multi_select_ && selected)
    for (TListItem& item : items_) item.Selected = false;
  Item(index).Selected = selected;
  Refresh();
}

void TCustomListView::SetViewStyle(int style) {
  view_style_ = style;
  RecreateWidget();
}

void TCustomListView::SetMultiSelect(bool multi) {
  multi_select_ = multi;
  Refresh();
}

void TCustomListView::BeginUpdate() {
  if (updating_++ == 0 && ExistingWidget()) ExistingWidget()->setUpdatesEnabled(false);
}

void TCustomListView::EndUpdate() {
  if (updating_ == 0 || --updating_ > 0) return;
  Refresh();
  if (ExistingWidget()) ExistingWidget()->setUpdatesEnabled(true);
}

QWidget* TCustomListView::CreateWidget(QWidget* parent) {
  QAbstractItemView* view;
  if (view_style_ == vsIcon) {
    auto* icons = new QListWidget(parent);
    icons->setViewMode(QListView::IconMode);
    icons->setIconSize(QSize(32, 32));
    icons->setResizeMode(QListView::Adjust);
    QObject::connect(icons, &QListWidget::itemSelectionChanged, Receiver(), [this] { ReadSelection(); });
    view = icons;
  } else {
    auto* tree = new QTreeWidget(parent);
    tree->setRootIsDecorated(false);
    tree->setHeaderHidden(view_style_ != vsReport);
    QObject::connect(tree, &QTreeWidget::itemSelectionChanged, Receiver(), [this] { ReadSelection(); });
    QObject::connect(tree->header(), &QHeaderView::sectionClicked, Receiver(), [this](int column) {
      EventArgs args{int64_t{column}};
      FireEvent(OnColumnClick, this, args);
    });
    view = tree;
  }
  QObject::connect(view, &QAbstractItemView::clicked, Receiver(), [this] { Click(); });
  QObject::connect(view, &QAbstractItemView::doubleClicked, Receiver(), [this] { FireEvent(OnDblClick, this); });
  return view;
}

void TCustomListView::WidgetCreated() {
  TWinControl::WidgetCreated();
  if (updating_ > 0) ExistingWidget()->setUpdatesEnabled(false);
  Refresh();
}

void TCustomListView::ReadSelection() {
  std::vector<bool> before;
  for (const TListItem& item : items_) before.push_back(item.Selected);
  if (auto* icons = qobject_cast<QListWidget*>(ExistingWidget()))
    for (int i = 0; i < icons->count() && i < ItemCount(); ++i)
      items_[static_cast<size_t>(i)].Selected = icons->item(i)->isSelected();
  if (auto* tree = qobject_cast<QTreeWidget*>(ExistingWidget()))
    for (int i = 0; i < tree->topLevelItemCount() && i < ItemCount(); ++i)
      items_[static_cast<size_t>(i)].Selected = tree->topLevelItem(i)->isSelected();
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i].Selected != before[i]) {
      EventArgs args{int64_t(i), items_[i].Selected};
      FireEvent(OnSelectItem, this, args);
    }
  FireEvent(OnChange, this);
}

void TCustomListView::Refresh() {
  QWidget* widget = ExistingWidget();
  if (!widget) return;
  auto mode = multi_select_ ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection;
  if (auto* icons = qobject_cast<QListWidget*>(widget)) {
    QSignalBlocker quiet(icons);
    icons->setSelectionMode(mode);
    icons->clear();
    const TImageList* images = LargeImages();
    if (images) icons->setIconSize(QSize(images->Width(), images->Height()));
    for (const TListItem& item : items_) {
      auto* shown = new QListWidgetItem(ToQString(item.Caption), icons);
      const QImage picture = images ? images->Image(item.ImageIndex) : QImage();
      shown->setIcon(picture.isNull() ? icons->style()->standardIcon(QStyle::SP_FileIcon)
                                      : QIcon(QPixmap::fromImage(picture)));
      shown->setSelected(item.Selected);
    }
  }
  if (auto* tree = qobject_cast<QTreeWidget*>(widget)) {
    QSignalBlocker quiet(tree);
    tree->setSelectionMode(mode);
    tree->clear();
    tree->setColumnCount(std::max(ColumnCount(), 1));
    QStringList headers;
    for (int i = 0; i < ColumnCount(); ++i) headers << ToQString(Column(i).Caption());
    tree->setHeaderLabels(headers);
    for (int i = 0; i < ColumnCount(); ++i) {
      tree->setColumnHidden(i, Column(i).Width() == 0);
      tree->setColumnWidth(i, Column(i).Width());
    }
    for (const TListItem& item : items_) {
      QStringList texts{ToQString(item.Caption)};
      for (const std::string& sub : item.SubItems) texts << ToQString(sub);
      auto* shown = new QTreeWidgetItem(tree, texts);
      shown->setSelected(item.Selected);
    }
  }
}

}  // namespace orv
