object FrmProjPref: TFrmProjPref
  BorderStyle = bsDialog
  Caption = 'Project Options'
  ClientHeight = 330
  ClientWidth = 400
  Position = poScreenCenter
  TextHeight = 13
  OnShow = FormShow
  object Button1: TButton
    Left = 236
    Top = 296
    Width = 75
    Height = 25
    Caption = '&OK'
    Default = True
    OnClick = Button1Click
  end
  object Button2: TButton
    Left = 316
    Top = 296
    Width = 75
    Height = 25
    Cancel = True
    Caption = '&Cancel'
    ModalResult = mrCancel
  end
  object PageControl1: TPageControl
    Left = 8
    Top = 8
    Width = 384
    Height = 280
    object TabSheet1: TTabSheet
      Caption = '&Paths'
      object GroupBox1: TGroupBox
        Left = 8
        Top = 8
        Width = 360
        Height = 136
        Caption = '&All Paths'
        object Label1: TLabel
          Left = 12
          Top = 18
          Width = 336
          Height = 30
          AutoSize = False
          Caption = 'You can modify your projects paths using the edit boxes below.'
          WordWrap = True
        end
        object Label2: TLabel
          Left = 12
          Top = 56
          Caption = 'Source Folder:'
        end
        object Edit1: TEdit
          Left = 104
          Top = 54
          Width = 244
          Height = 21
        end
        object Label3: TLabel
          Left = 12
          Top = 82
          Caption = 'Output Folder:'
        end
        object Edit2: TEdit
          Left = 104
          Top = 80
          Width = 244
          Height = 21
        end
        object Label4: TLabel
          Left = 12
          Top = 108
          Caption = 'Image Folder:'
        end
        object Edit3: TEdit
          Left = 104
          Top = 106
          Width = 244
          Height = 21
        end
      end
      object GroupBox2: TGroupBox
        Left = 8
        Top = 150
        Width = 360
        Height = 96
        Caption = 'Images'
        object Label5: TLabel
          Left = 12
          Top = 18
          Width = 336
          Height = 36
          AutoSize = False
          Caption =
            'The text in the edit box below will be inserted before images in' +
            ' <img> tags created with includes'
          WordWrap = True
        end
        object Edit4: TEdit
          Left = 12
          Top = 60
          Width = 336
          Height = 21
        end
      end
    end
    object TabSheet2: TTabSheet
      Caption = '&Build Options'
      object GroupBox3: TGroupBox
        Left = 8
        Top = 8
        Width = 360
        Height = 200
        Caption = 'Optimization'
        object Label6: TLabel
          Left = 12
          Top = 18
          Width = 336
          Height = 44
          AutoSize = False
          Caption =
            'Use the checkboxes below to tell ORV what items to parse for in ' +
            'your project (this helps to optimize the compiler)'
          WordWrap = True
        end
        object CheckBox1: TCheckBox
          Left = 12
          Top = 66
          Width = 250
          Height = 20
          Caption = '&Variables'
          Checked = True
        end
        object CheckBox2: TCheckBox
          Left = 12
          Top = 90
          Width = 250
          Height = 20
          Caption = '&Includes'
          Checked = True
        end
        object CheckBox3: TCheckBox
          Left = 12
          Top = 114
          Width = 250
          Height = 20
          Caption = '&Scripts'
          Checked = True
        end
        object CheckBox4: TCheckBox
          Left = 12
          Top = 138
          Width = 250
          Height = 20
          Caption = '&External Applications'
          Checked = True
        end
        object CheckBox5: TCheckBox
          Left = 12
          Top = 162
          Width = 250
          Height = 20
          Caption = '&Databases'
          Checked = True
        end
      end
    end
  end
end
