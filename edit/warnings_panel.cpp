#include "edit/warnings_panel.h"

#include <QDir>
#include <QListWidget>
#include <QStyle>

namespace orv::edit {
namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kLineRole = Qt::UserRole + 1;

}  // namespace

WarningsPanel::WarningsPanel(QWidget* parent) : QDockWidget(tr("Build Messages"), parent) {
  setObjectName(QStringLiteral("WarningsPanel"));
  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("WarningList"));
  list_->setUniformItemSizes(true);
  setWidget(list_);
  connect(list_, &QListWidget::itemActivated, this, &WarningsPanel::Activate);
  connect(list_, &QListWidget::itemDoubleClicked, this, &WarningsPanel::Activate);
}

void WarningsPanel::Clear() {
  list_->clear();
  warnings_ = 0;
}

int WarningsPanel::Count() const { return list_->count(); }

void WarningsPanel::Add(const BuildLine& line, const QString& folder) {
  QString path = QString::fromStdString(line.File);
  if (QDir::isRelativePath(path)) path = QDir(folder).filePath(path);
  // A file of the project is shown from the project's folder; the tool tip
  // has the whole path.
  const QString relative = QDir(folder).relativeFilePath(path);
  QString text = relative.startsWith(QLatin1String("../")) ? path : relative;
  if (line.Line > 0) text += QStringLiteral(":%1").arg(line.Line);
  QStyle::StandardPixmap icon = QStyle::SP_MessageBoxInformation;
  switch (line.What) {
    case BuildLine::Kind::Warning:
      ++warnings_;
      icon = QStyle::SP_MessageBoxWarning;
      text += tr(": warning: ");
      break;
    case BuildLine::Kind::Error:
      icon = QStyle::SP_MessageBoxCritical;
      text += tr(": error: ");
      break;
    default:
      text += tr(": note: ");
      break;
  }
  auto* item = new QListWidgetItem(style()->standardIcon(icon), text + QString::fromStdString(line.Message), list_);
  item->setData(kPathRole, path);
  item->setData(kLineRole, line.Line);
  item->setToolTip(path);
}

void WarningsPanel::AddText(const QString& text) {
  new QListWidgetItem(style()->standardIcon(QStyle::SP_MessageBoxCritical), text, list_);
}

void WarningsPanel::Activate(QListWidgetItem* item) {
  const QString path = item->data(kPathRole).toString();
  if (!path.isEmpty()) emit OpenLocation(path, item->data(kLineRole).toInt());
}

}  // namespace orv::edit
