inherited FrmAddTool: TFrmAddTool
  Caption = 'Add Tool'
  inherited Label1: TLabel
    Caption =
      'This dialog lets you add new files, programs or URLs to the tool' +
      's menu which you can then click to access'
  end
  inherited ListView1: TListView
    Columns = <
      item
        Caption = 'Menu Name'
        Width = 140
      end
      item
        Caption = 'File to Load'
        Width = 240
      end>
  end
  inherited Button3: TButton
    Caption = '&Remove'
  end
  inherited Button4: TButton
    Caption = '&Modify'
  end
  inherited Label2: TLabel
    Caption = 'Menu Name:'
  end
  inherited Label3: TLabel
    Caption = 'File or URL to Load:'
  end
  inherited Button5: TButton
    Enabled = False
  end
  object SpeedButton1: TSpeedButton
    Left = 386
    Top = 271
    Width = 24
    Height = 23
    Anchors = [akRight, akBottom]
    Caption = '...'
    OnClick = SpeedButton1Click
  end
  object OpenDialog1: TOpenDialog
    Filter = 'All Files (*.*)|*.*'
    Title = 'Select Application'
  end
end
