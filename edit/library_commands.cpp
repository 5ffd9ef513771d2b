#include "edit/library_commands.h"

#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

#include "edit/dialog_libraries.h"
#include "edit/document.h"
#include "edit/document_tabs.h"
#include "edit/main_window.h"
#include "edit/style_sheet_text.h"
#include "orv/host.h"
#include "platform/exception.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/ini_file.h"
#include "platform/version_info.h"
#include "tagwiz/style_sheets.h"

namespace orv::edit {

QString QtFileFilter(const QString& file_exts) {
  const QStringList parts = file_exts.split(QLatin1Char('|'));
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString pattern = parts[i + 1];
    pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
    // "*.*" means every file, also one without a dot.
    if (pattern == QLatin1String("*.*")) pattern = QStringLiteral("*");
    filters.append(parts[i] + QStringLiteral(" (") + pattern + QLatin1Char(')'));
  }
  return filters.join(QStringLiteral(";;"));
}

QString LibraryCommands::FileFilter() const {
  const std::string exts = DialogLibraries::Text(window_.Libraries().Sys.Loaded() ? window_.Libraries().FileExts : nullptr);
  if (!exts.empty()) return QtFileFilter(QString::fromStdString(exts));
  return QStringLiteral("ORV files (*.hts *.hsn *.htf *.orv *.ops);;HTML files (*.html *.htm);;All files (*)");
}

void LibraryCommands::AfterDialog() {
  orv_process_messages();
  window_.UpdateActions();
}

void LibraryCommands::NewFromRepository() {
  window_.Libraries().ShowObjRep(0, window_.Host());
  AfterDialog();
}

void LibraryCommands::NewProject() {
  window_.Libraries().NewProj(0, window_.Host());
  AfterDialog();
}

void LibraryCommands::OpenFromWeb() {
  window_.Libraries().DlFromWeb(0, window_.Host());
  AfterDialog();
}

void LibraryCommands::AddToRepository() {
  Document* document = window_.Tabs().Current();
  if (!document || document->IsUntitled()) {
    window_.ShowStatus(QObject::tr("Save the document first: the repository keeps the file's path."), 5000);
    return;
  }
  window_.Libraries().AddObjRep(0, window_.Host(), document->Path().toStdString().c_str());
  AfterDialog();
}

void LibraryCommands::Preferences() {
  // The dialog sends 3038 after each save, which re-reads the file.
  window_.Libraries().DoPref(0, window_.Host());
  AfterDialog();
}

void LibraryCommands::InsertHyperlink() {
  window_.Libraries().ShowHLink(0, window_.Host());
  AfterDialog();
}

void LibraryCommands::InsertTable() {
  window_.Libraries().InsTable(0, window_.Host(), window_.LowerTagsArgument());
  AfterDialog();
}

void LibraryCommands::InsertActiveX() {
  window_.Libraries().InsActiveX(0, window_.Host(), window_.LowerTagsArgument());
  AfterDialog();
}

void LibraryCommands::InsertJavaApplet() {
  window_.Libraries().InsJavaApp(0, window_.Host(), window_.LowerTagsArgument());
  AfterDialog();
}

void LibraryCommands::InsertStyle() {
  const bool saved = window_.Libraries().InsCSS(0, 0) != 0;
  AfterDialog();
  if (!saved) return;
  TCSSList styles;
  const std::string styles_file = DataDir() + "styles.dat";
  if (FileExists(styles_file)) styles.LoadFromFile(styles_file);
  // The table dialog offers the style names it finds in preferences.dat.
  std::vector<std::pair<std::string, std::string>> names = {{"StyleCount", std::to_string(styles.Count())}};
  for (int i = 0; i < styles.Count(); ++i)
    names.emplace_back(std::to_string(i), styles.Items(i).Texts[TStyleSheet::kName]);
  TIniFile(PreferencesFile()).WriteSectionValues("Styles", names);
  if (styles.Count() == 0) return;
  Document* document = window_.TargetDocument();
  document->Insert({StyleSheetText(styles, window_.Preferences().LowerTags), "", "no"});
}

void LibraryCommands::InsertColour() {
  char colour[16] = {};
  const int32_t chosen = window_.Libraries().HuepickInitEx(colour, sizeof colour);
  AfterDialog();
  if (chosen != 0) window_.TargetDocument()->Insert({colour, "", "no"});
}

bool LibraryCommands::ConfigureTools() {
  const bool changed = window_.Libraries().AddTool(0, window_.Host()) != 0;
  AfterDialog();
  return changed;
}

void LibraryCommands::About() {
  DialogLibraries& libraries = window_.Libraries();
  QString text = QObject::tr("<h3>ORV Editor %1</h3><p>The editor of ORV sites.</p>")
                     .arg(QString::fromStdString(ProgramFileVersion()));
  if (libraries.Sys.Loaded()) {
    const QString home = QString::fromStdString(DialogLibraries::Text(libraries.ORVHome));
    const QString maker = QString::fromStdString(DialogLibraries::Text(libraries.MorvaleHome));
    text += QObject::tr("<p>ORV %1, build %2</p><p>ORV on the web: <a href=\"%3\">%3</a><br>"
                        "Morvale on the web: <a href=\"%4\">%4</a></p>")
                .arg(QString::fromStdString(DialogLibraries::Text(libraries.BigVer)),
                     QString::fromStdString(DialogLibraries::Text(libraries.BuildNum)), home.toHtmlEscaped(),
                     maker.toHtmlEscaped());
  } else {
    text += QObject::tr("<p>%1</p>").arg(QString::fromStdString(libraries.Sys.Error).toHtmlEscaped());
  }
  QMessageBox box(QMessageBox::Information, QObject::tr("About ORV Editor"), text, QMessageBox::Ok, &window_);
  box.setObjectName(QStringLiteral("AboutDialog"));
  box.setTextFormat(Qt::RichText);
  box.setTextInteractionFlags(Qt::TextBrowserInteraction);
  box.exec();
}

void LibraryCommands::OpenHomePage() {
  QDesktopServices::openUrl(QUrl(QString::fromStdString(DialogLibraries::Text(window_.Libraries().ORVHome))));
}

void LibraryCommands::ShowException(const QString& sender_class, const QString& exception_class,
                                    const QString& message, const QString& method) {
  DialogLibraries& libraries = window_.Libraries();
  if (!libraries.Sys.Loaded()) {
    window_.ShowError(QObject::tr("Error"), exception_class + QStringLiteral(": ") + message);
    return;
  }
  libraries.ExceptCenter(0, window_.Host(), sender_class.toStdString().c_str(), exception_class.toStdString().c_str(),
                         message.toStdString().c_str(), PreferencesFile().c_str(), method.toStdString().c_str(),
                         ProgramFileVersion().c_str(), ProgramPath().c_str());
  AfterDialog();
}

}  // namespace orv::edit
