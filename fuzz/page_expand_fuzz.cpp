// Page expansion: the input is "name=value" lines (project variables), an
// empty line, then a page. The page is expanded by the define, variable and
// include stages (scripts and external programs are off) and must always end, within the
// size bound, with the fast scan loop agreeing with the literal one. Every
// warning the expansion reports names a line of the page (markup that the
// expansion brought in is reported at the line that brought it).
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/site/build_report.h"
#include "core/site/markup_scan.h"
#include "core/site/markup_scan_reference.h"
#include "core/site/parse_struct.h"
#include "core/site/process_page.h"
#include "platform/files.h"

constexpr size_t kPageBound = 64 << 10;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  size_t split = input.find("\n\n");
  std::string vars = split == std::string::npos ? std::string() : input.substr(0, split);
  std::string page = split == std::string::npos ? input : input.substr(split + 2);

  // One build serves every input (its set-up, the data folders among it, is
  // done once); what an input may change is reset before it runs. A small
  // page bound keeps inputs that grow to it quick, so the fuzzer tries many.
  static orv::BuildState& build = *[] {
    auto* state = new orv::BuildState;
    state->Limits.MaxPassDepth = 8;
    state->Limits.MaxPageBytes = kPageBound;
    state->Context.Settings.UseScripts = false;
    state->Context.Settings.UseExtApps = false;
    state->Context.Settings.SourceDir = "/nonexistent-orv-fuzz";
    return state;
  }();
  build.UserVars.Clear();
  build.Context.Defines.Clear();
  for (const std::string& line : orv::SplitLines(vars)) {
    size_t eq = line.find('=');
    if (eq != std::string::npos) build.UserVars.Add(line.substr(0, eq), line.substr(eq + 1));
  }
  orv::TParseStruct& context = build.Context;
  const std::string text = orv::JoinLines(orv::SplitLines(page));
  static long long page_lines = 0;
  page_lines = static_cast<long long>(orv::SplitLines(text).size());
  orv::SetReportSink(
      [](const char* line, void*) {
        // "fuzz.hts:N: ..." with 1 <= N <= the page's lines + 1 (the end),
        // or the page-wide "fuzz.hts: note: ...".
        if (std::string_view(line).substr(0, 9) != "fuzz.hts:") __builtin_trap();
        if (line[9] == ' ') return;
        long long n = std::strtoll(line + 9, nullptr, 10);
        if (n < 1 || n > page_lines + 1) __builtin_trap();
      },
      nullptr);
  context.Page.Start(text, "fuzz.hts");
  build.Report.StartPage();
  orv::ProcessPage(context);
  if (context.Page.Text.size() > kPageBound + 4096) __builtin_trap();

  if (page.size() < 4096) {
    auto lookup = [](const std::string& name) {
      const orv::TUserSetting* var = build.UserVars.Find(name);
      return var ? var->Value : "<!-- ERROR: " + name + " -->";
    };
    std::string fast = page, literal = page;
    if (!orv::ScanMarkup(fast, "<%", "%>", lookup, 1u << 16).size_limited) {
      orv::LiteralScanMarkup(literal, "<%", "%>", lookup);
      if (fast != literal) __builtin_trap();
    }
  }
  return 0;
}
