#include "controls/lists.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QScrollBar>
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

}  // namespace orv
