object FrmModValue: TFrmModValue
  BorderStyle = bsSizeable
  Caption = 'Modify Value'
  ClientHeight = 130
  ClientWidth = 360
  Constraints.MinHeight = 130
  Constraints.MinWidth = 360
  Position = poScreenCenter
  TextHeight = 13
  OnShow = FormShow
  object Label1: TLabel
    Left = 8
    Top = 10
    Caption = 'Variable:'
  end
  object Edit1: TEdit
    Left = 8
    Top = 28
    Width = 344
    Height = 18
    Anchors = [akLeft, akTop, akRight]
    TabStop = False
    BorderStyle = bsNone
    Color = clBtnFace
    Font.Color = clGrayText
    ParentFont = False
    ReadOnly = True
  end
  object Label2: TLabel
    Left = 8
    Top = 52
    Caption = 'Value:'
  end
  object Edit2: TEdit
    Left = 8
    Top = 70
    Width = 344
    Height = 21
    Anchors = [akLeft, akTop, akRight]
  end
  object Button1: TButton
    Left = 196
    Top = 100
    Width = 75
    Height = 25
    Caption = '&OK'
    Anchors = [akRight, akBottom]
    Default = True
    ModalResult = mrOk
  end
  object Button2: TButton
    Left = 276
    Top = 100
    Width = 75
    Height = 25
    Anchors = [akRight, akBottom]
    Cancel = True
    Caption = '&Cancel'
    ModalResult = mrCancel
  end
end
