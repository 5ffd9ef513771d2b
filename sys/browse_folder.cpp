#include "sys/browse_folder.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QTimer>
#include <cstdlib>
#include <vector>

#include "components/class_table.h"
#include "controls/qt_application.h"

namespace orv {
namespace {

constexpr size_t kStatusWidth = 35;

std::string Join(const std::vector<std::string>& parts) {
  std::string joined;
  for (size_t i = 0; i < parts.size(); ++i) joined += (i ? "/" : "") + parts[i];
  return joined;
}

std::string Home() {
  const char* home = std::getenv("HOME");
  return home && *home ? std::string(home) + "/" : "/";
}

// The roots a browser starts in, by their names in form files.
const TypeInfo kBrowseRoot{
    "TBrowseRoot",
    TypeKind::Enumeration,
    {{"foDesktop", foDesktop}, {"foPrograms", foPrograms}, {"foControls", foControls},
     {"foPrinters", foPrinters}, {"foPersonal", foPersonal}, {"foFavorites", foFavorites},
     {"foStartup", foStartup}, {"foRecent", foRecent}, {"foSendto", foSendto},
     {"foRecycleBin", foRecycleBin}, {"foStartMenu", foStartMenu}, {"foDesktopDirectory", foDesktopDirectory},
     {"foMyComputer", foMyComputer}, {"foNetwork", foNetwork}, {"foNetworkNeighborhood", foNetworkNeighborhood},
     {"foFonts", foFonts}, {"foTemplates", foTemplates}}};

// The browser's options as a set of form files.
const TypeInfo kBrowseFlags{"TBrowseFlags",
                            TypeKind::Set,
                            {{"bfFileSysDirsOnly", 0}, {"bfDontGoBelowDomain", 1}, {"bfStatusText", 2},
                             {"bfFileSysAncestors", 3}, {"bfBrowseForComputer", 4}, {"bfBrowseForPrinter", 5}}};

// A dialog's form file configures its browser.
[[maybe_unused]] const bool registered = [] {
  using publish::Field;
  RegisterClassTable({.name = "TBrowseFolder",
                      .parent = "TComponent",
                      .factory = publish::Factory<TBrowseFolder>(),
                      .published = {Field("Title", types::String, &TBrowseFolder::Title),
                                    Field("Folder", kBrowseRoot, &TBrowseFolder::Folder),
                                    Field("Flags", kBrowseFlags, &TBrowseFolder::Flags),
                                    Field("ShowFullPath", types::Boolean, &TBrowseFolder::ShowFullPath)}});
  return true;
}();

}  // namespace

std::string ShortenStatusPath(const std::string& path) {
  if (path.size() <= kStatusWidth) return path;
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t slash; (slash = path.find('/', start)) != std::string::npos; start = slash + 1)
    parts.push_back(path.substr(start, slash - start));
  parts.push_back(path.substr(start));
  if (parts.size() <= 2) return path;
  parts[1] = "...";
  while (Join(parts).size() > kStatusWidth && parts.size() > 3) parts.erase(parts.begin() + 2);
  return Join(parts);
}

std::string BrowseRootFolder(TBrowseRoot root) {
  switch (root) {
    case foMyComputer:
    case foNetwork:
    case foNetworkNeighborhood:
      return "/";
    case foDesktop:
    case foDesktopDirectory:
      return Home() + "Desktop/";
    case foTemplates:
      return Home() + "Templates/";
    default:
      return Home();
  }
}

TBrowseFolder::TBrowseFolder(TComponent* owner) : TComponent(owner) {}

bool TBrowseFolder::Execute(std::string& folder) {
  if (showing_) throw EBrowseDialogAlreadyShowing();
  EnsureQtApplication();
  QFileDialog dialog;
  dialog.setObjectName(QString::fromStdString(Name()));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::ShowDirsOnly);
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setWindowTitle(QString::fromStdString(Title));
  dialog.setDirectory(QString::fromStdString(BrowseRootFolder(Folder)));
  auto* status = new QLabel(&dialog);
  status->setObjectName("StatusText");
  if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) grid->addWidget(status, grid->rowCount(), 0, 1, -1);
  QObject::connect(&dialog, &QFileDialog::currentChanged, &dialog,
                   [this, &dialog](const QString& path) { SelectionChanged(dialog, path); });
  QTimer::singleShot(0, &dialog, [this] {
    if (OnInitialized) OnInitialized(CallbackParam);
  });
  showing_ = true;
  bool accepted = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
  showing_ = false;
  if (accepted) folder = dialog.selectedFiles().first().toStdString();
  return accepted;
}

void TBrowseFolder::SelectionChanged(QFileDialog& dialog, const QString& path) {
  if (ShowFullPath)
    if (auto* status = dialog.findChild<QLabel*>("StatusText"))
      status->setText(QString::fromStdString(ShortenStatusPath(path.toStdString())));
  if (OnSelectionChanged) OnSelectionChanged(CallbackParam, path.toStdString());
}

}  // namespace orv
