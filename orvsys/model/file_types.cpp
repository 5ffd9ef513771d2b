#include "orvsys/model/file_types.h"

namespace orv {

const std::array<TFileType, 6>& FileTypes() {
  static const std::array<TFileType, 6> types = {{
      {".hsn", "hsnfile", "HTML Snippet File", 5, false, "application/x-orv-snippet"},
      {".hts", "htsfile", "HTML Source File", 4, false, "application/x-orv-source"},
      {".htf", "htffile", "HTML Template File", 6, false, "application/x-orv-template"},
      {".orv", "orvfile", "Quillon Project File", 0, true, "application/x-orv-project"},
      {".ops", "opsfile", "Object Pascal Script", 8, false, "application/x-orv-script"},
      {".wcs", "wcsfile", "Quillon Color Palette", 7, false, "application/x-orv-palette"},
  }};
  return types;
}

std::string FileExtsText() {
  static const char* const pairs[][2] = {
      {"HTML Source (.hts)", "*.hts"},
      {"HTML Snippet (.hsn)", "*.hsn"},
      {"HTML Template (.htf)", "*.htf"},
      {"ORV Project (.orv)", "*.orv"},
      {"HTML File (.html,.htm)", "*.html;*.htm"},
      {"Active Server Page (.asp)", "*.asp"},
      {"Object Pascal Script (.ops)", "*.ops"},
      {"Javascript Script (.js)", "*.js"},
      {"Gif Image (.gif)", "*.gif"},
      {"Jpeg Image (.jpg)", "*.jpg"},
      {"Bitmap Image (.bmp)", "*.bmp"},
      {"Windows Metafile (.wmf)", "*.wmf"},
      {"Enhanced Metafile (.emf)", "*.emf"},
      {"Icon (.ico)", "*.ico"},
      {"All Files (.*)", "*.*"},
  };
  std::string text;
  for (const auto& pair : pairs) {
    if (!text.empty()) text += '|';
    text += std::string(pair[0]) + "|" + pair[1];
  }
  return text;
}

const std::array<const char*, 9>& IconNames() {
  static const std::array<const char*, 9> names = {"project", "html",    "image",   "folder", "source",
                                                   "snippet", "template", "palette", "script"};
  return names;
}

}  // namespace orv
