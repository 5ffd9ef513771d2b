// The main window's menus: every command with its name, its shortcut and
// what it needs to be available.
#include <QAction>
#include <QFileDialog>
#include <QInputDialog>
#include <QMenuBar>

#include "edit/document.h"
#include "edit/document_tabs.h"
#include "edit/find_dialog.h"
#include "edit/library_commands.h"
#include "edit/main_window.h"
#include "edit/project_commands.h"
#include "edit/project_panel.h"
#include "edit/recent_list.h"
#include "edit/recent_menu.h"
#include "edit/tools_menu.h"
#include "edit/warnings_panel.h"

namespace orv::edit {

QAction* MainWindow::AddAction(QMenu* menu, const char* name, const QString& text, const QKeySequence& shortcut,
                               unsigned needs, std::function<void()> run) {
  auto* action = new QAction(text, this);
  action->setObjectName(QString::fromLatin1(name));
  action->setShortcut(shortcut);
  connect(action, &QAction::triggered, this, std::move(run));
  menu->addAction(action);
  if (needs != 0) actions_.emplace_back(action, needs);
  return action;
}

void MainWindow::BuildMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MenuBar"));
  const auto menu = [&](const QString& title, const char* name) {
    QMenu* m = bar->addMenu(title);
    m->setObjectName(QString::fromLatin1(name));
    return m;
  };
  const auto current = [this] { return tabs_->Current(); };
  const auto on_document = [this](void (QsciScintilla::*edit)()) {
    return [this, edit] {
      if (Document* document = tabs_->Current()) (document->*edit)();
    };
  };

  QMenu* file = menu(tr("&File"), "FileMenu");
  QMenu* edit = menu(tr("&Edit"), "EditMenu");
  QMenu* view = menu(tr("&View"), "ViewMenu");
  QMenu* insert = menu(tr("&Insert"), "InsertMenu");
  QMenu* project = menu(tr("&Project"), "ProjectMenu");
  QMenu* tools = menu(tr("&Tools"), "ToolsMenu");
  QMenu* help = menu(tr("&Help"), "HelpMenu");

  library_commands_ = std::make_unique<LibraryCommands>(*this);
  LibraryCommands& dialogs = *library_commands_;

  // File
  AddAction(file, "NewAction", tr("&New..."), QKeySequence::New, kSys, [&dialogs] { dialogs.NewFromRepository(); });
  AddAction(file, "NewBlankAction", tr("New &Blank Document"), QKeySequence(tr("Ctrl+Shift+N")), 0,
            [this] { NewDocument(); });
  AddAction(file, "NewProjectAction", tr("New &Project..."), QKeySequence(), kSys,
            [&dialogs] { dialogs.NewProject(); });
  file->addSeparator();
  AddAction(file, "OpenAction", tr("&Open..."), QKeySequence::Open, 0, [this] {
    QFileDialog dialog(this, tr("Open"));
    dialog.setObjectName(QStringLiteral("OpenDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setNameFilter(tabs_->FileFilter());
    if (dialog.exec() == QDialog::Accepted)
      for (const QString& path : dialog.selectedFiles()) OpenPath(path);
  });
  AddAction(file, "OpenProjectAction", tr("Open Pro&ject..."), QKeySequence(tr("Ctrl+Shift+O")), 0, [this] {
    QFileDialog dialog(this, tr("Open Project"));
    dialog.setObjectName(QStringLiteral("OpenProjectDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(tr("ORV Project (*.orv)"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
      projects_->Open(dialog.selectedFiles().first());
  });
  AddAction(file, "OpenFromWebAction", tr("Open From the &Web..."), QKeySequence(), kSys,
            [&dialogs] { dialogs.OpenFromWeb(); });
  recent_files_ = new RecentMenu(tr("Recent &Files"), QStringLiteral("RecentFilesMenu"),
                                 RecentList(EditorSettingsFile(), "Recent Files"), this);
  connect(recent_files_, &RecentMenu::Chosen, this, [this](const QString& path) { OpenPath(path); });
  file->addMenu(recent_files_);
  recent_projects_ = new RecentMenu(tr("Recent P&rojects"), QStringLiteral("RecentProjectsMenu"),
                                    RecentList(EditorSettingsFile(), "Recent Projects"), this);
  connect(recent_projects_, &RecentMenu::Chosen, this, [this](const QString& path) {
    if (!projects_->Open(path)) recent_projects_->Forget(path);
  });
  file->addMenu(recent_projects_);
  file->addSeparator();
  AddAction(file, "SaveAction", tr("&Save"), QKeySequence::Save, kDocument, [this, current] { tabs_->Save(current()); });
  AddAction(file, "SaveAsAction", tr("Save &As..."), QKeySequence::SaveAs, kDocument,
            [this, current] { tabs_->SaveAs(current()); });
  AddAction(file, "SaveAllAction", tr("Save A&ll"), QKeySequence(tr("Ctrl+Alt+S")), kDocument,
            [this] { tabs_->SaveAll(); });
  AddAction(file, "AddToRepositoryAction", tr("Add to Reposi&tory..."), QKeySequence(), kSys | kSavedDocument,
            [&dialogs] { dialogs.AddToRepository(); });
  file->addSeparator();
  AddAction(file, "CloseAction", tr("&Close"), QKeySequence::Close, kDocument,
            [this, current] { tabs_->Close(current()); });
  AddAction(file, "CloseProjectAction", tr("Close Projec&t"), QKeySequence(), kProject,
            [this] { projects_->Close(); });
  AddAction(file, "QuitAction", tr("&Quit"), QKeySequence::Quit, 0, [this] { close(); });

  // Edit
  AddAction(edit, "UndoAction", tr("&Undo"), QKeySequence::Undo, kDocument, on_document(&QsciScintilla::undo));
  AddAction(edit, "RedoAction", tr("&Redo"), QKeySequence::Redo, kDocument, on_document(&QsciScintilla::redo));
  edit->addSeparator();
  AddAction(edit, "CutAction", tr("Cu&t"), QKeySequence::Cut, kDocument, on_document(&QsciScintilla::cut));
  AddAction(edit, "CopyAction", tr("&Copy"), QKeySequence::Copy, kDocument, on_document(&QsciScintilla::copy));
  AddAction(edit, "PasteAction", tr("&Paste"), QKeySequence::Paste, kDocument, on_document(&QsciScintilla::paste));
  AddAction(edit, "SelectAllAction", tr("Select A&ll"), QKeySequence::SelectAll, kDocument,
            [this] {
              if (Document* document = tabs_->Current()) document->selectAll();
            });
  edit->addSeparator();
  AddAction(edit, "FindAction", tr("&Find..."), QKeySequence::Find, kDocument, [this] { find_->Open(false); });
  AddAction(edit, "FindNextAction", tr("Find &Next"), QKeySequence::FindNext, kDocument,
            [this] { find_->FindNext(true); });
  AddAction(edit, "FindPreviousAction", tr("Find Pre&vious"), QKeySequence::FindPrevious, kDocument,
            [this] { find_->FindNext(false); });
  AddAction(edit, "ReplaceAction", tr("R&eplace..."), QKeySequence(tr("Ctrl+H")), kDocument,
            [this] { find_->Open(true); });
  AddAction(edit, "GoToLineAction", tr("&Go to Line..."), QKeySequence(tr("Ctrl+G")), kDocument, [this] {
    Document* document = tabs_->Current();
    if (!document) return;
    QInputDialog ask(this);
    ask.setObjectName(QStringLiteral("GoToLineDialog"));
    ask.setWindowTitle(tr("Go to Line"));
    ask.setLabelText(tr("Line:"));
    ask.setInputMode(QInputDialog::IntInput);
    ask.setIntRange(1, std::max(1, document->lines()));
    if (ask.exec() == QDialog::Accepted) document->GoToLine(ask.intValue());
  });
  edit->addSeparator();
  AddAction(edit, "PreferencesAction", tr("Pre&ferences..."), QKeySequence(), kSys,
            [&dialogs] { dialogs.Preferences(); });

  // View
  QAction* show_project = project_panel_->toggleViewAction();
  show_project->setObjectName(QStringLiteral("ShowProjectPanelAction"));
  show_project->setShortcut(QKeySequence(tr("Ctrl+Alt+P")));
  view->addAction(show_project);
  QAction* show_warnings = warnings_->toggleViewAction();
  show_warnings->setObjectName(QStringLiteral("ShowWarningsPanelAction"));
  show_warnings->setShortcut(QKeySequence(tr("Ctrl+Alt+M")));
  view->addAction(show_warnings);

  // Insert
  AddAction(insert, "InsertHyperlinkAction", tr("&Hyperlink..."), QKeySequence(tr("Ctrl+K")), kTagwiz,
            [&dialogs] { dialogs.InsertHyperlink(); });
  AddAction(insert, "InsertTableAction", tr("&Table..."), QKeySequence(tr("Ctrl+Alt+T")), kTagwiz,
            [&dialogs] { dialogs.InsertTable(); });
  AddAction(insert, "InsertStyleAction", tr("&Style..."), QKeySequence(), kTagwiz,
            [&dialogs] { dialogs.InsertStyle(); });
  AddAction(insert, "InsertActiveXAction", tr("&ActiveX Control..."), QKeySequence(), kTagwiz,
            [&dialogs] { dialogs.InsertActiveX(); });
  AddAction(insert, "InsertJavaAppletAction", tr("&Java Applet..."), QKeySequence(), kTagwiz,
            [&dialogs] { dialogs.InsertJavaApplet(); });
  AddAction(insert, "InsertColourAction", tr("&Colour..."), QKeySequence(tr("Ctrl+Alt+C")), kHuepick,
            [&dialogs] { dialogs.InsertColour(); });

  // Project
  AddAction(project, "ProjectOptionsAction", tr("&Options..."), QKeySequence(), kSys | kProject,
            [this] { projects_->Options(); });
  AddAction(project, "ProjectVariablesAction", tr("&Variables..."), QKeySequence(), kSys | kProject,
            [this] { projects_->Variables(); });
  project->addSeparator();
  AddAction(project, "BuildAction", tr("&Build"), QKeySequence(Qt::Key_F9), kProject | kIdle,
            [this] { projects_->Build(false); });
  AddAction(project, "BuildAllAction", tr("Build &All"), QKeySequence(Qt::SHIFT | Qt::Key_F9), kProject | kIdle,
            [this] { projects_->Build(true); });
  AddAction(project, "StopBuildAction", tr("&Stop Build"), QKeySequence(Qt::CTRL | Qt::Key_F9), kBuilding,
            [this] { projects_->StopBuild(); });
  AddAction(project, "PreviewAction", tr("Pre&view"), QKeySequence(Qt::Key_F5), kIdle,
            [this] { projects_->Preview(); });
  AddAction(project, "PublishAction", tr("&Publish..."), QKeySequence(), kPublish | kProject | kIdle,
            [this] { projects_->Publish(); });
  AddAction(project, "ProjectInformationAction", tr("&Information..."), QKeySequence(), kSys | kProject,
            [this] { projects_->Information(); });

  // Tools: "Configure Tools..." and then the user's tools.
  AddAction(tools, "ConfigureToolsAction", tr("&Configure Tools..."), QKeySequence(), kSys, [this, &dialogs] {
    if (dialogs.ConfigureTools()) tools_->Reload();
  });
  tools_ = new ToolsMenu(tools, [this] {
    Document* document = tabs_->Current();
    return document && !document->IsUntitled() ? document->Path() : QString();
  }, this);
  connect(tools_, &ToolsMenu::Failed, this, [this](const QString& text) { ShowError(tr("Tools"), text); });

  // Help
  AddAction(help, "HomePageAction", tr("ORV &Home Page"), QKeySequence(), kSys, [&dialogs] { dialogs.OpenHomePage(); });
  AddAction(help, "AboutAction", tr("&About ORV Editor"), QKeySequence(), 0, [&dialogs] { dialogs.About(); });
}

}  // namespace orv::edit
