#include "edit/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QStatusBar>
#include <QTimer>
#include <cxxabi.h>
#include <typeinfo>

#include "edit/dialog_libraries.h"
#include "edit/document.h"
#include "edit/document_tabs.h"
#include "edit/find_dialog.h"
#include "edit/library_commands.h"
#include "edit/project.h"
#include "edit/project_commands.h"
#include "edit/project_panel.h"
#include "edit/recent_list.h"
#include "edit/recent_menu.h"
#include "edit/tools_menu.h"
#include "edit/warnings_panel.h"
#include "platform/exception.h"
#include "platform/files.h"
#include "platform/ini_file.h"
#include "platform/paths.h"

namespace orv::edit {
namespace {

// The class name of an error without its namespaces ("EInOutError"), as
// the error centre's table of kinds knows them.
QString ClassName(const std::exception& error) {
  int status = 0;
  char* readable = abi::__cxa_demangle(typeid(error).name(), nullptr, nullptr, &status);
  std::string name = status == 0 && readable ? readable : typeid(error).name();
  std::free(readable);
  const size_t colon = name.rfind("::");
  return QString::fromStdString(colon == std::string::npos ? name : name.substr(colon + 2));
}

}  // namespace

MainWindow::MainWindow(DialogLibraries& libraries, QWidget* parent)
    : QMainWindow(parent), libraries_(libraries), host_(*this) {
  setObjectName(QStringLiteral("MainWindow"));
  setWindowTitle(tr("ORV Editor"));
  resize(1000, 700);

  tabs_ = new DocumentTabs(this);
  setCentralWidget(tabs_);
  project_panel_ = new ProjectPanel(this);
  addDockWidget(Qt::LeftDockWidgetArea, project_panel_);
  warnings_ = new WarningsPanel(this);
  addDockWidget(Qt::BottomDockWidgetArea, warnings_);
  warnings_->hide();
  resizeDocks({project_panel_}, {220}, Qt::Horizontal);
  resizeDocks({warnings_}, {140}, Qt::Vertical);
  find_ = new FindDialog([this] { return tabs_->Current(); }, this);

  caret_label_ = new QLabel(this);
  caret_label_->setObjectName(QStringLiteral("CaretLabel"));
  format_label_ = new QLabel(this);
  format_label_->setObjectName(QStringLiteral("FormatLabel"));
  busy_label_ = new QLabel(tr("Working on the network..."), this);
  busy_label_->setObjectName(QStringLiteral("BusyLabel"));
  busy_label_->hide();
  progress_ = new QProgressBar(this);
  progress_->setObjectName(QStringLiteral("BuildProgress"));
  progress_->setMaximumWidth(200);
  progress_->hide();
  statusBar()->setObjectName(QStringLiteral("StatusBar"));
  statusBar()->addPermanentWidget(busy_label_);
  statusBar()->addPermanentWidget(progress_);
  statusBar()->addPermanentWidget(format_label_);
  statusBar()->addPermanentWidget(caret_label_);

  projects_ = std::make_unique<ProjectCommands>(*this);
  BuildMenus();
  tabs_->SetFileFilter(library_commands_->FileFilter());

  connect(tabs_, &DocumentTabs::CurrentDocumentChanged, this, [this](Document* document) {
    UpdateCaretLabel();
    UpdateTitle();
    UpdateActions();
    if (document) connect(document, &QsciScintilla::cursorPositionChanged, this, &MainWindow::UpdateCaretLabel,
                          Qt::UniqueConnection);
  });
  connect(tabs_, &DocumentTabs::FileUsed, this, [this](const QString& path) { recent_files_->Add(path); });
  connect(project_panel_, &ProjectPanel::OpenFile, this, [this](const QString& path) { OpenPath(path); });
  connect(warnings_, &WarningsPanel::OpenLocation, this, &MainWindow::OpenLocation);
  connect(projects_.get(), &ProjectCommands::ProjectChanged, this, [this] {
    UpdateTitle();
    UpdateActions();
  });

  ReadPreferences();
  tools_->Reload();
  UpdateActions();
  SayMissingLibraries();
}

MainWindow::~MainWindow() = default;

void MainWindow::SayMissingLibraries() {
  QStringList missing;
  for (const DialogLibraries::Library* library : {&libraries_.Sys, &libraries_.Tagwiz, &libraries_.Huepick})
    if (!library->Loaded()) missing << QString::fromStdString(library->Error);
  if (!missing.isEmpty())
    ShowStatus(tr("Some commands are unavailable: %1").arg(missing.join(QStringLiteral("; "))));
}

void MainWindow::OpenAtStart(const QStringList& files) {
  for (const QString& file : files) OpenPath(file);
  if (!files.isEmpty()) return;
  if (preferences_.LastProject) {
    const QString last = QString::fromStdString(TIniFile(EditorSettingsFile()).ReadString("Session", "Project", ""));
    if (!last.isEmpty() && QFileInfo(last).isFile()) projects_->Open(last);
  }
  if (preferences_.NewEditor && tabs_->count() == 0) NewDocument();
}

bool MainWindow::OpenPath(const QString& path) {
  if (path.endsWith(QLatin1String(".orv"), Qt::CaseInsensitive)) return projects_->Open(path);
  try {
    tabs_->Open(path);
    return true;
  } catch (const Exception& error) {
    recent_files_->Forget(QFileInfo(path).absoluteFilePath());
    ShowError(tr("Open"), QString::fromStdString(error.what()));
    return false;
  }
}

Document* MainWindow::NewDocument() { return tabs_->NewDocument(preferences_.Unix ? LineEnd::Lf : LineEnd::CrLf); }

Document* MainWindow::TargetDocument() {
  Document* document = tabs_->Current();
  return document ? document : NewDocument();
}

void MainWindow::OpenLocation(const QString& path, int line) {
  if (!OpenPath(path)) return;
  if (Document* document = tabs_->Find(path)) document->GoToLine(line);
}

void MainWindow::ShowStatus(const QString& text, int milliseconds) { statusBar()->showMessage(text, milliseconds); }

void MainWindow::ShowError(const QString& title, const QString& text) {
  QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok, this);
  box.setObjectName(QStringLiteral("ErrorMessage"));
  box.exec();
}

void MainWindow::ReadPreferences() {
  preferences_ = orv::ReadPreferences(PreferencesFile());
  QFont font(QString::fromStdString(preferences_.FontName));
  font.setPointSize(preferences_.FontSize > 0 ? preferences_.FontSize : 10);
  font.setStyleHint(QFont::Monospace);
  tabs_->SetBaseFont(font);
  if (preferences_.Maximize && isVisible() && !isMaximized()) showMaximized();
  emit PreferencesRead();
}

void MainWindow::AddRecentProject(const QString& path) { recent_projects_->Add(path); }

void MainWindow::UpdateCaretLabel() {
  Document* document = tabs_->Current();
  caret_label_->setVisible(document != nullptr);
  format_label_->setVisible(document != nullptr);
  if (!document) return;
  int line = 0, index = 0;
  document->getCursorPosition(&line, &index);
  caret_label_->setText(tr("Ln %1, Col %2").arg(line + 1).arg(index + 1));
  format_label_->setText(QStringLiteral("%1  %2").arg(QString::fromLatin1(EncodingName(document->Format().Encoding)),
                                                      QString::fromLatin1(LineEndName(document->Format().LineEnds))));
}

void MainWindow::UpdateTitle() {
  QString title = tr("ORV Editor");
  if (Project* project = projects_->Current()) title = QString::fromStdString(project->Name()) + " - " + title;
  if (Document* document = tabs_->Current())
    title = document->Title() + (document->isModified() ? QStringLiteral(" *") : QString()) + " - " + title;
  setWindowTitle(title);
}

void MainWindow::UpdateActions() {
  Document* document = tabs_->Current();
  unsigned met = 0;
  if (libraries_.Sys.Loaded()) met |= kSys;
  if (libraries_.Tagwiz.Loaded()) met |= kTagwiz;
  if (libraries_.Huepick.Loaded()) met |= kHuepick;
  if (projects_->Current()) met |= kProject;
  if (document) met |= kDocument;
  if (document && !document->IsUntitled()) met |= kSavedDocument;
  if (libraries_.Sys.Loaded() && libraries_.UploadFiles) met |= kPublish;
  met |= projects_->Building() ? kBuilding : kIdle;
  for (auto& [action, needs] : actions_) action->setEnabled((needs & met) == needs);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!tabs_->CloseAll()) {
    event->ignore();
    return;
  }
  projects_->StopBuild();
  projects_->StopPreview();
  find_->close();
  event->accept();
}

void MainWindow::InsertMarkup(const InsertTexts& texts) { TargetDocument()->Insert(texts); }

void MainWindow::SetBusy(bool busy) {
  busy_ = busy ? busy_ + 1 : std::max(0, busy_ - 1);
  busy_label_->setVisible(busy_ > 0);
  if (busy && busy_ == 1) QApplication::setOverrideCursor(Qt::BusyCursor);
  if (!busy && busy_ == 0) QApplication::restoreOverrideCursor();
}

void MainWindow::OpenFile(const std::string& path) { OpenPath(QString::fromStdString(path)); }

void MainWindow::PreferencesChanged() { ReadPreferences(); }

void MainWindow::OpenAsNew(const std::string& path) {
  try {
    tabs_->OpenCopy(QString::fromStdString(path), preferences_.Unix ? LineEnd::Lf : LineEnd::CrLf);
  } catch (const Exception& error) {
    ShowError(tr("New"), QString::fromStdString(error.what()));
  }
}

void MainWindow::ReportError(const std::exception& error) {
  ReportException(QStringLiteral("HostWindow"), error, QStringLiteral("window message"));
}

void MainWindow::ReportException(const QString& sender_class, const std::exception& error, const QString& method) {
  // The error centre is a modal dialog: it opens once the event that failed is over.
  const QString kind = ClassName(error);
  const QString message = QString::fromStdString(error.what());
  QTimer::singleShot(0, this, [this, sender_class, kind, message, method] {
    library_commands_->ShowException(sender_class, kind, message, method);
  });
}

}  // namespace orv::edit
