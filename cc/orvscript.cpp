// orvscript: runs an ORV script file (.ops) on its own, outside a build.
// What the script writes with WriteLn (and InsertImage, InsertImageEx) goes
// to standard output, one line each; the script's final Result, when it is
// not empty, follows on a line of its own. A compile or run error goes to
// standard error as "FILE:LINE: message" (on one line) with exit status 1.
// A script that shows forms (RunForm) keeps running their events until the
// last of them closes; without a display nobody could close them, so the
// script ends with an error instead.
#include <cstdint>
#include <cstdio>
#include <exception>
#include <string>

#include "cc/command_line.h"
#include "cc/script_reference.h"
#include "core/host/kel_comp.h"
#include "core/host/script_form.h"
#include "core/host/script_error_line.h"
#include "core/site/core_startup.h"
#include "core/site/site_routines.h"
#include "orv/version.h"
#include "platform/display.h"
#include "platform/files.h"
#include "platform/message_service.h"
#include "platform/run_limits.h"
#include "platform/version_info.h"

ORV_DEFINE_VERSION_RECORD("1.0.0.0", "1.0.0.0", "orvscript");

namespace {

// Exit statuses.
constexpr int kScriptFailed = 1;
constexpr int kUsage = 2;

const char* const kHelp =
    "Usage: orvscript [OPTION]... FILE\n"
    "       orvscript --reference\n"
    "Run the ORV script FILE (.ops) on its own, outside a site build.\n"
    "\n"
    "      --timeout SECONDS  end the script with an error once it has run for\n"
    "                         SECONDS seconds (default: no limit)\n"
    "      --memory MIB       end the script with an error once it has made the\n"
    "                         program grow by MIB MiB (default 512; 0: no limit)\n"
    "      --reference        print the reference of every script routine,\n"
    "                         constant and class member (Markdown) and exit\n"
    "  -h, --help             show this help and exit\n"
    "  -V, --version          show the version and exit\n"
    "\n"
    "Lines the script writes with WriteLn go to standard output; the script's\n"
    "Result, when it is not empty, is printed after them. A script that shows\n"
    "a form with RunForm keeps running until the last such form is closed;\n"
    "without a display (DISPLAY and WAYLAND_DISPLAY unset, or QT_QPA_PLATFORM\n"
    "offscreen) its dialogs answer at once as Escape would, their messages go\n"
    "to standard error, and a script that shows a form ends with an error.\n"
    "Outside a build, GetVar and CurFile give empty text and DefVar, BuildFile\n"
    "and DelQueue do nothing. Exit status: 0 when the script ran, 1 when the\n"
    "file is missing or the script failed to compile or run (the message goes to\n"
    "standard error as FILE:LINE: MESSAGE, LINE being the line of the statement\n"
    "that failed),\n"
    "2 when no file was given or an option is unknown or wrong.\n";

void WriteLine(const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
}

void Fail(const std::string& text) {
  std::fflush(stdout);
  std::fprintf(stderr, "%s\n", orv::ConsoleLine(text).c_str());
}

int RunFile(const std::string& file, uint32_t timeout, uint64_t memory) {
  if (!orv::FileExists(file)) {
    Fail("orvscript: File " + file + " not found");
    return kScriptFailed;
  }
  orv::TKelComp comp;
  try {
    comp.TimeLimit = timeout;
    comp.MemoryLimit = memory;
    comp.LoadScriptFromFile(file);
    orv::Variant result = comp.Evaluate();
    std::string text = result.IsEmpty() || result.IsNull() ? std::string() : result.AsString();
    if (!text.empty()) WriteLine(text);
    std::fflush(stdout);
    if (orv::ScriptFormsOpen() && orv::Unattended()) {
      Fail("orvscript: " + file + ": the script shows a form, but there is no display to show it on;"
           " the script ends here");
      return kScriptFailed;
    }
    orv::RunScriptForms();
  } catch (const std::exception& e) {
    const int line = orv::ScriptErrorLine(e, comp);
    Fail(file + (line > 0 ? ":" + std::to_string(line) : std::string()) + ": " + e.what());
    return kScriptFailed;
  }
  return 0;
}

int PrintReference() {
  orv::CoreStartup();
  std::string reference = orv::ScriptReference();
  orv::CoreShutdown();
  std::fwrite(reference.data(), 1, reference.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : kScriptFailed;
}

}  // namespace

int main(int argc, char** argv) {
  orv::CommandLine line;
  int status = 0;
  if (!orv::ParseCommandLine(argc, argv, "orvscript", kHelp, {"--reference", "--memory=", "--timeout="}, Fail, line, status))
    return status;
  if (line.Has("--reference")) {
    if (line.operands.empty()) return PrintReference();
    Fail("orvscript: --reference takes no FILE (try orvscript --help)");
    return kUsage;
  }
  uint32_t timeout = 0;
  if (line.values.count("--timeout") != 0 &&
      !orv::ParseSeconds("orvscript", "--timeout", line.values["--timeout"], Fail, timeout))
    return kUsage;
  uint64_t memory = orv::kDefaultScriptMemory;
  if (line.values.count("--memory") != 0 &&
      !orv::ParseMebibytes("orvscript", "--memory", line.values["--memory"], 0, Fail, memory))
    return kUsage;
  if (line.operands.size() > 1) {
    Fail("orvscript: only one FILE may be given (try orvscript --help)");
    return kUsage;
  }
  if (line.operands.empty()) {
    Fail("orvscript: no script file given (try orvscript --help)");
    return kUsage;
  }
  const std::string& file = line.operands.front();
  // Without a display nobody can answer the script's windows: its dialogs
  // answer at once as Escape would, and its forms cannot be used.
  if (!orv::DisplayAvailable()) orv::SetUnattended(true);
  orv::CoreStartup();
  orv::SetStandaloneOutput(WriteLine);
  status = RunFile(file, timeout, memory);
  orv::SetStandaloneOutput(nullptr);
  orv::CoreShutdown();
  std::fflush(stdout);
  return status;
}
