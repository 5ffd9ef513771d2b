// orvcc: builds the ORV project named on the command line, showing the
// build's progress on standard error, or in a small window with --window
// (liborvccwindow.so, opened only then, so a console build never loads Qt).
#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "cc/command_line.h"
#include "cc/core_binding.h"
#include "cc/progress_view.h"
#include "orv/core.h"
#include "orv/version.h"
#include "platform/library.h"
#include "platform/message_service.h"
#include "platform/version_info.h"
#include "platform/window.h"

ORV_DEFINE_VERSION_RECORD("1.0.0.0", "1.0.0.0", "orvcc");

namespace {

// Exit statuses.
constexpr int kBuildFailed = 1;
constexpr int kUsage = 2;
constexpr int kCoreMissing = 3;

// The close request orvcc posts to its own window once the build returned.
constexpr uint32_t WM_CLOSE = 0x0010;

const char* const kHelp =
    "Usage: orvcc [OPTION]... PROJECT-FILE\n"
    "Build the ORV project PROJECT-FILE (.orv): every source file it lists is\n"
    "expanded and written as a page into the project's output folder.\n"
    "\n"
    "  -q, --quiet    show no progress, only errors\n"
    "      --console  show progress on standard error (the default)\n"
    "      --window   show progress in a window; errors appear in message boxes\n"
    "  -h, --help     show this help and exit\n"
    "  -V, --version  show the version and exit\n"
    "\n"
    "Progress is one status line on a terminal and one line per page otherwise.\n"
    "Only the first PROJECT-FILE is built. Exit status: 0 when the build is over,\n"
    "1 when an error ended it, 2 when no project was given or an option is\n"
    "unknown, 3 when liborvcore.so or its entry point cannot be found.\n";

int TerminalWidth() {
  struct winsize size;
  if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
  return 80;
}

void Fail(const std::string& text) { orv::ShowMessage(orv::MessageKind::Error, "", text); }

// Runs the build in orvcc's window; `project` is null when none was given.
int RunWindow(const char* project) {
  std::string error;
  void* window = orv::LoadLibrary("liborvccwindow.so", error);
  auto run = reinterpret_cast<int (*)(const char*)>(
      window ? orv::GetProcAddress(window, "orvcc_window_main", error) : nullptr);
  if (!run) {
    Fail("orvcc: cannot show the window: " + error);
    return kCoreMissing;
  }
  return run(project);
}

}  // namespace

int main(int argc, char** argv) {
  orv::CommandLine line;
  int status = 0;
  if (!orv::ParseCommandLine(argc, argv, "orvcc", kHelp, {"-q", "--quiet", "--console", "--window"}, Fail, line,
                             status))
    return status;
  bool quiet = line.Has("-q") || line.Has("--quiet");
  if (line.Has("--window")) return RunWindow(line.operands.empty() ? nullptr : line.operands.front().c_str());
  if (line.operands.empty()) {
    orv::Beep();
    Fail("No project specified");
    return kUsage;
  }
  const std::string& project = line.operands.front();

  orv::CoreEntry core;
  std::string error;
  if (!orv::LoadCore(core, error)) {
    Fail("orvcc: " + error);
    return kCoreMissing;
  }

  using Mode = orv::ProgressView::Mode;
  Mode mode = quiet ? Mode::Quiet : ::isatty(STDERR_FILENO) ? Mode::Terminal : Mode::Lines;
  orv::ProgressView view(stderr, mode, TerminalWidth());
  bool closed = false;
  orv::Window window([&](uint32_t message, WPARAM, LPARAM lparam) -> LRESULT {
    if (message == WM_CLOSE) {
      closed = true;
      return 0;
    }
    return view.Handle(message, lparam);
  });

  int ok = core.process_project(project.c_str(), "", window.Handle(), 0, 0);
  view.Finish();
  if (!ok) {
    Fail(core.last_error());
    return kBuildFailed;
  }
  orv::PostMessage(window.Handle(), WM_CLOSE, 0, 0);
  orv::ProcessMessages();
  return closed ? 0 : kBuildFailed;
}
