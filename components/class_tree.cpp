#include "components/class_tree.h"

#include <iterator>

namespace orv {
namespace {

constexpr ClassTreeEntry kTree[] = {
    {"TObject", ""},
    {"TPersistent", "TObject"},
    {"TStrings", "TPersistent"},
    {"TStringList", "TStrings"},
    {"TComponent", "TPersistent"},
    {"TDataModule", "TComponent"},
    {"TApplication", "TComponent"},
    {"TScreen", "TComponent"},
    {"TTimer", "TComponent"},
    {"TCommonDialog", "TComponent"},
    {"TOpenDialog", "TCommonDialog"},
    {"TSaveDialog", "TOpenDialog"},
    {"TColorDialog", "TCommonDialog"},
    {"TFontDialog", "TCommonDialog"},
    {"TPrinterSetupDialog", "TCommonDialog"},
    {"TPrintDialog", "TCommonDialog"},
    {"TFindDialog", "TCommonDialog"},
    {"TReplaceDialog", "TFindDialog"},
    {"TControl", "TComponent"},
    {"TGraphicControl", "TControl"},
    {"TShape", "TGraphicControl"},
    {"TPaintBox", "TGraphicControl"},
    {"TImage", "TGraphicControl"},
    {"TBevel", "TGraphicControl"},
    {"TCustomLabel", "TGraphicControl"},
    {"TLabel", "TCustomLabel"},
    {"TWinControl", "TControl"},
    {"TCustomControl", "TWinControl"},
    {"TCustomPanel", "TCustomControl"},
    {"TPanel", "TCustomPanel"},
    {"TPage", "TCustomControl"},
    {"TNotebook", "TCustomControl"},
    {"THeader", "TCustomControl"},
    {"TCustomGroupBox", "TCustomControl"},
    {"TGroupBox", "TCustomGroupBox"},
    {"TCustomRadioGroup", "TCustomGroupBox"},
    {"TRadioGroup", "TCustomRadioGroup"},
    {"TPageControl", "TWinControl"},
    {"TTabSheet", "TWinControl"},
    {"TScrollingWinControl", "TWinControl"},
    {"TScrollBox", "TScrollingWinControl"},
    {"TCustomForm", "TScrollingWinControl"},
    {"TForm", "TCustomForm"},
    {"TCustomEdit", "TWinControl"},
    {"TEdit", "TCustomEdit"},
    {"TCustomMemo", "TCustomEdit"},
    {"TMemo", "TCustomMemo"},
    {"TCustomComboBox", "TWinControl"},
    {"TComboBox", "TCustomComboBox"},
    {"TCustomListBox", "TWinControl"},
    {"TListBox", "TCustomListBox"},
    {"TScrollBar", "TWinControl"},
    {"TButtonControl", "TWinControl"},
    {"TButton", "TButtonControl"},
    {"TRadioButton", "TButtonControl"},
    {"TCustomCheckBox", "TButtonControl"},
    {"TCheckBox", "TCustomCheckBox"},
};

}  // namespace

std::span<const ClassTreeEntry> StandardClassTree() {
  return {kTree, std::size(kTree)};
}

}  // namespace orv
