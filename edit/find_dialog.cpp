#include "edit/find_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "edit/document.h"

namespace orv::edit {
namespace {

QPushButton* Button(const QString& text, const char* name, QWidget* parent) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(QString::fromLatin1(name));
  return button;
}

}  // namespace

FindDialog::FindDialog(std::function<Document*()> current, QWidget* parent)
    : QDialog(parent), current_(std::move(current)) {
  setObjectName(QStringLiteral("FindDialog"));
  setWindowTitle(tr("Find and Replace"));
  find_ = new QLineEdit(this);
  find_->setObjectName(QStringLiteral("FindText"));
  replace_ = new QLineEdit(this);
  replace_->setObjectName(QStringLiteral("ReplaceText"));
  replace_label_ = new QLabel(tr("Replace &with:"), this);
  replace_label_->setBuddy(replace_);
  auto* form = new QFormLayout;
  form->addRow(tr("&Find:"), find_);
  form->addRow(replace_label_, replace_);

  match_case_ = new QCheckBox(tr("Match &case"), this);
  match_case_->setObjectName(QStringLiteral("MatchCase"));
  whole_words_ = new QCheckBox(tr("Whole w&ords"), this);
  whole_words_->setObjectName(QStringLiteral("WholeWords"));
  regular_expression_ = new QCheckBox(tr("Regular e&xpression"), this);
  regular_expression_->setObjectName(QStringLiteral("RegularExpression"));
  auto* options = new QHBoxLayout;
  options->addWidget(match_case_);
  options->addWidget(whole_words_);
  options->addWidget(regular_expression_);

  QPushButton* next = Button(tr("Find &Next"), "FindNextButton", this);
  QPushButton* previous = Button(tr("Find &Previous"), "FindPreviousButton", this);
  QPushButton* replace = Button(tr("&Replace"), "ReplaceButton", this);
  QPushButton* replace_all = Button(tr("Replace &All"), "ReplaceAllButton", this);
  QPushButton* close = Button(tr("Close"), "CloseButton", this);
  next->setDefault(true);
  replace_buttons_ = new QWidget(this);
  auto* replace_row = new QHBoxLayout(replace_buttons_);
  replace_row->setContentsMargins(0, 0, 0, 0);
  replace_row->addWidget(replace);
  replace_row->addWidget(replace_all);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(next);
  buttons->addWidget(previous);
  buttons->addWidget(replace_buttons_);
  buttons->addStretch();
  buttons->addWidget(close);

  result_ = new QLabel(this);
  result_->setObjectName(QStringLiteral("FindResult"));
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(options);
  layout->addLayout(buttons);
  layout->addWidget(result_);

  connect(next, &QPushButton::clicked, this, [this] { FindNext(true); });
  connect(previous, &QPushButton::clicked, this, [this] { FindNext(false); });
  connect(replace, &QPushButton::clicked, this, &FindDialog::ReplaceOne);
  connect(replace_all, &QPushButton::clicked, this, &FindDialog::ReplaceAll);
  connect(close, &QPushButton::clicked, this, &QDialog::close);
}

void FindDialog::Open(bool replace) {
  setWindowTitle(replace ? tr("Find and Replace") : tr("Find"));
  replace_label_->setVisible(replace);
  replace_->setVisible(replace);
  replace_buttons_->setVisible(replace);
  if (Document* document = current_()) {
    const QString selection = document->selectedText();
    if (!selection.isEmpty() && !selection.contains(QLatin1Char('\n'))) find_->setText(selection);
  }
  result_->clear();
  show();
  raise();
  activateWindow();
  find_->setFocus();
  find_->selectAll();
}

void FindDialog::Say(const QString& text) { result_->setText(text); }

bool FindDialog::Search(Document* document, bool forward, bool wrap, int line, int index) {
  return document->findFirst(find_->text(), regular_expression_->isChecked(), match_case_->isChecked(),
                             whole_words_->isChecked(), wrap, forward, line, index, true, false, true);
}

bool FindDialog::FindNext(bool forward) {
  Document* document = current_();
  if (!document || find_->text().isEmpty()) return false;
  int line = -1, index = -1;
  if (!forward && document->hasSelectedText()) {
    // Backwards from the start of the current match, not from its end.
    int end_line, end_index;
    document->getSelection(&line, &index, &end_line, &end_index);
  }
  const bool found = Search(document, forward, true, line, index);
  Say(found ? QString() : tr("\"%1\" was not found.").arg(find_->text()));
  return found;
}

void FindDialog::ReplaceOne() {
  Document* document = current_();
  if (!document) return;
  if (document->hasSelectedText()) {
    // Only a selection that is a match is replaced: search again from its start.
    int line, index, end_line, end_index;
    document->getSelection(&line, &index, &end_line, &end_index);
    if (Search(document, true, false, line, index)) {
      int found_line, found_index, found_end_line, found_end_index;
      document->getSelection(&found_line, &found_index, &found_end_line, &found_end_index);
      if (found_line == line && found_index == index) document->replace(replace_->text());
    }
  }
  FindNext(true);
}

int FindDialog::ReplaceAll() {
  Document* document = current_();
  if (!document || find_->text().isEmpty()) return 0;
  int count = 0;
  const int places = document->length() + 1;
  document->beginUndoAction();
  // A pattern that matches empty text finds one match per place at most:
  // more replacements than the text had places mean the search no longer moves on.
  for (bool found = Search(document, true, false, 0, 0); found && count < places;
       found = document->findNext()) {
    document->replace(replace_->text());
    ++count;
  }
  document->endUndoAction();
  Say(tr("%n replacement(s) made.", nullptr, count));
  return count;
}

}  // namespace orv::edit
