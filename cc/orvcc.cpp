// orvcc: builds the ORV project named on the command line, showing the
// build's progress on standard error.
#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "cc/command_line.h"
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
    "      --script-timeout SECONDS\n"
    "                 end the build with an error when a page script runs longer\n"
    "                 than SECONDS seconds (default 60; 0: no limit)\n"
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

}  // namespace

int main(int argc, char** argv) {
  orv::CommandLine line;
  int status = 0;
  if (!orv::ParseCommandLine(argc, argv, "orvcc", kHelp, {"-q", "--quiet", "--console", "--script-timeout="}, Fail,
                             line, status))
    return status;
  uint32_t script_timeout = 60;
  if (line.values.count("--script-timeout") != 0 &&
      !orv::ParseSeconds("orvcc", "--script-timeout", line.values["--script-timeout"], Fail, script_timeout))
    return kUsage;
  bool quiet = line.Has("-q") || line.Has("--quiet");
  if (line.operands.empty()) {
    orv::Beep();
    Fail("No project specified");
    return kUsage;
  }
  const std::string& project = line.operands.front();

  std::string error;
  void* core = orv::LoadLibrary("liborvcore.so", error);
  if (!core) {
    Fail("orvcc: cannot load liborvcore.so: " + error);
    return kCoreMissing;
  }
  auto process_project = reinterpret_cast<ProcessProjectProc>(orv::GetProcAddress(core, "ProcessProject", error));
  auto last_error = reinterpret_cast<const char* (*)()>(
      process_project ? orv::GetProcAddress(core, "orv_core_last_error", error) : nullptr);
  auto set_script_timeout = reinterpret_cast<void (*)(int32_t)>(
      last_error ? orv::GetProcAddress(core, "orv_set_script_timeout", error) : nullptr);
  if (!process_project || !last_error || !set_script_timeout) {
    Fail("orvcc: liborvcore.so cannot be used: " + error);
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

  set_script_timeout(static_cast<int32_t>(script_timeout));
  int ok = process_project(project.c_str(), "", window.Handle(), 0, 0);
  view.Finish();
  if (!ok) {
    Fail(last_error());
    return kBuildFailed;
  }
  orv::PostMessage(window.Handle(), WM_CLOSE, 0, 0);
  orv::ProcessMessages();
  return closed ? 0 : kBuildFailed;
}
