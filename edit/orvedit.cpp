// orvedit: the ORV editor. It opens the files and projects named on its
// command line, hosts the dialog libraries and builds with orvcc.
#include <cstdio>

#include <QFileInfo>
#include <QIcon>

#include "cc/command_line.h"
#include "edit/dialog_libraries.h"
#include "edit/editor_application.h"
#include "edit/main_window.h"
#include "edit/single_instance.h"
#include "orv/version.h"
#include "orvsys/model/preferences.h"
#include "platform/files.h"
#include "platform/folders.h"

ORV_DEFINE_VERSION_RECORD("1.0.0.0", "1.0.0.0", "orvedit");

namespace {

const char* const kHelp =
    "Usage: orvedit [OPTION]... [FILE]...\n"
    "Edit ORV pages, scripts and projects. Each FILE opens in a tab of its own;\n"
    "a project file (.orv) opens as the project, with its source folder in the\n"
    "project panel, Project | Build (F9) to build it and Project | Preview (F5)\n"
    "to see the current page served by orvcc --serve in the desktop's browser.\n"
    "\n"
    "      --new-instance  start a new editor even when the preferences ask for\n"
    "                      one editor only (otherwise FILEs go to the running one)\n"
    "  -h, --help          show this help and exit\n"
    "  -V, --version       show the version and exit\n"
    "\n"
    "The dialog libraries liborvsys.so, libtagwiz.so and libhuepick.so are opened\n"
    "when the editor starts; without one of them its commands are unavailable.\n"
    "Settings are kept in $ORV_HOME, or in ~/.config/orv for an installed editor.\n"
    "The orvcc that builds and serves is $ORVCC, else the one beside the editor,\n"
    "else the one on the PATH.\n"
    "Exit status: 0, or 2 when an option is unknown.\n";

}  // namespace

int main(int argc, char** argv) {
  orv::CommandLine line;
  int status = 0;
  const auto fail = [](const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); };
  if (!orv::ParseCommandLine(argc, argv, "orvedit", kHelp, {"--new-instance"}, fail, line, status)) return status;

  orv::edit::EditorApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("orvedit"));
  QApplication::setApplicationDisplayName(QStringLiteral("ORV Editor"));
  QApplication::setDesktopFileName(QStringLiteral("orvedit"));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("orvedit"), QIcon(QStringLiteral(":/orvedit.svg"))));
  orv::ForceDirectories(orv::DataDir());

  QStringList files;
  for (const std::string& file : line.operands) files << QFileInfo(QString::fromStdString(file)).absoluteFilePath();
  const orv::TPreferences preferences = orv::ReadPreferences(orv::PreferencesFile());
  const bool single = preferences.SingleInstance && !line.Has("--new-instance");
  const QString socket = orv::edit::SingleInstance::DefaultSocket();
  if (single && orv::edit::SingleInstance::HandOver(socket, files)) return 0;

  orv::edit::DialogLibraries libraries;
  libraries.Load();
  orv::edit::MainWindow window(libraries);
  app.SetErrorHandler([&window](const QString& receiver, const QString& event, const std::exception& error) {
    window.ReportException(receiver, error, event);
  });
  // One editor or several, as the preferences say now and after each change.
  orv::edit::SingleInstance instance(socket, &window);
  instance.SetListening(single);
  QObject::connect(&window, &orv::edit::MainWindow::PreferencesRead, &instance, [&] {
    instance.SetListening(window.Preferences().SingleInstance && !line.Has("--new-instance"));
  });
  QObject::connect(&instance, &orv::edit::SingleInstance::FilesReceived, &window, [&window](const QStringList& more) {
    for (const QString& file : more) window.OpenPath(file);
    window.setWindowState((window.windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    window.raise();
    window.activateWindow();
  });
  if (preferences.Maximize) window.showMaximized();
  else window.show();
  window.OpenAtStart(files);
  return QApplication::exec();
}
