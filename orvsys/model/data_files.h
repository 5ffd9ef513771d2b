// Where orvsys keeps its files (tools.dat, objrep.dat, the exchange file of
// the variables editor, the built-in repository documents) and how it reads
// and writes the setting-list files among them.
#pragma once

#include <string>

namespace orv {

class TUserSettingList;

// DataDir() + "tools.dat": the editor's Tools menu.
std::string ToolsFile();
// DataDir() + "objrep.dat": the user part of the object repository.
std::string ObjRepFile();
// The variables editor's exchange file: kVarsExchangeName in the temporary folder.
inline constexpr char kVarsExchangeName[] = "~fsetting.tmp";
std::string VarsExchangeFile();

// The first of these folders that holds the file `relative`: the data
// folder, the shipped data folder <prefix>/share/orv/, and the source tree's
// data/ (for programs run from the build tree); the data folder when none
// does. With a final '/'.
std::string ShippedDataFolder(const std::string& relative);

// The folder that holds the built-in repository documents (templates/ and
// snippets/): ShippedDataFolder of the default web page.
std::string BuiltinDocumentsDir();

// Replaces the list's items with those of the setting-list file `path`. A
// file that does not exist is the normal first run: the list is emptied and
// nothing is raised. A file that exists but cannot be read, or is damaged,
// empties the list and raises EInOutError naming the file and the reason.
void LoadSettingList(TUserSettingList& list, const std::string& path);

// Writes the list to `path` through a temporary file that replaces it, so
// the old file stays whole when writing fails. Raises EInOutError
// ("Cannot write file "<path>". <reason>").
void SaveSettingList(const TUserSettingList& list, const std::string& path);

}  // namespace orv
