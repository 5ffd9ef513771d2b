object InputQuery: TInputQueryForm
  BorderStyle = bsDialog
  ClientHeight = 93
  ClientWidth = 252
  Position = poScreenCenter
  TextHeight = 13
  ActiveControl = Edit
  object Prompt: TLabel
    Left = 8
    Top = 8
  end
  object Edit: TEdit
    Left = 8
    Top = 27
    Width = 236
    Height = 21
    Anchors = [akLeft, akTop, akRight]
  end
  object OK: TButton
    Left = 88
    Top = 60
    Width = 75
    Height = 25
    Anchors = [akTop, akRight]
    Caption = 'OK'
    Default = True
    ModalResult = mrOk
  end
  object Cancel: TButton
    Left = 169
    Top = 60
    Width = 75
    Height = 25
    Anchors = [akTop, akRight]
    Cancel = True
    Caption = 'Cancel'
    ModalResult = mrCancel
  end
end
