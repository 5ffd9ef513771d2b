object FrmJava: TFrmJava
  BorderStyle = bsSizeable
  Caption = 'Insert Java Applet'
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
      'Java Applets are small controls made with Sun Microsystem''s Java' +
      ' programming Language.  Use this dialog to insert a Java Applet ' +
      'into your web Page.'
    WordWrap = True
    Anchors = [akLeft, akTop, akRight]
  end
  object Label2: TLabel
    Left = 8
    Top = 60
    Caption = 'Code:'
  end
  object Edit1: TEdit
    Left = 96
    Top = 56
    Width = 268
    Height = 21
    Anchors = [akLeft, akTop, akRight]
  end
  object SpeedButton1: TSpeedButton
    Left = 368
    Top = 55
    Width = 23
    Height = 23
    Anchors = [akTop, akRight]
    Hint = 'Open'
    Caption = '...'
    Flat = True
    ShowHint = True
    OnClick = SpeedButton1Click
  end
  object Label3: TLabel
    Left = 8
    Top = 88
    Caption = 'Code Base:'
  end
  object Edit2: TEdit
    Left = 96
    Top = 84
    Width = 296
    Height = 21
    Anchors = [akLeft, akTop, akRight]
  end
  object Label4: TLabel
    Left = 8
    Top = 116
    Caption = 'Name:'
  end
  object Edit3: TEdit
    Left = 96
    Top = 112
    Width = 296
    Height = 21
    Anchors = [akLeft, akTop, akRight]
  end
  object Label5: TLabel
    Left = 8
    Top = 144
    Caption = 'Alt:'
  end
  object Edit4: TEdit
    Left = 96
    Top = 140
    Width = 296
    Height = 21
    Anchors = [akLeft, akTop, akRight]
  end
  object Label6: TLabel
    Left = 8
    Top = 172
    Caption = 'Align:'
  end
  object ComboBox1: TComboBox
    Left = 96
    Top = 168
    Width = 120
    Height = 21
    Items.Strings = (
      'Left'
      'Center'
      'Right'
      'Top'
      'Middle'
      'Bottom')
  end
  object Label7: TLabel
    Left = 8
    Top = 200
    Caption = 'Width:'
  end
  object Edit5: TEdit
    Left = 96
    Top = 196
    Width = 56
    Height = 21
  end
  object Label8: TLabel
    Left = 208
    Top = 200
    Caption = 'Height:'
  end
  object Edit6: TEdit
    Left = 264
    Top = 196
    Width = 56
    Height = 21
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
  object OpenDialog1: TOpenDialog
    DefaultExt = '.class'
    Filter = 'Java Classes (*.class)|*.class|All Files (*.*)|*.*'
  end
end
