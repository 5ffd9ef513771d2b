#include "sys/frm_obj_rep.h"

#include <QCursor>
#include <QListWidget>
#include <QWidget>

#include "orv/host.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/window.h"
#include "sys/data_files.h"
#include "sys/error_box.h"
#include "sys/file_types.h"
#include "sys/form_builder.h"
#include "sys/host_messages.h"

namespace orv {

TRepositoryIcon RepositoryIcon(const std::string& path) {
  const std::string ext = ExtractFileExt(path);
  if (ext == ".hts") return riSource;
  if (ext == ".hsn") return riSnippet;
  if (ext == ".ops") return riScript;
  if (ext == ".htf") return riTemplate;
  return riOther;
}

const TBuiltinDocument (&BuiltinDocuments())[8] {
  static const TBuiltinDocument documents[8] = {
      {"Cascading Style Sheet", riTemplate, "templates/css.htf"},
      {"Default Web Page", riTemplate, "templates/normal.htf"},
      {"HTML Footer (with table)", riSnippet, "snippets/footer_tab.hsn"},
      {"HTML Header (with table)", riSnippet, "snippets/header_tab.hsn"},
      {"Redirection Page", riTemplate, "templates/redirect.htf"},
      {"Standard HTML Footer", riSnippet, "snippets/footer.hsn"},
      {"Standard HTML Header", riSnippet, "snippets/header.hsn"},
      {"Two Frame Page", riTemplate, "templates/2frame.hts"},
  };
  return documents;
}

namespace {

// Puts each item's icon into a large-icon list: the file-type icons shipped
// in icons/, the plain page for other files.
void ShowIcons(TListView& list) {
  static const int kIconFiles[] = {4, 5, 6, 8, 1};  // positions of IconNames() by TRepositoryIcon
  auto* view = qobject_cast<QListWidget*>(list.ExistingWidget());
  if (view == nullptr) return;
  const std::string dir = ShippedDataFolder("icons/0-project.svg") + "icons/";
  for (int i = 0; i < view->count() && i < list.ItemCount(); ++i) {
    const int index = kIconFiles[list.Item(i).ImageIndex];
    const std::string file = dir + std::to_string(index) + "-" + IconNames()[static_cast<size_t>(index)] + ".svg";
    if (FileExists(file)) view->item(i)->setIcon(QIcon(QString::fromStdString(file)));
  }
}

}  // namespace

TFrmObjRep::TFrmObjRep(HWND host) : TForm(nullptr), host_(host) {
  FormBuilder b(*this, "FrmObjRep", "New...", 420, 320);
  pages_ = b.Add<TPageControl>(nullptr, 8, 8, 404, 268);
  TTabSheet* documents = b.Page(pages_, "&Documents");
  user_page_ = b.Page(pages_, "&User");
  builtin_ = b.Add<TListView>(documents, 4, 4, 388, 228);
  user_ = b.Add<TListView>(user_page_, 4, 4, 388, 228);
  for (TListView* list : {builtin_, user_}) {
    list->SetViewStyle(vsIcon);
    list->SetReadOnly(true);
    OnEvent(list->OnClick, [this] { UpdateOk(); });
    OnEvent(list->OnChange, [this] { UpdateOk(); });
    OnEvent(list->OnDblClick, [this, list] {
      if (list->SelectedIndex() >= 0) ok_->Click();
    });
  }
  for (const TBuiltinDocument& document : BuiltinDocuments()) {
    TListItem& item = builtin_->AddItem(document.Description, {document.Path});
    item.ImageIndex = document.Icon;
  }
  menu_ = b.Component<TPopupMenu>();
  auto* remove = new TMenuItem(this);
  remove->SetName("Delete1");
  remove->SetCaption("&Delete");
  menu_->Items()->Add(remove);
  OnEvent(remove->OnClick, [this] { DeleteClick(); });
  ok_ = b.Add<TButton>(nullptr, 256, 288, 75, 25, "&OK");
  ok_->SetDefault(true);
  b.CancelButton(337, 288);
  OnEvent(ok_->OnClick, [this] { OkClick(); });
  OnEvent(OnShow, [this] { FormShow(); });
}

void TFrmObjRep::FormShow() {
  LoadSettingListShowingErrors(user_documents_, ObjRepFile());
  user_->ClearItems();
  for (int i = 0; i < user_documents_.Count(); ++i) {
    const TUserSetting& document = user_documents_.Items(i);
    user_->AddItem(document.Name, {document.Value}).ImageIndex = RepositoryIcon(document.Value);
  }
  for (TListView* list : {builtin_, user_}) {
    list->Refresh();
    ShowIcons(*list);
  }
  QWidget* view = user_->Widget();
  view->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(view, &QWidget::customContextMenuRequested, view, [this] {
    const QPoint at = QCursor::pos();
    menu_->Popup(at.x(), at.y());
  });
}

void TFrmObjRep::UpdateOk() { ok_->SetEnabled(builtin_->SelectedIndex() >= 0 || user_->SelectedIndex() >= 0); }

void TFrmObjRep::OkClick() {
  const bool user_page = pages_->ActivePage() == user_page_;
  TListView* list = user_page ? user_ : builtin_;
  std::string folder, path;
  if (const int row = list->SelectedIndex(); row >= 0) {
    if (!user_page) folder = BuiltinDocumentsDir();
    path = list->Item(row).SubItems.at(0);
  }
  PostRecord(host_, ORV_MSG_OPEN_NEW, folder, path);
  SetModalResult(mrOk);
}

void TFrmObjRep::DeleteClick() {
  const int row = user_->SelectedIndex();
  if (row < 0) return;
  const std::string description = user_->Item(row).Caption;
  if (user_documents_.Find(description) == nullptr) return;
  user_documents_.Delete(description);
  user_->DeleteItem(row);
  ShowIcons(*user_);
  SaveSettingList(user_documents_, ObjRepFile());
}

}  // namespace orv
