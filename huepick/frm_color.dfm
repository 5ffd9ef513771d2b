object FrmColor: TFrmColor
  BorderStyle = bsDialog
  Caption = 'Select Color'
  ClientHeight = 395
  ClientWidth = 373
  Font.Name = 'Tahoma'
  Font.Size = 8
  Position = poScreenCenter
  TextHeight = 13
  OnCreate = FormCreate
  OnPaint = FormPaint
  OnShow = FormShow
  object Panel1: TPanel
    Left = 16
    Top = 16
    Width = 196
    Height = 197
    BevelOuter = bvLowered
    object PaintBox2: TPaintBox
      Left = 1
      Top = 1
      Width = 194
      Height = 195
      Cursor = crHandPoint
      OnMouseUp = PaintBox2MouseUp
      OnPaint = PaintBox2Paint
    end
  end
  object SpeedButton1: TSpeedButton
    Left = 16
    Top = 220
    Width = 93
    Height = 22
    Caption = 'Load Palette'
    Flat = True
    Glyph.Data = {
      89504E470D0A1A0A0000000D49484452000000100000001008060000001FF3FF
      610000003A4944415478DA63686868F84F096600119FB9ADB0629822CBCFDC58
      F1A801D43480E268A4D800EE80CF58314CD1E70BDC58F1A801D43480120C005F
      AC6EAB5DADF2D00000000049454E44AE426082}
    OnClick = SpeedButton1Click
  end
  object GroupBox2: TGroupBox
    Left = 16
    Top = 248
    Width = 209
    Height = 57
    Caption = 'Current color:'
    object Panel2: TPanel
      Left = 8
      Top = 16
      Width = 57
      Height = 25
      BevelOuter = bvLowered
      Color = clBlack
    end
    object Label1: TLabel
      Left = 72
      Top = 26
      Caption = 'RGB:'
    end
    object Shape1: TShape
      Left = 104
      Top = 18
      Width = 25
      Height = 5
      Brush.Color = clRed
      Pen.Color = clRed
    end
    object Edit1: TEdit
      Left = 104
      Top = 25
      Width = 25
      Height = 21
      Text = '0'
      OnChange = Edit1Change
    end
    object Shape2: TShape
      Left = 136
      Top = 18
      Width = 25
      Height = 5
      Brush.Color = clLime
      Pen.Color = clLime
    end
    object Edit2: TEdit
      Left = 136
      Top = 25
      Width = 25
      Height = 21
      Text = '0'
      OnChange = Edit1Change
    end
    object Shape3: TShape
      Left = 168
      Top = 18
      Width = 25
      Height = 5
      Brush.Color = clBlue
      Pen.Color = clBlue
    end
    object Edit3: TEdit
      Left = 168
      Top = 25
      Width = 25
      Height = 21
      Text = '0'
      OnChange = Edit1Change
    end
  end
  object GroupBox1: TGroupBox
    Left = 16
    Top = 312
    Width = 209
    Height = 45
    Caption = 'HTML Color:'
    object Edit4: TEdit
      Left = 8
      Top = 16
      Width = 121
      Height = 21
      ReadOnly = True
      Text = '#000000'
    end
  end
  object Button1: TButton
    Left = 16
    Top = 368
    Width = 93
    Height = 21
    Caption = '&Ok'
    Default = True
    ModalResult = mrOk
  end
  object Button2: TButton
    Left = 120
    Top = 368
    Width = 93
    Height = 21
    Cancel = True
    Caption = '&Cancel'
    ModalResult = mrCancel
  end
  object Bevel1: TBevel
    Left = 232
    Top = 8
    Width = 10
    Height = 377
    Shape = bsRightLine
  end
  object Image1: TImage
    Left = 264
    Top = 16
    Width = 97
    Height = 369
  end
  object PaintBox1: TPaintBox
    Left = 264
    Top = 16
    Width = 91
    Height = 369
    Cursor = crHandPoint
    OnDblClick = PaintBox1DblClick
    OnMouseDown = PaintBox1MouseDown
    OnMouseMove = PaintBox1MouseMove
  end
  object OpenDialog1: TOpenDialog
    Filter =
      'All Palettes (*.pal, *.act)|*.pal;*.act|Palette Files (*.pal)|*.' +
      'pal|Photoshop Palettes (*.act)|*.act'
    Title = 'Select a palette file:'
  end
  object Store: TMemo
    Left = 0
    Top = 0
    Width = 0
    Height = 0
    Visible = False
  end
end
