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
    {"TDataModule", "TComponent", kControlsLibrary},
    {"TApplication", "TComponent", kControlsLibrary},
    {"TScreen", "TComponent", kControlsLibrary},
    {"TTimer", "TComponent", kControlsLibrary},
    {"TCommonDialog", "TComponent", kControlsLibrary},
    {"TOpenDialog", "TCommonDialog", kControlsLibrary},
    {"TSaveDialog", "TOpenDialog", kControlsLibrary},
    {"TColorDialog", "TCommonDialog", kControlsLibrary},
    {"TFontDialog", "TCommonDialog", kControlsLibrary},
    {"TPrinterSetupDialog", "TCommonDialog", kControlsLibrary},
    {"TPrintDialog", "TCommonDialog", kControlsLibrary},
    {"TFindDialog", "TCommonDialog", kControlsLibrary},
    {"TReplaceDialog", "TFindDialog", kControlsLibrary},
    {"TControl", "TComponent", kControlsLibrary},
    {"TGraphicControl", "TControl", kControlsLibrary},
    {"TShape", "TGraphicControl", kControlsLibrary},
    {"TPaintBox", "TGraphicControl", kControlsLibrary},
    {"TImage", "TGraphicControl", kControlsLibrary},
    {"TBevel", "TGraphicControl", kControlsLibrary},
    {"TCustomLabel", "TGraphicControl", kControlsLibrary},
    {"TLabel", "TCustomLabel", kControlsLibrary},
    {"TWinControl", "TControl", kControlsLibrary},
    {"TCustomControl", "TWinControl", kControlsLibrary},
    {"TCustomPanel", "TCustomControl", kControlsLibrary},
    {"TPanel", "TCustomPanel", kControlsLibrary},
    {"TPage", "TCustomControl", kControlsLibrary},
    {"TNotebook", "TCustomControl", kControlsLibrary},
    {"THeader", "TCustomControl", kControlsLibrary},
    {"TCustomGroupBox", "TCustomControl", kControlsLibrary},
    {"TGroupBox", "TCustomGroupBox", kControlsLibrary},
    {"TCustomRadioGroup", "TCustomGroupBox", kControlsLibrary},
    {"TRadioGroup", "TCustomRadioGroup", kControlsLibrary},
    {"TPageControl", "TWinControl", kControlsLibrary},
    {"TTabSheet", "TWinControl", kControlsLibrary},
    {"TScrollingWinControl", "TWinControl", kControlsLibrary},
    {"TScrollBox", "TScrollingWinControl", kControlsLibrary},
    {"TCustomForm", "TScrollingWinControl", kControlsLibrary},
    {"TForm", "TCustomForm", kControlsLibrary},
    {"TCustomEdit", "TWinControl", kControlsLibrary},
    {"TEdit", "TCustomEdit", kControlsLibrary},
    {"TCustomMemo", "TCustomEdit", kControlsLibrary},
    {"TMemo", "TCustomMemo", kControlsLibrary},
    {"TCustomComboBox", "TWinControl", kControlsLibrary},
    {"TComboBox", "TCustomComboBox", kControlsLibrary},
    {"TCustomListBox", "TWinControl", kControlsLibrary},
    {"TListBox", "TCustomListBox", kControlsLibrary},
    {"TScrollBar", "TWinControl", kControlsLibrary},
    {"TButtonControl", "TWinControl", kControlsLibrary},
    {"TButton", "TButtonControl", kControlsLibrary},
    {"TRadioButton", "TButtonControl", kControlsLibrary},
    {"TCustomCheckBox", "TButtonControl", kControlsLibrary},
    {"TCheckBox", "TCustomCheckBox", kControlsLibrary},
    {"TProgressBar", "TWinControl", kControlsLibrary},
    {"TCustomListView", "TWinControl", kControlsLibrary},
    {"TListView", "TCustomListView", kControlsLibrary},
    {"TSpeedButton", "TGraphicControl", kControlsLibrary},
    {"TMenu", "TComponent", kControlsLibrary},
    {"TMainMenu", "TMenu", kControlsLibrary},
    {"TPopupMenu", "TMenu", kControlsLibrary},
    {"TMenuItem", "TComponent", kControlsLibrary},
    {"TGraphicsObject", "TPersistent", kControlsLibrary},
    {"TFont", "TGraphicsObject", kControlsLibrary},
    {"TPen", "TGraphicsObject", kControlsLibrary},
    {"TBrush", "TGraphicsObject", kControlsLibrary},
    {"TPicture", "TPersistent", kControlsLibrary},
    {"TCanvas", "TPersistent", kControlsLibrary},
};

}  // namespace

std::span<const ClassTreeEntry> StandardClassTree() {
  return {kTree, std::size(kTree)};
}

}  // namespace orv
