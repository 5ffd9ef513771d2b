#include "platform/build_stats.h"

#include <algorithm>
#include <cstdint>

#include "platform/exception.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "platform/ini_file.h"
#include "platform/swapped_file.h"

namespace orv {
namespace {

constexpr char kSection[] = "Last build";

// The keys in file order with the field each one holds.
struct Field {
  const char* key;
  int32_t TBuildStats::*count;
};
constexpr Field kFields[] = {
    {"Lines", &TBuildStats::Lines},         {"Includes", &TBuildStats::Includes},
    {"Variables", &TBuildStats::Variables}, {"Programs", &TBuildStats::Programs},
    {"Databases", &TBuildStats::Databases},
};

}  // namespace

void AddCount(int32_t& count, int64_t more) {
  count = static_cast<int32_t>(std::min<int64_t>(INT32_MAX, std::max<int64_t>(0, count + more)));
}

std::string BuildStatsFile() { return DataDir() + "buildstats.ini"; }

TBuildStats ReadBuildStats(const std::string& path) {
  TIniFile ini(path);
  TBuildStats stats;
  for (const Field& f : kFields) stats.*f.count = ini.ReadInteger(kSection, f.key, 0);
  return stats;
}

void WriteBuildStats(const std::string& path, const TBuildStats& stats) {
  std::string text = std::string("[") + kSection + "]\n";
  for (const Field& f : kFields) text += std::string(f.key) + "=" + std::to_string(stats.*f.count) + "\n";
  if (!WriteFileSwapped(path, text)) throw EInOutError("Cannot write file \"" + path + "\"");
}

}  // namespace orv
