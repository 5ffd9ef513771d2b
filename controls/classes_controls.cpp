// The class tables of the control bases: what every control and every
// windowed control offers, the painted bases and the scroll box.
#include "controls/class_tables.h"

#include "components/class_table.h"
#include "controls/class_table_rows.h"
#include "controls/control.h"
#include "controls/form.h"
#include "controls/menus.h"

namespace orv {

using namespace publish;
using types::Boolean;
using types::Integer;
using types::String;

namespace {

void RegisterControl() {
  RegisterClassTable({
      .name = "TControl",
      .published = {Bound(Prop("Left", Integer, &TControl::Left, &TControl::SetLeft)),
                    Bound(Prop("Top", Integer, &TControl::Top, &TControl::SetTop)),
                    Bound(Prop("Width", Integer, &TControl::Width, &TControl::SetWidth)),
                    Bound(Prop("Height", Integer, &TControl::Height, &TControl::SetHeight)),
                    Bound(Prop("Align", types::TAlign, &TControl::Align, &TControl::SetAlign)),
                    Prop("Anchors", types::TAnchors, &TControl::Anchors, &TControl::SetAnchors),
                    SubObject("Constraints", &TControl::Constraints),
                    StoredWhen<TControl>(Prop("Color", types::TColor, &TControl::Color, &TControl::SetColor),
                                         [](const TControl& c) { return !c.ParentColor(); }),
                    Prop("ParentColor", Boolean, &TControl::ParentColor, &TControl::SetParentColor),
                    StoredWhen<TControl>(SubObject("Font", &TControl::Font),
                                         [](const TControl& c) { return !c.ParentFont(); }),
                    Prop("ParentFont", Boolean, &TControl::ParentFont, &TControl::SetParentFont),
                    Bound(Prop("Cursor", types::TCursor, &TControl::Cursor, &TControl::SetCursor)),
                    Prop("DragCursor", types::TCursor, &TControl::DragCursor, &TControl::SetDragCursor),
                    Prop("DragMode", Integer, &TControl::DragMode, &TControl::SetDragMode),
                    Bound(Prop("Enabled", Boolean, &TControl::Enabled, &TControl::SetEnabled)),
                    Bound(Prop("Hint", String, &TControl::Hint, &TControl::SetHint)),
                    Bound(Prop("ShowHint", Boolean, &TControl::ShowHint, &TControl::SetShowHint)),
                    Prop("ParentShowHint", Boolean, &TControl::ParentShowHint, &TControl::SetParentShowHint),
                    Bound(Prop("Visible", Boolean, &TControl::Visible, &TControl::SetVisible)),
                    Reference("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu),
                    Event("OnClick", "TNotifyEvent", &TControl::OnClick),
                    Event("OnDblClick", "TNotifyEvent", &TControl::OnDblClick),
                    Event("OnMouseDown", "TMouseEvent", &TControl::OnMouseDown),
                    Event("OnMouseMove", "TMouseMoveEvent", &TControl::OnMouseMove),
                    Event("OnMouseUp", "TMouseEvent", &TControl::OnMouseUp),
                    Event("OnResize", "TNotifyEvent", &TControl::OnResize)},
      .properties = {Bound(CaptionProperty()),
                     Prop("Text", String, &TControl::Text, &TControl::SetText),
                     Bound(Prop("ClientWidth", Integer, &TControl::ClientWidth, &TControl::SetClientWidth)),
                     Bound(Prop("ClientHeight", Integer, &TControl::ClientHeight, &TControl::SetClientHeight)),
                     Bound(Reference("Parent", &TControl::Parent, &TControl::SetParent)),
                     Prop("Showing", Boolean, &TControl::Showing)},
      .methods = {Bound(Method("BringToFront", &TControl::BringToFront)), Bound(Method("Hide", &TControl::Hide)),
                  Bound(Method("Invalidate", &TControl::Invalidate)), Bound(Method("Refresh", &TControl::Refresh)),
                  Bound(Method("Repaint", &TControl::Repaint)), Bound(Method("SendToBack", &TControl::SendToBack)),
                  Bound(Method("SetBounds", &TControl::SetBounds)), Bound(Method("Show", &TControl::Show)),
                  Bound(Method("Update", &TControl::Update)), Bound(Method("Perform", &TControl::Perform))},
  });
}

void RegisterWinControl() {
  RegisterClassTable({
      .name = "TWinControl",
      .published = {Bound(Prop("TabOrder", Integer, &TWinControl::TabOrder, &TWinControl::SetTabOrder)),
                    Bound(Prop("TabStop", Boolean, &TWinControl::TabStop, &TWinControl::SetTabStop)),
                    Bound(Prop("Ctl3D", Boolean, &TWinControl::Ctl3D, &TWinControl::SetCtl3D)),
                    Bound(Prop("HelpContext", Integer, &TWinControl::HelpContext, &TWinControl::SetHelpContext)),
                    Event("OnEnter", "TNotifyEvent", &TWinControl::OnEnter),
                    Event("OnExit", "TNotifyEvent", &TWinControl::OnExit),
                    Event("OnKeyDown", "TKeyEvent", &TWinControl::OnKeyDown),
                    Event("OnKeyPress", "TKeyPressEvent", &TWinControl::OnKeyPress),
                    Event("OnKeyUp", "TKeyEvent", &TWinControl::OnKeyUp)},
      .properties = {Bound(Prop("ControlCount", Integer, &TWinControl::ControlCount)),
                     Bound(Prop("ParentCtl3D", Boolean, &TWinControl::ParentCtl3D, &TWinControl::SetParentCtl3D))},
      .methods = {Bound(Method("CanFocus", &TWinControl::CanFocus)),
                  Bound(Method("ContainsControl", &TWinControl::ContainsControl)),
                  Bound(Method("Focused", &TWinControl::Focused)),
                  Bound(Method("InsertControl", &TWinControl::InsertControl)),
                  Bound(Method("RemoveControl", &TWinControl::RemoveControl)),
                  Bound(Method("ScaleBy", &TWinControl::ScaleBy)), Bound(Method("ScrollBy", &TWinControl::ScrollBy)),
                  Bound(Method("SetFocus", &TWinControl::SetFocus))},
      .bound = {"Align", "Color", "DragCursor", "DragMode", "Text", "Enabled", "ParentColor", "ParentFont",
                "ParentShowHint", "ShowHint", "Visible", "Font", "PopupMenu", "Showing"},
  });
}

void RegisterPaintedBases() {
  RegisterClassTable({.name = "TGraphicControl",
                      .published = {Event("OnPaint", "TNotifyEvent", &TGraphicControl::OnPaint)},
                      .properties = {Prop("Canvas", types::TPersistentRef, &TGraphicControl::Canvas)}});
  RegisterClassTable({.name = "TCustomControl",
                      .published = {Event("OnPaint", "TNotifyEvent", &TCustomControl::OnPaint)},
                      .properties = {Prop("Canvas", types::TPersistentRef, &TCustomControl::Canvas)}});
}

void RegisterScrollBox() {
  RegisterClassTable({.name = "TScrollingWinControl"});
  RegisterClassTable({.name = "TScrollBox", .factory = Factory<TScrollBox>(), .bound = {"Create"}});
}

}  // namespace

void RegisterControlClasses() {
  RegisterControl();
  RegisterWinControl();
  RegisterPaintedBases();
  RegisterScrollBox();
}

}  // namespace orv
