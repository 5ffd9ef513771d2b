#include "cc/console_build.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

namespace orv {

namespace {

// The close request orvcc posts to its own window once the build returned.
constexpr uint32_t WM_CLOSE = 0x0010;

int TerminalWidth() {
  struct winsize size;
  if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
  return 80;
}

ProgressView::Mode ViewMode(bool quiet) {
  if (quiet) return ProgressView::Mode::Quiet;
  return ::isatty(STDERR_FILENO) ? ProgressView::Mode::Terminal : ProgressView::Mode::Lines;
}

}  // namespace

ConsoleBuild::ConsoleBuild(const CoreEntry& core, std::string project, bool quiet)
    : core_(core),
      project_(std::move(project)),
      view_(stderr, ViewMode(quiet), TerminalWidth()),
      window_([this](uint32_t message, WPARAM, LPARAM lparam) -> LRESULT {
        if (message == WM_CLOSE) {
          closed_ = true;
          return 0;
        }
        return view_.Handle(message, lparam);
      }) {
  core_.set_report([](const char* report, void* user) { static_cast<ProgressView*>(user)->Report(report); },
                   &view_);
}

ConsoleBuild::~ConsoleBuild() { core_.set_report(nullptr, nullptr); }

bool ConsoleBuild::Run(bool timed, const std::function<void()>& built) {
  const auto start = std::chrono::steady_clock::now();
  const int ok = core_.process_project(project_.c_str(), "", window_.Handle(), 0, 0);
  const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  view_.Finish();
  if (built) built();
  OrvBuildCounts counts{};
  core_.last_counts(&counts);
  const std::string time = timed ? " in " + std::to_string(took.count()) + " ms" : std::string();
  if (!view_.Quiet()) std::fprintf(stderr, "%s%s\n", CountsLine(counts).c_str(), time.c_str());
  std::fflush(stderr);
  error_ = ok ? std::string() : std::string(core_.last_error());
  return ok != 0;
}

bool ConsoleBuild::Close() {
  PostMessage(window_.Handle(), WM_CLOSE, 0, 0);
  ProcessMessages();
  return closed_;
}

}  // namespace orv
