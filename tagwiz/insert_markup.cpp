#include "tagwiz/insert_markup.h"

#include <cstring>
#include <utility>

#include "platform/integer_text.h"
#include "platform/paths.h"

namespace orv {
namespace {

// Names of elements and attributes in the chosen case.
class NameCase {
 public:
  explicit NameCase(bool lower) : lower_(lower) {}
  std::string operator()(std::string_view name) const { return lower_ ? LowerCase(name) : UpperCase(name); }

 private:
  bool lower_;
};

// name="value" after the text of `name` (which carries its leading blanks).
std::string Attribute(const NameCase& n, std::string_view name, const std::string& value) {
  return n(name) + "=\"" + value + "\"";
}

// A blank and the text, or nothing for an empty text.
std::string Extra(const std::string& text) { return text.empty() ? std::string() : " " + text; }

const char kCrLf[] = "\r\n";

}  // namespace

bool LowerCaseRequested(const char* argument) { return argument != nullptr && std::strcmp(argument, "true") == 0; }

TInsertTexts HyperlinkMarkup(const HyperlinkFields& f) {
  std::string text = "<a href=\"" + f.Address + "\"";
  if (!f.Target.empty()) text += " target=\"" + f.Target + "\"";
  if (!f.Style.empty()) text += " style=\"" + f.Style + "\"";
  text += ">" + f.Description;
  return {text, "</a>", f.Description.empty() ? "yes" : "no"};
}

TInsertTexts TableMarkup(const TableFields& f, bool lower_case) {
  const int32_t rows = StrToInt(f.Rows);
  const int32_t columns = StrToInt(f.Columns);
  std::string start = LowerCase(f.Alignment) == "(default)" ? "<table" : "<table align=\"" + f.Alignment + "\"";
  start += " border=" + f.Border + " cellpadding=" + f.Padding + " cellspacing=" + f.Spacing;
  if (f.UseStyle) start += " style=\"" + f.Style + "\"";
  if (f.SpecifyWidth) {
    if (!f.Percent) start += " width=" + f.Width;
    else if (StrToInt(f.Width) > 100) start += " width=\"100%\"";
    else start += " width=\"" + f.Width + "%\"";
  }
  start += Extra(f.TableExtra) + ">";
  std::string markup = start + kCrLf;
  for (int32_t r = 0; r < rows; ++r) {
    markup += "<tr" + Extra(f.RowExtra) + ">" + kCrLf;
    for (int32_t c = 0; c < columns; ++c) markup += "<td" + Extra(f.CellExtra) + ">&nbsp;</td>" + kCrLf;
    markup += std::string("</tr>\n\r") + kCrLf;
  }
  markup += std::string("</table>") + kCrLf;
  return {lower_case ? LowerCase(markup) : UpperCase(markup), "", lower_case ? "no" : "NO"};
}

TInsertTexts ActiveXMarkup(const ActiveXFields& f, bool lower_case) {
  const NameCase n(lower_case);
  // Appended piece by piece: GCC 12 misreports "<" + text under -O3.
  std::string text(1, '<');
  text += n("object");
  text += Attribute(n, " id", f.Name);
  text += Attribute(n, " name", f.Name);
  text += Attribute(n, " classid", f.ClassId);
  text += Attribute(n, " align", f.Align);
  if (StrToInt(f.Border) > 0) text += Attribute(n, " border", f.Border);
  if (StrToInt(f.HSpace) > 0) text += Attribute(n, " hspace", f.HSpace);
  if (StrToInt(f.VSpace) > 0) {
    text += "   ";
    text += Attribute(n, "vspace", f.VSpace);
  }
  if (StrToInt(f.Width) > 0) text += Attribute(n, " width", f.Width);
  if (StrToInt(f.Height) > 0) text += Attribute(n, " height", f.Height);
  text += '>';
  text += f.AlternativeUrl;
  text += "</";
  text += n("object");
  text += '>';
  return {text, "", "no"};
}

TInsertTexts JavaAppletMarkup(const JavaAppletFields& f, bool lower_case) {
  const NameCase n(lower_case);
  std::string text(1, '<');
  text += n("applet");
  for (const auto& [name, value] : {std::pair{" codebase", &f.CodeBase}, {" code", &f.Code}, {" alt", &f.Alt},
                                    {" name", &f.Name}, {" align", &f.Align}, {" width", &f.Width},
                                    {" height", &f.Height}})
    text += Attribute(n, name, *value);
  text += "></";
  text += n("applet");
  text += '>';
  return {text, "", "no"};
}

}  // namespace orv
