// The Tools menu: "Configure Tools..." and one entry per item of tools.dat,
// each opening its address or file, or running its program with the
// current document's file.
#pragma once

#include <QObject>
#include <functional>

class QAction;
class QMenu;

namespace orv::edit {

// Fills `menu` after its fixed first entries and runs the chosen tool.
class ToolsMenu : public QObject {
  Q_OBJECT

 public:
  // `current_file` gives the current document's file ("" when it has none).
  ToolsMenu(QMenu* menu, std::function<QString()> current_file, QObject* parent);

  // Re-reads tools.dat (a missing file is an empty list; a damaged one is
  // reported and the list is empty).
  void Reload();
  // Runs the command of a tool; false, with the reason, when it failed.
  bool Run(const QString& command, QString& error);

 signals:
  void Failed(const QString& text);

 private:
  QMenu* menu_;
  QAction* separator_;
  std::function<QString()> current_file_;
  QList<QAction*> entries_;
};

}  // namespace orv::edit
