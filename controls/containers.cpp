#include "controls/containers.h"

#include <QEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QGuiApplication>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QRadioButton>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QTabWidget>
#include <algorithm>

#include "components/errors.h"
#include "controls/qt_text.h"

namespace orv {
TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TCustomControl(owner) { SetBounds(0, 0, 185, 105); }

QWidget* TCustomGroupBox::CreateWidget(QWidget* parent) { return new QGroupBox(parent); }

void TCustomGroupBox::ApplyCaption() {
  if (auto* box = qobject_cast<QGroupBox*>(ExistingWidget())) box->setTitle(ToQString(caption_));
}

TCustomRadioGroup::TCustomRadioGroup(TComponent* owner)
    : TCustomGroupBox(owner), items_(std::make_unique<TStringList>()) {
  items_->OnChange = [this](TStringList& items) {
    if (item_index_ >= items.Count()) item_index_ = -1;
    ShowButtons();
  };
}

void TCustomRadioGroup::WidgetCreated() {
  TCustomGroupBox::WidgetCreated();
  ShowButtons();
}

bool TCustomRadioGroup::WidgetEvent(QEvent* event) {
  if (event->type() == QEvent::Resize) ShowButtons();
  return TCustomGroupBox::WidgetEvent(event);
}

void TCustomRadioGroup::ShowButtons() {
  QWidget* box = ExistingWidget();
  if (!box) return;
  QList<QRadioButton*> buttons = box->findChildren<QRadioButton*>(Qt::FindDirectChildrenOnly);
  while (buttons.size() > items_->Count()) delete buttons.takeLast();
  while (buttons.size() < items_->Count()) {
    auto* button = new QRadioButton(box);
    int index = static_cast<int>(buttons.size());
    QObject::connect(button, &QRadioButton::clicked, Receiver(), [this, index] {
      item_index_ = index;
      Click();
    });
    button->show();
    buttons.append(button);
  }
  int columns = std::max(columns_, 1);
  int rows = (items_->Count() + columns - 1) / std::max(columns, 1);
  int top = 16;
  int row_height = rows > 0 ? std::max((Height() - top - 4) / rows, 16) : 16;
  int column_width = (Width() - 16) / columns;
  for (int i = 0; i < buttons.size(); ++i) {
    QRadioButton* button = buttons[i];
    button->setText(ToQString(items_->Get(i)));
    button->setObjectName(ToQString(items_->Get(i)));
    button->setGeometry(8 + (i / std::max(rows, 1)) * column_width, top + (i % std::max(rows, 1)) * row_height,
                        column_width, std::min(row_height, 20));
    button->setChecked(i == item_index_);
  }
}

void TCustomRadioGroup::SetItemIndex(int index) {
  item_index_ = index >= 0 && index < items_->Count() ? index : -1;
  ShowButtons();
  Click();
}

void TCustomRadioGroup::SetColumns(int columns) {
  columns_ = std::clamp(columns, 1, 16);
  ShowButtons();
}

TCustomPanel::TCustomPanel(TComponent* owner) : TCustomControl(owner) { SetBounds(0, 0, 185, 41); }

QWidget* TCustomPanel::CreateWidget(QWidget* parent) {
  auto* frame = new QFrame(parent);
  auto* label = new QLabel(frame);
  label->setObjectName(QStringLiteral("caption"));
  label->lower();
  return frame;
}

void TCustomPanel::ApplyCaption() {
  QWidget* frame = ExistingWidget();
  if (!frame) return;
  auto* label = frame->findChild<QLabel*>(QStringLiteral("caption"), Qt::FindDirectChildrenOnly);
  label->setText(ToQString(caption_));
  label->setAlignment(Qt::AlignVCenter | (alignment_ == 0   ? Qt::AlignLeft
                                          : alignment_ == 1 ? Qt::AlignRight
                                                            : Qt::AlignHCenter));
  label->setGeometry(0, 0, Width(), Height());
  ApplyFrame();
}

void TCustomPanel::SetAlignment(int alignment) {
  alignment_ = alignment;
  ApplyCaption();
}

void TCustomPanel::ApplyFrame() {
  auto* frame = qobject_cast<QFrame*>(ExistingWidget());
  if (!frame) return;
  int bevel = bevel_outer_ != bvNone ? bevel_outer_ : bevel_inner_;
  if (bevel == bvNone && border_style_ == 0) {
    frame->setFrameStyle(QFrame::NoFrame);
    return;
  }
  frame->setFrameStyle(QFrame::Panel | (bevel == bvLowered ? QFrame::Sunken : QFrame::Raised));
  frame->setLineWidth(std::max(bevel_width_, 1));
}

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) {}

TPageControl* TTabSheet::PageControl() const { return dynamic_cast<TPageControl*>(Parent()); }

void TTabSheet::SetPageControl(TPageControl* control) {
  TPageControl* old = PageControl();
  SetParent(control);
  if (old) old->ShowPages();
  if (control) control->ShowPages();
}

void TTabSheet::SetParentComponent(TComponent* parent) {
  if (auto* pages = dynamic_cast<TPageControl*>(parent)) SetPageControl(pages);
  else TWinControl::SetParentComponent(parent);
}

bool TTabSheet::WidgetEvent(QEvent* event) {
  if (event->type() == QEvent::Resize) TakeWidgetSize();
  return TWinControl::WidgetEvent(event);
}

int TTabSheet::PageIndex() const {
  TPageControl* control = PageControl();
  for (int i = 0; control && i < control->PageCount(); ++i)
    if (control->Pages(i) == this) return i;
  return -1;
}

void TTabSheet::ApplyCaption() {
  if (TPageControl* control = PageControl()) control->ShowPages();
}

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 289, 193); }

QWidget* TPageControl::CreateWidget(QWidget* parent) {
  auto* tabs = new QTabWidget(parent);
  QObject::connect(tabs, &QTabWidget::currentChanged, Receiver(), [this](int index) {
    if (index < 0 || index == active_) return;
    active_ = index;
    FireEvent(OnChange, this);
  });
  return tabs;
}

QWidget* TPageControl::ClientWidget() { return Widget(); }

void TPageControl::WidgetCreated() {
  TWinControl::WidgetCreated();
  ShowPages();
}

int TPageControl::PageCount() const {
  int count = 0;
  for (int i = 0; i < ControlCount(); ++i) count += dynamic_cast<TTabSheet*>(Controls(i)) != nullptr;
  return count;
}

TTabSheet* TPageControl::Pages(int index) const {
  for (int i = 0, seen = 0; i < ControlCount(); ++i)
    if (auto* sheet = dynamic_cast<TTabSheet*>(Controls(i)); sheet && seen++ == index) return sheet;
  throw ListIndexError(index);
}

TTabSheet* TPageControl::ActivePage() const { return active_ < PageCount() ? Pages(active_) : nullptr; }

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page) SetActivePageIndex(page->PageIndex());
}

int TPageControl::ActivePageIndex() const { return active_ < PageCount() ? active_ : -1; }

void TPageControl::SetActivePageIndex(int index) {
  if (index < 0 || index >= PageCount()) return;
  active_ = index;
  if (auto* tabs = qobject_cast<QTabWidget*>(ExistingWidget())) tabs->setCurrentIndex(index);
}

void TPageControl::SetBounds(int left, int top, int width, int height) {
  TWinControl::SetBounds(left, top, width, height);
  PlaceSheets();
}

void TPageControl::FontChanged() {
  TWinControl::FontChanged();
  PlaceSheets();
}

void TPageControl::PlaceSheets() {
  QRect area;
  auto* tabs = qobject_cast<QTabWidget*>(ExistingWidget());
  if (tabs && tabs->currentWidget()) {
    area = tabs->currentWidget()->geometry();
  } else {
    constexpr int kFrame = 2;
    const bool measurable = qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
    const int row = (measurable ? QFontMetrics(Font()->ToQFont()).height() : 13) + 10;
    area = QRect(kFrame, row + kFrame, Width() - 2 * kFrame, Height() - row - 2 * kFrame);
  }
  for (int i = 0; i < PageCount(); ++i) {
    TTabSheet* sheet = Pages(i);
    if (sheet->Width() == area.width() && sheet->Height() == area.height()) continue;
    sheet->PlaceBounds(0, 0, area.width(), area.height());
    sheet->AlignControls();
  }
}

void TPageControl::ShowPages() {
  PlaceSheets();
  auto* tabs = qobject_cast<QTabWidget*>(ExistingWidget());
  if (!tabs) return;
  QSignalBlocker quiet(tabs);
  tabs->clear();
  for (int i = 0; i < PageCount(); ++i) {
    TTabSheet* sheet = Pages(i);
    tabs->addTab(sheet->Widget(), ToQString(sheet->Caption()));
  }
  if (active_ < tabs->count()) tabs->setCurrentIndex(active_);
}

TPage::TPage(TComponent* owner) : TCustomControl(owner) {}

TNotebook::TNotebook(TComponent* owner) : TCustomControl(owner), pages_(std::make_unique<TStringList>()) {
  SetBounds(0, 0, 150, 150);
  pages_->OnChange = [this](TStringList&) { SyncPages(); };
  pages_->Add("Default");
}

QWidget* TNotebook::CreateWidget(QWidget* parent) { return new QStackedWidget(parent); }

void TNotebook::WidgetCreated() {
  TCustomControl::WidgetCreated();
  SyncPages();
}

TPage* TNotebook::Page(int index) const {
  if (index < 0 || index >= static_cast<int>(page_controls_.size())) throw ListIndexError(index);
  return page_controls_[static_cast<size_t>(index)];
}

void TNotebook::SyncPages() {
  while (page_controls_.size() > static_cast<size_t>(pages_->Count())) {
    delete page_controls_.back();
    page_controls_.pop_back();
  }
  while (page_controls_.size() < static_cast<size_t>(pages_->Count())) {
    auto* page = new TPage(this);
    page->SetParent(this);
    page->SetAlign(5);
    page_controls_.push_back(page);
  }
  for (size_t i = 0; i < page_controls_.size(); ++i) page_controls_[i]->SetCaption(pages_->Get(static_cast<int>(i)));
  page_index_ = std::clamp(page_index_, 0, std::max(pages_->Count() - 1, 0));
  auto* stack = qobject_cast<QStackedWidget*>(ExistingWidget());
  if (!stack) return;
  for (TPage* page : page_controls_)
    if (stack->indexOf(page->Widget()) < 0) stack->addWidget(page->Widget());
  if (!page_controls_.empty()) stack->setCurrentWidget(page_controls_[static_cast<size_t>(page_index_)]->Widget());
}

void TNotebook::SetPageIndex(int index) {
  if (index < 0 || index >= pages_->Count() || index == page_index_) return;
  page_index_ = index;
  SyncPages();
  FireEvent(OnPageChanged, this);
}

std::string TNotebook::ActivePage() const {
  return page_index_ < pages_->Count() ? pages_->Get(page_index_) : std::string();
}

void TNotebook::SetActivePage(std::string_view caption) { SetPageIndex(pages_->IndexOf(caption)); }

THeader::THeader(TComponent* owner) : TCustomControl(owner), sections_(std::make_unique<TStringList>()) {
  SetBounds(0, 0, 250, 25);
  sections_->OnChange = [this](TStringList& sections) {
    widths_.resize(static_cast<size_t>(sections.Count()), 80);
    ShowSections();
  };
}

QWidget* THeader::CreateWidget(QWidget* parent) {
  auto* header = new QHeaderView(Qt::Horizontal, parent);
  header->setModel(new QStandardItemModel(header));
  header->setSectionsClickable(true);
  QObject::connect(header, &QHeaderView::sectionResized, Receiver(), [this](int index, int, int width) {
    if (index < static_cast<int>(widths_.size())) widths_[static_cast<size_t>(index)] = width;
    EventArgs args{int64_t{index}, int64_t{width}};
    FireEvent(OnSized, this, args);
  });
  return header;
}

void THeader::WidgetCreated() {
  TCustomControl::WidgetCreated();
  ShowSections();
}

void THeader::ShowSections() {
  auto* header = qobject_cast<QHeaderView*>(ExistingWidget());
  if (!header) return;
  auto* model = static_cast<QStandardItemModel*>(header->model());
  QSignalBlocker quiet(header);
  model->clear();
  QStringList labels;
  for (int i = 0; i < sections_->Count(); ++i) labels << ToQString(sections_->Get(i));
  model->setHorizontalHeaderLabels(labels);
  header->setSectionResizeMode(allow_resize_ ? QHeaderView::Interactive : QHeaderView::Fixed);
  for (size_t i = 0; i < widths_.size(); ++i) header->resizeSection(static_cast<int>(i), widths_[i]);
}

void THeader::SetAllowResize(bool allow) {
  allow_resize_ = allow;
  ShowSections();
}

int THeader::SectionWidth(int index) const {
  if (index < 0 || index >= static_cast<int>(widths_.size())) throw ListIndexError(index);
  return widths_[static_cast<size_t>(index)];
}

void THeader::SetSectionWidth(int index, int width) {
  SectionWidth(index);
  widths_[static_cast<size_t>(index)] = width;
  ShowSections();
}

}  // namespace orv
