#include "controls/folder_dialog.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QTimer>

#include "controls/qt_application.h"
#include "controls/qt_text.h"

namespace orv {

std::optional<std::string> ChooseFolder(const FolderChoice& choice) {
  EnsureQtApplication();
  QFileDialog dialog;
  dialog.setObjectName(ToQString(choice.name));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::ShowDirsOnly);
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setWindowTitle(ToQString(choice.title));
  dialog.setDirectory(ToQString(choice.start));
  auto* status = new QLabel(&dialog);
  status->setObjectName("StatusText");
  if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) grid->addWidget(status, grid->rowCount(), 0, 1, -1);
  QObject::connect(&dialog, &QFileDialog::currentChanged, &dialog, [&choice, status](const QString& path) {
    const std::string folder = FromQString(path);
    if (choice.status_text)
      if (std::optional<std::string> text = choice.status_text(folder)) status->setText(ToQString(*text));
    if (choice.selection_changed) choice.selection_changed(folder);
  });
  QTimer::singleShot(0, &dialog, [&choice] {
    if (choice.shown) choice.shown();
  });
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return FromQString(dialog.selectedFiles().first());
}

}  // namespace orv
