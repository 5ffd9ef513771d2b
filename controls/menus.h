// Menus: TMenuItem (a QAction, with a QMenu when it has items), TMainMenu
// (a form's QMenuBar) and TPopupMenu (a QMenu shown at a point).
#pragma once

#include <QPointer>
#include <memory>
#include <vector>

#include "components/component.h"
#include "components/property_value.h"

class QAction;
class QMenu;
class QMenuBar;

namespace orv {

// One menu command, or a sub-menu when it has items of its own.
class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;
  std::string ClassName() const override { return "TMenuItem"; }

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string_view caption);
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  bool RadioItem() const { return radio_item_; }
  void SetRadioItem(bool radio) { radio_item_ = radio; }
  int GroupIndex() const { return group_index_; }
  void SetGroupIndex(int group) { group_index_ = group; }

  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const;
  void Add(TMenuItem* item);
  void Remove(TMenuItem* item);
  TMenuItem* Parent() const { return parent_; }
  // Runs OnClick (and checks a radio item).
  void Click();

  void SetParentComponent(TComponent* parent) override;
  TComponent* GetParentComponent() const override;
  bool HasParent() const override { return true; }

  // The item's action, made on first use; a sub-menu when it has items.
  QAction* Action();

  TMethod OnClick;

 protected:
  void Renamed() override;

 private:
  void Rebuild();
  std::string caption_;
  bool checked_ = false;
  bool enabled_ = true;
  bool visible_ = true;
  bool radio_item_ = false;
  int group_index_ = 0;
  std::vector<TMenuItem*> items_;
  TMenuItem* parent_ = nullptr;
  QPointer<QAction> action_;
  std::unique_ptr<QMenu> menu_;
};

// A menu: a root item whose items are the menu's entries.
class TMenu : public TComponent {
 public:
  explicit TMenu(TComponent* owner);
  ~TMenu() override;
  std::string ClassName() const override { return "TMenu"; }
  TMenuItem* Items() const { return items_.get(); }

 private:
  std::unique_ptr<TMenuItem> items_;
};

// The menu bar of a form (the form's Menu).
class TMainMenu : public TMenu {
 public:
  explicit TMainMenu(TComponent* owner);
  ~TMainMenu() override;
  std::string ClassName() const override { return "TMainMenu"; }
  QMenuBar* MenuBar();

 private:
  QPointer<QMenuBar> bar_;
};

// A menu that pops up at a point (a control's PopupMenu).
class TPopupMenu : public TMenu {
 public:
  explicit TPopupMenu(TComponent* owner);
  std::string ClassName() const override { return "TPopupMenu"; }
  bool AutoPopup() const { return auto_popup_; }
  void SetAutoPopup(bool value) { auto_popup_ = value; }
  // Shows the menu at screen position (x, y) and returns once it closed.
  void Popup(int x, int y);

  TMethod OnPopup;

 private:
  bool auto_popup_ = true;
};

}  // namespace orv
