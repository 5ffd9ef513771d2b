#include "controls/layout_test_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <algorithm>
#include <climits>

#include "components/form_reader.h"
#include "components/form_writer.h"
#include "controls/containers.h"
#include "controls/controls_test_support.h"
#include "controls/form.h"
#include "controls/graphic_controls.h"

namespace orv::test {
namespace {

// The text a control shows, without the "&" that marks its accelerator.
QString Shown(QString text) {
  text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
  text.remove(QLatin1Char('&'));
  text.replace(QLatin1Char('\x01'), QLatin1Char('&'));
  return text;
}

// "cuts its text (needs 80 × 13, has 70 × 13)".
std::string Cut(const char* what, QSize needed, QSize has) {
  return std::string("cuts its ") + what + " (needs " + std::to_string(needed.width()) + " x " +
         std::to_string(needed.height()) + ", has " + std::to_string(has.width()) + " x " +
         std::to_string(has.height()) + ")";
}

// Why the widget's text does not fit it; empty when it does.
std::string TextProblem(QWidget* widget) {
  const QFontMetrics metrics(widget->font());
  const QSize size = widget->size();
  if (auto* label = qobject_cast<QLabel*>(widget)) {
    const QString text = label->text();
    if (text.isEmpty()) return "";
    if (label->wordWrap()) {
      const QRect needed = metrics.boundingRect(QRect(0, 0, size.width(), INT_MAX), Qt::TextWordWrap, text);
      if (needed.height() > size.height() || needed.width() > size.width())
        return Cut("wrapped text", needed.size(), size);
      return "";
    }
    const QSize needed(metrics.horizontalAdvance(text), metrics.height());
    if (needed.width() > size.width() || needed.height() > size.height()) return Cut("text", needed, size);
    return "";
  }
  if (qobject_cast<QCheckBox*>(widget) || qobject_cast<QRadioButton*>(widget)) {
    const QSize hint = widget->sizeHint();
    if (hint.width() > size.width() || metrics.height() > size.height()) return Cut("caption", hint, size);
    return "";
  }
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    if (button->text().isEmpty()) return "";
    // A push button's frame takes a few pixels; a flat tool button's picture
    // stands beside its text.
    int needed = metrics.horizontalAdvance(Shown(button->text())) + 6;
    if (qobject_cast<QToolButton*>(widget) && !button->icon().isNull())
      needed += button->icon().actualSize(button->iconSize()).width() - 4;
    if (needed > size.width() || metrics.height() + 4 > size.height())
      return Cut("caption", QSize(needed, metrics.height() + 4), size);
    return "";
  }
  if (auto* group = qobject_cast<QGroupBox*>(widget)) {
    const int needed = metrics.horizontalAdvance(Shown(group->title())) + 16;
    if (needed > size.width()) return Cut("title", QSize(needed, metrics.height()), size);
    return "";
  }
  if (qobject_cast<QLineEdit*>(widget) || qobject_cast<QComboBox*>(widget)) {
    if (metrics.height() + 4 > size.height()) return "is lower than a line of its text";
  }
  return "";
}

// A paint box laid over a picture draws on it: that is no overlap.
bool DrawsOver(TControl* a, TControl* b) {
  return (dynamic_cast<TPaintBox*>(a) && dynamic_cast<TImage*>(b)) ||
         (dynamic_cast<TPaintBox*>(b) && dynamic_cast<TImage*>(a));
}

void CheckChildren(TWinControl& parent, std::vector<std::string>& problems);

void CheckControl(TControl& control, std::vector<std::string>& problems) {
  QWidget* widget = control.ExistingWidget();
  if (!widget) return;
  if (std::string text = TextProblem(widget); !text.empty()) problems.push_back(control.Name() + " " + text);
  auto* container = dynamic_cast<TWinControl*>(&control);
  if (!container) return;
  if (auto* pages = dynamic_cast<TPageControl*>(container)) {
    // Each page as the user sees it once its tab is chosen.
    const int shown = pages->ActivePageIndex();
    for (int i = 0; i < pages->PageCount(); ++i) {
      pages->SetActivePageIndex(i);
      QApplication::processEvents();
      CheckChildren(*pages->Pages(i), problems);
    }
    pages->SetActivePageIndex(shown);
    return;
  }
  CheckChildren(*container, problems);
}

void CheckChildren(TWinControl& parent, std::vector<std::string>& problems) {
  QWidget* area = parent.ClientWidget();
  const QRect inside(QPoint(0, 0), area->size());
  std::vector<TControl*> shown;
  for (int i = 0; i < parent.ControlCount(); ++i) {
    TControl* control = parent.Controls(i);
    QWidget* widget = control->ExistingWidget();
    if (!widget || !control->Visible()) continue;
    // A control of no size (a hidden store of lines) shows nothing.
    if (widget->width() > 0 && widget->height() > 0 && !inside.contains(widget->geometry()))
      problems.push_back(control->Name() + " sticks out of " + parent.Name() + " (" +
                         std::to_string(widget->geometry().right() + 1) + ", " +
                         std::to_string(widget->geometry().bottom() + 1) + " in " + std::to_string(inside.width()) +
                         " x " + std::to_string(inside.height()) + ")");
    shown.push_back(control);
  }
  for (size_t i = 0; i < shown.size(); ++i)
    for (size_t j = i + 1; j < shown.size(); ++j)
      if (shown[i]->ExistingWidget()->geometry().intersects(shown[j]->ExistingWidget()->geometry()) &&
          !DrawsOver(shown[i], shown[j]))
        problems.push_back(shown[i]->Name() + " overlaps " + shown[j]->Name());
  for (int i = 0; i < parent.ControlCount(); ++i) CheckControl(*parent.Controls(i), problems);
}

// The lines of `text`, without their line ends.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (size_t start = 0; start < text.size();) {
    const size_t end = std::min(text.find('\n', start), text.size());
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// The first line in which two writings of a form differ; empty when none does.
std::string FirstChange(const std::string& written, const std::string& read_back) {
  const std::vector<std::string> first = Lines(written);
  const std::vector<std::string> second = Lines(read_back);
  for (size_t i = 0; i < std::max(first.size(), second.size()); ++i) {
    const std::string was = i < first.size() ? first[i] : "(the end)";
    const std::string is = i < second.size() ? second[i] : "(the end)";
    if (was != is) return "written \"" + was + "\", read back and written \"" + is + "\"";
  }
  return "";
}

void Append(std::vector<std::string>& into, const std::string& when, const std::vector<std::string>& found) {
  for (const std::string& problem : found) into.push_back(when + ": " + problem);
}

}  // namespace

std::vector<std::string> LayoutProblems(TCustomForm& form) {
  std::vector<std::string> problems;
  QApplication::processEvents();
  CheckChildren(form, problems);
  return problems;
}

std::vector<std::string> LayoutProblemsAtEverySize(TCustomForm& form) {
  std::vector<std::string> problems;
  form.Show();
  Append(problems, "at its font", LayoutProblems(form));
  form.Font()->SetSize(form.Font()->Size() * 3 / 2);
  Append(problems, "at a 1.5 times larger font", LayoutProblems(form));
  form.SetBounds(form.Left(), form.Top(), form.Width() * 5 / 4, form.Height() * 5 / 4);
  Append(problems, "resized", LayoutProblems(form));
  form.Hide();
  return problems;
}

std::string FormFileRoundTripChange(const TCustomForm& form) {
  // The dialog's own class has no factory, so its root is written with every
  // property; a plain form read from it writes only what differs from a new
  // form's. The components below the root compare from the first writing,
  // the whole text from the second.
  const std::string written = WriteForm(form);
  std::string rewritten[2];
  try {
    const std::string* text = &written;
    for (std::string& again : rewritten) {
      TForm copy(nullptr);
      ReadForm(*text, copy, {form.Name() + ".dfm", nullptr, nullptr});
      again = WriteForm(copy, form.ClassName());
      text = &again;
    }
  } catch (const Exception& error) {
    return error.what();
  }
  const auto components = [](const std::string& text) {
    return text.substr(std::min(text.find("\n  object "), text.size()));
  };
  if (std::string change = FirstChange(components(written), components(rewritten[0])); !change.empty()) return change;
  return FirstChange(rewritten[0], rewritten[1]);
}

void SaveLayoutScreenshots(TCustomForm& form, const std::string& name) {
  const int size = form.Font()->Size();
  auto save = [&](const char* kind) {
    form.Show();
    QApplication::processEvents();
    SaveScreenshot(form.ExistingWidget(), (name + "-" + kind + ".png").c_str());
    form.Hide();
  };
  save("normal");
  form.Font()->SetSize(size * 3 / 2);
  save("large");
  form.Font()->SetSize(size);
  form.SetScaled(false);
  form.Font()->SetSize(size * 3 / 2);
  save("large-fixed");
  form.Font()->SetSize(size);
  form.SetScaled(true);
}

}  // namespace orv::test
