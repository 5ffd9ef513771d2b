object FrmList: TFrmList
  Caption = 'Shopping list'
  ClientWidth = 320
  ClientHeight = 248
  Position = poScreenCenter
  OnCreate = FormCreate
  OnCloseQuery = FormCloseQuery
  object Edit1: TEdit
    Left = 8
    Top = 8
    Width = 200
    Height = 24
    OnKeyPress = Edit1KeyPress
  end
  object ListBox1: TListBox
    Left = 8
    Top = 40
    Width = 200
    Height = 200
  end
  object BtnAdd: TButton
    Left = 216
    Top = 8
    Width = 96
    Height = 25
    Caption = '&Add'
    OnClick = BtnAddClick
  end
  object BtnDelete: TButton
    Left = 216
    Top = 40
    Width = 96
    Height = 25
    Caption = '&Delete'
    OnClick = BtnDeleteClick
  end
  object BtnSort: TButton
    Left = 216
    Top = 72
    Width = 96
    Height = 25
    Caption = '&Sort'
    OnClick = BtnSortClick
  end
  object BtnClose: TButton
    Left = 216
    Top = 215
    Width = 96
    Height = 25
    Caption = '&Close'
    OnClick = BtnCloseClick
  end
end
