#include "controls/buttons.h"

#include <QCheckBox>
#include <QIcon>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "controls/form.h"
#include "controls/qt_text.h"

namespace orv {
namespace {

TCustomForm* FormOf(TControl* control) {
  for (; control; control = control->Parent())
    if (auto* form = dynamic_cast<TCustomForm*>(control)) return form;
  return nullptr;
}

}  // namespace

QAbstractButton* TButtonControl::Button() const { return static_cast<QAbstractButton*>(ExistingWidget()); }

void TButtonControl::ApplyCaption() {
  if (Button()) Button()->setText(ToQString(caption_));
}

void TButtonControl::WidgetCreated() {
  TWinControl::WidgetCreated();
  ApplyCaption();
}

TButton::TButton(TComponent* owner) : TButtonControl(owner) { SetBounds(0, 0, 75, 25); }

QWidget* TButton::CreateWidget(QWidget* parent) {
  auto* button = new QPushButton(parent);
  button->setDefault(default_);
  button->setAutoDefault(false);
  QObject::connect(button, &QPushButton::clicked, Receiver(), [this] { Click(); });
  return button;
}

void TButton::SetDefault(bool value) {
  default_ = value;
  if (auto* button = static_cast<QPushButton*>(ExistingWidget())) button->setDefault(value);
}

void TButton::Click() {
  if (modal_result_ != 0)
    if (TCustomForm* form = FormOf(this)) form->SetModalResult(modal_result_);
  TButtonControl::Click();
}

bool TButton::ClickAsCancel() {
  if (!cancel_ || !Enabled()) return false;
  Click();
  return true;
}

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TButtonControl(owner) { SetBounds(0, 0, 97, 17); }

QWidget* TCustomCheckBox::CreateWidget(QWidget* parent) {
  auto* box = new QCheckBox(parent);
  box->setTristate(allow_grayed_);
  box->setCheckState(state_ == cbChecked ? Qt::Checked : state_ == cbGrayed ? Qt::PartiallyChecked : Qt::Unchecked);
  QObject::connect(box, &QCheckBox::stateChanged, Receiver(), [this](int state) {
    state_ = state == Qt::Checked ? cbChecked : state == Qt::PartiallyChecked ? cbGrayed : cbUnchecked;
    Click();
  });
  return box;
}

int TCustomCheckBox::State() const { return state_; }

void TCustomCheckBox::SetState(int state) {
  if (state == state_) return;
  state_ = state;
  if (auto* box = static_cast<QCheckBox*>(ExistingWidget())) {
    QSignalBlocker quiet(box);
    box->setCheckState(state == cbChecked ? Qt::Checked : state == cbGrayed ? Qt::PartiallyChecked : Qt::Unchecked);
  }
  Click();
}

void TCustomCheckBox::SetAllowGrayed(bool allow) {
  allow_grayed_ = allow;
  if (auto* box = static_cast<QCheckBox*>(ExistingWidget())) box->setTristate(allow);
}

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) { SetBounds(0, 0, 113, 17); }

QWidget* TRadioButton::CreateWidget(QWidget* parent) {
  auto* radio = new QRadioButton(parent);
  radio->setChecked(checked_);
  QObject::connect(radio, &QRadioButton::toggled, Receiver(), [this](bool on) {
    if (on) SetChecked(true);
  });
  return radio;
}

bool TRadioButton::Checked() const { return checked_; }

void TRadioButton::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  if (auto* radio = static_cast<QRadioButton*>(ExistingWidget())) {
    QSignalBlocker quiet(radio);
    radio->setChecked(checked);
  }
  if (!checked) return;
  if (TWinControl* parent = Parent())
    for (int i = 0; i < parent->ControlCount(); ++i)
      if (auto* sibling = dynamic_cast<TRadioButton*>(parent->Controls(i)); sibling && sibling != this)
        sibling->SetChecked(false);
  Click();
}

TSpeedButton::TSpeedButton(TComponent* owner) : TGraphicControl(owner), glyph_(std::make_unique<TPicture>()) {
  SetBounds(0, 0, 23, 22);
  glyph_->OnChange = [this] { ApplyCaption(); };
}

QWidget* TSpeedButton::CreateWidget(QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setCheckable(group_index_ != 0);
  button->setChecked(down_);
  button->setAutoRaise(flat_);
  QObject::connect(button, &QToolButton::clicked, Receiver(), [this] { Click(); });
  return button;
}

void TSpeedButton::ApplyCaption() {
  auto* button = static_cast<QToolButton*>(ExistingWidget());
  if (!button) return;
  button->setText(ToQString(caption_));
  const QImage& glyph = glyph_->Image();
  button->setIcon(glyph.isNull() ? QIcon() : QIcon(QPixmap::fromImage(glyph)));
  // A glyph and a caption stand side by side.
  button->setToolButtonStyle(!glyph.isNull() && !caption_.empty() ? Qt::ToolButtonTextBesideIcon
                                                                   : Qt::ToolButtonIconOnly);
}

bool TSpeedButton::Down() const { return down_; }

void TSpeedButton::SetDown(bool down) {
  if (group_index_ == 0) down = false;
  down_ = down;
  if (auto* button = static_cast<QToolButton*>(ExistingWidget())) {
    QSignalBlocker quiet(button);
    button->setChecked(down);
  }
  if (!down || !Parent()) return;
  for (int i = 0; i < Parent()->ControlCount(); ++i)
    if (auto* other = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
        other && other != this && other->group_index_ == group_index_)
      other->SetDown(false);
}

void TSpeedButton::SetFlat(bool flat) {
  flat_ = flat;
  if (auto* button = static_cast<QToolButton*>(ExistingWidget())) button->setAutoRaise(flat);
}

void TSpeedButton::Click() {
  if (group_index_ != 0) SetDown(allow_all_up_ ? !down_ : true);
  TGraphicControl::Click();
}

}  // namespace orv
