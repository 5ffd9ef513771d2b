// The system's file types as orvsys registers them, the filter list of the
// editor's file dialogs, and the version texts the editor shows.
#pragma once

#include <array>
#include <string>

namespace orv {

// One registered file type.
struct TFileType {
  const char* Extension;    // ".orv"
  const char* ClassKey;     // "orvfile"
  const char* Description;  // "Quillon Project File"
  int IconIndex;            // position among the nine icons
  bool Compile;             // has the Compile verb besides Open
  const char* MimeType;     // "application/x-orv-project"
};

// The six types in registration order.
const std::array<TFileType, 6>& FileTypes();

// The file-dialog filter text: fifteen label and pattern pairs joined by "|".
std::string FileExtsText();

// The nine icons in resource order; each file is "<index>-<name>.svg".
const std::array<const char*, 9>& IconNames();

constexpr char kBuildNumText[] = "1.0.0.61";
constexpr char kBigVerText[] = "v1.0";

}  // namespace orv
