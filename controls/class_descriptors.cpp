// The descriptors of the visual classes: factory and published properties
// of each (the custom bases that scripts may create have factories too). They are registered when liborvcontrols.so is loaded, which the
// component library does on the first use of one of these classes.
#include "components/published.h"
#include "controls/application.h"
#include "controls/buttons.h"
#include "controls/common_dialogs.h"
#include "controls/containers.h"
#include "controls/edits.h"
#include "controls/form.h"
#include "controls/graphic_controls.h"
#include "controls/image_list.h"
#include "controls/list_view.h"
#include "controls/lists.h"
#include "controls/menus.h"
#include "controls/timer.h"

namespace orv {
namespace {

using namespace publish;
using types::Boolean;
using types::Integer;
using types::String;

template <class T>
std::function<TComponent*(TComponent*)> Factory() {
  return [](TComponent* owner) -> TComponent* { return new T(owner); };
}

PropertyInfo Caption() { return Prop("Caption", String, &TControl::Caption, &TControl::SetCaption); }
PropertyInfo Text() { return Prop("Text", String, &TControl::Caption, &TControl::SetCaption); }

void RegisterControls() {
  RegisterClassDescriptor({"TControl", "", nullptr,
                           {Prop("Left", Integer, &TControl::Left, &TControl::SetLeft),
                            Prop("Top", Integer, &TControl::Top, &TControl::SetTop),
                            Prop("Width", Integer, &TControl::Width, &TControl::SetWidth),
                            Prop("Height", Integer, &TControl::Height, &TControl::SetHeight),
                            Prop("Align", types::TAlign, &TControl::Align, &TControl::SetAlign),
                            Prop("Anchors", types::TAnchors, &TControl::Anchors, &TControl::SetAnchors),
                            SubObject("Constraints", &TControl::Constraints),
                            StoredWhen<TControl>(Prop("Color", types::TColor, &TControl::Color, &TControl::SetColor),
                                                 [](const TControl& c) { return !c.ParentColor(); }),
                            Prop("ParentColor", Boolean, &TControl::ParentColor, &TControl::SetParentColor),
                            StoredWhen<TControl>(SubObject("Font", &TControl::Font),
                                                 [](const TControl& c) { return !c.ParentFont(); }),
                            Prop("ParentFont", Boolean, &TControl::ParentFont, &TControl::SetParentFont),
                            Prop("Cursor", types::TCursor, &TControl::Cursor, &TControl::SetCursor),
                            Prop("DragCursor", types::TCursor, &TControl::DragCursor, &TControl::SetDragCursor),
                            Prop("DragMode", Integer, &TControl::DragMode, &TControl::SetDragMode),
                            Prop("Enabled", Boolean, &TControl::Enabled, &TControl::SetEnabled),
                            Prop("Hint", String, &TControl::Hint, &TControl::SetHint),
                            Prop("ShowHint", Boolean, &TControl::ShowHint, &TControl::SetShowHint),
                            Prop("ParentShowHint", Boolean, &TControl::ParentShowHint, &TControl::SetParentShowHint),
                            Prop("Visible", Boolean, &TControl::Visible, &TControl::SetVisible),
                            Reference("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu),
                            Event("OnClick", "TNotifyEvent", &TControl::OnClick),
                            Event("OnDblClick", "TNotifyEvent", &TControl::OnDblClick),
                            Event("OnMouseDown", "TMouseEvent", &TControl::OnMouseDown),
                            Event("OnMouseMove", "TMouseMoveEvent", &TControl::OnMouseMove),
                            Event("OnMouseUp", "TMouseEvent", &TControl::OnMouseUp),
                            Event("OnResize", "TNotifyEvent", &TControl::OnResize)}});
  RegisterClassDescriptor({"TWinControl", "", nullptr,
                           {Prop("TabOrder", Integer, &TWinControl::TabOrder, &TWinControl::SetTabOrder),
                            Prop("TabStop", Boolean, &TWinControl::TabStop, &TWinControl::SetTabStop),
                            Prop("Ctl3D", Boolean, &TWinControl::Ctl3D, &TWinControl::SetCtl3D),
                            Prop("HelpContext", Integer, &TWinControl::HelpContext, &TWinControl::SetHelpContext),
                            Event("OnEnter", "TNotifyEvent", &TWinControl::OnEnter),
                            Event("OnExit", "TNotifyEvent", &TWinControl::OnExit),
                            Event("OnKeyDown", "TKeyEvent", &TWinControl::OnKeyDown),
                            Event("OnKeyPress", "TKeyPressEvent", &TWinControl::OnKeyPress),
                            Event("OnKeyUp", "TKeyEvent", &TWinControl::OnKeyUp)}});
  RegisterClassDescriptor({"TGraphicControl", "", nullptr, {Event("OnPaint", "TNotifyEvent", &TGraphicControl::OnPaint)}});
  RegisterClassDescriptor({"TCustomControl", "", nullptr, {Event("OnPaint", "TNotifyEvent", &TCustomControl::OnPaint)}});
  RegisterClassDescriptor({"TScrollingWinControl", "", nullptr, {}});
  RegisterClassDescriptor({"TScrollBox", "", Factory<TScrollBox>(), {}});
}

void RegisterForms() {
  RegisterClassDescriptor(
      {"TCustomForm", "", nullptr,
       {Caption(),
        Prop("ClientWidth", Integer, &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth),
        Prop("ClientHeight", Integer, &TCustomForm::ClientHeight, &TCustomForm::SetClientHeight),
        Prop("BorderStyle", types::TFormBorderStyle, &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle),
        Prop("Position", types::TPosition, &TCustomForm::Position, &TCustomForm::SetPosition),
        Prop("FormStyle", Integer, &TCustomForm::FormStyle, &TCustomForm::SetFormStyle),
        Prop("KeyPreview", Boolean, &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview),
        Prop("PixelsPerInch", Integer, &TCustomForm::PixelsPerInch, &TCustomForm::SetPixelsPerInch),
        Prop("Scaled", Boolean, &TCustomForm::Scaled, &TCustomForm::SetScaled),
        Prop("TextHeight", Integer, &TCustomForm::TextHeight, &TCustomForm::SetTextHeight),
        Reference("ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl),
        Reference("Menu", &TCustomForm::Menu, &TCustomForm::SetMenu),
        Event("OnCreate", "TNotifyEvent", &TCustomForm::OnCreate),
        Event("OnDestroy", "TNotifyEvent", &TCustomForm::OnDestroy),
        Event("OnShow", "TNotifyEvent", &TCustomForm::OnShow),
        Event("OnHide", "TNotifyEvent", &TCustomForm::OnHide),
        Event("OnActivate", "TNotifyEvent", &TCustomForm::OnActivate),
        Event("OnDeactivate", "TNotifyEvent", &TCustomForm::OnDeactivate),
        Event("OnClose", "TCloseEvent", &TCustomForm::OnClose),
        Event("OnCloseQuery", "TCloseQueryEvent", &TCustomForm::OnCloseQuery),
        Event("OnPaint", "TNotifyEvent", &TCustomForm::OnPaint)}});
  RegisterClassDescriptor({"TForm", "", Factory<TForm>(), {}});
  RegisterClassDescriptor({"TDataModule", "", Factory<TDataModule>(),
                           {Event("OnCreate", "TNotifyEvent", &TDataModule::OnCreate),
                            Event("OnDestroy", "TNotifyEvent", &TDataModule::OnDestroy)}});
  RegisterClassDescriptor({"TApplication", "", nullptr, {Prop("Title", String, &TApplication::Title, &TApplication::SetTitle)}});
  RegisterClassDescriptor({"TScreen", "", nullptr, {}});
  RegisterClassInstance("TApplication", [] { return Application(); });
  RegisterClassInstance("TScreen", [] { return Screen(); });
}

void RegisterStandardControls() {
  RegisterClassDescriptor(
      {"TCustomLabel", "", Factory<TCustomLabel>(),
       {Caption(), Prop("Alignment", types::TAlignment, &TCustomLabel::Alignment, &TCustomLabel::SetAlignment),
        Prop("AutoSize", Boolean, &TCustomLabel::AutoSize, &TCustomLabel::SetAutoSize),
        Prop("WordWrap", Boolean, &TCustomLabel::WordWrap, &TCustomLabel::SetWordWrap),
        Prop("Transparent", Boolean, &TCustomLabel::Transparent, &TCustomLabel::SetTransparent),
        Prop("ShowAccelChar", Boolean, &TCustomLabel::ShowAccelChar, &TCustomLabel::SetShowAccelChar),
        Reference("FocusControl", &TCustomLabel::FocusControl, &TCustomLabel::SetFocusControl)}});
  RegisterClassDescriptor({"TLabel", "", Factory<TLabel>(), {}});
  RegisterClassDescriptor(
      {"TCustomEdit", "", Factory<TCustomEdit>(),
       {Text(), Prop("ReadOnly", Boolean, &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly),
        Prop("MaxLength", Integer, &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength),
        Prop("BorderStyle", types::TBorderStyle, &TCustomEdit::BorderStyle, &TCustomEdit::SetBorderStyle),
        Prop("CharCase", types::TEditCharCase, &TCustomEdit::CharCase, &TCustomEdit::SetCharCase),
        Prop("PasswordChar", types::Char, &TCustomEdit::PasswordChar, &TCustomEdit::SetPasswordChar),
        Prop("AutoSelect", Boolean, &TCustomEdit::AutoSelect, &TCustomEdit::SetAutoSelect),
        Prop("AutoSize", Boolean, &TCustomEdit::AutoSize, &TCustomEdit::SetAutoSize),
        Prop("OEMConvert", Boolean, &TCustomEdit::OemConvert, &TCustomEdit::SetOemConvert),
        Event("OnChange", "TNotifyEvent", &TCustomEdit::OnChange)}});
  RegisterClassDescriptor({"TEdit", "", Factory<TEdit>(), {}});
  RegisterClassDescriptor(
      {"TCustomMemo", "", Factory<TCustomMemo>(),
       {Prop("Text", String, &TCustomMemo::Caption, &TCustomMemo::SetCaption), SubObject("Lines", &TCustomMemo::Lines),
        Prop("Alignment", types::TAlignment, &TCustomMemo::Alignment, &TCustomMemo::SetAlignment),
        Prop("ScrollBars", types::TScrollStyle, &TCustomMemo::ScrollBars, &TCustomMemo::SetScrollBars),
        Prop("WantReturns", Boolean, &TCustomMemo::WantReturns, &TCustomMemo::SetWantReturns),
        Prop("WantTabs", Boolean, &TCustomMemo::WantTabs, &TCustomMemo::SetWantTabs),
        Prop("WordWrap", Boolean, &TCustomMemo::WordWrap, &TCustomMemo::SetWordWrap)}});
  RegisterClassDescriptor({"TMemo", "", Factory<TMemo>(), {}});
  RegisterClassDescriptor({"TButtonControl", "", nullptr, {Caption()}});
  RegisterClassDescriptor({"TButton", "", Factory<TButton>(),
                           {Prop("Default", Boolean, &TButton::Default, &TButton::SetDefault),
                            Prop("Cancel", Boolean, &TButton::Cancel, &TButton::SetCancel),
                            Prop("ModalResult", types::TModalResult, &TButton::ModalResult, &TButton::SetModalResult)}});
  RegisterClassDescriptor(
      {"TCustomCheckBox", "", nullptr,
       {Prop("Checked", Boolean, &TCustomCheckBox::Checked, &TCustomCheckBox::SetChecked),
        Prop("State", types::TCheckBoxState, &TCustomCheckBox::State, &TCustomCheckBox::SetState),
        Prop("AllowGrayed", Boolean, &TCustomCheckBox::AllowGrayed, &TCustomCheckBox::SetAllowGrayed),
        Prop("Alignment", types::TAlignment, &TCustomCheckBox::Alignment, &TCustomCheckBox::SetAlignment)}});
  RegisterClassDescriptor({"TCheckBox", "", Factory<TCheckBox>(), {}});
  RegisterClassDescriptor({"TRadioButton", "", Factory<TRadioButton>(),
                           {Prop("Checked", Boolean, &TRadioButton::Checked, &TRadioButton::SetChecked),
                            Prop("Alignment", types::TAlignment, &TRadioButton::Alignment, &TRadioButton::SetAlignment)}});
  RegisterClassDescriptor(
      {"TCustomComboBox", "", nullptr,
       {Text(), SubObject("Items", &TCustomComboBox::Items),
        Prop("ItemIndex", Integer, &TCustomComboBox::ItemIndex, &TCustomComboBox::SetItemIndex),
        Prop("Style", types::TComboBoxStyle, &TCustomComboBox::Style, &TCustomComboBox::SetStyle),
        Prop("ItemHeight", Integer, &TCustomComboBox::ItemHeight, &TCustomComboBox::SetItemHeight),
        Prop("MaxLength", Integer, &TCustomComboBox::MaxLength, &TCustomComboBox::SetMaxLength),
        Prop("Sorted", Boolean, &TCustomComboBox::Sorted, &TCustomComboBox::SetSorted),
        Event("OnChange", "TNotifyEvent", &TCustomComboBox::OnChange),
        Event("OnDropDown", "TNotifyEvent", &TCustomComboBox::OnDropDown)}});
  RegisterClassDescriptor({"TComboBox", "", Factory<TComboBox>(), {}});
  RegisterClassDescriptor(
      {"TCustomListBox", "", Factory<TCustomListBox>(),
       {SubObject("Items", &TCustomListBox::Items),
        Prop("ItemIndex", Integer, &TCustomListBox::ItemIndex, &TCustomListBox::SetItemIndex),
        Prop("MultiSelect", Boolean, &TCustomListBox::MultiSelect, &TCustomListBox::SetMultiSelect),
        Prop("ExtendedSelect", Boolean, &TCustomListBox::ExtendedSelect, &TCustomListBox::SetExtendedSelect),
        Prop("Sorted", Boolean, &TCustomListBox::Sorted, &TCustomListBox::SetSorted),
        Prop("Columns", Integer, &TCustomListBox::Columns, &TCustomListBox::SetColumns),
        Prop("ItemHeight", Integer, &TCustomListBox::ItemHeight, &TCustomListBox::SetItemHeight),
        Prop("Style", types::TListBoxStyle, &TCustomListBox::Style, &TCustomListBox::SetStyle),
        Prop("TabWidth", Integer, &TCustomListBox::TabWidth, &TCustomListBox::SetTabWidth),
        Prop("IntegralHeight", Boolean, &TCustomListBox::IntegralHeight, &TCustomListBox::SetIntegralHeight),
        Event("OnChange", "TNotifyEvent", &TCustomListBox::OnChange)}});
  RegisterClassDescriptor({"TListBox", "", Factory<TListBox>(), {}});
  RegisterClassDescriptor({"TScrollBar", "", Factory<TScrollBar>(),
                           {Prop("Kind", types::TScrollBarKind, &TScrollBar::Kind, &TScrollBar::SetKind),
                            Prop("Min", Integer, &TScrollBar::Min, &TScrollBar::SetMin),
                            Prop("Max", Integer, &TScrollBar::Max, &TScrollBar::SetMax),
                            Prop("Position", Integer, &TScrollBar::Position, &TScrollBar::SetPosition),
                            Prop("SmallChange", Integer, &TScrollBar::SmallChange, &TScrollBar::SetSmallChange),
                            Prop("LargeChange", Integer, &TScrollBar::LargeChange, &TScrollBar::SetLargeChange),
                            Event("OnChange", "TNotifyEvent", &TScrollBar::OnChange),
                            Event("OnScroll", "TScrollEvent", &TScrollBar::OnScroll)}});
  RegisterClassDescriptor(
      {"TProgressBar", "", Factory<TProgressBar>(),
       {Prop("Min", Integer, &TProgressBar::Min, &TProgressBar::SetMin),
        Prop("Max", Integer, &TProgressBar::Max, &TProgressBar::SetMax),
        Prop("Position", Integer, &TProgressBar::Position, &TProgressBar::SetPosition),
        Prop("Step", Integer, &TProgressBar::Step, &TProgressBar::SetStep),
        Prop("Orientation", types::TProgressBarOrientation, &TProgressBar::Orientation, &TProgressBar::SetOrientation)}});
  RegisterClassDescriptor(
      {"TCustomListView", "", nullptr,
       {Prop("ViewStyle", types::TViewStyle, &TCustomListView::ViewStyle, &TCustomListView::SetViewStyle),
        Prop("MultiSelect", Boolean, &TCustomListView::MultiSelect, &TCustomListView::SetMultiSelect),
        Prop("ReadOnly", Boolean, &TCustomListView::ReadOnly, &TCustomListView::SetReadOnly),
        SubObject("Columns", &TCustomListView::Columns),
        Reference("LargeImages", &TCustomListView::LargeImages, &TCustomListView::SetLargeImages),
        Event("OnChange", "TLVChangeEvent", &TCustomListView::OnChange),
        Event("OnColumnClick", "TLVColumnClickEvent", &TCustomListView::OnColumnClick)}});
  RegisterClassDescriptor({"TListView", "", Factory<TListView>(), {}});
  RegisterClassDescriptor({"TListColumn", "", nullptr,
                           {Prop("Caption", String, &TListColumn::Caption, &TListColumn::SetCaption),
                            Prop("Width", Integer, &TListColumn::Width, &TListColumn::SetWidth)}});
  RegisterClassDescriptor({"TImageList", "", Factory<TImageList>(),
                           {Prop("Width", Integer, &TImageList::Width, &TImageList::SetWidth),
                            Prop("Height", Integer, &TImageList::Height, &TImageList::SetHeight)}});
  RegisterClassDescriptor({"TSpeedButton", "", Factory<TSpeedButton>(),
                           {Caption(), Prop("Down", Boolean, &TSpeedButton::Down, &TSpeedButton::SetDown),
                            Prop("GroupIndex", Integer, &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex),
                            Prop("AllowAllUp", Boolean, &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp),
                            Prop("Flat", Boolean, &TSpeedButton::Flat, &TSpeedButton::SetFlat),
                            SubObject("Glyph", &TSpeedButton::Glyph)}});
}

void RegisterExtraControls() {
  RegisterClassDescriptor({"TCustomGroupBox", "", nullptr, {Caption()}});
  RegisterClassDescriptor({"TGroupBox", "", Factory<TGroupBox>(), {}});
  RegisterClassDescriptor(
      {"TCustomRadioGroup", "", Factory<TCustomRadioGroup>(),
       {SubObject("Items", &TCustomRadioGroup::Items),
        Prop("ItemIndex", Integer, &TCustomRadioGroup::ItemIndex, &TCustomRadioGroup::SetItemIndex),
        Prop("Columns", Integer, &TCustomRadioGroup::Columns, &TCustomRadioGroup::SetColumns)}});
  RegisterClassDescriptor({"TRadioGroup", "", Factory<TRadioGroup>(), {}});
  RegisterClassDescriptor(
      {"TCustomPanel", "", Factory<TCustomPanel>(),
       {Caption(), Prop("Alignment", types::TAlignment, &TCustomPanel::Alignment, &TCustomPanel::SetAlignment),
        Prop("BevelInner", types::TPanelBevel, &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner),
        Prop("BevelOuter", types::TPanelBevel, &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter),
        Prop("BevelWidth", Integer, &TCustomPanel::BevelWidth, &TCustomPanel::SetBevelWidth),
        Prop("BorderWidth", Integer, &TCustomPanel::BorderWidth, &TCustomPanel::SetBorderWidth),
        Prop("BorderStyle", types::TBorderStyle, &TCustomPanel::BorderStyle, &TCustomPanel::SetBorderStyle),
        Prop("Locked", Boolean, &TCustomPanel::Locked, &TCustomPanel::SetLocked)}});
  RegisterClassDescriptor({"TPanel", "", Factory<TPanel>(), {}});
  RegisterClassDescriptor({"TTabSheet", "", Factory<TTabSheet>(),
                           {Caption(), Reference("PageControl", &TTabSheet::PageControl, &TTabSheet::SetPageControl)}});
  RegisterClassDescriptor(
      {"TPageControl", "", Factory<TPageControl>(),
       {Reference("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage),
        Event("OnChange", "TNotifyEvent", &TPageControl::OnChange)}});
  RegisterClassDescriptor({"TPage", "", Factory<TPage>(), {Caption()}});
  RegisterClassDescriptor({"TNotebook", "", Factory<TNotebook>(),
                           {SubObject("Pages", &TNotebook::Pages),
                            Prop("PageIndex", Integer, &TNotebook::PageIndex, &TNotebook::SetPageIndex),
                            Prop("ActivePage", String, &TNotebook::ActivePage, &TNotebook::SetActivePage),
                            Event("OnPageChanged", "TNotifyEvent", &TNotebook::OnPageChanged)}});
  RegisterClassDescriptor({"THeader", "", Factory<THeader>(),
                           {SubObject("Sections", &THeader::Sections),
                            Prop("AllowResize", Boolean, &THeader::AllowResize, &THeader::SetAllowResize),
                            Prop("BorderStyle", types::TBorderStyle, &THeader::BorderStyle, &THeader::SetBorderStyle)}});
  RegisterClassDescriptor({"TBevel", "", Factory<TBevel>(),
                           {Prop("Shape", types::TBevelShape, &TBevel::Shape, &TBevel::SetShape),
                            Prop("Style", types::TBevelStyle, &TBevel::Style, &TBevel::SetStyle)}});
  RegisterClassDescriptor({"TShape", "", Factory<TShape>(),
                           {Prop("Shape", types::TShapeType, &TShape::Shape, &TShape::SetShape),
                            SubObject("Pen", &TShape::Pen), SubObject("Brush", &TShape::Brush)}});
  RegisterClassDescriptor({"TPaintBox", "", Factory<TPaintBox>(), {}});
  RegisterClassDescriptor({"TImage", "", Factory<TImage>(),
                           {SubObject("Picture", &TImage::Picture),
                            Prop("AutoSize", Boolean, &TImage::AutoSize, &TImage::SetAutoSize),
                            Prop("Center", Boolean, &TImage::Center, &TImage::SetCenter),
                            Prop("Stretch", Boolean, &TImage::Stretch, &TImage::SetStretch)}});
  RegisterClassDescriptor({"TTimer", "", Factory<TTimer>(),
                           {Prop("Enabled", Boolean, &TTimer::Enabled, &TTimer::SetEnabled),
                            Prop("Interval", Integer, &TTimer::Interval, &TTimer::SetInterval),
                            Event("OnTimer", "TNotifyEvent", &TTimer::OnTimer)}});
  RegisterClassDescriptor({"TMenuItem", "", Factory<TMenuItem>(),
                           {Prop("Caption", String, &TMenuItem::Caption, &TMenuItem::SetCaption),
                            Prop("Checked", Boolean, &TMenuItem::Checked, &TMenuItem::SetChecked),
                            Prop("Enabled", Boolean, &TMenuItem::Enabled, &TMenuItem::SetEnabled),
                            Prop("Visible", Boolean, &TMenuItem::Visible, &TMenuItem::SetVisible),
                            Prop("RadioItem", Boolean, &TMenuItem::RadioItem, &TMenuItem::SetRadioItem),
                            Prop("GroupIndex", Integer, &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex),
                            Event("OnClick", "TNotifyEvent", &TMenuItem::OnClick)}});
  RegisterClassDescriptor({"TMenu", "", nullptr, {}});
  RegisterClassDescriptor({"TMainMenu", "", Factory<TMainMenu>(), {}});
  RegisterClassDescriptor({"TPopupMenu", "", Factory<TPopupMenu>(),
                           {Prop("AutoPopup", Boolean, &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup),
                            Event("OnPopup", "TNotifyEvent", &TPopupMenu::OnPopup)}});
}

void RegisterGraphics() {
  RegisterClassDescriptor({"TGraphicsObject", "", nullptr, {}});
  RegisterClassDescriptor({"TFont", "", nullptr,
                           {Prop("Name", String, &TFont::Name, &TFont::SetName),
                            Prop("Size", Integer, &TFont::Size, &TFont::SetSize),
                            Prop("Color", types::TColor, &TFont::Color, &TFont::SetColor),
                            Prop("Style", types::TFontStyles, &TFont::Style, &TFont::SetStyle)}});
  RegisterClassDescriptor({"TPen", "", nullptr,
                           {Prop("Color", types::TColor, &TPen::Color, &TPen::SetColor),
                            Prop("Width", Integer, &TPen::Width, &TPen::SetWidth),
                            Prop("Style", types::TPenStyle, &TPen::Style, &TPen::SetStyle)}});
  RegisterClassDescriptor({"TBrush", "", nullptr,
                           {Prop("Color", types::TColor, &TBrush::Color, &TBrush::SetColor),
                            Prop("Style", types::TBrushStyle, &TBrush::Style, &TBrush::SetStyle)}});
  RegisterClassDescriptor(
      {"TPicture", "", nullptr,
       {StoredWhen<TPicture>(Prop("Data", types::Binary, &TPicture::Data, &TPicture::SetData),
                             [](const TPicture& picture) { return picture.StoresData(); }),
        Prop("IconName", String, &TPicture::IconName, &TPicture::SetIconName),
        Prop("IconSize", Integer, &TPicture::IconSize, &TPicture::SetIconSize)}});
  RegisterClassDescriptor({"TSizeConstraints", "", nullptr,
                           {Prop("MinWidth", Integer, &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth),
                            Prop("MinHeight", Integer, &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight),
                            Prop("MaxWidth", Integer, &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth),
                            Prop("MaxHeight", Integer, &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight)}});
  RegisterClassDescriptor({"TCanvas", "", nullptr, {}});
}

void RegisterDialogs() {
  RegisterClassDescriptor({"TCommonDialog", "", nullptr,
                           {Prop("Ctl3D", Boolean, &TCommonDialog::Ctl3D, &TCommonDialog::SetCtl3D),
                            Prop("HelpContext", Integer, &TCommonDialog::HelpContext, &TCommonDialog::SetHelpContext),
                            Event("OnShow", "TNotifyEvent", &TCommonDialog::OnShow),
                            Event("OnClose", "TNotifyEvent", &TCommonDialog::OnClose)}});
  RegisterClassDescriptor({"TOpenDialog", "", Factory<TOpenDialog>(),
                           {Prop("FileName", String, &TOpenDialog::FileName, &TOpenDialog::SetFileName),
                            Prop("Filter", String, &TOpenDialog::Filter, &TOpenDialog::SetFilter),
                            Prop("FilterIndex", Integer, &TOpenDialog::FilterIndex, &TOpenDialog::SetFilterIndex),
                            Prop("InitialDir", String, &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir),
                            Prop("DefaultExt", String, &TOpenDialog::DefaultExt, &TOpenDialog::SetDefaultExt),
                            Prop("Title", String, &TOpenDialog::Title, &TOpenDialog::SetTitle),
                            Prop("Options", types::Integer, &TOpenDialog::Options, &TOpenDialog::SetOptions),
                            Prop("FileEditStyle", Integer, &TOpenDialog::FileEditStyle, &TOpenDialog::SetFileEditStyle),
                            SubObject("HistoryList", &TOpenDialog::HistoryList)}});
  RegisterClassDescriptor({"TSaveDialog", "", Factory<TSaveDialog>(), {}});
  RegisterClassDescriptor({"TColorDialog", "", Factory<TColorDialog>(),
                           {Prop("Color", types::TColor, &TColorDialog::Color, &TColorDialog::SetColor),
                            SubObject("CustomColors", &TColorDialog::CustomColors)}});
  RegisterClassDescriptor({"TFontDialog", "", Factory<TFontDialog>(),
                           {SubObject("Font", &TFontDialog::Font),
                            Prop("Device", Integer, &TFontDialog::Device, &TFontDialog::SetDevice),
                            Prop("MinFontSize", Integer, &TFontDialog::MinFontSize, &TFontDialog::SetMinFontSize),
                            Prop("MaxFontSize", Integer, &TFontDialog::MaxFontSize, &TFontDialog::SetMaxFontSize)}});
  RegisterClassDescriptor({"TPrinterSetupDialog", "", Factory<TPrinterSetupDialog>(), {}});
  RegisterClassDescriptor({"TPrintDialog", "", Factory<TPrintDialog>(),
                           {Prop("Collate", Boolean, &TPrintDialog::Collate, &TPrintDialog::SetCollate),
                            Prop("PrintToFile", Boolean, &TPrintDialog::PrintToFile, &TPrintDialog::SetPrintToFile),
                            Prop("Copies", Integer, &TPrintDialog::Copies, &TPrintDialog::SetCopies),
                            Prop("FromPage", Integer, &TPrintDialog::FromPage, &TPrintDialog::SetFromPage),
                            Prop("ToPage", Integer, &TPrintDialog::ToPage, &TPrintDialog::SetToPage),
                            Prop("MinPage", Integer, &TPrintDialog::MinPage, &TPrintDialog::SetMinPage),
                            Prop("MaxPage", Integer, &TPrintDialog::MaxPage, &TPrintDialog::SetMaxPage),
                            Prop("PrintRange", Integer, &TPrintDialog::PrintRange, &TPrintDialog::SetPrintRange)}});
  RegisterClassDescriptor({"TFindDialog", "", Factory<TFindDialog>(),
                           {Prop("FindText", String, &TFindDialog::FindText, &TFindDialog::SetFindText),
                            Prop("Left", Integer, &TFindDialog::Left, &TFindDialog::SetLeft),
                            Prop("Top", Integer, &TFindDialog::Top, &TFindDialog::SetTop),
                            Event("OnFind", "TNotifyEvent", &TFindDialog::OnFind)}});
  RegisterClassDescriptor({"TReplaceDialog", "", Factory<TReplaceDialog>(),
                           {Prop("ReplaceText", String, &TReplaceDialog::ReplaceText, &TReplaceDialog::SetReplaceText),
                            Event("OnReplace", "TNotifyEvent", &TReplaceDialog::OnReplace)}});
}

// Runs when the library is loaded.
[[maybe_unused]] const bool registered = [] {
  RegisterControls();
  RegisterForms();
  RegisterStandardControls();
  RegisterExtraControls();
  RegisterGraphics();
  RegisterDialogs();
  return true;
}();

}  // namespace
}  // namespace orv
