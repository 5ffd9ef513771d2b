// The class tables of the components without a window of their own: timers
// and menus.
#include "controls/class_tables.h"

#include "components/class_table.h"
#include "controls/menus.h"
#include "controls/timer.h"

namespace orv {

using namespace publish;
using types::Boolean;
using types::Integer;

namespace {

void RegisterTimer() {
  RegisterClassTable({
      .name = "TTimer",
      .factory = Factory<TTimer>(),
      .published = {Bound(Prop("Enabled", Boolean, &TTimer::Enabled, &TTimer::SetEnabled)),
                    Bound(Prop("Interval", Integer, &TTimer::Interval, &TTimer::SetInterval)),
                    Event("OnTimer", "TNotifyEvent", &TTimer::OnTimer)},
      .bound = {"Create"},
  });
}

void RegisterMenus() {
  RegisterClassTable({
      .name = "TMenuItem",
      .factory = Factory<TMenuItem>(),
      .published = {Prop("Caption", types::String, &TMenuItem::Caption, &TMenuItem::SetCaption),
                    Prop("Checked", Boolean, &TMenuItem::Checked, &TMenuItem::SetChecked),
                    Prop("Enabled", Boolean, &TMenuItem::Enabled, &TMenuItem::SetEnabled),
                    Prop("Visible", Boolean, &TMenuItem::Visible, &TMenuItem::SetVisible),
                    Prop("RadioItem", Boolean, &TMenuItem::RadioItem, &TMenuItem::SetRadioItem),
                    Prop("GroupIndex", Integer, &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex),
                    Event("OnClick", "TNotifyEvent", &TMenuItem::OnClick)},
  });
  RegisterClassTable({.name = "TMenu"});
  RegisterClassTable({.name = "TMainMenu", .factory = Factory<TMainMenu>()});
  RegisterClassTable({
      .name = "TPopupMenu",
      .factory = Factory<TPopupMenu>(),
      .published = {Prop("AutoPopup", Boolean, &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup),
                    Event("OnPopup", "TNotifyEvent", &TPopupMenu::OnPopup)},
  });
}

}  // namespace

void RegisterComponentClasses() {
  RegisterTimer();
  RegisterMenus();
}

}  // namespace orv
