// Table rows that several visual classes share: the caption of a control,
// published under its own name or as Text (edits and combo boxes show their
// caption as their text).
#pragma once

#include "components/published.h"
#include "controls/control.h"

namespace orv::publish {

inline PropertyInfo CaptionProperty() {
  return Prop("Caption", types::String, &TControl::Caption, &TControl::SetCaption);
}

inline PropertyInfo CaptionAsText() { return Prop("Text", types::String, &TControl::Caption, &TControl::SetCaption); }

}  // namespace orv::publish
