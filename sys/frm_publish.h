// TFrmPublish: the publishing dialog of UploadFiles. The user chooses or
// creates a site (name, address, FTP passive mode, remote deletes, a
// certificate file to trust), can test the connection, sees the files that
// will be sent and deleted, and publishes with a progress bar of bytes and
// files; Cancel stops a running transfer. The transfer runs beside the
// window (sys/publish), so the dialog stays live.
#pragma once

#include <memory>
#include <string>

#include "controls/buttons.h"
#include "controls/edits.h"
#include "controls/form.h"
#include "controls/lists.h"
#include "sys/publish/publisher.h"

namespace orv {

// The publishing dialog; lives for one UploadFiles call.
class TFrmPublish : public TForm {
 public:
  // `folder`: what to publish ("" publishes nothing, the sites can still be
  // edited and tested); `site_name`: the site to choose at first ("" for the
  // first site, or a new one when there is none).
  TFrmPublish(std::string folder, const std::string& site_name);
  ~TFrmPublish() override;
  std::string ClassName() const override { return "TFrmPublish"; }

  void SaveSiteClick();
  void TestClick();
  void PublishClick();

 private:
  // The site as the boxes describe it.
  TPublishSite SiteFromBoxes() const;
  void ShowSite(const TPublishSite& site);
  void FillSites(const std::string& chosen);
  // Lists what a publish of the chosen site would do.
  void ShowPlan();
  void ShowProgress(const TPublishProgress& progress);
  void Finished(const EPublishError* error);
  // Offers the remedy of a login or host-key failure; true to try again.
  bool Remedy(const EPublishError& error, TRemote& remote, const TPublishSite& site);
  void SetBusy(bool busy);
  void Status(const std::string& text);

  std::string folder_;
  std::unique_ptr<TPublisher> publisher_;
  std::unique_ptr<TRemote> probe_;
  TComboBox* sites_ = nullptr;
  TEdit* name_ = nullptr;
  TEdit* url_ = nullptr;
  TCheckBox* passive_ = nullptr;
  TCheckBox* delete_ = nullptr;
  TEdit* cafile_ = nullptr;
  TLabel* status_ = nullptr;
  TListBox* files_ = nullptr;
  TProgressBar* progress_ = nullptr;
  TLabel* progress_text_ = nullptr;
  TButton* save_ = nullptr;
  TButton* test_ = nullptr;
  TButton* publish_ = nullptr;
};

}  // namespace orv
