// Running event handlers. A handler's error is shown by the application and
// never unwinds through Qt's event loop; while a control's handler runs, its
// widget counts as receiving an event from Qt, so that a control freed by the
// handler (a button that frees its own form) leaves the widget to Qt's loop
// instead of deleting it under Qt. Controls fire through control.h's
// FireEvent, which names their widget; components without a widget (menus,
// timers) fire here directly.
#pragma once

#include <QWidget>

#include "components/property_value.h"

namespace orv {

// Calls `event`'s handler, if one is set, with the sender and the arguments;
// `widget` is the sender's widget, or null when it has none.
void RunHandler(const TMethod& event, TObject* sender, EventArgs& args, QWidget* widget);
// The same without arguments and without a widget.
void RunHandler(const TMethod& event, TObject* sender);

// True when Qt may be delivering an event to `widget` or one of its children
// because a handler of theirs is running.
bool InEventDelivery(QWidget* widget);

}  // namespace orv
