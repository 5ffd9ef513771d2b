object FrmHyperLink: TFrmHyperLink
  BorderStyle = bsSizeable
  Caption = 'Insert Hyperlink'
  ClientHeight = 210
  ClientWidth = 376
  Constraints.MinHeight = 210
  Constraints.MinWidth = 376
  Position = poScreenCenter
  TextHeight = 13
  ActiveControl = Edit1
  object Label1: TLabel
    Left = 8
    Top = 8
    Width = 360
    Height = 40
    AutoSize = False
    Caption =
      'Hyperlinks are sections of text that open a new web page when cl' +
      'icked.  Use this dialog to enter a hyperlink into your current w' +
      'eb page.'
    WordWrap = True
    Anchors = [akLeft, akTop, akRight]
  end
  object Label2: TLabel
    Left = 8
    Top = 60
    Caption = 'Link Address:'
  end
  object Edit1: TEdit
    Left = 112
    Top = 56
    Width = 256
    Height = 21
    Anchors = [akLeft, akTop, akRight]
    Text = 'http://'
  end
  object Label3: TLabel
    Left = 8
    Top = 88
    Caption = 'Link Description:'
  end
  object Edit2: TEdit
    Left = 112
    Top = 84
    Width = 256
    Height = 21
    Anchors = [akLeft, akTop, akRight]
  end
  object Label4: TLabel
    Left = 8
    Top = 116
    Caption = 'Target Frame:'
  end
  object Edit3: TComboBox
    Left = 112
    Top = 112
    Width = 256
    Height = 21
    Anchors = [akLeft, akTop, akRight]
    Items.Strings = (
      '_blank'
      '_parent'
      '_self'
      '_top')
  end
  object Label5: TLabel
    Left = 8
    Top = 144
    Caption = 'Style:'
  end
  object Edit4: TEdit
    Left = 112
    Top = 140
    Width = 256
    Height = 21
    Anchors = [akLeft, akTop, akRight]
  end
  object Button1: TButton
    Left = 210
    Top = 176
    Width = 75
    Height = 25
    Anchors = [akRight, akBottom]
    Caption = '&OK'
    Default = True
    OnClick = Button1Click
  end
  object Button2: TButton
    Left = 293
    Top = 176
    Width = 75
    Height = 25
    Anchors = [akRight, akBottom]
    Cancel = True
    Caption = '&Cancel'
    ModalResult = mrCancel
  end
end
