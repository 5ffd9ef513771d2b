#include "edit/project_commands.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProgressBar>
#include <QUrl>
#include <utility>

#include "edit/dialog_libraries.h"
#include "edit/document.h"
#include "edit/document_tabs.h"
#include "edit/main_window.h"
#include "edit/preview_server.h"
#include "edit/project.h"
#include "edit/project_panel.h"
#include "edit/recent_list.h"
#include "edit/warnings_panel.h"
#include "orv/host.h"
#include "orvsys/model/data_files.h"
#include "orvsys/model/project_options.h"
#include "platform/exception.h"
#include "platform/files.h"
#include "platform/ini_file.h"
#include "platform/paths.h"

namespace orv::edit {

ProjectCommands::ProjectCommands(MainWindow& window) : QObject(&window), window_(window) {
  runner_ = new BuildRunner(this);
  connect(runner_, &BuildRunner::LineRead, this, &ProjectCommands::ReadLine);
  connect(runner_, &BuildRunner::Finished, this, &ProjectCommands::Finish);
  server_ = new PreviewServer(this);
  connect(server_, &PreviewServer::Ready, this, [this](const QUrl& address) {
    window_.ShowStatus(tr("The preview server serves the output folder at %1").arg(address.toString()), 5000);
    if (std::exchange(preview_when_served_, false)) OpenPreview();
  });
  connect(server_, &PreviewServer::Failed, this, &ProjectCommands::ServerFailed);
}

ProjectCommands::~ProjectCommands() = default;

bool ProjectCommands::Open(const QString& path) {
  std::unique_ptr<Project> project;
  try {
    project = std::make_unique<Project>(QFileInfo(path).absoluteFilePath().toStdString());
  } catch (const Exception& error) {
    window_.ShowError(tr("Open Project"), QString::fromStdString(error.what()));
    return false;
  }
  runner_->Stop();
  StopPreview();
  project_ = std::move(project);
  no_server_.clear();
  built_ = false;
  last_seconds_ = -1;
  const QString file = QString::fromStdString(project_->Path());
  window_.ProjectTree().ShowFolder(QString::fromStdString(project_->Name()),
                                   QString::fromStdString(project_->SourceDir()));
  window_.ProjectTree().show();
  window_.AddRecentProject(file);
  try {
    TIniFile(EditorSettingsFile()).WriteString("Session", "Project", file.toStdString());
  } catch (const Exception&) {
    // Only the reopening at the next start is lost.
  }
  window_.ShowStatus(tr("Project %1 opened.").arg(QString::fromStdString(project_->Name())), 5000);
  emit ProjectChanged();
  return true;
}

void ProjectCommands::Close() {
  runner_->Stop();
  StopPreview();
  project_.reset();
  window_.ProjectTree().ShowFolder(QString(), QString());
  emit ProjectChanged();
}

bool ProjectCommands::Require() {
  if (project_) return true;
  window_.ShowStatus(tr("Open a project first (Project | Open Project)."), 5000);
  return false;
}

void ProjectCommands::Options() {
  if (!Require()) return;
  const std::string exchange = ProjectOptionsFile();
  try {
    project_->WriteOptionsExchange(exchange);
    const bool confirmed = window_.Libraries().ShowProjPref(0, 0) != 0;
    orv_process_messages();
    if (confirmed) project_->ReadOptionsExchange(exchange);
  } catch (const Exception& error) {
    window_.ShowError(tr("Project Options"), QString::fromStdString(error.what()));
  }
  DeleteFile(exchange);
  window_.ProjectTree().ShowFolder(QString::fromStdString(project_->Name()),
                                   QString::fromStdString(project_->SourceDir()));
  window_.UpdateActions();
}

void ProjectCommands::Variables() {
  if (!Require()) return;
  const std::string exchange = VarsExchangeFile();
  try {
    project_->WriteVariablesExchange(exchange);
    const bool confirmed = window_.Libraries().DoVars(0) != 0;
    orv_process_messages();
    if (confirmed) project_->ReadVariablesExchange(exchange);
  } catch (const Exception& error) {
    window_.ShowError(tr("Organize Variables"), QString::fromStdString(error.what()));
  }
  DeleteFile(exchange);
  window_.UpdateActions();
}

void ProjectCommands::Build(bool all) {
  if (!Require()) return;
  if (runner_->Running()) {
    window_.ShowStatus(tr("A build is running."), 5000);
    return;
  }
  if (!window_.Tabs().SaveAll()) return;
  const QString program = OrvccProgram();
  if (program.isEmpty()) {
    window_.ShowError(tr("Build"), OrvccMissing());
    return;
  }
  if (!orvcc_options_) orvcc_options_ = ReadOrvccOptions(program);
  QStringList arguments;
  if (all && orvcc_options_->All) arguments << QStringLiteral("--all");
  const QString file = QString::fromStdString(project_->Path());
  arguments << file;
  window_.Warnings().Clear();
  summary_.clear();
  QString error;
  if (!runner_->Start(program, arguments, QFileInfo(file).absolutePath(), error)) {
    window_.ShowError(tr("Build"), error);
    return;
  }
  window_.Progress().setRange(0, 0);
  window_.Progress().show();
  window_.ShowStatus(tr("Building %1...").arg(QString::fromStdString(project_->Name())));
  window_.UpdateActions();
}

void ProjectCommands::StopBuild() {
  preview_after_build_ = false;
  runner_->Stop();
}

void ProjectCommands::ReadLine(const BuildLine& line) {
  switch (line.What) {
    case BuildLine::Kind::Progress:
      window_.Progress().setRange(0, line.Pages);
      window_.Progress().setValue(line.Page);
      window_.ShowStatus(tr("Building %1 (%2 of %3)")
                             .arg(QFileInfo(QString::fromStdString(line.File)).fileName())
                             .arg(line.Page)
                             .arg(line.Pages));
      return;
    case BuildLine::Kind::Other: {
      const QString text = QString::fromStdString(line.Message).trimmed();
      if (text.startsWith(QLatin1String("orvcc:"))) window_.Warnings().AddText(text);
      else if (!text.isEmpty()) summary_ = text;
      return;
    }
    default:
      if (project_)
        window_.Warnings().Add(line, QFileInfo(QString::fromStdString(project_->Path())).absolutePath());
      return;
  }
}

void ProjectCommands::Finish(int status, double seconds) {
  window_.Progress().hide();
  last_seconds_ = seconds;
  const int warnings = window_.Warnings().Warnings();
  if (status == 0) {
    built_ = true;
    QString text = tr("Build finished in %1 s").arg(seconds, 0, 'f', 2);
    if (warnings > 0) text += tr(", %n warning(s)", nullptr, warnings);
    if (!summary_.isEmpty()) text += QStringLiteral(": ") + summary_;
    window_.ShowStatus(text);
  } else {
    if (!summary_.isEmpty()) window_.Warnings().AddText(summary_);
    window_.ShowStatus(status < 0 ? tr("The build was stopped.") : tr("The build failed (status %1).").arg(status));
    preview_after_build_ = false;
  }
  if (window_.Warnings().Count() > 0) window_.Warnings().show();
  window_.UpdateActions();
  emit BuildFinished(status);
  if (preview_after_build_ && status == 0) {
    preview_after_build_ = false;
    OpenPreview();
  }
}

QString ProjectCommands::PreviewPage() const {
  if (Document* document = window_.Tabs().Current(); document && !document->IsUntitled()) {
    const std::string source = document->Path().toStdString();
    if (ExtractFileExt(source) == ".html" || ExtractFileExt(source) == ".htm") return document->Path();
    if (project_) return QString::fromStdString(project_->OutputPageOf(source));
  }
  if (!project_) return {};
  const std::string index = project_->OutputDir() + "index.html";
  if (FileExists(index) || project_->Pages().empty()) return QString::fromStdString(index);
  return QString::fromStdString(project_->OutputPageOf(project_->Pages().front()));
}

void ProjectCommands::OpenPreview() {
  const QString page = PreviewPage();
  if (page.isEmpty()) {
    window_.ShowStatus(tr("Open a project or a page to preview."), 5000);
    return;
  }
  if (!QFileInfo::exists(page)) {
    window_.ShowError(tr("Preview"), tr("%1 has not been built.").arg(page));
    return;
  }
  QUrl address = QUrl::fromLocalFile(page);
  const QString output = project_ ? QString::fromStdString(project_->OutputDir()) : QString();
  if (server_->Serving() && page.startsWith(output)) {
    address = server_->Address();
    address.setPath(QLatin1Char('/') + page.mid(output.size()));
  }
  if (!QDesktopServices::openUrl(address)) {
    window_.ShowError(tr("Preview"), tr("No browser could open %1.").arg(address.toDisplayString()));
    return;
  }
  if (project_ && !no_server_.isEmpty())
    window_.ShowStatus(tr("Opened the built file; the preview server did not start: %1").arg(no_server_));
}

void ProjectCommands::PreviewFile() {
  bool modified = false;
  for (Document* document : window_.Tabs().Documents()) modified = modified || document->isModified();
  if (project_ && (modified || !built_)) {
    preview_after_build_ = true;
    Build(false);
    if (!runner_->Running()) preview_after_build_ = false;
    return;
  }
  OpenPreview();
}

void ProjectCommands::Preview() {
  if (!project_ || !no_server_.isEmpty()) {
    PreviewFile();
    return;
  }
  // The server builds what is saved.
  if (!window_.Tabs().SaveAll()) return;
  if (server_->Serving()) {
    OpenPreview();
    return;
  }
  preview_when_served_ = true;
  if (server_->Starting()) return;
  const QString program = OrvccProgram();
  if (program.isEmpty()) {
    ServerFailed(OrvccMissing());
    return;
  }
  window_.ShowStatus(tr("Starting the preview server of %1...").arg(QString::fromStdString(project_->Name())));
  server_->Start(program, QString::fromStdString(project_->Path()));
}

void ProjectCommands::StopPreview() {
  preview_when_served_ = false;
  server_->Stop();
}

void ProjectCommands::ServerFailed(const QString& reason) {
  no_server_ = reason;
  window_.ShowStatus(tr("The preview server did not start: %1").arg(reason));
  if (std::exchange(preview_when_served_, false)) PreviewFile();
}

void ProjectCommands::Publish() {
  if (!Require()) return;
  window_.Libraries().UploadFiles(project_->OutputDir().c_str(), "", window_.Host());
  orv_process_messages();
  window_.UpdateActions();
}

void ProjectCommands::Information() {
  if (!Require()) return;
  const std::string seconds = last_seconds_ < 0 ? "0" : QString::number(last_seconds_, 'f', 2).toStdString();
  window_.Libraries().ShowInfo(0, project_->Name().c_str(), seconds.c_str());
  orv_process_messages();
}

}  // namespace orv::edit
