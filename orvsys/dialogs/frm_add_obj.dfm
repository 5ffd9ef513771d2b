object FrmAddObj: TFrmAddObj
  BorderStyle = bsSizeable
  Caption = 'Add To Repository'
  ClientHeight = 190
  ClientWidth = 400
  Constraints.MinHeight = 190
  Constraints.MinWidth = 400
  Position = poScreenCenter
  TextHeight = 13
  ActiveControl = Edit1
  OnShow = FormShow
  object Label1: TLabel
    Left = 8
    Top = 8
    Width = 384
    Height = 46
    AutoSize = False
    Caption =
      'Adding documents to the Repository makes it easy for you to re-u' +
      'se them.  Any document you add can be opened as a template by se' +
      'lecting File | New from the main menu'
    WordWrap = True
    Anchors = [akLeft, akTop, akRight]
  end
  object Label2: TLabel
    Left = 8
    Top = 62
    Caption = 'Document Description:'
  end
  object Edit1: TEdit
    Left = 8
    Top = 80
    Width = 384
    Height = 21
    Anchors = [akLeft, akTop, akRight]
  end
  object Label3: TLabel
    Left = 8
    Top = 108
    Caption = 'Full Filepath:'
  end
  object Edit2: TEdit
    Left = 8
    Top = 126
    Width = 384
    Height = 21
    Anchors = [akLeft, akTop, akRight]
    ReadOnly = True
  end
  object Button1: TButton
    Left = 236
    Top = 158
    Width = 75
    Height = 25
    Caption = '&OK'
    Anchors = [akRight, akBottom]
    Default = True
    OnClick = Button1Click
  end
  object Button2: TButton
    Left = 317
    Top = 158
    Width = 75
    Height = 25
    Anchors = [akRight, akBottom]
    Cancel = True
    Caption = '&Cancel'
    ModalResult = mrCancel
  end
end
