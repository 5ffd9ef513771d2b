#include "core/host/script_error_line.h"

#include "core/script/compiler_error.h"
#include "core/script/runner.h"

namespace orv {

int ScriptErrorLine(const std::exception& error, const TKelComp& comp) {
  if (const TBinProg* machine = comp.Machine()) return FailedLine(*machine);
  if (const auto* compile_error = dynamic_cast<const ECompilerError*>(&error)) return compile_error->Line();
  return 0;
}

}  // namespace orv
