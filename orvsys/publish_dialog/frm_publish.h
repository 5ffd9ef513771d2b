// TFrmPublish: the publishing dialog of UploadFiles. The user chooses or
// creates a site (name, address, FTP passive mode, remote deletes, a
// certificate file to trust), can test the connection, sees the files that
// will be sent and deleted with their sizes, and publishes with a progress
// bar of bytes and files; Cancel stops a running transfer. The transfer runs beside the
// window (orvsys/publish), so the dialog stays live. Its layout is
// frm_publish.dfm.
#pragma once

#include <memory>
#include <string>

#include "controls/form.h"
#include "orvsys/publish/publisher.h"

namespace orv {

class TButton;
class TCheckBox;
class TComboBox;
class TEdit;
class TLabel;
class TListView;
class TProgressBar;

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
  void ComboBox1Change(TObject* sender);
  // Enables the options that the address's protocol uses.
  void Edit2Change(TObject* sender);
  void Button1Click(TObject* sender);
  void Button2Click(TObject* sender);
  void Button3Click(TObject* sender);
  // "&Cancel" stops a running transfer and keeps the dialog; "&Close" closes it.
  void Button4Click(TObject* sender);
  void FormClose(TObject* sender, EventArgs& args);
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
  TComboBox* ComboBox1 = nullptr;  // the sites
  TEdit* Edit1 = nullptr;          // the site's name
  TEdit* Edit2 = nullptr;          // its address
  TCheckBox* CheckBox1 = nullptr;  // passive FTP
  TCheckBox* CheckBox2 = nullptr;  // remote deletes
  TEdit* Edit3 = nullptr;          // the certificate file
  TLabel* Label5 = nullptr;        // the status
  TListView* ListView1 = nullptr;  // the files to send and delete
  TProgressBar* ProgressBar1 = nullptr;
  TLabel* Label7 = nullptr;    // the progress text
  TButton* Button1 = nullptr;  // "&Save Site"
  TButton* Button2 = nullptr;  // "&Test connection"
  TButton* Button3 = nullptr;  // "&Publish"
  TButton* Button4 = nullptr;  // "&Close", "&Cancel" while a transfer runs
};

}  // namespace orv
