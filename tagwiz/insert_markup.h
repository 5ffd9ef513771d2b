// The markup that the insert dialogs hand to the editor: the three texts of
// an insert record for a hyperlink, a table, an ActiveX object and a Java
// applet, built from the texts of the dialogs' fields as typed.
#pragma once

#include <string>

namespace orv {

// The texts of an insert record: the markup, the markup that belongs after
// the inserted content, and whether the editor should wrap the selection.
struct TInsertTexts {
  std::string Text;
  std::string CloseText;
  std::string WrapFlag;
};

// True exactly when the dialogs' case argument asks for lower case ("true");
// any other text, and none, means upper case.
bool LowerCaseRequested(const char* argument);

// The hyperlink dialog's fields.
struct HyperlinkFields {
  std::string Address, Description, Target, Style;
};

// <a href="address"[ target="..."][ style="..."]>description, closed by
// "</a>"; the wrap flag is "yes" exactly when the description is empty.
TInsertTexts HyperlinkMarkup(const HyperlinkFields& fields);

// The table dialog's fields, as the texts and states of its controls.
struct TableFields {
  std::string Rows = "2", Columns = "2";
  std::string Alignment = "(Default)";
  std::string Border = "0", Padding = "0", Spacing = "0";
  bool UseStyle = false;
  std::string Style = "";
  bool SpecifyWidth = false;
  bool Percent = true;
  std::string Width = "100";
  std::string RowExtra = "", CellExtra = "", TableExtra = "";
};

// The table: its start tag, Rows rows of Columns cells ("&nbsp;" in each, a
// row ending "</tr>" LF CR), "</table>", each line followed by CR LF, all of it
// in lower or upper case. Rows, columns and a percentage width that are not
// whole numbers raise EConvertError.
TInsertTexts TableMarkup(const TableFields& fields, bool lower_case);

// The ActiveX dialog's fields.
struct ActiveXFields {
  std::string ClassId = "clsid:", Name = "", AlternativeUrl = "http://";
  std::string HSpace = "0", VSpace = "0", Border = "0";
  std::string Align = "Bottom";
  std::string Width = "0", Height = "0";
};

// <object id name classid align[ border][ hspace]["   vspace"][ width][ height]>url</object>
// with element and attribute names in the chosen case and values as typed;
// sizes and spacings that are not whole numbers raise EConvertError.
TInsertTexts ActiveXMarkup(const ActiveXFields& fields, bool lower_case);

// The Java applet dialog's fields.
struct JavaAppletFields {
  std::string Code, CodeBase, Name, Alt, Align, Width, Height;
};

// <applet codebase code alt name align width height></applet>, every
// attribute present, names in the chosen case and values as typed.
TInsertTexts JavaAppletMarkup(const JavaAppletFields& fields, bool lower_case);

}  // namespace orv
