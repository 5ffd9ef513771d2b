// TFrmNameValues: the name/value list dialog that the variables editor and
// the tools menu editor share (frm_name_values.dfm): an introduction, a
// two-column list of rows, two row buttons under it, a name box and a value
// box with "&Add", and "&OK" and "&Cancel". Each editor derives from it with
// a form file that begins "inherited" and gives the captions and what it
// adds, and handles the events its own way.
#pragma once

#include <string>

#include "controls/form.h"

namespace orv {

class TButton;
class TEdit;
class TLabel;
class TListView;
class TUserSettingList;

// The shared dialog; a derived class reads its own form file after it.
class TFrmNameValues : public TForm {
 public:
  TFrmNameValues();
  std::string ClassName() const override { return "TFrmNameValues"; }

  // Appends one row per item: the name as caption, the value as second column.
  void ShowRows(const TUserSettingList& list);
  // Empties the list and appends one item per row, in row order.
  void ReadRows(TUserSettingList& list) const;

  TListView* ListView1 = nullptr;
  TButton* Button3 = nullptr;  // the first row button
  TButton* Button4 = nullptr;  // the second row button
  TEdit* Edit1 = nullptr;      // the name
  TEdit* Edit2 = nullptr;      // the value
  TButton* Button5 = nullptr;  // "&Add"

 protected:
  // Appends a row with the two boxes' texts, empties both and focuses the
  // name box.
  void AddRow();
  // Opens "Modify Value" for the first selected row with the two labels
  // given; OK stores the new value. The focus returns to the list.
  void ModifyRow(const std::string& name_label, const std::string& value_label);

  // The events of the shared form; each editor handles those it needs.
  virtual void ListView1Change(TObject*) {}
  virtual void ListView1Click(TObject*) {}
  virtual void ListView1DblClick(TObject* sender) = 0;
  virtual void Button3Click(TObject* sender) = 0;
  virtual void Button4Click(TObject* sender) = 0;
  virtual void EditChange(TObject*) {}
  virtual void Button5Click(TObject* sender) = 0;
  virtual void Button1Click(TObject* sender) = 0;
};

}  // namespace orv
