// The class tables of the graphics objects: fonts, pens, brushes, pictures
// and canvases.
#include "controls/class_tables.h"

#include "components/class_table.h"
#include "controls/graphics.h"

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
  RegisterClassTable({.name = "TPicture"});
  RegisterClassTable({.name = "TCanvas"});
}

}  // namespace orv
