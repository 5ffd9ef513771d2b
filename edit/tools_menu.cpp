#include "edit/tools_menu.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QProcess>
#include <QUrl>

#include "edit/tool_command.h"
#include "orvsys/model/data_files.h"
#include "platform/exception.h"
#include "platform/user_settings.h"

namespace orv::edit {

ToolsMenu::ToolsMenu(QMenu* menu, std::function<QString()> current_file, QObject* parent)
    : QObject(parent), menu_(menu), separator_(menu->addSeparator()), current_file_(std::move(current_file)) {}

void ToolsMenu::Reload() {
  for (QAction* entry : entries_) delete entry;
  entries_.clear();
  TUserSettingList tools;
  try {
    LoadSettingList(tools, ToolsFile());
  } catch (const Exception& error) {
    emit Failed(QString::fromStdString(error.what()));
  }
  for (int i = 0; i < tools.Count(); ++i) {
    QAction* entry = menu_->addAction(QString::fromStdString(tools.Items(i).Name));
    entry->setObjectName(QStringLiteral("Tool%1").arg(i + 1));
    entry->setToolTip(QString::fromStdString(tools.Items(i).Value));
    connect(entry, &QAction::triggered, this, [this, command = QString::fromStdString(tools.Items(i).Value)] {
      QString error;
      if (!Run(command, error)) emit Failed(error);
    });
    entries_.append(entry);
  }
  separator_->setVisible(!entries_.isEmpty());
}

bool ToolsMenu::Run(const QString& command, QString& error) {
  const QString file = current_file_();
  const ToolAction action = ParseToolCommand(command.toStdString(), file.toStdString());
  const QString target = QString::fromStdString(action.Target);
  switch (action.What) {
    case ToolAction::Kind::Nothing:
      error = tr("The tool has no command.");
      return false;
    case ToolAction::Kind::OpenAddress:
      if (QDesktopServices::openUrl(QUrl(target))) return true;
      error = tr("Cannot open %1").arg(target);
      return false;
    case ToolAction::Kind::OpenFile:
      if (QDesktopServices::openUrl(QUrl::fromLocalFile(target))) return true;
      error = tr("Cannot open %1").arg(target);
      return false;
    case ToolAction::Kind::RunProgram: {
      QStringList arguments;
      for (const std::string& argument : action.Arguments) arguments.append(QString::fromStdString(argument));
      // The tool works in the document's folder, as if started from there.
      const QString folder = file.isEmpty() ? QDir::homePath() : QFileInfo(file).absolutePath();
      if (QProcess::startDetached(target, arguments, folder)) return true;
      error = tr("Cannot run %1").arg(target);
      return false;
    }
  }
  return false;
}

}  // namespace orv::edit
