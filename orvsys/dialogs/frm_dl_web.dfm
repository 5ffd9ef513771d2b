object FrmDlWeb: TFrmDlWeb
  BorderStyle = bsSizeable
  Caption = 'Open From the Web'
  ClientHeight = 150
  ClientWidth = 400
  Constraints.MinHeight = 150
  Constraints.MinWidth = 400
  Position = poScreenCenter
  TextHeight = 13
  OnClose = FormClose
  object Label1: TLabel
    Left = 8
    Top = 12
    Caption = 'URL To Open:'
  end
  object Edit1: TEdit
    Left = 104
    Top = 10
    Width = 288
    Height = 21
    Anchors = [akLeft, akTop, akRight]
    Text = 'http://'
  end
  object Label2: TLabel
    Left = 8
    Top = 42
    Caption = 'Save as:'
  end
  object Edit2: TEdit
    Left = 104
    Top = 40
    Width = 262
    Height = 21
    Anchors = [akLeft, akTop, akRight]
  end
  object SpeedButton1: TSpeedButton
    Left = 370
    Top = 39
    Width = 22
    Height = 23
    Anchors = [akTop, akRight]
    Flat = True
    Glyph.IconName = 'document-save'
    Glyph.IconSize = 16
  end
  object Label3: TLabel
    Left = 8
    Top = 76
    Caption = 'Download Progress:'
  end
  object Label4: TLabel
    Left = 136
    Top = 76
    Caption = '0 bytes'
  end
  object Button1: TButton
    Left = 236
    Top = 116
    Width = 75
    Height = 25
    Anchors = [akRight, akBottom]
    Caption = '&Retrieve'
    Default = True
    OnClick = Button1Click
  end
  object Button2: TButton
    Left = 317
    Top = 116
    Width = 75
    Height = 25
    Anchors = [akRight, akBottom]
    Cancel = True
    Caption = '&Cancel'
    ModalResult = mrCancel
  end
  object HttpCli1: THttpCli
    Agent = 'ORV/1.0 (Open From Web; 1.0)'
    ContentTypePost = 'application/x-www-form-urlencoded'
    MultiThreaded = True
    NoCache = True
    ProxyPort = '80'
  end
end
