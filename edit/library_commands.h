// The commands that open the dialogs of liborvsys.so, libtagwiz.so and
// libhuepick.so: each calls its export with the editor's host window,
// delivers what the dialog posted, and acts on the result (a colour to
// insert, a style sheet).
#pragma once

#include <QString>
#include <exception>

namespace orv::edit {

class MainWindow;

// One object per main window.
class LibraryCommands {
 public:
  explicit LibraryCommands(MainWindow& window) : window_(window) {}

  // File
  void NewFromRepository();
  void NewProject();
  void OpenFromWeb();
  void AddToRepository();
  // Edit
  void Preferences();
  // Insert
  void InsertHyperlink();
  void InsertTable();
  void InsertStyle();
  void InsertActiveX();
  void InsertJavaApplet();
  void InsertColour();
  // Tools: true when the user changed the tools (tools.dat was written).
  bool ConfigureTools();
  // Help
  void About();
  void OpenHomePage();

  // The error centre for an error that reached the event loop.
  void ShowException(const QString& sender_class, const QString& exception_class, const QString& message,
                     const QString& method);

  // The file dialogs' filter from FileExts, in Qt's form; a list of the
  // system's own types when liborvsys.so is missing.
  QString FileFilter() const;

 private:
  // Delivers what the dialog posted to the host window, then brings the
  // commands up to date.
  void AfterDialog();

  MainWindow& window_;
};

// A filter text of FileExts ("Label|*.a;*.b|...") in Qt's form
// ("Label (*.a *.b);;...").
QString QtFileFilter(const QString& file_exts);

}  // namespace orv::edit
