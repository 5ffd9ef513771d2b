// Run-time type information of published properties: each property's type
// has a name ("Integer", "TColor", "TNotifyEvent"), a kind, and for
// enumerations, sets and integer types with named values (colours, cursors)
// the names and their values.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orv {

// The kind of a property's type.
enum class TypeKind { Integer, Float, String, Char, Boolean, Enumeration, Set, Class, Method };

// The type of a published property.
struct TypeInfo {
  std::string name;
  TypeKind kind;
  // Named values: enumeration ordinals, set member bit numbers, or integer
  // constants such as colours.
  std::vector<std::pair<std::string, int64_t>> names;

  // The value of `name` (compared without case); none when it is not one.
  std::optional<int64_t> ValueOf(std::string_view name) const;
  // The name of `value`; none when no name has it.
  std::optional<std::string> NameOf(int64_t value) const;
};

// The standard types, one object each, so that properties share them.
namespace types {
extern const TypeInfo Integer;
extern const TypeInfo Cardinal;
extern const TypeInfo Double;
extern const TypeInfo String;
extern const TypeInfo Binary;  // bytes, written to form files as "{ hex }"
extern const TypeInfo Char;
extern const TypeInfo Boolean;
extern const TypeInfo TColor;
extern const TypeInfo TCursor;
extern const TypeInfo TModalResult;
extern const TypeInfo TAlign;
extern const TypeInfo TAnchors;
extern const TypeInfo TAlignment;
extern const TypeInfo TFormBorderStyle;
extern const TypeInfo TBorderStyle;
extern const TypeInfo TPosition;
extern const TypeInfo TScrollStyle;
extern const TypeInfo TEditCharCase;
extern const TypeInfo TCheckBoxState;
extern const TypeInfo TComboBoxStyle;
extern const TypeInfo TListBoxStyle;
extern const TypeInfo TScrollBarKind;
extern const TypeInfo TShapeType;
extern const TypeInfo TBevelShape;
extern const TypeInfo TBevelStyle;
extern const TypeInfo TPanelBevel;
extern const TypeInfo TViewStyle;
extern const TypeInfo TFontStyles;
extern const TypeInfo TPenStyle;
extern const TypeInfo TBrushStyle;
extern const TypeInfo TProgressBarOrientation;
extern const TypeInfo TComponentRef;  // a reference to another component
extern const TypeInfo TPersistentRef;  // an owned sub-object (a font, a list)
}  // namespace types

// The event types a published property can have, by name: TNotifyEvent,
// TCloseEvent, TKeyEvent and the others scripts can bind. Null when unknown.
const TypeInfo* FindEventTypeInfo(std::string_view name);

}  // namespace orv
