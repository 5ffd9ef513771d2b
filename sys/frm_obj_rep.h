// TFrmObjRep: "New...", the object repository's gallery (ShowObjRep): the
// built-in documents on "&Documents" and the user's (objrep.dat) on "&User".
// "&OK" posts message 3063 with the chosen document to the host window.
#pragma once

#include <string>

#include "controls/buttons.h"
#include "controls/containers.h"
#include "controls/form.h"
#include "controls/lists.h"
#include "controls/menus.h"
#include "platform/user_settings.h"
#include "orv/window.h"

namespace orv {

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
  void FormShow();
  void UpdateOk();
  void OkClick();
  void DeleteClick();

  HWND host_;
  TUserSettingList user_documents_;
  TPageControl* pages_ = nullptr;
  TTabSheet* user_page_ = nullptr;
  TListView* builtin_ = nullptr;
  TListView* user_ = nullptr;
  TPopupMenu* menu_ = nullptr;
  TButton* ok_ = nullptr;
};

}  // namespace orv
