#include "sys/frm_info.h"

#include <cstdint>

#include "controls/buttons.h"
#include "controls/containers.h"
#include "controls/edits.h"
#include "platform/library.h"
#include "sys/form_builder.h"

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
  FormBuilder b(*this, "FrmInfo", "Project Information", 340, 260);
  b.Add<TLabel>(nullptr, 8, 12, 90, 16, "Project Name:");
  auto* name = b.Add<TEdit>(nullptr, 100, 10, 232, 21);
  name->SetReadOnly(true);
  name->SetText(project);
  auto* group = b.Add<TGroupBox>(nullptr, 8, 40, 324, 176);
  const std::array<std::string, 5> counts = BuildCountTexts("libengine.so");
  const char* captions[6] = {"Build Time (seconds):", "Total Lines:", "Total Includes:", "Total Variables:",
                             "Total Applications:", "Total Databases:"};
  for (int row = 0; row < 6; ++row) {
    auto* caption = b.Add<TLabel>(group, 12, 18 + row * 24, 160, 16, captions[row]);
    auto* value = b.Add<TLabel>(group, 180, 18 + row * 24, 130, 16, row == 0 ? seconds : counts[row - 1]);
    if (row == 5) {
      caption->SetVisible(false);
      value->SetVisible(false);
    }
  }
  auto* ok = b.Add<TButton>(nullptr, 132, 226, 75, 25, "&OK");
  ok->SetDefault(true);
  ok->SetCancel(true);
  ok->SetModalResult(mrOk);
}

}  // namespace orv
