object FrmActiveX: TFrmActiveX
  BorderStyle = bsSizeable
  Caption = 'Insert ActiveX Control'
  ClientHeight = 262
  ClientWidth = 400
  Constraints.MinHeight = 262
  Constraints.MinWidth = 400
  Position = poScreenCenter
  TextHeight = 13
  ActiveControl = Edit1
  object Label1: TLabel
    Left = 8
    Top = 8
    Width = 384
    Height = 40
    AutoSize = False
    Caption =
      'ActiveX Controls are windows objects which can be used in progra' +
      'ms or web pages.  Use this dialog to insert an ActiveX control i' +
      'nto your web page.'
    WordWrap = True
    Anchors = [akLeft, akTop, akRight]
  end
  object Label2: TLabel
    Left = 8
    Top = 60
    Caption = 'Class ID:'
  end
  object Edit1: TEdit
    Left = 112
    Top = 56
    Width = 280
    Height = 21
    Anchors = [akLeft, akTop, akRight]
    Text = 'clsid:'
  end
  object Label3: TLabel
    Left = 8
    Top = 88
    Caption = 'Name:'
  end
  object Edit2: TEdit
    Left = 112
    Top = 84
    Width = 280
    Height = 21
    Anchors = [akLeft, akTop, akRight]
  end
  object Label4: TLabel
    Left = 8
    Top = 116
    Caption = 'Alternative URL:'
  end
  object Edit8: TEdit
    Left = 112
    Top = 112
    Width = 280
    Height = 21
    Anchors = [akLeft, akTop, akRight]
    Text = 'http://'
  end
  object Label5: TLabel
    Left = 8
    Top = 144
    Caption = 'Horizontal Spacing:'
  end
  object Edit5: TEdit
    Left = 136
    Top = 140
    Width = 56
    Height = 21
    Text = '0'
  end
  object Label6: TLabel
    Left = 8
    Top = 172
    Caption = 'Vertical Spacing:'
  end
  object Edit6: TEdit
    Left = 136
    Top = 168
    Width = 56
    Height = 21
    Text = '0'
  end
  object Label7: TLabel
    Left = 8
    Top = 200
    Caption = 'Border Spacing:'
  end
  object Edit7: TEdit
    Left = 136
    Top = 196
    Width = 56
    Height = 21
    Text = '0'
  end
  object Label8: TLabel
    Left = 208
    Top = 144
    Caption = 'Align:'
    Anchors = [akTop, akRight]
  end
  object ComboBox1: TComboBox
    Left = 264
    Top = 140
    Width = 128
    Height = 21
    Anchors = [akTop, akRight]
    Items.Strings = (
      'Bottom'
      'Middle'
      'Top'
      'Absbottom'
      'AbsMiddle'
      'Texttop'
      'Baseline'
      'Left'
      'Right')
    Text = 'Bottom'
  end
  object Label9: TLabel
    Left = 208
    Top = 172
    Caption = 'Width:'
    Anchors = [akTop, akRight]
  end
  object Edit3: TEdit
    Left = 264
    Top = 168
    Width = 56
    Height = 21
    Anchors = [akTop, akRight]
    Text = '0'
  end
  object Label10: TLabel
    Left = 208
    Top = 200
    Caption = 'Height:'
    Anchors = [akTop, akRight]
  end
  object Edit4: TEdit
    Left = 264
    Top = 196
    Width = 56
    Height = 21
    Anchors = [akTop, akRight]
    Text = '0'
  end
  object Button1: TButton
    Left = 234
    Top = 230
    Width = 75
    Height = 25
    Anchors = [akRight, akBottom]
    Caption = '&OK'
    Default = True
    OnClick = Button1Click
  end
  object Button2: TButton
    Left = 317
    Top = 230
    Width = 75
    Height = 25
    Anchors = [akRight, akBottom]
    Cancel = True
    Caption = '&Cancel'
    ModalResult = mrCancel
  end
end
