#include "orvsys/dialogs/frm_info.h"

#include <cstdint>

#include "components/form_resource.h"
#include "controls/edits.h"
#include "platform/library.h"

namespace orv {

std::array<std::string, 5> BuildCountTexts(const std::string& library) {
  static const char* const functions[5] = {"TellnmLines", "TellnmImages", "TellnmVars", "TellnmExec", "TellnmDB"};
  std::array<std::string, 5> texts;
  texts.fill("n/a");
  std::string error;
  void* handle = LoadLibrary(library, error);
  if (handle == nullptr) return texts;
  for (size_t i = 0; i < texts.size(); ++i)
    if (auto* count = reinterpret_cast<int32_t (*)()>(GetProcAddress(handle, functions[i], error)))
      texts[i] = std::to_string(count());
  return texts;
}

TFrmInfo::TFrmInfo(const std::string& project, const std::string& seconds) : TForm(nullptr) {
  ReadFormResource(*this, {});
  dynamic_cast<TEdit&>(*FindComponent("Edit1")).SetText(project);
  // The values of the rows stand in Label3, Label5, ... Label13.
  const std::array<std::string, 5> counts = BuildCountTexts("libengine.so");
  for (int row = 0; row < 6; ++row)
    dynamic_cast<TLabel&>(*FindComponent("Label" + std::to_string(3 + 2 * row)))
        .SetCaption(row == 0 ? seconds : counts[static_cast<size_t>(row - 1)]);
}

}  // namespace orv
