#include "edit/document_tabs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include "edit/document.h"
#include "platform/exception.h"

namespace orv::edit {

DocumentTabs::DocumentTabs(QWidget* parent) : QTabWidget(parent), font_(QStringLiteral("Monospace"), 10) {
  setObjectName(QStringLiteral("DocumentTabs"));
  setTabsClosable(true);
  setMovable(true);
  setDocumentMode(true);
  connect(this, &QTabWidget::tabCloseRequested, this, [this](int index) {
    if (auto* document = qobject_cast<Document*>(widget(index))) Close(document);
  });
  connect(this, &QTabWidget::currentChanged, this, [this] { emit CurrentDocumentChanged(Current()); });
}

Document* DocumentTabs::Current() const { return qobject_cast<Document*>(currentWidget()); }

QList<Document*> DocumentTabs::Documents() const {
  QList<Document*> documents;
  for (int i = 0; i < count(); ++i)
    if (auto* document = qobject_cast<Document*>(widget(i))) documents.append(document);
  return documents;
}

Document* DocumentTabs::Find(const QString& path) const {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  for (Document* document : Documents())
    if (!document->IsUntitled() && document->Path() == absolute) return document;
  return nullptr;
}

Document* DocumentTabs::Add(Document* document) {
  document->SetBaseFont(font_);
  connect(document, &QsciScintilla::modificationChanged, this, [this, document] { UpdateTab(document); });
  setCurrentIndex(addTab(document, document->Title()));
  UpdateTab(document);
  document->setFocus();
  return document;
}

void DocumentTabs::UpdateTab(Document* document) {
  const int index = indexOf(document);
  if (index < 0) return;
  setTabText(index, document->Title() + (document->isModified() ? QStringLiteral(" *") : QString()));
  setTabToolTip(index, document->IsUntitled() ? document->Title() : document->Path());
  if (document == Current()) emit CurrentDocumentChanged(document);
}

Document* DocumentTabs::NewDocument(LineEnd line_end) {
  return Add(new Document(QStringLiteral("Untitled%1").arg(++untitled_count_), line_end));
}

Document* DocumentTabs::Open(const QString& path) {
  if (Document* open = Find(path)) {
    setCurrentWidget(open);
    return open;
  }
  auto document = std::make_unique<Document>(QString(), LineEnd::CrLf);
  document->Load(path);
  // A single untouched, empty untitled document gives way to the file.
  Document* blank = count() == 1 ? Current() : nullptr;
  Document* added = Add(document.release());
  if (blank && blank->IsUntitled() && !blank->isModified() && blank->length() == 0) {
    removeTab(indexOf(blank));
    blank->deleteLater();
  }
  emit FileUsed(added->Path());
  return added;
}

Document* DocumentTabs::OpenCopy(const QString& path, LineEnd line_end) {
  auto document = std::make_unique<Document>(QStringLiteral("Untitled%1").arg(untitled_count_ + 1), line_end);
  document->LoadTemplate(path);
  ++untitled_count_;
  return Add(document.release());
}

bool DocumentTabs::WriteFile(Document* document, const QString& path) {
  try {
    if (!document->SaveTo(path)) {
      QMessageBox ask(QMessageBox::Question, tr("Save"),
                      tr("\"%1\" holds characters that %2 cannot hold. Save it in UTF-8 instead?")
                          .arg(document->Title(), QString::fromLatin1(EncodingName(document->Format().Encoding))),
                      QMessageBox::Yes | QMessageBox::Cancel, this);
      ask.setObjectName(QStringLiteral("EncodingPrompt"));
      if (ask.exec() != QMessageBox::Yes) return false;
      document->SetEncoding(TextEncoding::Utf8);
      if (!document->SaveTo(path)) return false;
    }
  } catch (const Exception& error) {
    QMessageBox box(QMessageBox::Critical, tr("Save"), QString::fromStdString(error.what()), QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("SaveError"));
    box.exec();
    return false;
  }
  UpdateTab(document);
  emit FileUsed(document->Path());
  return true;
}

bool DocumentTabs::Save(Document* document) {
  if (!document) return false;
  if (document->IsUntitled()) return SaveAs(document);
  return WriteFile(document, document->Path());
}

bool DocumentTabs::SaveAs(Document* document) {
  if (!document) return false;
  QFileDialog dialog(this, tr("Save As"));
  dialog.setObjectName(QStringLiteral("SaveDialog"));
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilter(filter_);
  if (!document->IsUntitled()) dialog.selectFile(document->Path());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  return WriteFile(document, dialog.selectedFiles().first());
}

bool DocumentTabs::SaveAll() {
  for (Document* document : Documents())
    if (document->isModified() && !Save(document)) return false;
  return true;
}

bool DocumentTabs::Close(Document* document) {
  if (!document) return false;
  if (document->isModified()) {
    setCurrentWidget(document);
    QMessageBox ask(QMessageBox::Warning, tr("Close"),
                    tr("Save the changes to \"%1\" before closing?").arg(document->Title()), QMessageBox::NoButton,
                    this);
    ask.setObjectName(QStringLiteral("SavePrompt"));
    ask.addButton(QMessageBox::Save)->setObjectName(QStringLiteral("SaveButton"));
    ask.addButton(QMessageBox::Discard)->setObjectName(QStringLiteral("DiscardButton"));
    ask.addButton(QMessageBox::Cancel)->setObjectName(QStringLiteral("CancelButton"));
    ask.setDefaultButton(QMessageBox::Save);
    const int answer = ask.exec();
    if (answer == QMessageBox::Cancel || (answer == QMessageBox::Save && !Save(document))) return false;
  }
  removeTab(indexOf(document));
  document->deleteLater();
  return true;
}

bool DocumentTabs::CloseAll() {
  for (Document* document : Documents())
    if (!Close(document)) return false;
  return true;
}

void DocumentTabs::SetBaseFont(const QFont& font) {
  font_ = font;
  for (Document* document : Documents()) document->SetBaseFont(font);
}

}  // namespace orv::edit
