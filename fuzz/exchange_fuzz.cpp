// preferences.dat and ~tmppref.ini: any bytes as either file; every value is
// read, written back, and the Booleans and the font size read again the same.

#include <cstdint>
#include <string>

#include "orvsys/model/preferences.h"
#include "orvsys/model/project_options.h"
#include "platform/exception.h"
#include "platform/files.h"
#include "platform/folders.h"
#include "scratch_path.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const orv::fuzz::ScratchPath in("orv-exchange-fuzz", ".in"), out("orv-exchange-fuzz", ".out");
  const std::string &input = in.Path, &output = out.Path;
  orv::WriteFileBytes(input, std::string(reinterpret_cast<const char*>(data), size));
  orv::DeleteFile(output);
  const orv::TPreferences prefs = orv::ReadPreferences(input);
  const orv::TProjectOptions options = orv::ReadProjectOptions(input);
  try {
    orv::WritePreferences(output, prefs);
    const orv::TPreferences again = orv::ReadPreferences(output);
    if (again.LowerTags != prefs.LowerTags || again.LastProject != prefs.LastProject ||
        again.NewEditor != prefs.NewEditor || again.InsImg != prefs.InsImg ||
        again.SingleInstance != prefs.SingleInstance || again.Maximize != prefs.Maximize ||
        again.Unix != prefs.Unix || again.UseProxy != prefs.UseProxy || again.FontSize != prefs.FontSize)
      __builtin_trap();
    orv::DeleteFile(output);
    orv::WriteProjectOptions(output, options);
    const orv::TProjectOptions back = orv::ReadProjectOptions(output);
    if (back.Vars != options.Vars || back.Databases != options.Databases || back.Scripts != options.Scripts ||
        back.ExtApps != options.ExtApps || back.Includes != options.Includes)
      __builtin_trap();
  } catch (const orv::Exception&) {
    // A value the file form cannot hold (a line break read from the input).
  }
  orv::DeleteFile(input);
  orv::DeleteFile(output);
  return 0;
}
