#include "controls/menus.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <algorithm>

#include "components/errors.h"
#include "controls/event_firing.h"
#include "controls/qt_application.h"
#include "controls/qt_text.h"

namespace orv {
TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner) {}

TMenuItem::~TMenuItem() {
  if (parent_) parent_->Remove(this);
  for (TMenuItem* item : items_) item->parent_ = nullptr;
  delete action_.data();
}

TMenuItem* TMenuItem::Items(int index) const {
  if (index < 0 || index >= Count()) throw ListIndexError(index);
  return items_[static_cast<size_t>(index)];
}

void TMenuItem::Add(TMenuItem* item) {
  if (!item || item->parent_ == this) return;
  if (item->parent_) item->parent_->Remove(item);
  items_.push_back(item);
  item->parent_ = this;
  Rebuild();
}

void TMenuItem::Remove(TMenuItem* item) {
  auto it = std::find(items_.begin(), items_.end(), item);
  if (it == items_.end()) return;
  items_.erase(it);
  item->parent_ = nullptr;
  Rebuild();
}

void TMenuItem::SetParentComponent(TComponent* parent) {
  if (auto* menu = dynamic_cast<TMenu*>(parent)) menu->Items()->Add(this);
  else if (auto* item = dynamic_cast<TMenuItem*>(parent)) item->Add(this);
}

TComponent* TMenuItem::GetParentComponent() const { return parent_; }

void TMenuItem::SetCaption(std::string_view caption) {
  caption_ = caption;
  if (action_) {
    action_->setText(ToQString(caption_));
    action_->setSeparator(caption_ == "-");
  }
}

void TMenuItem::SetChecked(bool checked) {
  checked_ = checked;
  if (action_) {
    action_->setCheckable(checked || radio_item_);
    action_->setChecked(checked);
  }
}

void TMenuItem::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (action_) action_->setEnabled(enabled);
}

void TMenuItem::SetVisible(bool visible) {
  visible_ = visible;
  if (action_) action_->setVisible(visible);
}

void TMenuItem::Renamed() {
  if (action_) action_->setObjectName(ToQString(Name()));
}

void TMenuItem::Click() {
  if (radio_item_) {
    if (parent_)
      for (TMenuItem* sibling : parent_->items_)
        if (sibling != this && sibling->radio_item_ && sibling->group_index_ == group_index_) sibling->SetChecked(false);
    SetChecked(true);
  }
  RunHandler(OnClick, this);
}

QAction* TMenuItem::Action() {
  if (!action_) {
    EnsureQtApplication();
    action_ = new QAction();
    action_->setObjectName(ToQString(Name()));
    QObject::connect(action_, &QAction::triggered, action_, [this] { Click(); });
    SetCaption(caption_);
    SetChecked(checked_);
    SetEnabled(enabled_);
    SetVisible(visible_);
    Rebuild();
  }
  return action_;
}

void TMenuItem::Rebuild() {
  if (!action_) return;
  if (items_.empty()) {
    action_->setMenu(nullptr);
    menu_.reset();
    return;
  }
  if (!menu_) menu_ = std::make_unique<QMenu>();
  menu_->clear();
  for (TMenuItem* item : items_) menu_->addAction(item->Action());
  action_->setMenu(menu_.get());
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(std::make_unique<TMenuItem>(nullptr)) {}

TMenu::~TMenu() = default;

TMainMenu::TMainMenu(TComponent* owner) : TMenu(owner) {}

TMainMenu::~TMainMenu() { delete bar_.data(); }

QMenuBar* TMainMenu::MenuBar() {
  if (!bar_) {
    EnsureQtApplication();
    bar_ = new QMenuBar();
    bar_->setObjectName(ToQString(Name()));
  }
  bar_->clear();
  for (int i = 0; i < Items()->Count(); ++i) bar_->addAction(Items()->Items(i)->Action());
  return bar_;
}

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {}

void TPopupMenu::Popup(int x, int y) {
  EnsureQtApplication();
  RunHandler(OnPopup, this);
  QMenu menu;
  menu.setObjectName(ToQString(Name()));
  for (int i = 0; i < Items()->Count(); ++i) menu.addAction(Items()->Items(i)->Action());
  menu.exec(QPoint(x, y));
}

}  // namespace orv
