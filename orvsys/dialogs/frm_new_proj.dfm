object FrmNewProj: TFrmNewProj
  BorderStyle = bsDialog
  Caption = 'New Project Wizard'
  ClientHeight = 330
  ClientWidth = 480
  Position = poScreenCenter
  TextHeight = 13
  OnShow = FormShow
  object Panel1: TPanel
    Left = 0
    Top = 0
    Width = 480
    Height = 284
    BevelOuter = bvNone
    object Label1: TLabel
      Left = 16
      Top = 16
      Caption = 'New Project Wizard'
    end
    object Label2: TLabel
      Left = 16
      Top = 56
      Width = 440
      Height = 32
      AutoSize = False
      Caption = 'This wizard will help you create a new Web Project.'
      WordWrap = True
    end
    object Label3: TLabel
      Left = 16
      Top = 96
      Width = 440
      Height = 32
      AutoSize = False
      Caption =
        'On the next few pages you will be asked for some information.  P' +
        'lease answer all questions.'
      WordWrap = True
    end
    object Label4: TLabel
      Left = 16
      Top = 136
      Width = 440
      Height = 32
      AutoSize = False
      Caption =
        'Please press "Next" if you are ready to begin, or Cancel to exit' +
        ' this wizard.'
      WordWrap = True
    end
  end
  object Panel2: TPanel
    Left = 0
    Top = 0
    Width = 480
    Height = 284
    BevelOuter = bvNone
    Visible = False
    object Label5: TLabel
      Left = 16
      Top = 16
      Width = 440
      Height = 18
      AutoSize = False
      Caption = 'Please enter the name of your project:'
      WordWrap = True
    end
    object Edit1: TEdit
      Left = 16
      Top = 38
      Width = 300
      Height = 21
    end
    object Label6: TLabel
      Left = 16
      Top = 80
      Width = 440
      Height = 80
      AutoSize = False
      Caption =
        'When ORV finds embedded images in your source, it can prepend th' +
        'e resulting <img src> property with a prefix.  If you wish to pr' +
        'efix images, add the prefix below (this can be changed in Projec' +
        't | Options at a later time).'
      WordWrap = True
    end
    object Edit2: TEdit
      Left = 16
      Top = 164
      Width = 300
      Height = 21
    end
  end
  object Panel3: TPanel
    Left = 0
    Top = 0
    Width = 480
    Height = 284
    BevelOuter = bvNone
    Visible = False
    object Label7: TLabel
      Left = 16
      Top = 8
      Width = 440
      Height = 18
      AutoSize = False
      Caption = 'Your Web Project needs to have 3 default folders.'
      WordWrap = True
    end
    object Label8: TLabel
      Left = 16
      Top = 28
      Width = 440
      Height = 16
      AutoSize = False
      Caption = '1:  Source Folder (contains the HTML files you work from)'
      WordWrap = True
    end
    object Label9: TLabel
      Left = 16
      Top = 44
      Width = 440
      Height = 16
      AutoSize = False
      Caption = '2:  Output Folder (Your built web site gets put here)'
      WordWrap = True
    end
    object Label10: TLabel
      Left = 16
      Top = 60
      Width = 440
      Height = 16
      AutoSize = False
      Caption = '3:  Images Folder (The folder you will keep your images in)'
      WordWrap = True
    end
    object Label11: TLabel
      Left = 16
      Top = 86
      Width = 440
      Height = 16
      AutoSize = False
      Caption = 'Please select your Source Folder*'
      WordWrap = True
    end
    object Edit3: TEdit
      Left = 16
      Top = 104
      Width = 400
      Height = 21
    end
    object SpeedButton1: TSpeedButton
      Left = 422
      Top = 103
      Width = 24
      Height = 23
      Caption = '...'
      OnClick = BrowseClick
    end
    object Label12: TLabel
      Left = 16
      Top = 136
      Width = 440
      Height = 16
      AutoSize = False
      Caption = 'Please select your Output Folder'
      WordWrap = True
    end
    object Edit4: TEdit
      Left = 16
      Top = 154
      Width = 400
      Height = 21
    end
    object SpeedButton2: TSpeedButton
      Left = 422
      Top = 153
      Width = 24
      Height = 23
      Caption = '...'
      OnClick = BrowseClick
    end
    object Label13: TLabel
      Left = 16
      Top = 186
      Width = 440
      Height = 16
      AutoSize = False
      Caption = 'Please select your Images Folder'
      WordWrap = True
    end
    object Edit5: TEdit
      Left = 16
      Top = 204
      Width = 400
      Height = 21
    end
    object SpeedButton3: TSpeedButton
      Left = 422
      Top = 203
      Width = 24
      Height = 23
      Caption = '...'
      OnClick = BrowseClick
    end
    object Label14: TLabel
      Left = 16
      Top = 250
      Width = 440
      Height = 16
      AutoSize = False
      Caption = '* If folders don''t exist they will be created for you'
      WordWrap = True
    end
  end
  object Button1: TButton
    Left = 152
    Top = 296
    Width = 75
    Height = 25
    Caption = '< &Back'
    Enabled = False
    OnClick = Button1Click
  end
  object Button2: TButton
    Left = 232
    Top = 296
    Width = 75
    Height = 25
    Caption = '&Next >'
    Default = True
    OnClick = Button2Click
  end
  object Button3: TButton
    Left = 232
    Top = 296
    Width = 75
    Height = 25
    Caption = '&Finish'
    Visible = False
    OnClick = Button3Click
  end
  object Button4: TButton
    Left = 396
    Top = 296
    Width = 75
    Height = 25
    Cancel = True
    Caption = '&Cancel'
    ModalResult = mrCancel
  end
  object BrowseFolder1: TBrowseFolder
    Folder = foMyComputer
    ShowFullPath = True
    Title = 'Select Folder'
  end
end
