// The conversion and date unit of the script library: number and text
// conversions, Format, case and comparison by the locale, trimming, Val, and
// the date routines. Formats follow the format settings (format_settings.h).
#pragma once

namespace orv {

// Registers the unit's routines, in their fixed order, with the host registry.
void RegisterSysUtilsLibrary();

}  // namespace orv
