// The class tables of the graphics objects: fonts, pens, brushes, pictures,
// canvases, and the size constraints of controls.
#include "controls/class_tables.h"

#include "components/class_table.h"
#include "controls/graphics.h"
#include "controls/size_constraints.h"

namespace orv {

using namespace publish;
using types::Integer;

void RegisterGraphicsClasses() {
  RegisterClassTable({.name = "TGraphicsObject"});
  RegisterClassTable({
      .name = "TFont",
      .published = {Prop("Name", types::String, &TFont::Name, &TFont::SetName),
                    Prop("Size", Integer, &TFont::Size, &TFont::SetSize),
                    Prop("Color", types::TColor, &TFont::Color, &TFont::SetColor),
                    Prop("Style", types::TFontStyles, &TFont::Style, &TFont::SetStyle)},
  });
  RegisterClassTable({
      .name = "TPen",
      .published = {Prop("Color", types::TColor, &TPen::Color, &TPen::SetColor),
                    Prop("Width", Integer, &TPen::Width, &TPen::SetWidth),
                    Prop("Style", types::TPenStyle, &TPen::Style, &TPen::SetStyle)},
  });
  RegisterClassTable({
      .name = "TBrush",
      .published = {Prop("Color", types::TColor, &TBrush::Color, &TBrush::SetColor),
                    Prop("Style", types::TBrushStyle, &TBrush::Style, &TBrush::SetStyle)},
  });
  RegisterClassTable({
      .name = "TPicture",
      .published = {StoredWhen<TPicture>(Prop("Data", types::Binary, &TPicture::Data, &TPicture::SetData),
                                         [](const TPicture& picture) { return picture.StoresData(); }),
                    Prop("IconName", types::String, &TPicture::IconName, &TPicture::SetIconName),
                    Prop("IconSize", Integer, &TPicture::IconSize, &TPicture::SetIconSize)},
  });
  RegisterClassTable({
      .name = "TSizeConstraints",
      .published = {Prop("MinWidth", Integer, &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth),
                    Prop("MinHeight", Integer, &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight),
                    Prop("MaxWidth", Integer, &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth),
                    Prop("MaxHeight", Integer, &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight)},
  });
  RegisterClassTable({.name = "TCanvas"});
}

}  // namespace orv
