#include "orvsys/publish_dialog/frm_publish.h"

#include "components/form_resource.h"
#include "controls/buttons.h"
#include "controls/dialogs.h"
#include "controls/edits.h"
#include "controls/list_view.h"
#include "controls/lists.h"
#include "orvsys/publish/login_remedy.h"
#include "orvsys/publish/publish_texts.h"
#include "orvsys/publish/sites_file.h"
#include "platform/paths.h"

namespace orv {

TFrmPublish::TFrmPublish(std::string folder, const std::string& site_name)
    : TForm(nullptr), folder_(std::move(folder)) {
  ReadFormResource(
      *this, {Field("ComboBox1", &TFrmPublish::ComboBox1), Field("Edit1", &TFrmPublish::Edit1),
              Field("Edit2", &TFrmPublish::Edit2), Field("CheckBox1", &TFrmPublish::CheckBox1),
              Field("CheckBox2", &TFrmPublish::CheckBox2), Field("Edit3", &TFrmPublish::Edit3),
              Field("Label5", &TFrmPublish::Label5), Field("ListView1", &TFrmPublish::ListView1),
              Field("ProgressBar1", &TFrmPublish::ProgressBar1), Field("Label7", &TFrmPublish::Label7),
              Field("Button1", &TFrmPublish::Button1), Field("Button2", &TFrmPublish::Button2),
              Field("Button3", &TFrmPublish::Button3), Field("Button4", &TFrmPublish::Button4),
              Handler("ComboBox1Change", &TFrmPublish::ComboBox1Change), Handler("Edit2Change", &TFrmPublish::Edit2Change),
              Handler("Button1Click", &TFrmPublish::Button1Click), Handler("Button2Click", &TFrmPublish::Button2Click),
              Handler("Button3Click", &TFrmPublish::Button3Click), Handler("Button4Click", &TFrmPublish::Button4Click),
              Handler("FormClose", &TFrmPublish::FormClose)});
  FillSites(site_name);
  if (folder_.empty()) Button3->SetEnabled(false);
}

void TFrmPublish::ComboBox1Change(TObject*) {
  if (ComboBox1->ItemIndex() < 0) return;
  if (auto site = FindSite(ComboBox1->Items()->Get(ComboBox1->ItemIndex()))) ShowSite(*site);
  ShowPlan();
}

void TFrmPublish::Edit2Change(TObject*) {
  // FTP's passive mode and a certificate to trust mean nothing to the other
  // protocols; a box that cannot be typed in is drawn in the button-face colour.
  const std::string url = LowerCase(Edit2->Text());
  const bool ftps = url.rfind("ftps://", 0) == 0;
  CheckBox1->SetEnabled(ftps || url.rfind("ftp://", 0) == 0);
  Edit3->SetEnabled(ftps);
  Edit3->SetColor(ftps ? clWindow : clBtnFace);
}

void TFrmPublish::Button1Click(TObject*) { SaveSiteClick(); }

void TFrmPublish::Button2Click(TObject*) { TestClick(); }

void TFrmPublish::Button3Click(TObject*) { PublishClick(); }

void TFrmPublish::Button4Click(TObject*) {
  if (publisher_ && publisher_->Running()) {
    publisher_->Cancel();
    SetModalResult(mrNone);
  }
}

void TFrmPublish::FormClose(TObject*, EventArgs&) {
  if (publisher_) publisher_->Cancel();
  if (probe_) probe_->Abort();
}

TFrmPublish::~TFrmPublish() = default;

void TFrmPublish::FillSites(const std::string& chosen) {
  ComboBox1->Items()->Clear();
  int index = -1;
  for (const TPublishSite& site : ReadSites()) {
    const int at = ComboBox1->Items()->Add(site.Name);
    if (SameText(site.Name, chosen) || (index < 0 && chosen.empty())) index = at;
  }
  ComboBox1->SetItemIndex(index);
  if (auto site = index >= 0 ? FindSite(ComboBox1->Items()->Get(index)) : std::nullopt) {
    ShowSite(*site);
  } else {
    TPublishSite fresh;
    fresh.Name = chosen;
    ShowSite(fresh);
  }
  ShowPlan();
}

void TFrmPublish::ShowSite(const TPublishSite& site) {
  Edit1->SetText(site.Name);
  Edit2->SetText(site.Url);
  CheckBox1->SetChecked(site.Passive);
  CheckBox2->SetChecked(site.Delete);
  Edit3->SetText(site.CaFile);
  Edit2Change(Edit2);
}

TPublishSite TFrmPublish::SiteFromBoxes() const {
  return TPublishSite{Edit1->Text(), Edit2->Text(), CheckBox1->Checked(), CheckBox2->Checked(), Edit3->Text()};
}

void TFrmPublish::Status(const std::string& text) { Label5->SetCaption(text); }

void TFrmPublish::ShowPlan() {
  ListView1->ClearItems();
  Label7->SetCaption("");
  if (folder_.empty() || Edit2->Text().empty()) return;
  try {
    TPublisher publisher(SiteFromBoxes(), folder_);
    const TPublishPlan& plan = publisher.Prepare();
    for (const TPlannedUpload& upload : plan.Uploads)
      ListView1->AddItem(upload.Path, {ByteCountText(upload.File.Size), "send"});
    for (const std::string& path : plan.Deletes) ListView1->AddItem(path, {"", "delete"});
    Label7->SetCaption(PlanText(plan));
  } catch (const Exception& error) {
    Status(error.what());
  }
}

void TFrmPublish::SaveSiteClick() {
  try {
    SaveSite(SiteFromBoxes());
    Status("The site \"" + Edit1->Text() + "\" is saved.");
    FillSites(Edit1->Text());
  } catch (const Exception& error) {
    Status(error.what());
  }
}

bool TFrmPublish::Remedy(const EPublishError& error, TRemote& remote, const TPublishSite& site) {
  TRemedyQuestions ask;
  ask.Password = [](const std::string&, const std::string& why) {
    std::string password;
    return InputQuery("Publish Site", why + "\nPassword:", password) ? password : std::string();
  };
  ask.TrustKey = [](const std::string& why) {
    return MessageDlg(why + "\n\nTrust this key and connect?", mtConfirmation, {mbYes, mbNo}, 0) == mrYes;
  };
  return OfferRemedy(error, remote, site, ask);
}

void TFrmPublish::TestClick() {
  const TPublishSite site = SiteFromBoxes();
  try {
    probe_ = MakeRemote(site);
  } catch (const Exception& error) {
    Status(error.what());
    return;
  }
  SetBusy(true);
  Status("Connecting...");
  probe_->Probe([this, site](const EPublishError* error, bool exists) {
    SetBusy(false);
    if (error && Remedy(*error, *probe_, site)) return TestClick();
    if (error) return Status(error->what());
    Status(exists ? "The connection works."
                  : "The connection works; the site's folder does not exist yet and "
                    "will be created when you publish.");
  });
}

void TFrmPublish::PublishClick() {
  const TPublishSite site = SiteFromBoxes();
  try {
    SaveSite(site);
    publisher_ = std::make_unique<TPublisher>(site, folder_);
    publisher_->Prepare();
  } catch (const Exception& error) {
    Status(error.what());
    return;
  }
  SetBusy(true);
  Status("Publishing...");
  TPublisher::Events events;
  events.Progress = [this](const TPublishProgress& progress) { ShowProgress(progress); };
  events.Finished = [this](const EPublishError* error) { Finished(error); };
  publisher_->Start(events);
}

void TFrmPublish::ShowProgress(const TPublishProgress& progress) {
  ProgressBar1->SetMax(100);
  const uint64_t total = progress.BytesTotal ? progress.BytesTotal : 1;
  ProgressBar1->SetPosition(progress.BytesTotal ? static_cast<int>(progress.BytesDone * 100 / total) : 100);
  Label7->SetCaption(ProgressText(progress));
}

void TFrmPublish::Finished(const EPublishError* error) {
  SetBusy(false);
  if (error && Remedy(*error, publisher_->Remote(), publisher_->Site())) return PublishClick();
  if (error) {
    Status(error->what());
  } else {
    Status(PublishedText(publisher_->Site().Name, publisher_->Plan()) + ".");
  }
  ShowPlan();
}

void TFrmPublish::SetBusy(bool busy) {
  for (TButton* button : {Button1, Button2}) button->SetEnabled(!busy);
  Button3->SetEnabled(!busy && !folder_.empty());
  ComboBox1->SetEnabled(!busy);
  Button4->SetCaption(busy ? "&Cancel" : "&Close");
}

}  // namespace orv
