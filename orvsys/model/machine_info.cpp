#include "orvsys/model/machine_info.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/files.h"

namespace orv {

namespace {

// The file's bytes; empty when it cannot be read.
std::string ReadOrEmpty(const std::string& path) {
  try {
    return ReadFileBytes(path);
  } catch (const std::exception&) {
    return {};
  }
}

std::string FormatTime(std::time_t when, const char* format) {
  std::tm local{};
  localtime_r(&when, &local);
  char text[128];
  const size_t length = std::strftime(text, sizeof text, format, &local);
  return std::string(text, length);
}

}  // namespace

double CpuinfoMhz(std::string_view cpuinfo) {
  for (const std::string& line : SplitLines(cpuinfo)) {
    if (line.rfind("cpu MHz", 0) != 0) continue;
    const size_t colon = line.find(':');
    if (colon == std::string::npos) continue;
    const char* start = line.c_str() + colon + 1;
    char* end = nullptr;
    const double mhz = std::strtod(start, &end);
    if (end != start && std::isfinite(mhz) && mhz > 0) return mhz;
  }
  return 0;
}

double ProcessorMhz(const std::string& cpuinfo, const std::string& cpufreq) {
  if (const double mhz = CpuinfoMhz(ReadOrEmpty(cpuinfo)); mhz > 0) return mhz;
  const std::string khz = ReadOrEmpty(cpufreq);
  char* end = nullptr;
  const double value = std::strtod(khz.c_str(), &end);
  return end != khz.c_str() && std::isfinite(value) && value > 0 ? value / 1000 : 0;
}

std::string CpuSpeedText(double mhz) {
  char text[64];
  std::snprintf(text, sizeof text, "%.1f MHz", std::round(mhz));
  return text;
}

std::string SystemErrorText(int error) {
  char buffer[256];
  // The GNU strerror_r returns the text, which need not be in `buffer`.
  const char* text = strerror_r(error, buffer, sizeof buffer);
  return std::string(text) + "\r\n";
}

std::string LocaleTimeText(std::time_t when) { return FormatTime(when, "%X"); }
std::string LocaleDateText(std::time_t when) { return FormatTime(when, "%x"); }

}  // namespace orv
