// The machine facts of a bug report: processor speed, error texts, time and date.
#include "orvsys/model/machine_info.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "platform/files.h"

namespace orv {
namespace {

namespace fs = std::filesystem;

TEST(MachineInfoTest, CpuinfoGivesTheFirstSpeed) {
  const struct {
    const char* text;
    double mhz;
  } cases[] = {
      {"processor\t: 0\ncpu MHz\t\t: 2399.998\ncache size\t: 512 KB\ncpu MHz\t\t: 1200.000\n", 2399.998},
      {"cpu MHz : 449.7\r\n", 449.7},
      {"cpu MHz\t: \ncpu MHz\t: 800\n", 800},
      {"cpu MHz\t: -5\n", 0},
      {"cpu MHz\t: nan\n", 0},
      {"processor : 0\nBogoMIPS : 50.00\n", 0},
      {"", 0},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(CpuinfoMhz(c.text), c.mhz) << c.text;
}

TEST(MachineInfoTest, SpeedComesFromCpuinfoElseFromCpufreq) {
  const fs::path dir = fs::temp_directory_path() / ("orv-cpu-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  const std::string cpuinfo = (dir / "cpuinfo").string();
  const std::string cpufreq = (dir / "max_freq").string();
  WriteFileBytes(cpufreq, "3600000\n");
  EXPECT_DOUBLE_EQ(ProcessorMhz(cpuinfo, cpufreq), 3600);
  WriteFileBytes(cpuinfo, "cpu MHz : 2000.4\n");
  EXPECT_DOUBLE_EQ(ProcessorMhz(cpuinfo, cpufreq), 2000.4);
  EXPECT_DOUBLE_EQ(ProcessorMhz((dir / "none").string(), (dir / "none").string()), 0);
  fs::remove_all(dir);
}

TEST(MachineInfoTest, SpeedTextIsRoundedToWholeMegahertz) {
  EXPECT_EQ(CpuSpeedText(450), "450.0 MHz");
  EXPECT_EQ(CpuSpeedText(2399.6), "2400.0 MHz");
  EXPECT_EQ(CpuSpeedText(449.4), "449.0 MHz");
  EXPECT_EQ(CpuSpeedText(0), "0.0 MHz");
}

TEST(MachineInfoTest, ErrorTextsEndWithCarriageReturnAndLineFeed) {
  EXPECT_EQ(SystemErrorText(ENOENT), "No such file or directory\r\n");
  EXPECT_EQ(SystemErrorText(0), "Success\r\n");
  EXPECT_EQ(SystemErrorText(99999), "Unknown error 99999\r\n");
}

TEST(MachineInfoTest, TimeAndDateFollowTheLocale) {
  // The tests run in the "C" locale: %X is HH:MM:SS and %x is MM/DD/YY.
  std::tm noon{};
  noon.tm_year = 126;
  noon.tm_mon = 11;
  noon.tm_mday = 7;
  noon.tm_hour = 16;
  noon.tm_min = 20;
  noon.tm_sec = 5;
  noon.tm_isdst = -1;
  const std::time_t when = std::mktime(&noon);
  EXPECT_EQ(LocaleTimeText(when), "16:20:05");
  EXPECT_EQ(LocaleDateText(when), "12/07/26");
}

}  // namespace
}  // namespace orv
