object FrmNameValues: TFrmNameValues
  BorderStyle = bsSizeable
  ClientHeight = 370
  ClientWidth = 420
  Constraints.MinHeight = 370
  Constraints.MinWidth = 420
  Position = poScreenCenter
  TextHeight = 13
  object Label1: TLabel
    Left = 8
    Top = 8
    Width = 404
    Height = 30
    AutoSize = False
    Caption = ''
    WordWrap = True
    Anchors = [akLeft, akTop, akRight]
  end
  object ListView1: TListView
    Left = 8
    Top = 42
    Width = 404
    Height = 160
    Anchors = [akLeft, akTop, akRight, akBottom]
    ReadOnly = True
    ViewStyle = vsReport
    OnChange = ListView1Change
    OnClick = ListView1Click
    OnDblClick = ListView1DblClick
  end
  object Button3: TButton
    Left = 8
    Top = 208
    Width = 75
    Height = 25
    Caption = ''
    Anchors = [akLeft, akBottom]
    Enabled = False
    OnClick = Button3Click
  end
  object Button4: TButton
    Left = 88
    Top = 208
    Width = 75
    Height = 25
    Caption = ''
    Anchors = [akLeft, akBottom]
    Enabled = False
    OnClick = Button4Click
  end
  object Label2: TLabel
    Left = 8
    Top = 248
    Caption = ''
    Anchors = [akLeft, akBottom]
  end
  object Edit1: TEdit
    Left = 130
    Top = 244
    Width = 250
    Height = 21
    Anchors = [akLeft, akRight, akBottom]
    OnChange = EditChange
  end
  object Label3: TLabel
    Left = 8
    Top = 276
    Caption = ''
    Anchors = [akLeft, akBottom]
  end
  object Edit2: TEdit
    Left = 130
    Top = 272
    Width = 250
    Height = 21
    Anchors = [akLeft, akRight, akBottom]
    OnChange = EditChange
  end
  object Button5: TButton
    Left = 130
    Top = 302
    Width = 75
    Height = 25
    Caption = '&Add'
    Anchors = [akLeft, akBottom]
    Default = True
    OnClick = Button5Click
  end
  object Button1: TButton
    Left = 256
    Top = 338
    Width = 75
    Height = 25
    Caption = '&OK'
    Anchors = [akRight, akBottom]
    OnClick = Button1Click
  end
  object Button2: TButton
    Left = 337
    Top = 338
    Width = 75
    Height = 25
    Anchors = [akRight, akBottom]
    Cancel = True
    Caption = '&Cancel'
    ModalResult = mrCancel
  end
end
