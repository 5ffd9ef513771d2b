#include "controls/font_combo.h"

#include <QFontDatabase>

#include "controls/qt_application.h"
#include "platform/paths.h"

namespace orv {

TFontComboBox::TFontComboBox(TComponent* owner) : TCustomComboBox(owner) {}

void TFontComboBox::Fill() {
  if (filled_) return;
  filled_ = true;
  EnsureQtApplication();
  TStringList* items = Items();
  items->BeginUpdate();
  items->Clear();
  for (const QString& family : QFontDatabase::families())
    if (!true_type_only_ || QFontDatabase::isScalable(family)) items->Add(family.toUtf8().toStdString());
  items->EndUpdate();
}

void TFontComboBox::SetTrueTypeOnly(bool value) {
  true_type_only_ = value;
  if (!filled_) return;
  filled_ = false;
  Fill();
}

QWidget* TFontComboBox::CreateWidget(QWidget* parent) {
  Fill();
  return TCustomComboBox::CreateWidget(parent);
}

void TFontComboBox::SetFontName(const std::string& name) {
  if (name == FontName()) return;
  Fill();
  const std::string wanted = UpperCase(name);
  int found = -1;
  for (int i = 0; i < Items()->Count() && found < 0; ++i)
    if (UpperCase(Items()->Get(i)) == wanted) found = i;
  SetItemIndex(found);
  FireEvent(OnChange, this);
}

}  // namespace orv
