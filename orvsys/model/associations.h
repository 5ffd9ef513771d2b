// Registering the system's file types: the class keys of both registry roots
// (HKEY_CLASSES_ROOT and HKEY_LOCAL_MACHINE\SOFTWARE\Classes) in the registry
// stand-in, and the desktop's way for the current user under $XDG_DATA_HOME:
// a shared-mime-info package, desktop entries (Open runs the editor host,
// Compile runs orvcc --window) and the types' icons.
#pragma once

#include <string>

namespace orv {

// Where the registered commands and icons point.
struct AssociationPaths {
  std::string EditorPath;   // the editor host's executable: the Open command
  std::string LibraryDir;   // folder of liborvsys.so, with a final '/': the icon source
  std::string ProgramsDir;  // folder of orvcc, with a final '/': the Compile command
  std::string IconsDir;     // folder of the nine shipped icons, with a final '/'
};

// The paths of this install: the running program as the editor host, the
// folder of the library that holds this code, orvcc beside it or in ../bin/
// (else beside the running program), and the shipped icons.
AssociationPaths CurrentAssociationPaths();

// The registry values, root by root and type by type in table order: the
// extension's class, the class's description, its DefaultIcon
// ("<LibraryDir>liborvsys.so,<index>"), its Open command ("<EditorPath>" "%1")
// and for project files its Compile command ("<ProgramsDir>orvcc" --window
// "%1"). Raises ERegistryException at the first value that cannot be written;
// the values written before it stay.
void RegisterClassKeys(const AssociationPaths& paths);

// $XDG_DATA_HOME, or ~/.local/share when it is not set; with a final '/'.
std::string XdgDataHome();

// Writes mime/packages/orv.xml, applications/orv-editor.desktop,
// applications/orv-compile.desktop and the types' icons under `data_home`,
// then runs update-mime-database and update-desktop-database on them when
// they are installed. Writing twice leaves the same files. Raises EInOutError
// when a file cannot be written.
void RegisterDesktopTypes(const AssociationPaths& paths, const std::string& data_home);

// A word of a desktop entry's Exec line: quoted, with the characters that
// need it escaped, when it holds anything but plain characters.
std::string DesktopExecWord(const std::string& word);

}  // namespace orv
