// The digest of what every page of a build depends on, beside the inputs
// each page records for itself: the program (the core library's file), the
// project's settings (every section of the project file except [variables],
// whose values pages record as they look them up, and [files], whose
// entries are the pages), the current folder (relative includes are looked
// for there), the locale (conversions and letter case follow it) and the
// expansion limits. A build whose digest differs from the last one's builds
// every page.
#pragma once

#include <cstdint>

namespace orv {

class TIniFile;
class TParseStruct;

// The project's settings: every section but [variables] and [files] (the
// project reader keeps it in TProjectSettings::SettingsHash).
uint64_t ProjectSettingsHash(const TIniFile& project);

// The build's digest; the project's settings come from
// context.Settings.SettingsHash.
uint64_t BuildDigest(const TParseStruct& context);

}  // namespace orv
