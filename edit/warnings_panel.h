// The panel under the documents that lists what the last build reported:
// warnings, notes and errors, each with its file and line. A double-click
// (or Enter) on one opens the file at that line.
#pragma once

#include <QDockWidget>

#include "edit/build_output.h"

class QListWidget;
class QListWidgetItem;

namespace orv::edit {

// The "Build" panel.
class WarningsPanel : public QDockWidget {
  Q_OBJECT

 public:
  explicit WarningsPanel(QWidget* parent);

  void Clear();
  // Adds a report of the build; a relative file counts from `folder`.
  void Add(const BuildLine& line, const QString& folder);
  // Adds a line of text that is no report (an error of orvcc itself).
  void AddText(const QString& text);
  int Count() const;
  int Warnings() const { return warnings_; }

 signals:
  void OpenLocation(const QString& path, int line);

 private:
  void Activate(QListWidgetItem* item);

  QListWidget* list_;
  int warnings_ = 0;
};

}  // namespace orv::edit
