object FrmInfo: TFrmInfo
  BorderStyle = bsDialog
  Caption = 'Project Information'
  ClientHeight = 260
  ClientWidth = 340
  Position = poScreenCenter
  TextHeight = 13
  object Label1: TLabel
    Left = 8
    Top = 12
    Caption = 'Project Name:'
  end
  object Edit1: TEdit
    Left = 100
    Top = 10
    Width = 232
    Height = 21
    ReadOnly = True
  end
  object GroupBox1: TGroupBox
    Left = 8
    Top = 40
    Width = 324
    Height = 176
    object Label2: TLabel
      Left = 12
      Top = 18
      Caption = 'Build Time (seconds):'
    end
    object Label3: TLabel
      Left = 180
      Top = 18
      Caption = ''
    end
    object Label4: TLabel
      Left = 12
      Top = 42
      Caption = 'Total Lines:'
    end
    object Label5: TLabel
      Left = 180
      Top = 42
      Caption = ''
    end
    object Label6: TLabel
      Left = 12
      Top = 66
      Caption = 'Total Includes:'
    end
    object Label7: TLabel
      Left = 180
      Top = 66
      Caption = ''
    end
    object Label8: TLabel
      Left = 12
      Top = 90
      Caption = 'Total Variables:'
    end
    object Label9: TLabel
      Left = 180
      Top = 90
      Caption = ''
    end
    object Label10: TLabel
      Left = 12
      Top = 114
      Caption = 'Total Applications:'
    end
    object Label11: TLabel
      Left = 180
      Top = 114
      Caption = ''
    end
    object Label12: TLabel
      Left = 12
      Top = 138
      Caption = 'Total Databases:'
      Visible = False
    end
    object Label13: TLabel
      Left = 180
      Top = 138
      Caption = ''
      Visible = False
    end
  end
  object Button1: TButton
    Left = 132
    Top = 226
    Width = 75
    Height = 25
    Caption = '&OK'
    Cancel = True
    Default = True
    ModalResult = mrOk
  end
end
