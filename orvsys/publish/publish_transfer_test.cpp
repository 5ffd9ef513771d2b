// Publishing to real servers started on 127.0.0.1: a folder (file://), an
// OpenSSH server (SFTP) and an FTP server, plain and with explicit TLS. The
// server's files are compared byte for byte with the output folder, and its
// log tells what was uploaded.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>

#include "orvsys/publish/credentials.h"
#include "orvsys/publish/publish_test_servers.h"
#include "orvsys/publish/publisher.h"
#include "orvsys/publish/site_address.h"
#include "platform/files.h"
#include "platform/folders.h"

namespace orv {
namespace {

namespace fs = std::filesystem;
using publish_testing::FtpTestServer;
using publish_testing::SshTestServer;

// How one publish ended.
struct Outcome {
  bool ok = false;
  PublishFailure kind = PublishFailure::Failed;
  std::string message;
  std::vector<std::string> done;  // files sent or deleted, in order
  TPublishPlan plan;
};

// Every file below `root` with its bytes.
std::map<std::string, std::string> Tree(const std::string& root) {
  std::map<std::string, std::string> files;
  if (!fs::exists(root)) return files;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    if (entry.is_regular_file()) files[fs::relative(entry.path(), root).generic_string()] = ReadFileBytes(entry.path());
  return files;
}

size_t Count(const std::string& text, const std::string& what) {
  size_t count = 0;
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++count;
  return count;
}

std::string ProtocolName(const testing::TestParamInfo<PublishProtocol>& info) {
  const char* names[] = {"Sftp", "Ftp", "Ftps", "Folder"};
  return names[static_cast<int>(info.param)];
}

// A site of each kind with its server, a home folder for the user's keys,
// known_hosts and .netrc, and an output folder to publish.
class PublishFixture : public testing::Test {
 protected:
  void SetUp() override {
    root_ = DataDir() + "publish-test/";
    fs::remove_all(root_);
    site_.Name = "test site";
    fs::remove(ManifestFile(site_.Name));
    home_ = root_ + "home";
    fs::create_directories(home_);
    saved_home_ = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::setenv("HOME", home_.c_str(), 1);
    ::unsetenv("SSH_AUTH_SOCK");
    out_ = root_ + "out/";
    fs::create_directories(out_);
  }

  // Starts the server of `protocol`. The site's folder has a blank in its
  // name, written as it is in the address, as people write it.
  void Start(PublishProtocol protocol) {
    switch (protocol) {
      case PublishProtocol::Folder:
        remote_ = root_ + "mounted/web site";
        site_.Url = "file://" + remote_;
        break;
      case PublishProtocol::Sftp:
        ssh_ = std::make_unique<SshTestServer>(root_ + "sshd");
        ssh_->InstallClient(home_);
        remote_ = root_ + "server/web site";
        site_.Url = ssh_->Url(remote_);
        break;
      case PublishProtocol::Ftp:
      case PublishProtocol::Ftps:
        StartFtp({protocol == PublishProtocol::Ftps, 0});
        break;
    }
  }
  void TearDown() override {
    ssh_.reset();
    ftp_.reset();
    ::setenv("HOME", saved_home_.c_str(), 1);
    fs::remove_all(root_);
  }

  void StartFtp(FtpTestServer::Options options) {
    ftp_.reset();
    fs::create_directories(root_ + "ftproot");
    ftp_ = std::make_unique<FtpTestServer>(root_ + "ftp", root_ + "ftproot", options);
    remote_ = root_ + "ftproot/site/web site";
    site_.Url = ftp_->Url("/site/web site");
    if (options.tls) site_.CaFile = ftp_->CertificateFile();
    publish_testing::WriteNetrc(home_, "tester", "secret");
  }

  // The uploads the server logged so far (none for a folder).
  size_t UploadsLogged() const {
    if (ssh_) return Count(ssh_->SftpLog(), " written ");
    if (ftp_) return ftp_->UploadsLogged();
    return 0;
  }

  void Write(const std::string& path, const std::string& bytes) {
    fs::create_directories(fs::path(out_ + path).parent_path());
    WriteFileBytes(out_ + path, bytes);
  }

  // A small site: pages in folders, a name with blanks, a hidden file, an
  // empty file and a larger binary image.
  void WriteSite() {
    Write("index.html", "<html>home</html>\r\n");
    Write("news/2024/item one.html", "<p>news</p>");
    Write(".htaccess", "Options -Indexes\n");
    Write("empty.txt", "");
    std::string image(300000, '\0');
    std::mt19937 random(7);
    for (char& byte : image) byte = static_cast<char>(random());
    Write("img/logo.gif", image);
  }

  // Publishes the output folder; `cancel_after` files done, Cancel is pressed.
  Outcome Publish(int cancel_after = -1) {
    Outcome outcome;
    TPublisher publisher(site_, out_);
    outcome.plan = publisher.Prepare();
    TPublisher::Events events;
    events.FileDone = [&](const std::string& path, bool) {
      outcome.done.push_back(path);
      if (static_cast<int>(outcome.done.size()) == cancel_after) publisher.Cancel();
    };
    bool finished = false;
    events.Finished = [&](const EPublishError* error) {
      finished = true;
      outcome.ok = error == nullptr;
      if (error) outcome.kind = error->Kind(), outcome.message = error->what();
    };
    RunPublish(publisher, events, nullptr);
    EXPECT_TRUE(finished);
    return outcome;
  }

  TPublishManifest Manifest() const {
    TPublishManifest manifest;
    manifest.Load(ManifestFile(site_.Name), site_.Url);
    return manifest;
  }

  // The manifest names exactly the files on the server, with their sizes
  // and hashes.
  void ExpectManifestTrue() {
    const TPublishManifest manifest = Manifest();
    std::map<std::string, std::string> remote = Tree(remote_);
    std::vector<std::string> listed, present;
    for (const auto& [path, entry] : manifest.Files) {
      listed.push_back(path);
      ASSERT_TRUE(remote.count(path)) << path;
      EXPECT_EQ(entry.Size, remote[path].size()) << path;
      EXPECT_EQ(entry.Hash, FileSha256(remote_ + "/" + path)) << path;
    }
    for (const auto& [path, bytes] : remote)
      if (path.find(".orv-part") == std::string::npos) present.push_back(path);
    EXPECT_EQ(listed, present);
  }

  std::string root_, home_, saved_home_, out_, remote_;
  TPublishSite site_;
  std::unique_ptr<SshTestServer> ssh_;
  std::unique_ptr<FtpTestServer> ftp_;
};

// The same behaviour over every kind of site.
class PublishTest : public PublishFixture, public testing::WithParamInterface<PublishProtocol> {
 protected:
  void SetUp() override {
    PublishFixture::SetUp();
    Start(GetParam());
  }
};

TEST_P(PublishTest, EveryFileArrivesByteForByteAndASecondPublishSendsNothing) {
  WriteSite();
  Outcome first = Publish();
  ASSERT_TRUE(first.ok) << first.message;
  EXPECT_EQ(first.plan.Uploads.size(), 5u);
  EXPECT_EQ(Tree(remote_), Tree(out_));
  if (GetParam() != PublishProtocol::Folder) {
    EXPECT_EQ(UploadsLogged(), 5u);
  }
  ExpectManifestTrue();

  const size_t logged = UploadsLogged();
  Outcome second = Publish();
  ASSERT_TRUE(second.ok) << second.message;
  EXPECT_TRUE(second.plan.Empty());
  EXPECT_EQ(second.plan.Unchanged, 5u);
  EXPECT_TRUE(second.done.empty());
  EXPECT_EQ(UploadsLogged(), logged);
}

TEST_P(PublishTest, OneChangedPageSendsOneFile) {
  WriteSite();
  Outcome first = Publish();
  ASSERT_TRUE(first.ok) << first.message;
  const size_t logged = UploadsLogged();
  Write("news/2024/item one.html", "<p>changed news</p>");
  Outcome outcome = Publish();
  ASSERT_TRUE(outcome.ok) << outcome.message;
  EXPECT_EQ(outcome.done, std::vector<std::string>{"news/2024/item one.html"});
  if (GetParam() != PublishProtocol::Folder) {
    EXPECT_EQ(UploadsLogged(), logged + 1);
  }
  EXPECT_EQ(Tree(remote_), Tree(out_));
  ExpectManifestTrue();
}

TEST_P(PublishTest, AManifestNamingAPathOutsideTheSiteDeletesNothing) {
  WriteSite();
  ASSERT_TRUE(Publish().ok);
  // A damaged or tampered manifest: a file "sent" beside the site's folder.
  const std::string outside = remote_ + "/../outside.html";
  WriteFileBytes(outside, "not ours");
  WriteFileBytes(ManifestFile(site_.Name), ReadFileBytes(ManifestFile(site_.Name)) + std::string(64, '0') +
                                               " 8 ../outside.html\n");
  site_.Delete = true;
  Outcome again = Publish();
  ASSERT_TRUE(again.ok) << again.message;
  EXPECT_TRUE(again.plan.Deletes.empty());
  EXPECT_EQ(again.plan.Uploads.size(), 5u);
  EXPECT_EQ(ReadFileBytes(outside), "not ours");
  ExpectManifestTrue();
}

TEST_P(PublishTest, RemoteFilesAreDeletedOnlyWhenTheSiteAsksForIt) {
  WriteSite();
  Outcome first = Publish();
  ASSERT_TRUE(first.ok) << first.message;
  fs::remove(out_ + "index.html");
  fs::remove(out_ + "news/2024/item one.html");
  Outcome kept = Publish();
  ASSERT_TRUE(kept.ok) << kept.message;
  EXPECT_TRUE(kept.plan.Deletes.empty());
  EXPECT_EQ(Tree(remote_).size(), 5u);
  ExpectManifestTrue();

  site_.Delete = true;
  // A file someone else already removed counts as deleted.
  fs::remove(remote_ + "/index.html");
  Outcome deleted = Publish();
  ASSERT_TRUE(deleted.ok) << deleted.message;
  EXPECT_EQ(deleted.done, (std::vector<std::string>{"index.html", "news/2024/item one.html"}));
  EXPECT_EQ(Tree(remote_), Tree(out_));
  ExpectManifestTrue();
}

TEST_P(PublishTest, CancelLeavesAManifestOfWhatReallyArrived) {
  WriteSite();
  Outcome cancelled = Publish(2);
  EXPECT_FALSE(cancelled.ok);
  EXPECT_EQ(cancelled.kind, PublishFailure::Cancelled);
  EXPECT_EQ(Manifest().Files.size(), 2u);
  ExpectManifestTrue();
  Outcome rest = Publish();
  ASSERT_TRUE(rest.ok) << rest.message;
  EXPECT_EQ(rest.plan.Uploads.size(), 3u);
  EXPECT_EQ(Tree(remote_), Tree(out_));
}

TEST_P(PublishTest, TestConnectionTellsWhetherTheFolderIsThere) {
  TPublisher publisher(site_, out_);
  std::vector<bool> seen;
  auto probe = [&] {
    bool finished = false;
    publisher.Remote().Probe([&](const EPublishError* error, bool exists) {
      EXPECT_EQ(error, nullptr) << error->what();
      seen.push_back(exists);
      finished = true;
    });
    while (!finished) WaitMessages(std::chrono::milliseconds(100));
  };
  probe();
  fs::create_directories(remote_);
  probe();
  EXPECT_EQ(seen, (std::vector<bool>{false, true}));
}

INSTANTIATE_TEST_SUITE_P(Protocols, PublishTest,
                         testing::Values(PublishProtocol::Folder, PublishProtocol::Sftp, PublishProtocol::Ftp,
                                         PublishProtocol::Ftps),
                         ProtocolName);

TEST_F(PublishFixture, AServerThatDropsTheConnectionLeavesATrueManifest) {
  StartFtp({false, 3});
  WriteSite();
  Outcome dropped = Publish();
  EXPECT_FALSE(dropped.ok);
  EXPECT_EQ(dropped.kind, PublishFailure::Failed);
  EXPECT_NE(dropped.message.find("Cannot send \""), std::string::npos) << dropped.message;
  EXPECT_EQ(dropped.done.size(), 2u);
  ExpectManifestTrue();
  Outcome rest = Publish();
  ASSERT_TRUE(rest.ok) << rest.message;
  EXPECT_EQ(rest.done.size(), 3u);
  EXPECT_EQ(Tree(remote_), Tree(out_));
}

TEST_F(PublishFixture, AWrongFtpPasswordFailsClearlyAndChangesNothing) {
  Start(PublishProtocol::Ftp);
  publish_testing::WriteNetrc(home_, "tester", "wrong");
  WriteSite();
  Outcome outcome = Publish();
  EXPECT_FALSE(outcome.ok);
  EXPECT_EQ(outcome.kind, PublishFailure::LoginDenied) << outcome.message;
  EXPECT_NE(outcome.message.find("refused the login of \"tester\" (the server said: 530"), std::string::npos)
      << outcome.message;
  EXPECT_TRUE(Tree(remote_).empty());
  EXPECT_TRUE(Manifest().Files.empty());
  EXPECT_EQ(UploadsLogged(), 0u);

  // The password typed when asked is kept for the process, over .netrc's.
  RememberPassword(ParseSiteAddress(site_.Url), "secret");
  Outcome typed = Publish();
  ForgetPassword(ParseSiteAddress(site_.Url));
  ASSERT_TRUE(typed.ok) << typed.message;
  EXPECT_EQ(Tree(remote_), Tree(out_));
}

TEST_F(PublishFixture, AnSshServerThatRefusesTheUserFailsClearly) {
  Start(PublishProtocol::Sftp);
  fs::remove(home_ + "/.ssh/id_ed25519");
  publish_testing::WriteNetrc(home_, ssh_->User(), "wrong");
  WriteSite();
  Outcome outcome = Publish();
  EXPECT_FALSE(outcome.ok);
  EXPECT_EQ(outcome.kind, PublishFailure::LoginDenied) << outcome.message;
  EXPECT_NE(outcome.message.find("refused the login"), std::string::npos) << outcome.message;
  EXPECT_TRUE(Tree(remote_).empty());
  EXPECT_EQ(UploadsLogged(), 0u);
}

TEST_F(PublishFixture, AWrongHostKeyIsRefusedAndAnUnknownOneCanBeTrusted) {
  Start(PublishProtocol::Sftp);
  ssh_->InstallClient(home_, true);
  WriteSite();
  Outcome changed = Publish();
  EXPECT_EQ(changed.kind, PublishFailure::HostKeyChanged) << changed.message;
  EXPECT_NE(changed.message.find("differs from the one stored for it in " + home_ + "/.ssh/known_hosts"),
            std::string::npos)
      << changed.message;
  EXPECT_TRUE(Tree(remote_).empty());
  EXPECT_EQ(ssh_->SftpLog().find("open"), std::string::npos);

  fs::remove(home_ + "/.ssh/known_hosts");
  TPublisher publisher(site_, out_);
  publisher.Prepare();
  std::unique_ptr<EPublishError> failure;
  TPublisher::Events events;
  events.Finished = [&](const EPublishError* error) {
    if (error) failure = std::make_unique<EPublishError>(*error);
  };
  RunPublish(publisher, events, nullptr);
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->Kind(), PublishFailure::HostKeyUnknown) << failure->what();
  EXPECT_NE(std::string(failure->what()).find("ssh-ed25519 SHA256:"), std::string::npos) << failure->what();
  EXPECT_EQ(publisher.Remote().OfferedHostKey().Base64, ssh_->HostKeyBase64());
  TrustHostKey(ParseSiteAddress(site_.Url), publisher.Remote().OfferedHostKey());
  Outcome trusted = Publish();
  ASSERT_TRUE(trusted.ok) << trusted.message;
  EXPECT_EQ(Tree(remote_), Tree(out_));
}

TEST_F(PublishFixture, FtpsChecksTheServersCertificate) {
  Start(PublishProtocol::Ftps);
  site_.CaFile.clear();
  WriteSite();
  Outcome outcome = Publish();
  EXPECT_FALSE(outcome.ok);
  EXPECT_NE(outcome.message.find("could not be verified"), std::string::npos) << outcome.message;
  EXPECT_EQ(UploadsLogged(), 0u);
  EXPECT_TRUE(Tree(remote_).empty());
}
}  // namespace
}  // namespace orv
