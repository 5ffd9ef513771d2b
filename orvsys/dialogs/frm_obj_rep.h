// TFrmObjRep: "New...", the object repository's gallery (ShowObjRep,
// frm_obj_rep.dfm): the built-in documents on "&Documents" and the user's
// (objrep.dat) on "&User". "&OK" posts message 3063 with the chosen document
// to the host window.
#pragma once

#include <string>

#include "controls/form.h"
#include "orv/window.h"
#include "platform/user_settings.h"

namespace orv {

class TButton;
class TImageList;
class TListView;
class TPageControl;
class TTabSheet;

// Icon positions of the repository's lists.
enum TRepositoryIcon : int { riSource = 0, riSnippet = 1, riTemplate = 2, riScript = 3, riOther = 4 };

// The icon of a document by its extension, compared with its exact case
// (".hts", ".hsn", ".htf", ".ops"; anything else riOther).
TRepositoryIcon RepositoryIcon(const std::string& path);

// One built-in document: description, icon and path below the documents folder.
struct TBuiltinDocument {
  const char* Description;
  TRepositoryIcon Icon;
  const char* Path;
};

// The eight built-in documents in gallery order.
const TBuiltinDocument (&BuiltinDocuments())[8];

// The gallery; lives for one ShowObjRep call.
class TFrmObjRep : public TForm {
 public:
  explicit TFrmObjRep(HWND host);
  std::string ClassName() const override { return "TFrmObjRep"; }

 private:
  void FormShow(TObject* sender);
  void ListViewChange(TObject* sender);
  void ListViewDblClick(TObject* sender);
  void Button1Click(TObject* sender);
  void Delete1Click(TObject* sender);

  HWND host_;
  TUserSettingList user_documents_;
  TPageControl* PageControl1 = nullptr;
  TTabSheet* TabSheet2 = nullptr;  // "&User"
  TListView* ListView1 = nullptr;  // the built-in documents
  TListView* ListView2 = nullptr;  // the user's documents
  TImageList* ImageList1 = nullptr;
  TButton* Button1 = nullptr;
};

}  // namespace orv
