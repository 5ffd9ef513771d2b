object FrmPublish: TFrmPublish
  BorderStyle = bsSizeable
  Caption = 'Publish Site'
  ClientHeight = 440
  ClientWidth = 460
  Constraints.MinHeight = 440
  Constraints.MinWidth = 460
  Position = poScreenCenter
  TextHeight = 13
  OnClose = FormClose
  object Label1: TLabel
    Left = 8
    Top = 12
    Caption = 'Site:'
  end
  object ComboBox1: TComboBox
    Left = 100
    Top = 8
    Width = 352
    Height = 21
    Anchors = [akLeft, akTop, akRight]
    Style = csDropDownList
    OnChange = ComboBox1Change
  end
  object Label2: TLabel
    Left = 8
    Top = 42
    Caption = 'Name:'
  end
  object Edit1: TEdit
    Left = 100
    Top = 38
    Width = 352
    Height = 21
    Anchors = [akLeft, akTop, akRight]
  end
  object Label3: TLabel
    Left = 8
    Top = 70
    Caption = 'Address:'
  end
  object Edit2: TEdit
    Left = 100
    Top = 66
    Width = 352
    Height = 21
    Anchors = [akLeft, akTop, akRight]
    OnChange = Edit2Change
  end
  object CheckBox1: TCheckBox
    Left = 100
    Top = 94
    Width = 160
    Height = 17
    Caption = 'Passive FTP'
  end
  object CheckBox2: TCheckBox
    Left = 100
    Top = 114
    Width = 352
    Height = 17
    Caption = 'Delete remote files that left the output folder'
  end
  object Label4: TLabel
    Left = 8
    Top = 140
    Caption = 'Certificate file:'
  end
  object Edit3: TEdit
    Left = 100
    Top = 136
    Width = 352
    Height = 21
    Anchors = [akLeft, akTop, akRight]
  end
  object Button1: TButton
    Left = 100
    Top = 164
    Width = 100
    Height = 25
    Caption = '&Save Site'
    OnClick = Button1Click
  end
  object Button2: TButton
    Left = 206
    Top = 164
    Width = 120
    Height = 25
    Caption = '&Test connection'
    OnClick = Button2Click
  end
  object Label5: TLabel
    Left = 8
    Top = 196
    Width = 444
    Height = 32
    Anchors = [akLeft, akTop, akRight]
    AutoSize = False
    WordWrap = True
  end
  object Label6: TLabel
    Left = 8
    Top = 232
    Caption = 'Files to send and delete:'
  end
  object ListView1: TListView
    Left = 8
    Top = 250
    Width = 444
    Height = 100
    Anchors = [akLeft, akTop, akRight, akBottom]
    Columns = <
      item
        Caption = 'File'
        Width = 290
      end
      item
        Caption = 'Size'
        Width = 80
      end
      item
        Caption = 'Action'
        Width = 70
      end>
    ReadOnly = True
    ViewStyle = vsReport
  end
  object ProgressBar1: TProgressBar
    Left = 8
    Top = 358
    Width = 444
    Height = 16
    Anchors = [akLeft, akRight, akBottom]
  end
  object Label7: TLabel
    Left = 8
    Top = 380
    Width = 444
    Height = 16
    Anchors = [akLeft, akRight, akBottom]
    AutoSize = False
  end
  object Button3: TButton
    Left = 296
    Top = 406
    Width = 75
    Height = 25
    Anchors = [akRight, akBottom]
    Caption = '&Publish'
    Default = True
    OnClick = Button3Click
  end
  object Button4: TButton
    Left = 377
    Top = 406
    Width = 75
    Height = 25
    Anchors = [akRight, akBottom]
    Cancel = True
    Caption = '&Close'
    ModalResult = mrCancel
    OnClick = Button4Click
  end
end
