#include "controls/application_link.h"

#include "controls/control_error.h"

namespace orv {
namespace {

ApplicationLink* linked = nullptr;

}  // namespace

ApplicationLink& LinkedApplication() {
  if (linked == nullptr) throw EControlError("The visual classes are used before their library has been loaded");
  return *linked;
}

void SetLinkedApplication(ApplicationLink& link) { linked = &link; }

}  // namespace orv
