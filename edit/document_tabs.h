// The documents of the editor, one tab each: making, opening, saving and
// closing them, with the question before a change would be lost.
#pragma once

#include <QFont>
#include <QList>
#include <QTabWidget>

#include "edit/text_codec.h"

namespace orv::edit {

class Document;

// The tab bar and its documents.
class DocumentTabs : public QTabWidget {
  Q_OBJECT

 public:
  explicit DocumentTabs(QWidget* parent = nullptr);

  Document* Current() const;
  QList<Document*> Documents() const;
  // The document of the file `path` (compared as absolute paths), or null.
  Document* Find(const QString& path) const;

  // A new empty document "UntitledN".
  Document* NewDocument(LineEnd line_end);
  // The document of `path`, opened now unless it is open already; an
  // untouched empty untitled document makes room for it. EInOutError when
  // the file cannot be read.
  Document* Open(const QString& path);
  // A new untitled document holding the file at `path`. EInOutError as above.
  Document* OpenCopy(const QString& path, LineEnd line_end);

  // Saving asks for a name when the document has none; each is false when
  // the user cancelled or the file could not be written (then said so).
  bool Save(Document* document);
  bool SaveAs(Document* document);
  bool SaveAll();
  // Closing asks whether to save a modified document first; false when the
  // user chose to keep it open.
  bool Close(Document* document);
  bool CloseAll();

  void SetBaseFont(const QFont& font);
  // The file dialogs' filter, in Qt's form ("Label (*.a *.b);;...").
  void SetFileFilter(const QString& filter) { filter_ = filter; }
  const QString& FileFilter() const { return filter_; }

 signals:
  void CurrentDocumentChanged(orv::edit::Document* document);
  // A file was opened or saved under `path`.
  void FileUsed(const QString& path);

 private:
  Document* Add(Document* document);
  void UpdateTab(Document* document);
  bool WriteFile(Document* document, const QString& path);

  int untitled_count_ = 0;
  QFont font_;
  QString filter_;
};

}  // namespace orv::edit
