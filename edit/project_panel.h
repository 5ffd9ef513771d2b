// The panel beside the documents that shows the open project's source
// folder as a tree; a double-click (or Enter) on a file opens it.
#pragma once

#include <QDockWidget>

class QFileSystemModel;
class QTreeView;

namespace orv::edit {

// The "Project" panel.
class ProjectPanel : public QDockWidget {
  Q_OBJECT

 public:
  explicit ProjectPanel(QWidget* parent);

  // Shows the tree of `folder` under the project's name; an empty folder
  // shows nothing.
  void ShowFolder(const QString& title, const QString& folder);

 signals:
  void OpenFile(const QString& path);

 private:
  QFileSystemModel* model_;
  QTreeView* tree_;
};

}  // namespace orv::edit
