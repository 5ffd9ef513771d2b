// Build records: any bytes as the record of the last build, and the same
// bytes framed as a record with a correct check sum (so that the fields
// themselves are explored, not only the refusal of a damaged file). A
// record that is read must point only at files and variables it holds, and
// must be written back to bytes that read as the same record.
#include <cstdint>
#include <string>

#include "core/site/build_record.h"
#include "platform/content_hash.h"

namespace {

void Check(std::string_view bytes) {
  const std::optional<orv::BuildRecord> record = orv::ParseBuildRecord(bytes);
  if (!record) return;
  for (const orv::PageRecord& page : record->Pages) {
    for (uint32_t index : page.Files)
      if (index >= record->Files.size()) __builtin_trap();
    for (uint32_t index : page.Variables)
      if (index >= record->Variables.size()) __builtin_trap();
  }
  const std::string written = orv::SerializeBuildRecord(*record);
  const std::optional<orv::BuildRecord> again = orv::ParseBuildRecord(written);
  if (!again || !(*again == *record) || orv::SerializeBuildRecord(*again) != written) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  Check(input);
  std::string framed = "ORVBUILD";
  framed += input;
  const uint64_t sum = orv::ContentHash(framed);
  for (int i = 0; i < 8; ++i) framed.push_back(static_cast<char>(sum >> (8 * i)));
  Check(framed);
  return 0;
}
