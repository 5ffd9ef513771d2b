#include "cc/watch_mode.h"

#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>
#include <unordered_map>
#include <vector>

#include "cc/console_build.h"
#include "cc/file_watcher.h"
#include "cc/serve_binding.h"
#include "cc/stop_signals.h"
#include "cc/unchanged_files.h"
#include "platform/build_stats.h"
#include "platform/folders.h"
#include "platform/paths.h"
#include "platform/project_folders.h"

namespace orv {

namespace {

// How long the files must stay unchanged before a build starts: an editor's
// save (a write, or a new file renamed over the old one) is one change. A
// change that ended a save (the file closed, or renamed into place) needs
// less: only what the editor does after it (a backup removed) is awaited.
constexpr int kSettleMs = 20;
constexpr int kSettleAfterSaveMs = 5;
// A change that goes on longer (a large copy) is built anyway.
constexpr int kLongestWaitMs = 1000;

void Say(const std::string& text) {
  std::fprintf(stderr, "%s\n", text.c_str());
  std::fflush(stderr);
}

// `path` from the root, without "." and ".." steps, as inotify's events and
// the system's own names give it ("src=." names the project's folder).
std::string Absolute(const std::string& path) {
  std::error_code ec;
  const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
  return ec ? path : absolute.lexically_normal().string();
}

// A path as the author knows it: relative to the current folder when it
// lies below it.
std::string Shown(const std::string& path) {
  std::error_code ec;
  const std::string here = std::filesystem::current_path(ec).string() + "/";
  return !ec && PathIsUnder(path, here) ? path.substr(here.size()) : path;
}

// Waits for `fds` for at most `timeout_ms` (-1: for ever); true when one is
// readable.
bool WaitFor(pollfd (&fds)[2], int timeout_ms) {
  for (pollfd& fd : fds) fd.revents = 0;
  return ::poll(fds, 2, timeout_ms) > 0;
}

long long NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

// The builds and their watcher.
class WatchRun {
 public:
  WatchRun(const CoreEntry& core, const std::string& project, bool quiet, FileWatcher& watcher, StopSignals& stop)
      : core_(core), project_(project), watcher_(watcher), stop_(stop), build_(core, project, quiet) {}

  // Builds and watches what the build depended on; returns the output
  // folder. What changed while it ran is known before its counts line is
  // shown: a page changed by someone else after that line counts.
  std::string Build(bool timed) {
    stop_.SetBusy(true);
    unchanged_.BuildBegins();
    std::vector<const char*> changed;
    if (unchanged_.Doubtful(changed)) {
      core_.vouch(changed.data(), static_cast<long long>(changed.size()));
    } else {
      core_.vouch(nullptr, -1);
    }
    const bool ok = build_.Run(timed, [&] {
      // The lists are made again only when the build depended on something
      // else than the one before.
      if (TakeInputs()) {
        watcher_.Watch(inputs_);
      } else {
        watcher_.WatchAgain(inputs_);
      }
      pending_ = watcher_.ReadChanges(true);
    });
    stop_.SetBusy(false);
    if (!ok) Say(build_.Error());
    for (const std::string& problem : watcher_.TakeProblems())
      Say("orvcc: changes in " + problem + " are not seen");
    return inputs_.Output.empty() ? IncludeTrailingSlash(Absolute(ProjectOutputFolder(project_))) : inputs_.Output;
  }

  // Whether something changed during the last build.
  bool Pending() const { return pending_; }

  // Waits for changes that count and lets them settle; false once a stop
  // was asked for.
  bool WaitForChanges(bool pending) {
    pollfd fds[2] = {{watcher_.Descriptor(), POLLIN, 0}, {stop_.Descriptor(), POLLIN, 0}};
    while (!pending) {
      WaitFor(fds, -1);
      if (stop_.Requested()) return false;
      pending = watcher_.ReadChanges(false);
    }
    const long long start = NowMs();
    for (;;) {
      const long long left = kLongestWaitMs - (NowMs() - start);
      const int settle = watcher_.LastChangeEndedASave() ? kSettleAfterSaveMs : kSettleMs;
      if (left <= 0 || !WaitFor(fds, static_cast<int>(left < settle ? left : settle))) break;
      if (stop_.Requested()) return false;
      watcher_.ReadChanges(false);
    }
    return !stop_.Requested();
  }

  std::string TakeChanged() { return watcher_.TakeChanged(); }

 private:
  // What the last build depended on and wrote, from the core: the files
  // among them are followed for the next builds, and inputs_ holds them all
  // when they differ from the last build's (then true).
  bool TakeInputs() {
    const uint64_t listed = core_.last_inputs_id();
    if (taken_ && listed == listed_) {
      // The same files as before: those that stopped being followed since
      // are followed again.
      unchanged_.FollowDropped();
      return false;
    }
    taken_ = true;
    listed_ = listed;
    inputs_ = WatchInputs();
    core_.last_inputs([](const char* path, int kind, void* user) { static_cast<WatchRun*>(user)->Take(path, kind); },
                      this);
    // The build writes its record and its counts to the data folder.
    inputs_.Ignored.push_back(IncludeTrailingSlash(Absolute(DataDir() + "builds")));
    inputs_.Ignored.push_back(Absolute(BuildStatsFile()));
    for (const std::string& file : OwnOutputFiles()) inputs_.Ignored.push_back(file);
    return true;
  }

  void Take(const char* path, int kind) {
    const std::string& absolute = AbsoluteOf(path);
    switch (kind) {
      case ORV_INPUT_FILE: inputs_.Files.push_back(absolute); break;
      case ORV_INPUT_TREE: inputs_.Trees.push_back(IncludeTrailingSlash(absolute)); break;
      case ORV_INPUT_OUTPUT: inputs_.Output = IncludeTrailingSlash(absolute); break;
      case ORV_INPUT_WRITTEN: inputs_.Written.insert(absolute); break;
      default: break;
    }
    if (kind == ORV_INPUT_FILE || kind == ORV_INPUT_WRITTEN) unchanged_.Follow(path, absolute);
  }

  const std::string& AbsoluteOf(const char* path) {
    auto [known, added] = absolute_.try_emplace(path);
    if (added) known->second = Absolute(path);
    return known->second;
  }

  const CoreEntry& core_;
  const std::string& project_;
  FileWatcher& watcher_;
  StopSignals& stop_;
  ConsoleBuild build_;
  UnchangedFiles unchanged_;
  // The same paths come after every build: each is made absolute once.
  std::unordered_map<std::string, std::string> absolute_;
  // The last list of inputs taken, and its fingerprint.
  WatchInputs inputs_;
  bool taken_ = false;
  uint64_t listed_ = 0;
  bool pending_ = false;
};

}  // namespace

int RunWatch(const CoreEntry& core, const std::string& project, const WatchOptions& options) {
  StopSignals stop;
  std::unique_ptr<FileWatcher> watcher;
  try {
    watcher = std::make_unique<FileWatcher>();
  } catch (const std::system_error& e) {
    Say(std::string("orvcc: ") + e.what());
    return 1;
  }
  core.set_limit("watch", 1);
  WatchRun run(core, project, options.Quiet, *watcher, stop);
  std::string output = run.Build(false);
  ServeBinding server;
  if (options.Serve) {
    int port = 0;
    std::string error;
    if (!server.Start(output, options.Address, options.Port, port, error)) {
      Say("orvcc: " + error);
      return error.compare(0, 11, "cannot load") == 0 ? 3 : 1;
    }
    const bool v6 = options.Address.find(':') != std::string::npos;
    std::printf("orvcc: serving %s at http://%s%s%s:%d/ (Ctrl-C to stop)\n", Shown(output).c_str(), v6 ? "[" : "",
                options.Address.c_str(), v6 ? "]" : "", port);
    std::fflush(stdout);
  } else if (!options.Quiet) {
    Say("orvcc: watching for changes (Ctrl-C to stop)");
  }
  while (run.WaitForChanges(run.Pending())) {
    const std::string changed = run.TakeChanged();
    if (!options.Quiet) Say("orvcc: " + Shown(changed) + " changed");
    output = run.Build(true);
    server.Reload(output);
  }
  return 0;
}

}  // namespace orv
