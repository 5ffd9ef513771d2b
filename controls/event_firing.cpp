#include "controls/event_firing.h"

#include <QPointer>
#include <vector>

#include "controls/application_link.h"

namespace orv {
namespace {

// The widgets of the controls whose event handlers are running.
std::vector<QPointer<QWidget>>& FiringWidgets() {
  static std::vector<QPointer<QWidget>> widgets;
  return widgets;
}

// Records the widget of one running handler's control while it lives.
struct Firing {
  explicit Firing(QWidget* widget) { FiringWidgets().emplace_back(widget); }
  ~Firing() { FiringWidgets().pop_back(); }
  Firing(const Firing&) = delete;
  Firing& operator=(const Firing&) = delete;
};

}  // namespace

void RunHandler(const TMethod& event, TObject* sender, EventArgs& args, QWidget* widget) {
  if (!event.code) return;
  Firing firing(widget);
  try {
    event.code(sender, args);
  } catch (const std::exception& error) {
    LinkedApplication().HandleException(error);
  }
}

void RunHandler(const TMethod& event, TObject* sender) {
  EventArgs none;
  RunHandler(event, sender, none, nullptr);
}

bool InEventDelivery(QWidget* widget) {
  for (const QPointer<QWidget>& firing : FiringWidgets())
    if (firing && (firing == widget || widget->isAncestorOf(firing))) return true;
  return false;
}

}  // namespace orv
