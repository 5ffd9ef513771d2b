object FrmObjRep: TFrmObjRep
  BorderStyle = bsSizeable
  Caption = 'New...'
  ClientHeight = 320
  ClientWidth = 420
  Constraints.MinHeight = 320
  Constraints.MinWidth = 420
  Position = poScreenCenter
  TextHeight = 13
  OnShow = FormShow
  object PageControl1: TPageControl
    Left = 8
    Top = 8
    Width = 404
    Height = 268
    Anchors = [akLeft, akTop, akRight, akBottom]
    object TabSheet1: TTabSheet
      Caption = '&Documents'
      object ListView1: TListView
        Left = 4
        Top = 4
        Width = 388
        Height = 228
        Anchors = [akLeft, akTop, akRight, akBottom]
        LargeImages = ImageList1
        ReadOnly = True
        OnChange = ListViewChange
        OnClick = ListViewChange
        OnDblClick = ListViewDblClick
      end
    end
    object TabSheet2: TTabSheet
      Caption = '&User'
      object ListView2: TListView
        Left = 4
        Top = 4
        Width = 388
        Height = 228
        Anchors = [akLeft, akTop, akRight, akBottom]
        LargeImages = ImageList1
        ReadOnly = True
        OnChange = ListViewChange
        OnClick = ListViewChange
        OnDblClick = ListViewDblClick
        PopupMenu = PopupMenu1
      end
    end
  end
  object ImageList1: TImageList
    Height = 32
    Width = 32
  end
  object PopupMenu1: TPopupMenu
    object Delete1: TMenuItem
      Caption = '&Delete'
      OnClick = Delete1Click
    end
  end
  object Button1: TButton
    Left = 256
    Top = 288
    Width = 75
    Height = 25
    Caption = '&OK'
    Anchors = [akRight, akBottom]
    Default = True
    OnClick = Button1Click
  end
  object Button2: TButton
    Left = 337
    Top = 288
    Width = 75
    Height = 25
    Anchors = [akRight, akBottom]
    Cancel = True
    Caption = '&Cancel'
    ModalResult = mrCancel
  end
end
