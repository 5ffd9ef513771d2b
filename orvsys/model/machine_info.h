// Facts about the machine and the moment that a bug report carries: the
// processor's clock speed, the text of a system error number, and the time
// and date in the user's locale.
#pragma once

#include <ctime>
#include <string>
#include <string_view>

namespace orv {

// The processor's clock in MHz: the first "cpu MHz" value of /proc/cpuinfo,
// else the first core's highest frequency from cpufreq; 0 when neither
// tells. The paths are the kernel's unless a test names others.
double ProcessorMhz(const std::string& cpuinfo = "/proc/cpuinfo",
                    const std::string& cpufreq = "/sys/devices/system/cpu/cpu0/cpufreq/cpuinfo_max_freq");

// The first "cpu MHz" value of a /proc/cpuinfo text; 0 when none.
double CpuinfoMhz(std::string_view cpuinfo);

// The speed rounded to whole MHz and written with one decimal: "450.0 MHz".
std::string CpuSpeedText(double mhz);

// The system's text for the error number `error`, ended by CR LF as the
// system's message texts are.
std::string SystemErrorText(int error);

// `when` in the locale's time format ("%X") and date format ("%x").
std::string LocaleTimeText(std::time_t when);
std::string LocaleDateText(std::time_t when);

}  // namespace orv
