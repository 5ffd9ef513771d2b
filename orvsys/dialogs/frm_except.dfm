object FrmExcept: TFrmExcept
  BorderStyle = bsSizeable
  Caption = 'Error Center'
  ClientHeight = 300
  ClientWidth = 470
  Constraints.MinHeight = 300
  Constraints.MinWidth = 470
  Position = poScreenCenter
  TextHeight = 13
  OnShow = FormShow
  object Label1: TLabel
    Left = 8
    Top = 8
    Width = 390
    Height = 44
    AutoSize = False
    Caption =
      'The Error Center provides you with information on any errors whi' +
      'ch occur.  Use the "Report Bug" button to mail a bug report to M' +
      'orvale.'
    WordWrap = True
    Anchors = [akLeft, akTop, akRight]
  end
  object Image1: TImage
    Left = 414
    Top = 8
    Width = 48
    Height = 48
    Anchors = [akTop, akRight]
    Picture.IconName = 'dialog-error'
    Picture.IconSize = 48
  end
  object ListView1: TListView
    Left = 8
    Top = 60
    Width = 190
    Height = 200
    Anchors = [akLeft, akTop, akBottom]
    Columns = <
      item
        Caption = 'Error Codes'
        Width = 170
      end>
    ReadOnly = True
    ViewStyle = vsReport
    OnClick = ListView1Click
  end
  object Label2: TLabel
    Left = 208
    Top = 60
    Caption = 'Error:'
  end
  object Edit1: TEdit
    Left = 208
    Top = 78
    Width = 254
    Height = 21
    Anchors = [akLeft, akTop, akRight]
    ReadOnly = True
  end
  object Label3: TLabel
    Left = 208
    Top = 108
    Caption = 'Details:'
  end
  object Memo1: TMemo
    Left = 208
    Top = 126
    Width = 254
    Height = 134
    Anchors = [akLeft, akTop, akRight, akBottom]
    ReadOnly = True
  end
  object Label4: TLabel
    Left = 8
    Top = 274
    Caption = 'Sending Bug Report...'
    Anchors = [akLeft, akBottom]
    Visible = False
  end
  object Button1: TButton
    Left = 306
    Top = 268
    Width = 75
    Height = 25
    Caption = '&Report Bug'
    Anchors = [akRight, akBottom]
    OnClick = Button1Click
  end
  object Button2: TButton
    Left = 387
    Top = 268
    Width = 75
    Height = 25
    Caption = '&Close'
    Anchors = [akRight, akBottom]
    Cancel = True
    Default = True
    ModalResult = mrCancel
  end
end
