{ The script of list.dfm: each handler named in the form file is a method of
  TFrmList here. The main program is not run: the form's events drive it. }
type
  TFrmList = class(TForm)
    procedure FormCreate(Sender: TObject);
    procedure FormCloseQuery(Sender: TObject; var CanClose: Boolean);
    procedure Edit1KeyPress(Sender: TObject; var Key: Char);
    procedure BtnAddClick(Sender: TObject);
    procedure BtnDeleteClick(Sender: TObject);
    procedure BtnSortClick(Sender: TObject);
    procedure BtnCloseClick(Sender: TObject);
  end;

var
  Changed: Boolean;
  Items: TStrings;  { the list's lines: a member is reached through a variable }

procedure AddItem;
begin
  if Edit1.Text = '' then
    ShowMessage('Type an item first.')
  else
  begin
    Items := ListBox1.Items;
    Items.Add(Edit1.Text);
    Edit1.Text := '';
    Changed := True;
  end;
end;

procedure TFrmList.FormCreate(Sender: TObject);
begin
  Items := ListBox1.Items;
  Items.Add('bread');
  Items.Add('apples');
  Changed := False;
end;

procedure TFrmList.FormCloseQuery(Sender: TObject; var CanClose: Boolean);
begin
  if Changed then
    CanClose := MessageDlg('Close and forget the list?', mtConfirmation, [mbYes, mbNo], 0) = 6;
end;

{ Enter adds the item; the key itself is swallowed. }
procedure TFrmList.Edit1KeyPress(Sender: TObject; var Key: Char);
begin
  if Key = #13 then
  begin
    AddItem;
    Key := #0;
  end;
end;

procedure TFrmList.BtnAddClick(Sender: TObject);
begin
  AddItem;
end;

procedure TFrmList.BtnDeleteClick(Sender: TObject);
begin
  if ListBox1.ItemIndex < 0 then
    ShowMessage('Select an item to delete.')
  else
  begin
    Items := ListBox1.Items;
    Items.Delete(ListBox1.ItemIndex);
    Changed := True;
  end;
end;

{ Sorting once: the list keeps its order afterwards, so new items go last. }
procedure TFrmList.BtnSortClick(Sender: TObject);
begin
  ListBox1.Sorted := True;
  ListBox1.Sorted := False;
end;

procedure TFrmList.BtnCloseClick(Sender: TObject);
begin
  Self.Close;
end;

begin
end.
