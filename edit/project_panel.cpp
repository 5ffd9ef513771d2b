#include "edit/project_panel.h"

#include <QFileSystemModel>
#include <QTreeView>

namespace orv::edit {

ProjectPanel::ProjectPanel(QWidget* parent) : QDockWidget(tr("Project"), parent) {
  setObjectName(QStringLiteral("ProjectPanel"));
  model_ = new QFileSystemModel(this);
  model_->setReadOnly(true);
  tree_ = new QTreeView(this);
  tree_->setObjectName(QStringLiteral("ProjectTree"));
  tree_->setHeaderHidden(true);
  setWidget(tree_);
  const auto open = [this](const QModelIndex& index) {
    if (!model_->isDir(index)) emit OpenFile(model_->filePath(index));
  };
  connect(tree_, &QTreeView::activated, this, open);
  connect(tree_, &QTreeView::doubleClicked, this, open);
}

void ProjectPanel::ShowFolder(const QString& title, const QString& folder) {
  setWindowTitle(title.isEmpty() ? tr("Project") : tr("Project: %1").arg(title));
  if (folder.isEmpty()) {
    tree_->setModel(nullptr);
    return;
  }
  tree_->setModel(model_);
  for (int column = 1; column < model_->columnCount(); ++column) tree_->hideColumn(column);
  tree_->setRootIndex(model_->setRootPath(folder));
}

}  // namespace orv::edit
