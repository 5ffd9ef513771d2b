object FrmVar: TFrmNameValues
  ClientWidth = 420
  TextHeight = 13
  Constraints.MinWidth = 420
  object ListView1: TListView
    Anchors = [akLeft, akTop, akRight, akBottom]
    Columns = <
      item
        Caption = 'Variable'
        Width = 140
      end
      item
        Caption = 'Value'
      end>
  end
  inherited Button1: TButton
    Caption = '&OK'
  end
  object Image1: TImage
    Picture.Data = {
      89504E470D0A1A0A}
    Picture.IconName = 'dialog-error'
  end
end
