#include "edit/recent_menu.h"

#include "platform/exception.h"

namespace orv::edit {

RecentMenu::RecentMenu(const QString& title, const QString& object_name, RecentList list, QWidget* parent)
    : QMenu(title, parent), list_(std::move(list)) {
  setObjectName(object_name);
  connect(this, &QMenu::aboutToShow, this, &RecentMenu::Fill);
  Fill();
}

QStringList RecentMenu::Items() const {
  QStringList items;
  for (const std::string& path : list_.Items()) items.append(QString::fromStdString(path));
  return items;
}

void RecentMenu::Fill() {
  clear();
  const QStringList items = Items();
  for (int i = 0; i < items.size(); ++i) {
    QAction* action = addAction(QStringLiteral("&%1 %2").arg((i + 1) % 10).arg(items[i]));
    action->setObjectName(objectName() + QString::number(i + 1));
    connect(action, &QAction::triggered, this, [this, path = items[i]] { emit Chosen(path); });
  }
  setEnabled(!items.isEmpty());
}

void RecentMenu::Add(const QString& path) {
  try {
    list_.Add(path.toStdString());
  } catch (const Exception&) {
    // The list is a convenience: a data folder that cannot be written costs
    // only the menu entry.
  }
  Fill();
}

void RecentMenu::Forget(const QString& path) {
  try {
    list_.Remove(path.toStdString());
  } catch (const Exception&) {
  }
  Fill();
}

}  // namespace orv::edit
