#include "core/site/script_stage.h"

#include <exception>
#include <string>

#include "core/script/compiler_error.h"
#include "core/host/kel_comp.h"
#include "core/script/lexer.h"
#include "core/site/markup_scan.h"
#include "platform/files.h"

namespace orv {

namespace {

uint32_t page_script_time_limit = 60;

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

// Runs one block in a fresh component and returns its output lines joined.
std::string RunBlock(TParseStruct& context, const std::string& code) {
  BuildState& build = context.Build;
  build.ScriptOutput.clear();
  TKelComp comp;
  comp.SetScriptText(BlockProgram(code));
  if (build.CacheScripts) comp.Cache = &build.ScriptCache();
  comp.TimeLimit = page_script_time_limit;
  context.ScriptHost = &comp;
  try {
    comp.Evaluate();
  } catch (const std::exception& e) {
    context.ScriptHost = nullptr;
    throw ECompilerError(build.CurrentFile + ": " + e.what());
  }
  context.ScriptHost = nullptr;
  std::string output = JoinLines(build.ScriptOutput);
  build.ScriptOutput.clear();
  return output;
}

}  // namespace

uint32_t PageScriptTimeLimit() { return page_script_time_limit; }
void SetPageScriptTimeLimit(uint32_t seconds) { page_script_time_limit = seconds; }

void ScriptStage(TParseStruct& context) {
  TPageState& page = context.Page;
  page.Rescan = false;
  const std::string& text = page.Text;
  std::string result;
  size_t done = 0;  // text before this index is in `result`
  for (;;) {
    size_t open = text.find("<+", done);
    if (open == std::string::npos) break;
    size_t close = text.find("+>", open + 2);
    if (close == std::string::npos) break;
    page.Rescan = true;
    result.append(text, done, open - done);
    done = open;
    std::string output = RunBlock(context, text.substr(open + 2, close - open - 2));
    if (result.size() + output.size() + (text.size() - close - 2) > context.Build.Limits.MaxPageBytes) {
      result += kPageTooLargeComment;
      page.LimitReached = true;
      break;
    }
    result += output;
    done = close + 2;
  }
  if (!page.Rescan) return;
  result.append(text, done, std::string::npos);
  NormalizeLineText(result);
  page.Text = std::move(result);
}

}  // namespace orv
