#include "controls/rx_spin.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "platform/exception.h"
#include "platform/integer_text.h"
#include "platform/message_service.h"

namespace orv {
namespace {

constexpr int kButtonWidth = 15;

// The widget of a spin button: two arrows, one above the other.
class SpinButtonWidget : public QWidget {
 public:
  SpinButtonWidget(QWidget* parent, TRxSpinButton& button) : QWidget(parent), button_(button) {
    setCursor(Qt::ArrowCursor);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    const int half = height() / 2;
    for (bool up : {true, false}) {
      option.rect = QRect(0, up ? 0 : half, width(), up ? half : height() - half);
      style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &option, &painter, this);
      style()->drawPrimitive(up ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown, &option, &painter,
                             this);
    }
  }
  void mousePressEvent(QMouseEvent* event) override {
    const auto& handler = event->position().y() < height() / 2.0 ? button_.OnUpClick : button_.OnDownClick;
    if (handler) handler();
  }

 private:
  TRxSpinButton& button_;
};

}  // namespace

TRxSpinButton::TRxSpinButton(TComponent* owner) : TGraphicControl(owner) { SetBounds(0, 0, kButtonWidth, 21); }

QWidget* TRxSpinButton::CreateWidget(QWidget* parent) { return new SpinButtonWidget(parent, *this); }

TRxSpinEdit::TRxSpinEdit(TComponent* owner) : TCustomEdit(owner), button_(new TRxSpinButton(this)) {
  button_->SetName("Button");
  button_->SetParent(this);
  button_->OnUpClick = [this] { UpClick(); };
  button_->OnDownClick = [this] { DownClick(); };
  SetBounds(Left(), Top(), Width(), Height());
  SetText("0");
}

QWidget* TRxSpinEdit::CreateWidget(QWidget* parent) {
  auto* line = static_cast<QLineEdit*>(TCustomEdit::CreateWidget(parent));
  line->setTextMargins(0, 0, kButtonWidth, 0);
  line->setAlignment(alignment_ == taRightJustify ? Qt::AlignRight : alignment_ == taCenter ? Qt::AlignHCenter
                                                                                          : Qt::AlignLeft);
  // At least one line of text and the frame.
  line->setMinimumHeight(line->fontMetrics().height() + 6);
  return line;
}

void TRxSpinEdit::SetBounds(int left, int top, int width, int height) {
  TCustomEdit::SetBounds(left, top, width, height);
  button_->SetBounds(std::max(Width() - kButtonWidth - 2, 0), 2, kButtonWidth, std::max(Height() - 4, 0));
}

void TRxSpinEdit::SetAlignment(int alignment) {
  alignment_ = alignment;
  RecreateWidget();
}

double TRxSpinEdit::Value() const {
  const std::string text = Caption();
  if (value_type_ == vtInteger) return StrToInt(text);
  const std::string_view trimmed = TrimBlanks(text);
  double value = 0;
  auto result = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), value);
  if (trimmed.empty() || result.ec != std::errc() || result.ptr != trimmed.data() + trimmed.size())
    throw EConvertError("'" + text + "' is not a valid floating point value");
  return value;
}

double TRxSpinEdit::Clamped(double value) const {
  return HasRange() ? std::clamp(value, min_value_, max_value_) : value;
}

void TRxSpinEdit::SetValue(double value) {
  value = Clamped(value);
  char text[64];
  if (value_type_ == vtInteger)
    std::snprintf(text, sizeof text, "%lld", static_cast<long long>(std::llround(value)));
  else
    std::snprintf(text, sizeof text, "%.*f", std::clamp(decimal_, 0, 20), value);
  SetText(text);
}

void TRxSpinEdit::Step(double delta) {
  if (ReadOnly()) {
    Beep();
    return;
  }
  double value = 0;
  try {
    value = Value();
  } catch (const EConvertError&) {
    Beep();  // nothing to step from
    return;
  }
  const std::string before = Caption();
  SetValue(value + delta);
  if (Caption() != before) SetModified(true);
}

void TRxSpinEdit::UpClick() { Step(increment_); }

void TRxSpinEdit::DownClick() { Step(-increment_); }

bool TRxSpinEdit::AcceptsChar(char c) const {
  if (!editor_enabled_) return false;
  if (c == '\b') return true;
  if ((c >= '0' && c <= '9') || c == '+' || c == '-') return true;
  return value_type_ == vtFloat && c == '.';
}

void TRxSpinEdit::CheckValue() {
  try {
    const double value = Value();
    if (HasRange() && Clamped(value) != value) SetValue(value);
  } catch (const EConvertError&) {
    // Text that is not a number stays for the dialog to report.
  }
}

bool TRxSpinEdit::WidgetEvent(QEvent* event) {
  if (event->type() == QEvent::FocusOut) CheckValue();
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    // Enter goes on to the form's default button with the value in range.
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) CheckValue();
    if (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) {
      if (key->key() == Qt::Key_Up) UpClick();
      else DownClick();
      return true;
    }
    const QString text = key->text();
    const bool shortcut = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    const bool typed = !shortcut && text.size() == 1 && (text[0].unicode() >= 0x20 || text[0].unicode() == '\b') &&
                       text[0].unicode() != 0x7F;
    if (typed && !(text[0].unicode() < 0x80 && AcceptsChar(static_cast<char>(text[0].unicode())))) {
      Beep();
      return true;
    }
  }
  return TCustomEdit::WidgetEvent(event);
}

}  // namespace orv
