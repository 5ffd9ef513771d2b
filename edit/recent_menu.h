// File | Recent Files and File | Recent Projects: a menu over a RecentList,
// filled each time it opens, that forgets a file which is gone.
#pragma once

#include <QMenu>

#include "edit/recent_list.h"

namespace orv::edit {

// One recent-items menu.
class RecentMenu : public QMenu {
  Q_OBJECT

 public:
  RecentMenu(const QString& title, const QString& object_name, RecentList list, QWidget* parent);

  // Puts `path` first; a list that cannot be written is left as it was.
  void Add(const QString& path);
  // Takes `path` out of the list.
  void Forget(const QString& path);
  QStringList Items() const;

 signals:
  void Chosen(const QString& path);

 private:
  void Fill();

  RecentList list_;
};

}  // namespace orv::edit
