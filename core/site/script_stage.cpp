#include "core/site/script_stage.h"

#include <exception>
#include <string>

#include "core/script/compiler_error.h"
#include "core/host/kel_comp.h"
#include "core/host/script_error_line.h"
#include "core/script/lexer.h"
#include "core/script/program_image.h"
#include "core/site/core_startup.h"
#include "core/site/markup_scan.h"
#include "core/site/page_inputs.h"
#include "core/site/page_stages.h"
#include "core/site/script_reads.h"
#include "platform/files.h"
#include "platform/run_limits.h"

namespace orv {

namespace {

uint32_t page_script_time_limit = 60;
uint64_t page_script_memory_limit = kDefaultScriptMemory;

// The program a block stands for: a block that begins like a program (a
// header, a declaration, "begin" or "end") as written; one that begins with
// a statement, or holds nothing, as the main block "begin ... end.". The
// "begin " goes on the first line, so error lines stay those of the block.
std::string BlockProgram(const std::string& code) {
  int32_t first = tkEnd;
  try {
    TLexer lexer(code);
    TToken token;
    lexer.GetToken(token);
    first = token.Kind;
  } catch (const ECompilerError&) {
    return code;  // the compiler reports the error
  }
  switch (first) {
    case kwProgram: case kwUnit: case kwUses: case kwInterface: case kwImplementation:
    case kwLabel: case kwVar: case kwType: case kwProcedure: case kwFunction:
    case kwBegin: case kwEnd:
      return code;
    default:
      return "begin " + code + "\r\nend.";
  }
}

// "path:line" of a script error of the block that stands at `at` of the
// page text: the line of the block's "<+" in its file plus the error's line
// within the block, less one. A compile error carries its line; a run error
// is at the line of the instruction that failed. A block that a markup
// brought in (a variable's value, a script's output) is placed at that
// markup's line.
std::string ScriptErrorPlace(const TParseStruct& context, size_t at, const std::exception& error,
                             const TKelComp& comp) {
  const SourcePlace place = context.Page.Origins.Locate(at).front();
  const int script_line = ScriptErrorLine(error, comp);
  return PlaceText(place.Path, place.Written && script_line > 0 ? place.Line + script_line - 1 : place.Line);
}

// Runs one block, which stands at `at` of the page text, in a fresh
// component, its output kept within `room` bytes (build.ScriptOutput). A
// block that does not keep to the build (script_reads.h) runs once the
// build has made way for outside code.
void RunBlock(TParseStruct& context, const std::string& code, size_t at, size_t room) {
  CoreStartupOnUse();
  BuildState& build = context.Build;
  build.ScriptOutput.Start(room);
  TKelComp comp;
  comp.SetScriptText(BlockProgram(code));
  if (build.CacheScripts) comp.Cache = &build.ScriptCache();
  comp.TimeLimit = page_script_time_limit;
  comp.MemoryLimit = page_script_memory_limit;
  context.ScriptHost = &comp;
  try {
    comp.Prepare();
    comp.Compile();
    if (!KeepsToTheBuild(comp.Machine()->Program())) build.OutsideCodeRuns();
    comp.Run();
  } catch (const std::exception& e) {
    context.ScriptHost = nullptr;
    throw ECompilerError(ScriptErrorPlace(context, at, e, comp) + ": " + e.what());
  }
  context.ScriptHost = nullptr;
  if (build.Inputs && (!comp.Machine() || !ReadsAreRecorded(comp.Machine()->Program())))
    build.Inputs->MakeVolatile();
}

}  // namespace

uint32_t PageScriptTimeLimit() { return page_script_time_limit; }
void SetPageScriptTimeLimit(uint32_t seconds) { page_script_time_limit = seconds; }
uint64_t PageScriptMemoryLimit() { return page_script_memory_limit; }
void SetPageScriptMemoryLimit(uint64_t bytes) { page_script_memory_limit = bytes; }

void ScriptStage(TParseStruct& context) {
  TPageState& page = context.Page;
  page.Rescan = false;
  const std::string& text = page.Text;
  std::string result;
  size_t done = 0;  // text before this index is in `result`
  for (;;) {
    size_t open = FindDelimiter(text, "<+", done);
    if (open == std::string::npos) break;
    size_t close = FindDelimiter(text, "+>", open + 2);
    if (close == std::string::npos) {
      ReportUnclosed(context, result.size() + (open - done), "<+", "+>",
                     "it and the script after it are published as text");
      break;
    }
    page.Rescan = true;
    result.append(text, done, open - done);
    done = open;
    // `result` and the text from `open` on are the page as the blocks
    // before this one left it.
    const size_t at = result.size();
    page.Origins.BeginMarkup(at);  // where the block's routines report from
    // The page around the block is within the bound; the output may take
    // what is left.
    const size_t around = result.size() + (text.size() - close - 2);
    const size_t max_bytes = context.Build.Limits.MaxPageBytes;
    RunBlock(context, text.substr(open + 2, close - open - 2), at, max_bytes > around ? max_bytes - around : 0);
    std::string output = context.Build.ScriptOutput.Take();
    if (context.Build.ScriptOutput.TooLarge()) {
      page.Origins.Replace(at, 0, std::string_view(kPageTooLargeComment).size());
      result += kPageTooLargeComment;
      ReportPageTooLarge(context, at);
      page.LimitReached = true;
      break;
    }
    page.Origins.Replace(at, close + 2 - open, output.size());
    result += output;
    done = close + 2;
  }
  if (!page.Rescan) return;
  result.append(text, done, std::string::npos);
  page.Origins.Normalize(result);
  page.Text = std::move(result);
}

}  // namespace orv
