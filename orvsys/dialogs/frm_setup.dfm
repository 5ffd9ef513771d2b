object FrmSetup: TFrmSetup
  BorderStyle = bsDialog
  Caption = 'Mail Options'
  ClientHeight = 164
  ClientWidth = 340
  Position = poScreenCenter
  TextHeight = 13
  object Label1: TLabel
    Left = 8
    Top = 8
    Width = 324
    Height = 32
    AutoSize = False
    Caption =
      'In order to send a bug report you must enter your email informat' +
      'ion'
    WordWrap = True
  end
  object Label2: TLabel
    Left = 8
    Top = 50
    Caption = 'Your Name:'
  end
  object Edit1: TEdit
    Left = 136
    Top = 48
    Width = 196
    Height = 21
  end
  object Label3: TLabel
    Left = 8
    Top = 76
    Caption = 'Your Email Address:'
  end
  object Edit2: TEdit
    Left = 136
    Top = 74
    Width = 196
    Height = 21
  end
  object Label4: TLabel
    Left = 8
    Top = 102
    Caption = 'Your SMTP Server:'
  end
  object Edit3: TEdit
    Left = 136
    Top = 100
    Width = 196
    Height = 21
  end
  object Button1: TButton
    Left = 176
    Top = 132
    Width = 75
    Height = 25
    Caption = '&OK'
    Default = True
    ModalResult = mrOk
  end
  object Button2: TButton
    Left = 257
    Top = 132
    Width = 75
    Height = 25
    Cancel = True
    Caption = '&Cancel'
    ModalResult = mrCancel
  end
end
