// The editor's main window: the documents in tabs, the project panel, the
// build messages, the menus with every command, and the status bar. It is
// the host of the dialog libraries: its HostWindow handle goes to every
// export, and the messages the libraries send come back here.
#pragma once

#include <QMainWindow>
#include <QStringList>
#include <exception>
#include <memory>
#include <vector>

#include "edit/host_window.h"
#include "orvsys/model/preferences.h"

class QLabel;
class QProgressBar;

namespace orv::edit {

class Document;
class DocumentTabs;
class FindDialog;
class LibraryCommands;
class ProjectCommands;
class ProjectPanel;
class RecentMenu;
class ToolsMenu;
class WarningsPanel;
struct DialogLibraries;

// The window.
class MainWindow : public QMainWindow, public HostHandler {
  Q_OBJECT

 public:
  // What a command needs to be available.
  enum Need : unsigned {
    kSys = 1,            // liborvsys.so
    kTagwiz = 2,         // libtagwiz.so
    kHuepick = 4,        // libhuepick.so
    kProject = 8,        // an open project
    kDocument = 16,      // a document
    kSavedDocument = 32, // a document with a file
    kPublish = 64,       // UploadFiles in liborvsys.so
    kIdle = 128,         // no build running
    kBuilding = 256,     // a build running
  };

  explicit MainWindow(DialogLibraries& libraries, QWidget* parent = nullptr);
  ~MainWindow() override;

  HWND Host() const { return host_.Handle(); }
  DialogLibraries& Libraries() { return libraries_; }
  DocumentTabs& Tabs() { return *tabs_; }
  WarningsPanel& Warnings() { return *warnings_; }
  ProjectPanel& ProjectTree() { return *project_panel_; }
  ProjectCommands& Projects() { return *projects_; }
  QProgressBar& Progress() { return *progress_; }
  const TPreferences& Preferences() const { return preferences_; }
  // "true" or "false" for the insert dialogs' tag case.
  const char* LowerTagsArgument() const { return preferences_.LowerTags ? "true" : "false"; }

  // Opens the files named on the command line or handed over by a second
  // start; with none, what the preferences ask for at start (the last
  // project, a new document).
  void OpenAtStart(const QStringList& files);
  // Opens a page, or the project of a .orv file; a file that cannot be read
  // is reported and false returned.
  bool OpenPath(const QString& path);
  // A new untitled document with the preferred line ends.
  Document* NewDocument();
  // The current document, or a new one when there is none.
  Document* TargetDocument();
  // Opens `path` (if needed) and puts the caret on `line`.
  void OpenLocation(const QString& path, int line);

  void ShowStatus(const QString& text, int milliseconds = 0);
  void ShowError(const QString& title, const QString& text);
  // Re-reads preferences.dat and applies the editor's settings from it.
  void ReadPreferences();
  // Shows an error that escaped a command in the error centre (or, without
  // liborvsys.so, in a message box), once the current event is over.
  void ReportException(const QString& sender_class, const std::exception& error, const QString& method);
  // Enables each command whose needs are met.
  void UpdateActions();
  // Remembers a project in File | Recent Projects.
  void AddRecentProject(const QString& path);

  // HostHandler
  void InsertMarkup(const InsertTexts& texts) override;
  void SetBusy(bool busy) override;
  void OpenFile(const std::string& path) override;
  void PreferencesChanged() override;
  void OpenAsNew(const std::string& path) override;
  void ReportError(const std::exception& error) override;

 signals:
  // preferences.dat was read (at start and after message 3038).
  void PreferencesRead();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus();
  QAction* AddAction(QMenu* menu, const char* name, const QString& text, const QKeySequence& shortcut,
                     unsigned needs, std::function<void()> run);
  void UpdateCaretLabel();
  void UpdateTitle();
  void SayMissingLibraries();

  DialogLibraries& libraries_;
  HostWindow host_;
  TPreferences preferences_;
  DocumentTabs* tabs_;
  WarningsPanel* warnings_;
  ProjectPanel* project_panel_;
  QLabel* caret_label_;
  QLabel* format_label_;
  QLabel* busy_label_;
  QProgressBar* progress_;
  FindDialog* find_;
  RecentMenu* recent_files_ = nullptr;
  RecentMenu* recent_projects_ = nullptr;
  ToolsMenu* tools_ = nullptr;
  std::unique_ptr<LibraryCommands> library_commands_;
  std::unique_ptr<ProjectCommands> projects_;
  std::vector<std::pair<QAction*, unsigned>> actions_;
  int busy_ = 0;
};

}  // namespace orv::edit
