object FrmMain: TFrmMain
  BorderStyle = bsDialog
  Caption = 'Quillon Compiler'
  ClientHeight = 109
  ClientWidth = 313
  Position = poScreenCenter
  TextHeight = 13
  ActiveControl = ProgressBar1
  OnActivate = FormActivate
  OnCreate = FormCreate
  object Label1: TLabel
    Left = 12
    Top = 8
    Caption = 'Compiling File:'
  end
  object Edit1: TEdit
    Left = 12
    Top = 24
    Width = 293
    Height = 21
    TabStop = False
    BorderStyle = bsNone
    Color = clBtnFace
    Ctl3D = False
    Text = 'Preparing...'
  end
  object Label2: TLabel
    Left = 12
    Top = 60
    Caption = 'Compile Progress:'
  end
  object ProgressBar1: TProgressBar
    Left = 12
    Top = 76
    Width = 293
    Height = 16
  end
  object Timer1: TTimer
    Enabled = False
    Interval = 10
    OnTimer = Timer1Timer
  end
end
