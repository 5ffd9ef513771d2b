object FrmMain: TFrmMain
  Left = 200
  BorderStyle = bsDialog
  Caption = 'Quillon Compiler'
  ClientHeight = 109
  ClientWidth = 313
  Color = clBtnFace
  Font.Style = [fsBold]
  OnActivate = FormActivate
  object Label1: TLabel
    Left = 12
    Caption = 'Compiling File:'#13#10 +
      'next'
  end
  object ListBox1: TListBox
    Items.Strings = (
      'one'
      'two')
    Data = {0A0b FF}
  end
  inherited Timer1: TTimer
    Interval = 10
    Ratio = -1.5e3
    Mask = $FFFFFFFF
  end
end
