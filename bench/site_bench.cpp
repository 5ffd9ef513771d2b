// Site compiler throughput: whole builds of generated sites (pages per second
// and peak memory for 1,000 and 10,000 pages), sites whose pages hold a
// script block, built with and without the compile cache, and the expansion
// of one 1 MB page holding 10,000 variable references by the scan loop, next
// to the literal in-place loop it replaces, and as a whole build with its
// 10,000 project variables; and the define stage of a large page with
// thousands of defines, next to the literal stage that replaces every
// define in turn.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "core/site/build_driver.h"
#include "core/site/core_startup.h"
#include "core/site/parse_struct.h"
#include "core/site/markup_scan.h"
#include "core/site/markup_scan_reference.h"
#include "core/site/page_passes_reference.h"
#include "core/site/process_page.h"
#include "platform/files.h"
#include "platform/folders.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

long PeakMemoryKb() {
  struct rusage usage;
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// A page of a few KB: 20 variable references, 3 includes and a define.
std::string GeneratedPage(int index) {
  std::string page = "{$DEFINE type=\"RELEASE\" value=\"2.1\"}\n<&header.hsn&>\n";
  for (int v = 0; v < 20; ++v) {
    page += "<p>Paragraph " + std::to_string(v) + " of page " + std::to_string(index) +
            " names <%Var" + std::to_string(v) + "%> in release RELEASE.";
    page += " Some ordinary text follows so that the page has the size of a real one, with markup "
            "characters such as < and % and & that are not directives.</p>\n";
  }
  page += "<&nav.htm&>\n<&footer.hsn&>\n";
  return page;
}

// The script block of a scripted page: a loop writing a small table, a
// GetVar and an InsertImage.
const char kScriptBlock[] =
    "<+\n"
    "var I: Integer;\n"
    "begin\n"
    "  WriteLn('<table summary=\"' + GetVar('Var3') + '\">');\n"
    "  for I := 1 to 5 do\n"
    "    WriteLn('<tr><td>' + IntToStr(I) + '</td><td>' + IntToStr(I * I) + '</td></tr>');\n"
    "  WriteLn('</table>');\n"
    "  InsertImage('dot.gif', 1, 'class=\"dot\"');\n"
    "end.\n"
    "+>\n";

// A 1 x 1 GIF image.
const char kDotGif[] =
    "GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\xff\xff\x00\x00\x00,\x00\x00\x00\x00\x01\x00\x01\x00\x00"
    "\x02\x02D\x01\x00;";

// Builds a generated site; `scripted` pages carry kScriptBlock. Returns
// the pages per second.
double BuildSite(int pages, bool scripted = false, const char* label = "") {
  std::string dir = orv::TempDir() + "orv-site-bench-" + std::to_string(pages) + "/";
  fs::remove_all(dir);
  fs::create_directories(dir + "src/sub");
  std::string project = "[directories]\nsrc=src\nout=out\nimg=img\n[variables]\n";
  for (int v = 0; v < 20; ++v) project += "Var" + std::to_string(v) + "=value number " + std::to_string(v) + "\n";
  project += "[files]\n";
  for (int i = 0; i < pages; ++i) {
    std::string name = (i % 2 ? "src/sub/page" : "src/page") + std::to_string(i) + ".hts";
    orv::WriteFileBytes(dir + name, scripted ? GeneratedPage(i) + kScriptBlock : GeneratedPage(i));
    project += std::to_string(i) + "=" + name + "\n";
  }
  orv::WriteFileBytes(dir + "p.orv", project);
  fs::create_directories(dir + "img");
  orv::WriteFileBytes(dir + "img/dot.gif", std::string(kDotGif, sizeof kDotGif - 1));
  orv::WriteFileBytes(dir + "src/header.hsn", "<html><head><title><%Var0%></title></head><body>\n");
  orv::WriteFileBytes(dir + "src/nav.htm", "<nav><a href=\"index.html\">Home</a> <%Var1%></nav>\n");
  orv::WriteFileBytes(dir + "src/footer.hsn", "<footer><%Var2%></footer></body></html>\n");

  auto start = Clock::now();
  orv::ProcessProject(dir + "p.orv", "", nullptr, false);
  double seconds = Seconds(start);
  std::printf("site of %5d pages%s: %8.0f pages/s (%.2f s), peak memory %ld KB\n", pages, label,
              pages / seconds, seconds, PeakMemoryKb());
  fs::remove_all(dir);
  return pages / seconds;
}

void BuildScriptedSites(int pages) {
  orv::SetScriptCacheDefault(true);
  double cached = BuildSite(pages, true, " with a script block, compile cache");
  orv::SetScriptCacheDefault(false);
  double uncached = BuildSite(pages, true, " with a script block, no cache     ");
  orv::SetScriptCacheDefault(true);
  std::printf("compile cache: %.2fx the pages per second\n", cached / uncached);
}

// A page of 1 MB holding references to 10,000 different variables.
std::string LargePage() {
  std::string page;
  for (int i = 0; page.size() < (1u << 20); ++i)
    page += "text before a reference <%V" + std::to_string(i % 10000) + "%> and " +
            std::string(i % 50, 'x') + " after it\r\n";
  return page;
}

// The large page built as a project with its 10,000 project variables.
void BuildLargePage() {
  std::string dir = orv::TempDir() + "orv-site-bench-large/";
  fs::remove_all(dir);
  fs::create_directories(dir + "src");
  std::string project = "[directories]\nsrc=src\nout=out\n[variables]\n";
  for (int v = 0; v < 10000; ++v) project += "V" + std::to_string(v) + "=value of V" + std::to_string(v) + "\n";
  orv::WriteFileBytes(dir + "p.orv", project + "[files]\n0=src/large.hts\n");
  orv::WriteFileBytes(dir + "src/large.hts", LargePage());
  auto start = Clock::now();
  orv::ProcessProject(dir + "p.orv", "", nullptr, false);
  std::printf("1 MB page with 10,000 project variables, whole build: %.4f s\n", Seconds(start));
  fs::remove_all(dir);
}

void ExpandLargePage() {
  const std::string page = LargePage();
  auto lookup = [](const std::string& name) { return "value of " + name; };

  std::string fast = page;
  auto start = Clock::now();
  orv::ScanMarkup(fast, "<%", "%>", lookup, 1u << 30);
  double fast_seconds = Seconds(start);

  std::string literal = page;
  start = Clock::now();
  orv::LiteralScanMarkup(literal, "<%", "%>", lookup);
  double literal_seconds = Seconds(start);

  std::printf("1 MB page, %zu bytes out: scan loop %.4f s, literal in-place loop %.4f s (%s)\n",
              fast.size(), fast_seconds, literal_seconds, fast == literal ? "same page" : "PAGES DIFFER");
}

// `defines` define lines, then text of `bytes` that uses every hundredth
// define's name.
std::string DefineHeavyPage(int defines, size_t bytes) {
  std::string page;
  for (int d = 0; d < defines; ++d)
    page += "{$DEFINE type=\"NAME_" + std::to_string(d) + "_X\" value=\"value " + std::to_string(d) + "\"}\r\n";
  for (int i = 0; page.size() < bytes; ++i)
    page += "Ordinary text of the page, line " + std::to_string(i) + ", naming NAME_" +
            std::to_string((i % (defines / 100 + 1)) * 100) + "_X once.\r\n";
  return page;
}

// The define stage of one pass over the page, with the other stages off;
// with `literal`, the literal stage instead (every define over the page).
void ExpandDefineHeavyPage(int defines, size_t bytes, bool literal) {
  const std::string page = DefineHeavyPage(defines, bytes);
  orv::BuildState build;
  orv::TProjectSettings& settings = build.Context.Settings;
  settings.UseScripts = settings.UseVars = settings.UseIncludes = settings.UseExtApps = false;
  auto start = Clock::now();
  size_t out = 0;
  if (literal) {
    orv::ReferencePasses reference(settings, 64, [](char, const std::string& content) { return content; });
    reference.Run(orv::SplitLines(page));
    out = orv::JoinLines(reference.Page).size();
  } else {
    build.Context.Page.Start(page);
    orv::ProcessPage(build.Context);
    out = build.Context.Page.Text.size();
  }
  std::printf("%d defines, %zu MB page (%zu bytes out): %s define stage %.3f s\n", defines, bytes >> 20, out,
              literal ? "literal" : "one-scan", Seconds(start));
}

}  // namespace

int main() {
  orv::CoreStartup();
  BuildSite(1000);
  BuildSite(10000);
  BuildScriptedSites(1000);
  BuildScriptedSites(10000);
  ExpandLargePage();
  BuildLargePage();
  ExpandDefineHeavyPage(4000, 4u << 20, false);
  ExpandDefineHeavyPage(4000, 1u << 20, false);
  ExpandDefineHeavyPage(4000, 1u << 20, true);
  orv::CoreShutdown();
  return 0;
}
