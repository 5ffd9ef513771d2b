object FrmTable: TFrmTable
  BorderStyle = bsDialog
  Caption = 'Insert Table'
  ClientHeight = 330
  ClientWidth = 392
  Position = poScreenCenter
  TextHeight = 13
  ActiveControl = RxSpinEdit1
  object PageControl1: TPageControl
    Left = 8
    Top = 8
    Width = 376
    Height = 282
    object TabSheet1: TTabSheet
      Caption = '&Design'
      object GroupBox1: TGroupBox
        Left = 8
        Top = 6
        Width = 160
        Height = 80
        Caption = '&Type'
        object Label1: TLabel
          Left = 10
          Top = 26
          Caption = 'Rows:'
        end
        object RxSpinEdit1: TRxSpinEdit
          Left = 86
          Top = 22
          Width = 56
          Height = 21
          MaxValue = 30
          MinValue = 1
          Text = '2'
        end
        object Label2: TLabel
          Left = 10
          Top = 54
          Caption = 'Columns:'
        end
        object RxSpinEdit2: TRxSpinEdit
          Left = 86
          Top = 50
          Width = 56
          Height = 21
          MaxValue = 30
          MinValue = 1
          Text = '2'
        end
      end
      object GroupBox2: TGroupBox
        Left = 176
        Top = 6
        Width = 184
        Height = 80
        Caption = '&Size'
        object CheckBox1: TCheckBox
          Left = 10
          Top = 20
          Width = 120
          Height = 17
          Caption = 'Specify &Width'
          OnClick = CheckBox1Click
        end
        object Edit1: TEdit
          Left = 10
          Top = 46
          Width = 56
          Height = 21
          Color = clBtnFace
          Enabled = False
          Text = '100'
        end
        object RadioButton3: TRadioButton
          Left = 80
          Top = 40
          Width = 90
          Height = 17
          Caption = '&Percent'
          Checked = True
          Enabled = False
        end
        object RadioButton4: TRadioButton
          Left = 80
          Top = 58
          Width = 90
          Height = 17
          Caption = 'Pi&xels'
          Enabled = False
        end
      end
      object GroupBox3: TGroupBox
        Left = 8
        Top = 92
        Width = 352
        Height = 156
        Caption = '&Layout'
        object RadioButton2: TRadioButton
          Left = 10
          Top = 20
          Width = 130
          Height = 17
          Caption = '&Specify Layout'
          Checked = True
        end
        object RadioButton1: TRadioButton
          Left = 10
          Top = 46
          Width = 90
          Height = 17
          Caption = '&Use Style'
          OnClick = RadioButton1Click
        end
        object ComboBox1: TComboBox
          Left = 110
          Top = 44
          Width = 170
          Height = 21
          Color = clBtnFace
          Enabled = False
        end
        object Label3: TLabel
          Left = 10
          Top = 76
          Caption = 'Alignment:'
        end
        object ComboBox2: TComboBox
          Left = 110
          Top = 72
          Width = 170
          Height = 21
          Items.Strings = (
            '(Default)'
            'Left'
            'Center'
            'Right')
          Text = '(Default)'
        end
        object Label4: TLabel
          Left = 10
          Top = 104
          Caption = 'Border Size'
        end
        object RxSpinEdit5: TRxSpinEdit
          Left = 110
          Top = 100
          Width = 56
          Height = 21
          MaxValue = 100
          MinValue = 0
          Text = '0'
        end
        object Label5: TLabel
          Left = 10
          Top = 130
          Caption = 'Cell Padding:'
        end
        object RxSpinEdit3: TRxSpinEdit
          Left = 110
          Top = 126
          Width = 56
          Height = 21
          MaxValue = 100
          MinValue = 0
          Text = '0'
        end
        object Label6: TLabel
          Left = 184
          Top = 130
          Caption = '&Cell Spacing:'
        end
        object RxSpinEdit4: TRxSpinEdit
          Left = 284
          Top = 126
          Width = 56
          Height = 21
          MaxValue = 100
          MinValue = 0
          Text = '0'
        end
      end
    end
    object TabSheet2: TTabSheet
      Caption = '&Extended'
      object GroupBox4: TGroupBox
        Left = 8
        Top = 6
        Width = 352
        Height = 72
        Caption = 'Row Tag (tr) '
        object Label7: TLabel
          Left = 10
          Top = 22
          Caption = 'Extra Parameters:'
        end
        object Edit2: TEdit
          Left = 10
          Top = 40
          Width = 330
          Height = 21
        end
      end
      object GroupBox5: TGroupBox
        Left = 8
        Top = 86
        Width = 352
        Height = 72
        Caption = 'Column Tag (td) '
        object Label8: TLabel
          Left = 10
          Top = 22
          Caption = 'Extra Parameters:'
        end
        object Edit3: TEdit
          Left = 10
          Top = 40
          Width = 330
          Height = 21
        end
      end
      object GroupBox6: TGroupBox
        Left = 8
        Top = 166
        Width = 352
        Height = 72
        Caption = 'Table Tag (table) '
        object Label9: TLabel
          Left = 10
          Top = 22
          Caption = 'Extra Parameters:'
        end
        object Edit4: TEdit
          Left = 10
          Top = 40
          Width = 330
          Height = 21
        end
      end
    end
  end
  object Button1: TButton
    Left = 226
    Top = 298
    Width = 75
    Height = 25
    Caption = '&OK'
    Default = True
    OnClick = Button1Click
  end
  object Button2: TButton
    Left = 309
    Top = 298
    Width = 75
    Height = 25
    Cancel = True
    Caption = '&Cancel'
    ModalResult = mrCancel
  end
end
