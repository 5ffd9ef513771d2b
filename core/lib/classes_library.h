// The classes unit of the script library: the bindings of TPersistent,
// TStrings, TStringList and TComponent, and the duplicates constants.
#pragma once

namespace orv {

// Registers the unit's members and constants with the host registry (the
// engine must be started). Safe to call again: the entries are replaced.
void RegisterClassesLibrary();

}  // namespace orv
