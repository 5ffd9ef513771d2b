#include "controls/lists.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QScrollBar>
#include <QTreeWidget>
#include <algorithm>

#include "components/errors.h"
#include "controls/qt_text.h"

namespace orv {
namespace {

QStringList ItemTexts(const TStringList& items) {
  QStringList texts;
  for (int i = 0; i < items.Count(); ++i) texts << ToQString(items.Get(i));
  return texts;
}

}  // namespace

TItemsControl::TItemsControl(TComponent* owner) : TWinControl(owner), items_(std::make_unique<TStringList>()) {
  color_ = clWindow;
  items_->OnChange = [this](TStringList& items) {
    if (item_index_ >= items.Count()) item_index_ = -1;
    if (ExistingWidget()) ShowItems();
  };
}

void TItemsControl::WidgetCreated() {
  TWinControl::WidgetCreated();
  ShowItems();
}

void TItemsControl::SetItemIndex(int index) {
  item_index_ = index >= 0 && index < items_->Count() ? index : -1;
  if (ExistingWidget()) ShowItems();
}

void TItemsControl::ItemChosen(int index, bool text_changed) {
  if (index == item_index_ && !text_changed) return;
  item_index_ = index;
  FireEvent(OnChange, this);
  Click();
}

void TItemsControl::FollowText(std::string_view text) {
  item_index_ = -1;
  for (int i = 0; i < items_->Count(); ++i)
    if (items_->Get(i) == text) {
      item_index_ = i;
      return;
    }
}

TCustomComboBox::TCustomComboBox(TComponent* owner) : TItemsControl(owner) { SetBounds(0, 0, 145, 21); }

QComboBox* TCustomComboBox::Combo() const { return qobject_cast<QComboBox*>(ExistingWidget()); }

QWidget* TCustomComboBox::CreateWidget(QWidget* parent) {
  auto* combo = new QComboBox(parent);
  combo->setEditable(style_ != csDropDownList);
  combo->setInsertPolicy(QComboBox::NoInsert);
  QObject::connect(combo, &QComboBox::activated, Receiver(), [this](int index) {
    std::string picked = Items()->Get(index);
    const bool text_changed = picked != caption_;
    caption_ = std::move(picked);
    ItemChosen(index, text_changed);
  });
  if (combo->lineEdit())
    QObject::connect(combo->lineEdit(), &QLineEdit::textEdited, Receiver(), [this](const QString& text) {
      caption_ = FromQString(text);
      FollowText(caption_);
      FireEvent(OnChange, this);
    });
  return combo;
}

void TCustomComboBox::ShowItems() {
  QComboBox* combo = Combo();
  QSignalBlocker quiet(combo);
  combo->clear();
  combo->addItems(ItemTexts(*Items()));
  combo->setCurrentIndex(ItemIndex());
  if (combo->isEditable()) combo->setEditText(ToQString(caption_));
}

void TCustomComboBox::WidgetCreated() {
  TItemsControl::WidgetCreated();
  if (QLineEdit* line = Line()) selection_.ShowIn(*line);
}

std::string TCustomComboBox::Caption() const {
  QComboBox* combo = Combo();
  if (!combo) return caption_;
  return FromQString(combo->isEditable() ? combo->currentText() : combo->itemText(combo->currentIndex()));
}

void TCustomComboBox::SetCaption(std::string_view caption) {
  FollowText(caption);
  TWinControl::SetCaption(caption);
  selection_.CaretAtEnd(caption_);
}

void TCustomComboBox::ApplyCaption() {
  if (Combo()) ShowItems();
}

void TCustomComboBox::SetItemIndex(int index) {
  caption_ = index >= 0 && index < Items()->Count() ? Items()->Get(index) : std::string();
  selection_.CaretAtEnd(caption_);
  TItemsControl::SetItemIndex(index);
}

void TCustomComboBox::SetStyle(int style) {
  style_ = style;
  if (QComboBox* combo = Combo()) combo->setEditable(style != csDropDownList);
}

bool TCustomComboBox::DroppedDown() const { return Combo() && Combo()->view()->isVisible(); }

void TCustomComboBox::SetDroppedDown(bool down) {
  if (!down) {
    if (Combo()) Combo()->hidePopup();
    return;
  }
  FireEvent(OnDropDown, this);
  static_cast<QComboBox*>(Widget())->showPopup();
}

QLineEdit* TCustomComboBox::Line() const {
  QComboBox* combo = Combo();
  return combo ? combo->lineEdit() : nullptr;
}

int TCustomComboBox::SelStart() const { return selection_.Start(Line()); }

void TCustomComboBox::SetSelStart(int start) { selection_.SetStart(Line(), Caption(), start); }

int TCustomComboBox::SelLength() const { return selection_.Length(Line()); }

void TCustomComboBox::SetSelLength(int length) { selection_.SetLength(Line(), Caption(), length); }

std::string TCustomComboBox::SelText() const { return selection_.Selected(Line(), Caption()); }

void TCustomComboBox::SetSelText(std::string_view text) {
  if (style_ == csDropDownList) return;  // a drop-down list has no text to edit
  if (selection_.Replace(Line(), caption_, text)) FireEvent(OnChange, this);
}

void TCustomComboBox::SelectAll() { selection_.SelectAll(Line(), Caption()); }

TCustomListBox::TCustomListBox(TComponent* owner) : TItemsControl(owner) { SetBounds(0, 0, 121, 97); }

QListWidget* TCustomListBox::List() const { return qobject_cast<QListWidget*>(ExistingWidget()); }

QWidget* TCustomListBox::CreateWidget(QWidget* parent) {
  auto* list = new QListWidget(parent);
  QObject::connect(list, &QListWidget::currentRowChanged, Receiver(), [this](int row) { ItemChosen(row); });
  QObject::connect(list, &QListWidget::itemSelectionChanged, Receiver(), [this, list] {
    selected_.assign(static_cast<size_t>(Items()->Count()), false);
    for (int i = 0; i < list->count() && i < Items()->Count(); ++i)
      selected_[static_cast<size_t>(i)] = list->item(i)->isSelected();
  });
  return list;
}

void TCustomListBox::ApplySelectionMode() {
  if (QListWidget* list = List())
    list->setSelectionMode(!multi_select_     ? QAbstractItemView::SingleSelection
                           : extended_select_ ? QAbstractItemView::ExtendedSelection
                                              : QAbstractItemView::MultiSelection);
}

void TCustomListBox::ShowItems() {
  QListWidget* list = List();
  QSignalBlocker quiet(list);
  list->clear();
  list->addItems(ItemTexts(*Items()));
  ApplySelectionMode();
  selected_.resize(static_cast<size_t>(Items()->Count()), false);
  for (int i = 0; i < list->count(); ++i) list->item(i)->setSelected(selected_[static_cast<size_t>(i)]);
  list->setCurrentRow(ItemIndex());
}

void TCustomListBox::SetItemIndex(int index) {
  selected_.assign(static_cast<size_t>(Items()->Count()), false);
  if (index >= 0 && index < Items()->Count()) selected_[static_cast<size_t>(index)] = true;
  TItemsControl::SetItemIndex(index);
}

int TCustomListBox::TopIndex() const {
  QListWidget* list = List();
  if (!list) return 0;
  QListWidgetItem* top = list->itemAt(0, 0);
  return top ? list->row(top) : 0;
}

void TCustomListBox::SetTopIndex(int index) {
  if (QListWidget* list = List(); list && index >= 0 && index < list->count())
    list->scrollToItem(list->item(index), QAbstractItemView::PositionAtTop);
}

void TCustomListBox::SetMultiSelect(bool multi) {
  multi_select_ = multi;
  ApplySelectionMode();
}

void TCustomListBox::SetExtendedSelect(bool extended) {
  extended_select_ = extended;
  ApplySelectionMode();
}

bool TCustomListBox::Selected(int index) const {
  if (index < 0 || index >= Items()->Count()) throw ListIndexError(index);
  return static_cast<size_t>(index) < selected_.size() && selected_[static_cast<size_t>(index)];
}

void TCustomListBox::SetSelected(int index, bool selected) {
  if (index < 0 || index >= Items()->Count()) throw ListIndexError(index);
  selected_.resize(static_cast<size_t>(Items()->Count()), false);
  if (!multi_select_ && selected) selected_.assign(selected_.size(), false);
  selected_[static_cast<size_t>(index)] = selected;
  if (QListWidget* list = List()) list->item(index)->setSelected(selected);
}

int TCustomListBox::SelCount() const {
  return static_cast<int>(std::count(selected_.begin(), selected_.end(), true));
}

TScrollBar::TScrollBar(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 121, 16); }

QWidget* TScrollBar::CreateWidget(QWidget* parent) {
  auto* bar = new QScrollBar(kind_ == sbVertical ? Qt::Vertical : Qt::Horizontal, parent);
  bar->setRange(min_, max_);
  bar->setValue(position_);
  bar->setSingleStep(small_change_);
  bar->setPageStep(large_change_);
  QObject::connect(bar, &QScrollBar::valueChanged, Receiver(), [this](int value) {
    position_ = value;
    FireEvent(OnScroll, this);
    FireEvent(OnChange, this);
  });
  return bar;
}

void TScrollBar::SetKind(int kind) {
  kind_ = kind;
  if (auto* bar = qobject_cast<QScrollBar*>(ExistingWidget()))
    bar->setOrientation(kind == sbVertical ? Qt::Vertical : Qt::Horizontal);
}

void TScrollBar::SetParams(int position, int min, int max) {
  max = std::max(min, max);
  position = std::clamp(position, min, max);
  bool changed = position != position_;
  min_ = min;
  max_ = max;
  position_ = position;
  if (auto* bar = qobject_cast<QScrollBar*>(ExistingWidget())) {
    QSignalBlocker quiet(bar);
    bar->setRange(min, max);
    bar->setValue(position);
  }
  if (changed) FireEvent(OnChange, this);
}

void TScrollBar::SetSmallChange(int change) {
  small_change_ = change;
  if (auto* bar = qobject_cast<QScrollBar*>(ExistingWidget())) bar->setSingleStep(change);
}

void TScrollBar::SetLargeChange(int change) {
  large_change_ = change;
  if (auto* bar = qobject_cast<QScrollBar*>(ExistingWidget())) bar->setPageStep(change);
}

TProgressBar::TProgressBar(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 150, 16);
  SetTabStop(false);
}

QWidget* TProgressBar::CreateWidget(QWidget* parent) {
  auto* bar = new QProgressBar(parent);
  bar->setTextVisible(false);
  bar->setOrientation(orientation_ == 1 ? Qt::Vertical : Qt::Horizontal);
  return bar;
}

void TProgressBar::ApplyRange() {
  if (auto* bar = qobject_cast<QProgressBar*>(ExistingWidget())) {
    bar->setRange(min_, max_);
    bar->setValue(position_);
  }
}

void TProgressBar::SetMin(int min) {
  min_ = min;
  max_ = std::max(max_, min_);
  position_ = std::clamp(position_, min_, max_);
  ApplyRange();
}

void TProgressBar::SetMax(int max) {
  max_ = max;
  min_ = std::min(min_, max_);
  position_ = std::clamp(position_, min_, max_);
  ApplyRange();
}

void TProgressBar::SetPosition(int position) {
  position_ = std::clamp(position, min_, max_);
  ApplyRange();
}

void TProgressBar::SetOrientation(int orientation) {
  orientation_ = orientation;
  if (auto* bar = qobject_cast<QProgressBar*>(ExistingWidget()))
    bar->setOrientation(orientation == 1 ? Qt::Vertical : Qt::Horizontal);
}

TCustomListView::TCustomListView(TComponent* owner) : TWinControl(owner) {
  color_ = clWindow;
  SetBounds(0, 0, 250, 150);
}

TListColumn& TCustomListView::Column(int index) {
  if (index < 0 || index >= ColumnCount()) throw ListIndexError(index);
  return columns_[static_cast<size_t>(index)];
}

TListColumn& TCustomListView::AddColumn(std::string_view caption, int width) {
  columns_.push_back({std::string(caption), width});
  Refresh();
  return columns_.back();
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
  Refresh();
}

void TCustomListView::ReadSelection() {
  std::vector<bool> before;
  for (const TListItem& item : items_) before.push_back(item.Selected);
  if (auto* icons = qobject_cast<QListWidget*>(ExistingWidget()))
    for (int i = 0; i < icons->count() && i < ItemCount(); ++i) items_[static_cast<size_t>(i)].Selected = icons->item(i)->isSelected();
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
    for (const TListItem& item : items_) {
      auto* shown = new QListWidgetItem(ToQString(item.Caption), icons);
      shown->setIcon(icons->style()->standardIcon(QStyle::SP_FileIcon));
      shown->setSelected(item.Selected);
    }
  }
  if (auto* tree = qobject_cast<QTreeWidget*>(widget)) {
    QSignalBlocker quiet(tree);
    tree->setSelectionMode(mode);
    tree->clear();
    int count = std::max(ColumnCount(), 1);
    tree->setColumnCount(count);
    QStringList headers;
    for (const TListColumn& column : columns_) headers << ToQString(column.Caption);
    tree->setHeaderLabels(headers);
    for (int i = 0; i < ColumnCount(); ++i) {
      tree->setColumnHidden(i, columns_[static_cast<size_t>(i)].Width == 0);
      tree->setColumnWidth(i, columns_[static_cast<size_t>(i)].Width);
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
