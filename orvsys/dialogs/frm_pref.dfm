object FrmPref: TFrmPref
  BorderStyle = bsDialog
  Caption = 'Preferences'
  ClientHeight = 390
  ClientWidth = 420
  Position = poScreenCenter
  TextHeight = 13
  OnShow = FormShow
  object Button1: TButton
    Left = 176
    Top = 354
    Width = 75
    Height = 25
    Caption = '&OK'
    Default = True
    OnClick = Button1Click
  end
  object Button2: TButton
    Left = 256
    Top = 354
    Width = 75
    Height = 25
    Cancel = True
    Caption = '&Cancel'
    ModalResult = mrCancel
  end
  object Button3: TButton
    Left = 336
    Top = 354
    Width = 75
    Height = 25
    Caption = '&Apply'
    OnClick = Button3Click
  end
  object PageControl1: TPageControl
    Left = 8
    Top = 8
    Width = 404
    Height = 336
    object TabSheet1: TTabSheet
      Caption = '&General'
      object GroupBox1: TGroupBox
        Left = 8
        Top = 8
        Width = 380
        Height = 150
        Caption = 'Environment'
        object Label1: TLabel
          Left = 12
          Top = 20
          Width = 356
          Height = 30
          AutoSize = False
          Caption =
            'You can control ORV''s startup environment by modifying the optio' +
            'ns below.'
          WordWrap = True
        end
        object Label2: TLabel
          Left = 12
          Top = 52
          Width = 356
          Height = 16
          AutoSize = False
          Caption = 'These options will not take effect until ORV is restarted'
          WordWrap = True
        end
        object CheckBox1: TCheckBox
          Left = 12
          Top = 74
          Width = 300
          Height = 20
          Caption = 'Prevent Multiple Instances'
          Visible = False
        end
        object CheckBox2: TCheckBox
          Left = 12
          Top = 96
          Width = 300
          Height = 20
          Caption = 'Always start with new Document'
        end
        object CheckBox3: TCheckBox
          Left = 12
          Top = 118
          Width = 300
          Height = 20
          Caption = 'Reopen last used project'
        end
      end
      object GroupBox2: TGroupBox
        Left = 8
        Top = 166
        Width = 380
        Height = 130
        Caption = 'HTML Tags'
        object Label3: TLabel
          Left = 12
          Top = 20
          Width = 356
          Height = 46
          AutoSize = False
          Caption =
            'Use the checkbox below to configure the default behaviour of ORV' +
            ' when sending HTML to the editor'
          WordWrap = True
        end
        object RadioButton1: TRadioButton
          Left = 12
          Top = 70
          Width = 300
          Height = 20
          Caption = 'Always use Lowercase Tags'
        end
        object RadioButton2: TRadioButton
          Left = 12
          Top = 94
          Width = 300
          Height = 20
          Caption = 'Always use Uppercase Tags'
        end
      end
    end
    object TabSheet2: TTabSheet
      Caption = '&Internet'
      object GroupBox3: TGroupBox
        Left = 8
        Top = 8
        Width = 380
        Height = 126
        Caption = '&Email'
        object Label4: TLabel
          Left = 12
          Top = 18
          Width = 356
          Height = 30
          AutoSize = False
          Caption =
            'If you wish to send bug reports in the event of an error, provid' +
            'e your email information here'
          WordWrap = True
        end
        object Label5: TLabel
          Left = 12
          Top = 52
          Caption = 'EMail Address:'
        end
        object Edit1: TEdit
          Left = 130
          Top = 50
          Width = 238
          Height = 21
        end
        object Label6: TLabel
          Left = 12
          Top = 76
          Caption = 'Your Name:'
        end
        object Edit2: TEdit
          Left = 130
          Top = 74
          Width = 238
          Height = 21
        end
        object Label7: TLabel
          Left = 12
          Top = 100
          Caption = 'SMTP Server:'
        end
        object Edit3: TEdit
          Left = 130
          Top = 98
          Width = 238
          Height = 21
        end
      end
      object GroupBox4: TGroupBox
        Left = 8
        Top = 140
        Width = 380
        Height = 160
        Caption = '&Proxy Settings'
        object Label8: TLabel
          Left = 12
          Top = 18
          Width = 356
          Height = 44
          AutoSize = False
          Caption =
            'If you use a proxy to connect to the web, please provide your in' +
            'formation here.  This is used when ORV needs to connect to the w' +
            'eb.'
          WordWrap = True
        end
        object CheckBox4: TCheckBox
          Left = 12
          Top = 62
          Width = 200
          Height = 20
          Caption = 'Use Proxy'
          OnClick = CheckBox4Click
        end
        object Label9: TLabel
          Left = 12
          Top = 86
          Caption = 'Proxy Server and Port:'
        end
        object Edit4: TEdit
          Left = 160
          Top = 84
          Width = 150
          Height = 21
        end
        object Edit5: TEdit
          Left = 316
          Top = 84
          Width = 52
          Height = 21
        end
        object Label10: TLabel
          Left = 12
          Top = 110
          Caption = 'Proxy Username:'
        end
        object Edit6: TEdit
          Left = 160
          Top = 108
          Width = 208
          Height = 21
        end
        object Label11: TLabel
          Left = 12
          Top = 134
          Caption = 'Proxy Password:'
        end
        object Edit7: TEdit
          Left = 160
          Top = 132
          Width = 208
          Height = 21
          PasswordChar = '*'
        end
      end
    end
    object TabSheet3: TTabSheet
      Caption = '&Editor'
      object GroupBox5: TGroupBox
        Left = 8
        Top = 8
        Width = 380
        Height = 76
        Caption = 'Display'
        object Label12: TLabel
          Left = 12
          Top = 18
          Width = 356
          Height = 32
          AutoSize = False
          Caption =
            'By default editor windows open small.  If you check the box belo' +
            'w it will force ORV to open editor windows maximized'
          WordWrap = True
        end
        object CheckBox5: TCheckBox
          Left = 12
          Top = 52
          Width = 200
          Height = 20
          Caption = 'Always Maximize'
        end
      end
      object GroupBox6: TGroupBox
        Left = 8
        Top = 88
        Width = 380
        Height = 90
        Caption = 'Save Format'
        object Label13: TLabel
          Left = 12
          Top = 18
          Width = 356
          Height = 46
          AutoSize = False
          Caption =
            'By default ORV saves your documents in Windows text format.  You' +
            ' can choose to have your documents saved in UNIX format by check' +
            'ing the box below.'
          WordWrap = True
        end
        object CheckBox6: TCheckBox
          Left = 12
          Top = 64
          Width = 200
          Height = 20
          Caption = 'Save in UNIX Format'
        end
      end
      object GroupBox7: TGroupBox
        Left = 8
        Top = 182
        Width = 380
        Height = 120
        Caption = 'Font'
        object Label14: TLabel
          Left = 12
          Top = 18
          Width = 356
          Height = 30
          AutoSize = False
          Caption =
            'You can change the default font used by the Editor by clicking t' +
            'he button below.'
          WordWrap = True
        end
        object GroupBox8: TGroupBox
          Left = 12
          Top = 50
          Width = 260
          Height = 60
          Caption = 'Current Font:'
          object Label15: TLabel
            Left = 10
            Top = 22
            Width = 240
            Height = 30
            AutoSize = False
            Caption = 'Default ORV Editor Font'
            ParentFont = False
          end
        end
        object Button4: TButton
          Left = 284
          Top = 70
          Width = 84
          Height = 25
          Caption = 'Change'
          OnClick = Button4Click
        end
      end
    end
    object TabSheet4: TTabSheet
      Caption = 'E&xtras'
      object GroupBox9: TGroupBox
        Left = 8
        Top = 8
        Width = 380
        Height = 100
        Caption = 'Associations'
        object Label16: TLabel
          Left = 12
          Top = 18
          Width = 356
          Height = 44
          AutoSize = False
          Caption =
            'Sometimes Windows forgets icons and shell associations.  You can' +
            ' use the button below to reset ORV''s associations and icons'
          WordWrap = True
        end
        object Button5: TButton
          Left = 12
          Top = 66
          Width = 140
          Height = 25
          Caption = '&Reset Associations'
          OnClick = Button5Click
        end
      end
      object GroupBox10: TGroupBox
        Left = 8
        Top = 114
        Width = 380
        Height = 100
        Caption = 'Insert Images'
        object Label17: TLabel
          Left = 12
          Top = 18
          Width = 356
          Height = 44
          AutoSize = False
          Caption =
            'When using the Insert Images button or menu item, you can use th' +
            'e local path, or the image prefix.  ORV uses the projects image ' +
            'prefix by default'
          WordWrap = True
        end
        object CheckBox7: TCheckBox
          Left = 12
          Top = 68
          Width = 250
          Height = 20
          Caption = 'Use Projects Image Prefix'
        end
      end
    end
  end
  object FontDialog1: TFontDialog
  end
end
