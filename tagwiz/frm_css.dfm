object FrmCSS: TFrmCSS
  BorderStyle = bsDialog
  Caption = 'Cascading Style Sheets'
  ClientHeight = 380
  ClientWidth = 478
  Position = poScreenCenter
  TextHeight = 13
  ActiveControl = ComboBox9
  object Label1: TLabel
    Left = 8
    Top = 14
    Caption = 'Style:'
  end
  object ComboBox9: TComboBox
    Left = 60
    Top = 10
    Width = 180
    Height = 21
    OnChange = ComboBox9Change
  end
  object Button3: TButton
    Left = 256
    Top = 8
    Width = 75
    Height = 25
    Caption = '&Add'
    OnClick = Button3Click
  end
  object Button4: TButton
    Left = 339
    Top = 8
    Width = 75
    Height = 25
    Caption = '&Remove'
    OnClick = Button4Click
  end
  object GroupBox1: TGroupBox
    Left = 8
    Top = 42
    Width = 462
    Height = 110
    Caption = 'Font'
    object Label2: TLabel
      Left = 10
      Top = 22
      Caption = 'Family:'
    end
    object FontComboBox1: TFontComboBox
      Left = 96
      Top = 18
      Width = 180
      Height = 21
      Device = fdBoth
      OnChange = StyleFieldChange
    end
    object Label3: TLabel
      Left = 10
      Top = 50
      Caption = 'Size:'
    end
    object Edit2: TEdit
      Left = 96
      Top = 46
      Width = 50
      Height = 21
      OnChange = StyleFieldChange
    end
    object ComboBox1: TComboBox
      Left = 150
      Top = 46
      Width = 56
      Height = 21
      Items.Strings = (
        'pt'
        'in'
        'cm'
        'px')
      OnChange = StyleFieldChange
    end
    object Label4: TLabel
      Left = 230
      Top = 50
      Caption = 'Line Height:'
    end
    object Edit3: TEdit
      Left = 320
      Top = 46
      Width = 50
      Height = 21
      OnChange = StyleFieldChange
    end
    object ComboBox2: TComboBox
      Left = 374
      Top = 46
      Width = 56
      Height = 21
      Items.Strings = (
        'pt'
        'in'
        'cm'
        'px')
      OnChange = StyleFieldChange
    end
    object Label5: TLabel
      Left = 10
      Top = 78
      Caption = 'Style:'
    end
    object ComboBox3: TComboBox
      Left = 96
      Top = 74
      Width = 110
      Height = 21
      Items.Strings = (
        'None'
        'Italic')
      OnChange = StyleFieldChange
    end
    object Label6: TLabel
      Left = 230
      Top = 78
      Caption = 'Decoration:'
    end
    object ComboBox4: TComboBox
      Left = 320
      Top = 74
      Width = 110
      Height = 21
      Items.Strings = (
        'Italic'
        'Underline'
        'Strikethrough'
        'None')
      OnChange = StyleFieldChange
    end
  end
  object GroupBox2: TGroupBox
    Left = 8
    Top = 158
    Width = 462
    Height = 110
    Caption = 'Paragraph'
    object Label7: TLabel
      Left = 10
      Top = 22
      Caption = 'Align:'
    end
    object ComboBox5: TComboBox
      Left = 96
      Top = 18
      Width = 110
      Height = 21
      Items.Strings = (
        'Left'
        'Right'
        'Center')
      OnChange = StyleFieldChange
    end
    object Label8: TLabel
      Left = 230
      Top = 22
      Caption = 'Fontweight:'
    end
    object ComboBox10: TComboBox
      Left = 320
      Top = 18
      Width = 110
      Height = 21
      Items.Strings = (
        'Bold'
        'None')
      OnChange = StyleFieldChange
    end
    object Label9: TLabel
      Left = 10
      Top = 50
      Caption = 'Indent:'
    end
    object Edit5: TEdit
      Left = 96
      Top = 46
      Width = 50
      Height = 21
      OnChange = StyleFieldChange
    end
    object ComboBox6: TComboBox
      Left = 150
      Top = 46
      Width = 56
      Height = 21
      Items.Strings = (
        'pt'
        'in'
        'cm'
        'px')
      OnChange = StyleFieldChange
    end
    object Label10: TLabel
      Left = 230
      Top = 50
      Caption = 'Left Margin:'
    end
    object Edit7: TEdit
      Left = 320
      Top = 46
      Width = 50
      Height = 21
      OnChange = StyleFieldChange
    end
    object ComboBox7: TComboBox
      Left = 374
      Top = 46
      Width = 56
      Height = 21
      Items.Strings = (
        'pt'
        'in'
        'cm'
        'px')
      OnChange = StyleFieldChange
    end
    object Label11: TLabel
      Left = 10
      Top = 78
      Caption = 'Right Margin:'
    end
    object Edit8: TEdit
      Left = 96
      Top = 74
      Width = 50
      Height = 21
      OnChange = StyleFieldChange
    end
    object ComboBox8: TComboBox
      Left = 150
      Top = 74
      Width = 56
      Height = 21
      Items.Strings = (
        'pt'
        'in'
        'cm'
        'px')
      OnChange = StyleFieldChange
    end
  end
  object GroupBox3: TGroupBox
    Left = 8
    Top = 274
    Width = 462
    Height = 58
    Caption = 'Colours'
    object Label12: TLabel
      Left = 10
      Top = 26
      Caption = 'Text:'
    end
    object Edit4: TEdit
      Left = 96
      Top = 22
      Width = 40
      Height = 21
      ReadOnly = True
      TabStop = False
    end
    object Button5: TButton
      Left = 142
      Top = 20
      Width = 75
      Height = 25
      Caption = '&Change'
      OnClick = Button5Click
    end
    object Label13: TLabel
      Left = 230
      Top = 26
      Caption = 'Background:'
    end
    object Edit6: TEdit
      Left = 320
      Top = 22
      Width = 40
      Height = 21
      ReadOnly = True
      TabStop = False
    end
    object Button6: TButton
      Left = 366
      Top = 20
      Width = 75
      Height = 25
      Caption = '&Change'
      OnClick = Button6Click
    end
  end
  object Button1: TButton
    Left = 312
    Top = 344
    Width = 75
    Height = 25
    Caption = '&OK'
    Default = True
    OnClick = Button1Click
  end
  object Button2: TButton
    Left = 395
    Top = 344
    Width = 75
    Height = 25
    Cancel = True
    Caption = '&Cancel'
    ModalResult = mrCancel
  end
end
