inherited FrmVar: TFrmVar
  Caption = 'Organize Variables'
  OnShow = FormShow
  inherited Label1: TLabel
    Caption =
      'Variables are customizable aliases which help you to quickly and' +
      ' easily re-use code snippets'
  end
  inherited ListView1: TListView
    Columns = <
      item
        Caption = 'Variable'
        Width = 140
      end
      item
        Caption = 'Value'
        Width = 240
      end>
    MultiSelect = True
    OnExit = ListView1Exit
  end
  inherited Button3: TButton
    Caption = '&Modify'
  end
  inherited Button4: TButton
    Caption = '&Delete'
  end
  inherited Label2: TLabel
    Caption = 'Name:'
  end
  inherited Label3: TLabel
    Caption = 'Value:'
  end
end
