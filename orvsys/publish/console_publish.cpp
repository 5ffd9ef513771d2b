#include "orvsys/publish/console_publish.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <csignal>
#include <cstdio>
#include <string>

#include "orvsys/publish/login_remedy.h"
#include "orvsys/publish/publish_texts.h"
#include "orvsys/publish/publisher.h"
#include "orvsys/publish/sites_file.h"
#include "platform/message_loop.h"
#include "platform/message_service.h"

namespace orv {

namespace {

// How many times a login or host-key question is asked before giving up.
constexpr int kAttempts = 3;

std::atomic<bool> interrupted{false};

void OnInterrupt(int) {
  interrupted = true;
  WakeMessageLoop();
}

// The terminal the user sits at, for questions; null when there is none.
std::FILE* OpenTerminal() {
  if (!::isatty(STDIN_FILENO)) return nullptr;
  return std::fopen("/dev/tty", "r+");
}

// Asks on the terminal; empty when there is no terminal or no answer.
std::string Ask(const std::string& question, bool secret) {
  std::FILE* tty = OpenTerminal();
  if (!tty) return std::string();
  std::fputs(question.c_str(), tty);
  std::fflush(tty);
  termios saved;
  const bool hide = secret && ::tcgetattr(::fileno(tty), &saved) == 0;
  if (hide) {
    termios quiet = saved;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    ::tcsetattr(::fileno(tty), TCSAFLUSH, &quiet);
  }
  char line[1024] = {};
  const bool read = std::fgets(line, sizeof line, tty) != nullptr;
  if (hide) {
    ::tcsetattr(::fileno(tty), TCSAFLUSH, &saved);
    std::fputs("\n", tty);
  }
  std::fclose(tty);
  std::string answer = read ? line : "";
  while (!answer.empty() && (answer.back() == '\n' || answer.back() == '\r')) answer.pop_back();
  return answer;
}

// Shows the progress on standard error: a line that rewrites itself on a
// terminal, one line per file otherwise.
class ConsoleProgress {
 public:
  explicit ConsoleProgress(bool quiet) : quiet_(quiet), terminal_(::isatty(STDERR_FILENO)) {}

  void Show(const TPublishProgress& progress) {
    if (quiet_ || !terminal_ || progress.Current.empty()) return;
    std::string line = "Publishing " + ProgressText(progress);
    if (line.size() > 79) line = line.substr(0, 76) + "...";
    std::fprintf(stderr, "\r\033[K%s", line.c_str());
    shown_ = true;
  }
  void FileDone(const std::string& path, bool deleted) {
    if (quiet_ || terminal_) return;
    std::fprintf(stderr, "%s %s\n", deleted ? "deleted" : "sent", path.c_str());
  }
  void Clear() {
    if (shown_) std::fputs("\r\033[K", stderr);
    shown_ = false;
  }

 private:
  bool quiet_;
  bool terminal_;
  bool shown_ = false;
};

void PrintPlan(const TPublishPlan& plan) {
  for (const TPlannedUpload& upload : plan.Uploads)
    std::printf("send %s (%s)\n", upload.Path.c_str(), ByteCountText(upload.File.Size).c_str());
  for (const std::string& path : plan.Deletes) std::printf("delete %s\n", path.c_str());
  std::printf("%s\n", PlanText(plan).c_str());
}

// Offers the remedy for a failure that has one, on the terminal; true when
// the publish should be tried again.
bool Remedy(const EPublishError& error, TPublisher& publisher) {
  TRemedyQuestions ask;
  ask.Password = [](const std::string& login, const std::string&) { return Ask("Password for " + login + ": ", true); };
  ask.TrustKey = [](const std::string& why) {
    const std::string answer = Ask(why + "\nTrust this key and connect? (yes/no) ", false);
    return answer == "yes" || answer == "y";
  };
  return OfferRemedy(error, publisher.Remote(), publisher.Site(), ask);
}

int Publish(const TPublishSite& site, const std::string& folder, bool dry_run, bool quiet) {
  for (int attempt = 1;; ++attempt) {
    TPublisher publisher(site, folder);
    const TPublishPlan& plan = publisher.Prepare();
    if (dry_run) {
      PrintPlan(plan);
      return 0;
    }
    ConsoleProgress view(quiet);
    const EPublishError* failure = nullptr;
    std::unique_ptr<EPublishError> kept;
    TPublisher::Events events;
    events.Progress = [&](const TPublishProgress& progress) { view.Show(progress); };
    events.FileDone = [&](const std::string& path, bool deleted) { view.FileDone(path, deleted); };
    events.Finished = [&](const EPublishError* error) {
      if (error) kept = std::make_unique<EPublishError>(*error);
      failure = kept.get();
    };
    RunPublish(publisher, events, [] { return interrupted.load(); });
    view.Clear();
    if (!failure) {
      if (!quiet) std::fprintf(stderr, "%s\n", PublishedText(site.Name, plan).c_str());
      return 0;
    }
    if (attempt < kAttempts && Remedy(*failure, publisher)) continue;
    ShowMessage(MessageKind::Error, "", "orvcc: publishing to " + site.Name + " failed: " + failure->what());
    return 1;
  }
}

}  // namespace

}  // namespace orv

extern "C" int orv_publish_console(const char* site_name, const char* folder, int dry_run, int quiet) {
  const std::string name = site_name ? site_name : "";
  try {
    const std::optional<orv::TPublishSite> site = orv::FindSite(name);
    if (!site) {
      orv::ShowMessage(orv::MessageKind::Error, "",
                       "orvcc: there is no site \"" + name + "\" in " + orv::SitesFile());
      return 1;
    }
    orv::interrupted = false;
    auto previous = std::signal(SIGINT, orv::OnInterrupt);
    const int status = orv::Publish(*site, folder ? folder : "", dry_run != 0, quiet != 0);
    std::signal(SIGINT, previous);
    return status;
  } catch (const std::exception& error) {
    orv::ShowMessage(orv::MessageKind::Error, "", "orvcc: publishing to " + name + " failed: " + error.what());
  } catch (...) {
    orv::ShowMessage(orv::MessageKind::Error, "", "orvcc: publishing to " + name + " failed");
  }
  return 1;
}
