object FindDialog: TFindForm
  BorderStyle = bsDialog
  Caption = 'Find'
  ClientHeight = 133
  ClientWidth = 345
  TextHeight = 13
  ActiveControl = FindEdit
  object FindLabel: TLabel
    Left = 8
    Top = 12
    Caption = 'Fi&nd what:'
    FocusControl = FindEdit
  end
  object FindEdit: TEdit
    Left = 92
    Top = 8
    Width = 158
    Height = 21
  end
  object MatchCase: TCheckBox
    Left = 8
    Top = 72
    Width = 120
    Height = 17
    Caption = 'Match &case'
  end
  object FindNext: TButton
    Left = 262
    Top = 8
    Width = 75
    Height = 25
    Caption = '&Find Next'
    Default = True
    OnClick = FindNextClick
  end
  object Cancel: TButton
    Left = 262
    Top = 100
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    OnClick = CancelClick
  end
end
