inherited FindDialog: TReplaceForm
  Caption = 'Replace'
  object ReplaceLabel: TLabel
    Left = 8
    Top = 40
    Caption = 'Re&place with:'
    FocusControl = ReplaceEdit
  end
  object ReplaceEdit: TEdit
    Left = 92
    Top = 36
    Width = 158
    Height = 21
  end
  object Replace: TButton
    Left = 262
    Top = 38
    Width = 75
    Height = 25
    Caption = '&Replace'
    OnClick = ReplaceClick
  end
  object ReplaceAll: TButton
    Left = 262
    Top = 68
    Width = 75
    Height = 25
    Caption = 'Replace &All'
    OnClick = ReplaceAllClick
  end
end
