#include "sys/frm_publish.h"

#include <cstdio>

#include "controls/dialogs.h"
#include "platform/paths.h"
#include "sys/error_box.h"
#include "sys/form_builder.h"
#include "sys/publish/site_address.h"
#include "sys/publish/sites_file.h"

namespace orv {

namespace {

std::string Bytes(uint64_t bytes) {
  char text[32];
  if (bytes < 1024) return std::to_string(bytes) + " B";
  std::snprintf(text, sizeof text, "%.1f KiB", static_cast<double>(bytes) / 1024);
  if (bytes < (1 << 20)) return text;
  std::snprintf(text, sizeof text, "%.1f MiB", static_cast<double>(bytes) / (1 << 20));
  return text;
}

}  // namespace

TFrmPublish::TFrmPublish(std::string folder, const std::string& site_name)
    : TForm(nullptr), folder_(std::move(folder)) {
  FormBuilder b(*this, "FrmPublish", "Publish Site", 460, 420);
  b.Add<TLabel>(nullptr, 8, 12, 80, 16, "Site:");
  sites_ = b.Add<TComboBox>(nullptr, 100, 8, 352, 21);
  sites_->SetStyle(csDropDownList);
  b.Add<TLabel>(nullptr, 8, 42, 80, 16, "Name:");
  name_ = b.Add<TEdit>(nullptr, 100, 38, 352, 21);
  b.Add<TLabel>(nullptr, 8, 70, 80, 16, "Address:");
  url_ = b.Add<TEdit>(nullptr, 100, 66, 352, 21);
  passive_ = b.Add<TCheckBox>(nullptr, 100, 94, 160, 17, "Passive FTP");
  delete_ = b.Add<TCheckBox>(nullptr, 100, 114, 352, 17, "Delete remote files that left the output folder");
  b.Add<TLabel>(nullptr, 8, 140, 90, 16, "Certificate file:");
  cafile_ = b.Add<TEdit>(nullptr, 100, 136, 352, 21);
  save_ = b.Add<TButton>(nullptr, 100, 164, 100, 25, "&Save Site");
  test_ = b.Add<TButton>(nullptr, 206, 164, 120, 25, "&Test connection");
  status_ = b.Text(nullptr, 8, 196, 444, 32, "");
  b.Add<TLabel>(nullptr, 8, 232, 200, 16, "Files to send and delete:");
  files_ = b.Add<TListBox>(nullptr, 8, 250, 444, 100);
  progress_ = b.Add<TProgressBar>(nullptr, 8, 356, 444, 16);
  progress_text_ = b.Add<TLabel>(nullptr, 8, 376, 444, 16, "");
  publish_ = b.Add<TButton>(nullptr, 296, 392, 75, 25, "&Publish");
  publish_->SetDefault(true);
  TButton* cancel = b.CancelButton(377, 392);

  OnEvent(sites_->OnChange, [this] {
    if (sites_->ItemIndex() < 0) return;
    if (auto site = FindSite(sites_->Items()->Get(sites_->ItemIndex()))) ShowSite(*site);
    ShowPlan();
  });
  OnEvent(save_->OnClick, [this] { SaveSiteClick(); });
  OnEvent(test_->OnClick, [this] { TestClick(); });
  OnEvent(publish_->OnClick, [this] { PublishClick(); });
  // Cancel stops a running transfer and keeps the dialog; otherwise it closes.
  OnEvent(cancel->OnClick, [this] {
    if (publisher_ && publisher_->Running()) {
      publisher_->Cancel();
      SetModalResult(mrNone);
    }
  });
  OnEvent(OnClose, [this] {
    if (publisher_) publisher_->Cancel();
    if (probe_) probe_->Abort();
  });
  FillSites(site_name);
  if (folder_.empty()) publish_->SetEnabled(false);
}

TFrmPublish::~TFrmPublish() = default;

void TFrmPublish::FillSites(const std::string& chosen) {
  sites_->Items()->Clear();
  int index = -1;
  for (const TPublishSite& site : ReadSites()) {
    const int at = sites_->Items()->Add(site.Name);
    if (SameText(site.Name, chosen) || (index < 0 && chosen.empty())) index = at;
  }
  sites_->SetItemIndex(index);
  if (auto site = index >= 0 ? FindSite(sites_->Items()->Get(index)) : std::nullopt) {
    ShowSite(*site);
  } else {
    TPublishSite fresh;
    fresh.Name = chosen;
    ShowSite(fresh);
  }
  ShowPlan();
}

void TFrmPublish::ShowSite(const TPublishSite& site) {
  name_->SetText(site.Name);
  url_->SetText(site.Url);
  passive_->SetChecked(site.Passive);
  delete_->SetChecked(site.Delete);
  cafile_->SetText(site.CaFile);
}

TPublishSite TFrmPublish::SiteFromBoxes() const {
  return TPublishSite{name_->Text(), url_->Text(), passive_->Checked(), delete_->Checked(), cafile_->Text()};
}

void TFrmPublish::Status(const std::string& text) { status_->SetCaption(text); }

void TFrmPublish::ShowPlan() {
  files_->Clear();
  progress_text_->SetCaption("");
  if (folder_.empty() || url_->Text().empty()) return;
  try {
    TPublisher publisher(SiteFromBoxes(), folder_);
    const TPublishPlan& plan = publisher.Prepare();
    for (const TPlannedUpload& upload : plan.Uploads) files_->Items()->Add("send " + upload.Path);
    for (const std::string& path : plan.Deletes) files_->Items()->Add("delete " + path);
    progress_text_->SetCaption(std::to_string(plan.Uploads.size()) + " to send (" + Bytes(plan.UploadBytes()) +
                               "), " + std::to_string(plan.Deletes.size()) + " to delete, " +
                               std::to_string(plan.Unchanged) + " unchanged");
  } catch (const Exception& error) {
    Status(error.what());
  }
}

void TFrmPublish::SaveSiteClick() {
  try {
    SaveSite(SiteFromBoxes());
    Status("The site \"" + name_->Text() + "\" is saved.");
    FillSites(name_->Text());
  } catch (const Exception& error) {
    Status(error.what());
  }
}

bool TFrmPublish::Remedy(const EPublishError& error, TRemote& remote, const TPublishSite& site) {
  const TSiteAddress address = ParseSiteAddress(site.Url);
  if (error.Kind() == PublishFailure::LoginDenied) {
    std::string password;
    if (!InputQuery("Publish Site", std::string(error.what()) + "\nPassword:", password) || password.empty())
      return false;
    RememberPassword(address, password);
    return true;
  }
  if (error.Kind() == PublishFailure::HostKeyUnknown) {
    if (MessageDlg(std::string(error.what()) + "\n\nTrust this key and connect?", mtConfirmation, {mbYes, mbNo}, 0) !=
        mrYes)
      return false;
    TrustHostKey(address, remote.OfferedHostKey());
    return true;
  }
  return false;
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
    Status(exists ? "The connection works." : "The connection works; the site's folder does not exist yet and "
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
  progress_->SetMax(100);
  const uint64_t total = progress.BytesTotal ? progress.BytesTotal : 1;
  progress_->SetPosition(progress.BytesTotal ? static_cast<int>(progress.BytesDone * 100 / total) : 100);
  progress_text_->SetCaption(std::to_string(progress.FilesDone) + " of " + std::to_string(progress.FilesTotal) +
                             " files, " + Bytes(progress.BytesDone) + " of " + Bytes(progress.BytesTotal) +
                             (progress.Current.empty() ? "" : ": " + progress.Current));
}

void TFrmPublish::Finished(const EPublishError* error) {
  SetBusy(false);
  if (error && Remedy(*error, publisher_->Remote(), publisher_->Site())) return PublishClick();
  if (error) {
    Status(error->what());
  } else {
    const TPublishPlan& plan = publisher_->Plan();
    Status("Published: " + std::to_string(plan.Uploads.size()) + " sent, " + std::to_string(plan.Deletes.size()) +
           " deleted, " + std::to_string(plan.Unchanged) + " unchanged.");
  }
  ShowPlan();
}

void TFrmPublish::SetBusy(bool busy) {
  for (TButton* button : {save_, test_}) button->SetEnabled(!busy);
  publish_->SetEnabled(!busy && !folder_.empty());
  sites_->SetEnabled(!busy);
}

}  // namespace orv
