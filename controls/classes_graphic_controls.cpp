// The class tables of the painted controls: bevels, shapes, paint boxes
// and images.
#include "controls/class_tables.h"

#include "components/class_table.h"
#include "controls/graphic_controls.h"

namespace orv {

using namespace publish;
using types::Boolean;

namespace {

void RegisterLinesAndShapes() {
  RegisterClassTable({
      .name = "TBevel",
      .factory = Factory<TBevel>(),
      .published = {Bound(Prop("Shape", types::TBevelShape, &TBevel::Shape, &TBevel::SetShape)),
                    Bound(Prop("Style", types::TBevelStyle, &TBevel::Style, &TBevel::SetStyle))},
      .bound = {"Create", "Align", "ParentShowHint", "ShowHint", "Visible"},
  });
  RegisterClassTable({
      .name = "TShape",
      .factory = Factory<TShape>(),
      .published = {Bound(Prop("Shape", types::TShapeType, &TShape::Shape, &TShape::SetShape)),
                    Bound(SubObject("Pen", &TShape::Pen)), Bound(SubObject("Brush", &TShape::Brush))},
      .methods = {Bound(Method("StyleChanged", &TShape::StyleChanged))},
      .bound = {"Create", "DragCursor", "DragMode", "Enabled", "ParentShowHint", "ShowHint", "Visible"},
  });
}

void RegisterPictures() {
  RegisterClassTable({
      .name = "TPaintBox",
      .factory = Factory<TPaintBox>(),
      .bound = {"Create", "Align", "Color", "DragCursor", "DragMode", "Enabled", "ParentColor", "ParentFont",
                "ParentShowHint", "ShowHint", "Visible", "Font", "PopupMenu", "Canvas"},
  });
  RegisterClassTable({
      .name = "TImage",
      .factory = Factory<TImage>(),
      .published = {Bound(SubObject("Picture", &TImage::Picture)),
                    Bound(Prop("AutoSize", Boolean, &TImage::AutoSize, &TImage::SetAutoSize)),
                    Bound(Prop("Center", Boolean, &TImage::Center, &TImage::SetCenter)),
                    Bound(Prop("Stretch", Boolean, &TImage::Stretch, &TImage::SetStretch))},
      .bound = {"Create", "Align", "DragCursor", "DragMode", "Enabled", "ParentShowHint", "ShowHint", "Visible",
                "PopupMenu", "Canvas"},
  });
}

}  // namespace

void RegisterGraphicControlClasses() {
  RegisterLinesAndShapes();
  RegisterPictures();
}

}  // namespace orv
