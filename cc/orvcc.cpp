// orvcc: builds the ORV project named on the command line, showing the
// build's progress on standard error, or in a small window with --window
// (liborvccwindow.so, opened only then, so a console build never loads Qt).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "cc/command_line.h"
#include "cc/console_build.h"
#include "cc/core_binding.h"
#include "cc/new_project.h"
#include "cc/watch_mode.h"
#include "orv/core.h"
#include "orv/version.h"
#include "platform/display.h"
#include "platform/library.h"
#include "platform/message_service.h"
#include "platform/project_folders.h"
#include "platform/version_info.h"
#include "platform/window.h"
#include "orvsys/publish/console_publish.h"

ORV_DEFINE_VERSION_RECORD("1.0.0.0", "1.0.0.0", "orvcc");

namespace {

// Exit statuses.
constexpr int kBuildFailed = 1;
constexpr int kUsage = 2;
constexpr int kCoreMissing = 3;

const char* const kHelp =
    "Usage: orvcc [OPTION]... PROJECT-FILE\n"
    "  or:  orvcc --watch|--serve[=PORT] [OPTION]... PROJECT-FILE\n"
    "  or:  orvcc --new FOLDER\n"
    "Build the ORV project PROJECT-FILE (.orv): every source file it lists is\n"
    "expanded and written as a page into the project's output folder.\n"
    "With --watch, build again each time a file the build read changes, until\n"
    "Ctrl-C; --serve also shows the output folder at http://127.0.0.1:PORT/\n"
    "(default 8080; 0: any free port), where open pages reload after each build.\n"
    "With --new, write a small starter project into FOLDER (which must be new\n"
    "or empty): FOLDER/site.orv, pages in FOLDER/src/, a style sheet in\n"
    "FOLDER/static/.\n"
    "\n"
    "  -q, --quiet    show no progress, only errors\n"
    "      --all      build every page; without it only the pages whose inputs\n"
    "                 changed since the last build are built again\n"
    "      --console  show progress on standard error (the default)\n"
    "      --watch    after the build, build again whenever a file it depends on\n"
    "                 changes (with its warnings and counts each time)\n"
    "      --serve[=PORT]\n"
    "                 --watch, and serve the output folder over HTTP on PORT\n"
    "      --bind ADDRESS\n"
    "                 the address --serve listens on (default 127.0.0.1, this\n"
    "                 computer only; 0.0.0.0 for every network)\n"
    "      --window   show progress in a window; errors appear in message boxes\n"
    "                 (without a display the build runs as on the console)\n"
    "      --command-timeout SECONDS\n"
    "                 end an external command <*...*> and its process group\n"
    "                 when it runs longer than SECONDS (default 60; 0: no\n"
    "                 limit); the page gets the command's error comment\n"
    "      --max-page-size MIB\n"
    "                 the size in MiB a page may grow to while it is expanded\n"
    "                 (default 64); beyond it expansion stops with an error\n"
    "                 comment in the page\n"
    "      --script-memory MIB\n"
    "                 end the build with an error when a page script makes the\n"
    "                 program grow by more than MIB MiB (default 512; 0: no\n"
    "                 limit)\n"
    "      --script-timeout SECONDS\n"
    "                 end the build with an error when a page script runs longer\n"
    "                 than SECONDS seconds (default 60; 0: no limit)\n"
    "      --strict   end with status 1 when the build gave any warning (after\n"
    "                 building every page, which stay as without --strict)\n"
    "      --publish SITE\n"
    "                 after the build, send what changed in the output folder\n"
    "                 to SITE (a site of sites.ini in the data folder)\n"
    "      --publish-dry-run SITE\n"
    "                 after the build, list what --publish SITE would send and\n"
    "                 delete, and send nothing\n"
    "  -h, --help     show this help and exit\n"
    "  -V, --version  show the version and exit\n"
    "\n"
    "Progress is one status line on a terminal and one line per page otherwise.\n"
    "Warnings go to standard error as FILE:LINE: warning: MESSAGE: markup that\n"
    "left an error comment in a page (unknown variable, include not found or\n"
    "not of an included kind, image not found or not measurable, a command\n"
    "that failed), a listed page that does not exist, and what the project\n"
    "file holds that is never read. They change neither the pages nor, without\n"
    "--strict, the exit status.\n"
    "Exit status: 0 when the build is over, 1 when an error ended it (with\n"
    "--strict: or it gave warnings), a page could not be written, the project\n"
    "file cannot be read or publishing failed, 2 when not exactly one project\n"
    "was given or an option is unknown or wrong, 3 when liborvcore.so (or, to\n"
    "publish, liborvpublish.so; to serve, liborvserve.so) or its entry point\n"
    "cannot be found. --watch and --serve end with status 0 on Ctrl-C, 1 when\n"
    "the files cannot be watched or the port cannot be listened on.\n";

void Fail(const std::string& text) { orv::ShowMessage(orv::MessageKind::Error, "", text); }

// Why the project file cannot be read, or "" when it can.
std::string ProjectFileProblem(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    int err = errno;
    if (err == ENOENT || err == ENOTDIR) return "orvcc: project file not found: " + path;
    return "orvcc: project file cannot be read: " + path + " (" + std::strerror(err) + ")";
  }
  struct stat st;
  bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  char byte;
  bool readable = regular && ::read(fd, &byte, 1) >= 0;
  int err = errno;
  ::close(fd);
  if (!regular) return "orvcc: project file cannot be read: " + path + " (not a regular file)";
  if (!readable) return "orvcc: project file cannot be read: " + path + " (" + std::strerror(err) + ")";
  return std::string();
}

// The limits given on the command line, by the core's limit names; false
// when a value is wrong (already reported).
bool ReadLimits(orv::CommandLine& line, std::vector<std::pair<std::string, long long>>& limits) {
  for (auto [option, name] : {std::pair{"--command-timeout", "command-timeout"},
                              std::pair{"--script-timeout", "script-timeout"}}) {
    if (line.values.count(option) == 0) continue;
    uint32_t seconds = 0;
    if (!orv::ParseSeconds("orvcc", option, line.values[option], Fail, seconds)) return false;
    limits.emplace_back(name, seconds);
  }
  for (auto [option, name, min] : {std::tuple{"--max-page-size", "max-page-bytes", 1u},
                                   std::tuple{"--script-memory", "script-memory-bytes", 0u}}) {
    if (line.values.count(option) == 0) continue;
    uint64_t bytes = 0;
    if (!orv::ParseMebibytes("orvcc", option, line.values[option], min, Fail, bytes)) return false;
    limits.emplace_back(name, static_cast<long long>(bytes));
  }
  return true;
}

// The options of --watch and --serve; false when one is wrong (already
// reported).
bool ReadWatchOptions(const orv::CommandLine& line, orv::WatchOptions& watch) {
  watch.Serve = line.Has("--serve");
  watch.Quiet = line.Has("-q") || line.Has("--quiet");
  if (line.Has("--bind") && !watch.Serve) {
    Fail("orvcc: --bind is for --serve (try orvcc --help)");
    return false;
  }
  if (line.Has("--bind")) watch.Address = line.values.at("--bind");
  if (line.values.count("--serve")) {
    const std::string& port = line.values.at("--serve");
    uint32_t value = 0;
    bool number = !port.empty() && port.size() <= 5 && port.find_first_not_of("0123456789") == std::string::npos;
    if (number) value = static_cast<uint32_t>(std::stoul(port));
    if (!number || value > 65535) {
      Fail("orvcc: --serve needs a port from 0 to 65535, not '" + port + "'");
      return false;
    }
    watch.Port = static_cast<int>(value);
  }
  return true;
}

// orvcc --new FOLDER: writes the starter project and says how to build it.
int NewProject(const orv::CommandLine& line) {
  if (!line.operands.empty()) {
    Fail("orvcc: --new takes a folder and no project file (try orvcc --help)");
    return kUsage;
  }
  const std::string& folder = line.values.at("--new");
  const std::string error = orv::CreateStarterProject(folder);
  if (!error.empty()) {
    Fail(error);
    return kBuildFailed;
  }
  const std::string project = (folder.back() == '/' ? folder : folder + "/") + "site.orv";
  std::printf("Created a new ORV project in %s\nBuild it with:  orvcc %s\n", folder.c_str(), project.c_str());
  return 0;
}

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

// Publishes the project's output folder after the build: --publish SITE,
// or --publish-dry-run SITE to list what would be done.
int Publish(orv::CommandLine& line, const std::string& project, bool quiet) {
  const bool dry_run = line.Has("--publish-dry-run");
  const std::string site = line.values[dry_run ? "--publish-dry-run" : "--publish"];
  std::string error;
  void* library = orv::LoadLibrary("liborvpublish.so", error);
  auto publish = reinterpret_cast<OrvPublishConsoleProc>(
      library ? orv::GetProcAddress(library, "orv_publish_console", error) : nullptr);
  if (!publish) {
    Fail("orvcc: cannot publish: " + error);
    return kCoreMissing;
  }
  return publish(site.c_str(), orv::ProjectOutputFolder(project).c_str(), dry_run, quiet) == 0 ? 0 : kBuildFailed;
}

}  // namespace

int main(int argc, char** argv) {
  orv::CommandLine line;
  int status = 0;
  if (!orv::ParseCommandLine(argc, argv, "orvcc", kHelp,
                             {"-q", "--quiet", "--all", "--console", "--window", "--strict", "--command-timeout=",
                              "--max-page-size=", "--script-memory=", "--script-timeout=", "--new=",
                              "--publish=", "--publish-dry-run=", "--watch", "--serve=?", "--bind="},
                             Fail, line, status))
    return status;
  if (line.values.count("--new") != 0) return NewProject(line);
  std::vector<std::pair<std::string, long long>> limits;
  if (!ReadLimits(line, limits)) return kUsage;
  if (line.Has("--strict")) limits.emplace_back("strict", 1);
  if (line.Has("--all")) limits.emplace_back("incremental", 0);
  bool quiet = line.Has("-q") || line.Has("--quiet");
  if (line.operands.size() > 1) {
    Fail("orvcc: only one PROJECT-FILE may be given, not " + std::to_string(line.operands.size()) +
         " (try orvcc --help)");
    return kUsage;
  }
  const bool publish = line.Has("--publish") || line.Has("--publish-dry-run");
  if (publish && line.Has("--window")) {
    Fail("orvcc: --publish and --publish-dry-run build without a window; leave out --window");
    return kUsage;
  }
  orv::WatchOptions watch;
  if (!ReadWatchOptions(line, watch)) return kUsage;
  const bool watching = line.Has("--watch") || line.Has("--serve");
  if (watching && (line.Has("--window") || publish)) {
    Fail("orvcc: --watch and --serve build on the console and publish nothing; leave out --window and --publish");
    return kUsage;
  }
  bool use_window = line.Has("--window");
  if (use_window && !orv::DisplayAvailable()) {
    // Nobody could see the window, nor answer its error box: build as the
    // console does.
    if (!quiet) Fail("orvcc: no display to show the window on: building as on the console");
    use_window = false;
  }
  if (use_window) {
    // The window opens the same core, so limits set here hold for its build;
    // a core that cannot be loaded is reported by the window itself.
    orv::CoreEntry core;
    std::string ignored;
    if (!limits.empty() && orv::LoadCore(core, ignored))
      for (const auto& [name, value] : limits) core.set_limit(name.c_str(), value);
    return RunWindow(line.operands.empty() ? nullptr : line.operands.front().c_str());
  }
  if (line.operands.empty()) {
    orv::Beep();
    Fail("No project specified");
    return kUsage;
  }
  const std::string& project = line.operands.front();
  // A console build waits for nobody: what page scripts show goes to
  // standard error, and their dialogs answer as Escape would.
  orv::SetUnattended(true);

  orv::CoreEntry core;
  std::string error;
  if (!orv::LoadCore(core, error)) {
    Fail("orvcc: " + error);
    return kCoreMissing;
  }
  for (const auto& [name, value] : limits) core.set_limit(name.c_str(), value);
  std::string problem = ProjectFileProblem(project);
  if (!problem.empty()) {
    Fail(problem);
    return kBuildFailed;
  }

  if (watching) return orv::RunWatch(core, project, watch);
  orv::ConsoleBuild build(core, project, quiet);
  if (!build.Run()) {
    Fail(build.Error());
    return kBuildFailed;
  }
  if (!build.Close()) return kBuildFailed;
  return publish ? Publish(line, project, quiet) : 0;
}
