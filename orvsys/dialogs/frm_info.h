// TFrmInfo: "Project Information" (ShowInfo, frm_info.dfm): the project's
// name, the build time and the counts of the last build from libengine.so
// ("n/a" when the library or one of its functions is missing).
#pragma once

#include <array>
#include <string>

#include "controls/form.h"

namespace orv {

// The five counts as the dialog shows them, in row order (lines, includes,
// variables, applications, databases): decimal numbers, or "n/a" for a count
// whose function `library` (a name or path) does not offer or when it cannot
// be opened.
std::array<std::string, 5> BuildCountTexts(const std::string& library);

// The information dialog; lives for one ShowInfo call.
class TFrmInfo : public TForm {
 public:
  TFrmInfo(const std::string& project, const std::string& seconds);
  std::string ClassName() const override { return "TFrmInfo"; }
};

}  // namespace orv
