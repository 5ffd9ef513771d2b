// The Project menu: opening a project (its source tree in the panel), its
// options and variables through the dialogs' exchange files, building with
// orvcc (progress in the status bar, reports in the build panel), the
// preview of the current page through orvcc's preview server (or, without
// one, the built file), publishing and the project's information.
#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <optional>

#include "edit/build_runner.h"

namespace orv::edit {

class MainWindow;
class PreviewServer;
class Project;

// One per main window.
class ProjectCommands : public QObject {
  Q_OBJECT

 public:
  explicit ProjectCommands(MainWindow& window);
  ~ProjectCommands() override;

  Project* Current() const { return project_.get(); }
  // Opens the project file `path` in place of the open one; a file that
  // cannot be read is reported and false returned.
  bool Open(const QString& path);
  void Close();

  void Options();
  void Variables();
  // Saves the modified documents and builds the project: the pages whose
  // inputs changed, or with `all` every page.
  void Build(bool all);
  void StopBuild();
  bool Building() const { return runner_->Running(); }
  // Shows the page of the current document in the browser: saves the
  // modified documents and opens the page's address on the project's
  // preview server, started on first use. Without a server, the built file
  // (building first when a document is modified or the project was not
  // built yet).
  void Preview();
  // Ends the preview server.
  void StopPreview();
  void Publish();
  void Information();
  // The seconds the last finished build took; negative before the first.
  double LastBuildSeconds() const { return last_seconds_; }

 signals:
  void ProjectChanged();
  void BuildFinished(int status);

 private:
  bool Require();
  void ReadLine(const BuildLine& line);
  void Finish(int status, double seconds);
  QString PreviewPage() const;
  void PreviewFile();
  void OpenPreview();
  void ServerFailed(const QString& reason);

  MainWindow& window_;
  std::unique_ptr<Project> project_;
  BuildRunner* runner_;
  PreviewServer* server_;
  // Why the open project's preview server could not start; from then on
  // its preview opens the built file.
  QString no_server_;
  std::optional<OrvccOptions> orvcc_options_;
  QString summary_;
  double last_seconds_ = -1;
  bool built_ = false;
  bool preview_after_build_ = false;
  bool preview_when_served_ = false;
};

}  // namespace orv::edit
