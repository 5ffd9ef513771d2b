#include "core/site/build_read_trace.h"

#include "core/site/page_inputs.h"
#include "core/site/parse_struct.h"

namespace orv {

void BuildReadTrace::FileToRead(const std::string& path) { build_.Writer.SettleScriptRead(path); }

void BuildReadTrace::FileRead(const std::string& path, const FileStamp& stamp, std::string_view bytes) {
  if (build_.Inputs) build_.Inputs->FileRead(path, stamp, bytes);
}

void BuildReadTrace::FileLooked(const std::string& path) {
  if (build_.Inputs) build_.Inputs->FileLooked(path);
}

}  // namespace orv
