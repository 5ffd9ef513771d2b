#include "tagwiz/insert_markup.h"

#include <gtest/gtest.h>

#include "platform/exception.h"

namespace orv {
namespace {

void ExpectTexts(const TInsertTexts& got, const std::string& text, const std::string& close, const std::string& wrap) {
  EXPECT_EQ(got.Text, text);
  EXPECT_EQ(got.CloseText, close);
  EXPECT_EQ(got.WrapFlag, wrap);
}

TEST(InsertMarkupTest, CaseArgument) {
  EXPECT_TRUE(LowerCaseRequested("true"));
  for (const char* other : {"True", "TRUE", "true ", "", "false", "1"}) EXPECT_FALSE(LowerCaseRequested(other)) << other;
  EXPECT_FALSE(LowerCaseRequested(nullptr));
}

TEST(InsertMarkupTest, Hyperlinks) {
  ExpectTexts(HyperlinkMarkup({"page.htm", "", "", ""}), "<a href=\"page.htm\">", "</a>", "yes");
  ExpectTexts(HyperlinkMarkup({"page.htm", "Home", "_top", ""}), "<a href=\"page.htm\" target=\"_top\">Home", "</a>",
              "no");
  ExpectTexts(HyperlinkMarkup({"a.htm", "x", "_self", "color:red"}),
              "<a href=\"a.htm\" target=\"_self\" style=\"color:red\">x", "</a>", "no");
  ExpectTexts(HyperlinkMarkup({"q\"uote", "", "", "s\"t"}), "<a href=\"q\"uote\" style=\"s\"t\">", "</a>", "yes");
}

// One row of the default table: two cells, then the row end with its LF CR.
const char kDefaultRow[] = "<tr>\r\n<td>&nbsp;</td>\r\n<td>&nbsp;</td>\r\n</tr>\n\r\r\n";

TEST(InsertMarkupTest, TableDefaults) {
  ExpectTexts(TableMarkup(TableFields(), true),
              std::string("<table border=0 cellpadding=0 cellspacing=0>\r\n") + kDefaultRow + kDefaultRow +
                  "</table>\r\n",
              "", "no");
  TInsertTexts upper = TableMarkup(TableFields(), false);
  EXPECT_EQ(upper.WrapFlag, "NO");
  EXPECT_NE(upper.Text.find("<TD>&NBSP;</TD>"), std::string::npos);
}

TEST(InsertMarkupTest, TableStartTags) {
  struct Case {
    const char* what;
    TableFields fields;
    const char* start;
  } cases[] = {
      {"centred", {.Alignment = "Center"}, "<table align=\"center\" border=0 cellpadding=0 cellspacing=0>"},
      {"default in any case", {.Alignment = "(DEFAULT)"}, "<table border=0 cellpadding=0 cellspacing=0>"},
      {"sizes", {.Border = "1", .Padding = "2", .Spacing = "3"}, "<table border=1 cellpadding=2 cellspacing=3>"},
      {"style", {.UseStyle = true, .Style = "Grid"}, "<table border=0 cellpadding=0 cellspacing=0 style=\"grid\">"},
      {"150 percent", {.SpecifyWidth = true, .Width = "150"},
       "<table border=0 cellpadding=0 cellspacing=0 width=\"100%\">"},
      {"100 percent", {.SpecifyWidth = true, .Width = "100"},
       "<table border=0 cellpadding=0 cellspacing=0 width=\"100%\">"},
      {"50 percent", {.SpecifyWidth = true, .Width = "50"}, "<table border=0 cellpadding=0 cellspacing=0 width=\"50%\">"},
      {"640 pixels", {.SpecifyWidth = true, .Percent = false, .Width = "640"},
       "<table border=0 cellpadding=0 cellspacing=0 width=640>"},
      {"pixels are not read", {.SpecifyWidth = true, .Percent = false, .Width = "wide"},
       "<table border=0 cellpadding=0 cellspacing=0 width=wide>"},
      {"width unchecked", {.SpecifyWidth = false, .Width = "oops"}, "<table border=0 cellpadding=0 cellspacing=0>"},
      {"extras after the width", {.SpecifyWidth = true, .Width = "80", .TableExtra = "id=t"},
       "<table border=0 cellpadding=0 cellspacing=0 width=\"80%\" id=t>"},
  };
  for (const Case& c : cases) {
    std::string text = TableMarkup(c.fields, true).Text;
    EXPECT_EQ(text.substr(0, text.find("\r\n")), c.start) << c.what;
  }
}

TEST(InsertMarkupTest, TableRowsCellsAndExtras) {
  // Designated fields rather than assignments, which GCC 12 misreports under -O3.
  TableFields f{.Rows = "1", .Columns = "3", .RowExtra = "class=r", .CellExtra = "valign=top"};
  EXPECT_EQ(TableMarkup(f, false).Text,
            "<TABLE BORDER=0 CELLPADDING=0 CELLSPACING=0>\r\n<TR CLASS=R>\r\n<TD VALIGN=TOP>&NBSP;</TD>\r\n"
            "<TD VALIGN=TOP>&NBSP;</TD>\r\n<TD VALIGN=TOP>&NBSP;</TD>\r\n</TR>\n\r\r\n</TABLE>\r\n");
  f.Rows = std::string(1, '0');
  EXPECT_EQ(TableMarkup(f, true).Text, "<table border=0 cellpadding=0 cellspacing=0>\r\n</table>\r\n");
}

TEST(InsertMarkupTest, TableNumbersThatAreNotNumbers) {
  for (TableFields f : {TableFields{.Rows = ""}, TableFields{.Columns = "x"},
                        TableFields{.SpecifyWidth = true, .Width = "wide"}}) {
    try {
      TableMarkup(f, true);
      ADD_FAILURE() << "no error";
    } catch (const EConvertError& e) {
      EXPECT_NE(std::string(e.what()).find("is not a valid integer value"), std::string::npos);
    }
  }
}

TEST(InsertMarkupTest, ActiveX) {
  ActiveXFields f;
  f.Name = "cal";
  ExpectTexts(ActiveXMarkup(f, true),
              "<object id=\"cal\" name=\"cal\" classid=\"clsid:\" align=\"Bottom\">http://</object>", "", "no");
  EXPECT_EQ(ActiveXMarkup(f, false).Text,
            "<OBJECT ID=\"cal\" NAME=\"cal\" CLASSID=\"clsid:\" ALIGN=\"Bottom\">http://</OBJECT>");
  f.VSpace = std::string(1, '5');  // not = "5": GCC 12 misreports it under -O3
  EXPECT_EQ(ActiveXMarkup(f, true).Text,
            "<object id=\"cal\" name=\"cal\" classid=\"clsid:\" align=\"Bottom\"   vspace=\"5\">http://</object>");
  f = ActiveXFields{.Name = "n", .HSpace = "2", .VSpace = "-1", .Border = "1", .Width = "10", .Height = "0"};
  EXPECT_EQ(ActiveXMarkup(f, true).Text,
            "<object id=\"n\" name=\"n\" classid=\"clsid:\" align=\"Bottom\" border=\"1\" hspace=\"2\" "
            "width=\"10\">http://</object>");
  EXPECT_THROW(ActiveXMarkup(ActiveXFields{.Width = "ten"}, true), EConvertError);
}

TEST(InsertMarkupTest, JavaApplets) {
  ExpectTexts(JavaAppletMarkup({}, true),
              "<applet codebase=\"\" code=\"\" alt=\"\" name=\"\" align=\"\" width=\"\" height=\"\"></applet>", "",
              "no");
  EXPECT_EQ(JavaAppletMarkup({"Clock.class", "classes/", "clock", "A Clock", "Left", "100", "50"}, false).Text,
            "<APPLET CODEBASE=\"classes/\" CODE=\"Clock.class\" ALT=\"A Clock\" NAME=\"clock\" ALIGN=\"Left\" "
            "WIDTH=\"100\" HEIGHT=\"50\"></APPLET>");
}

}  // namespace
}  // namespace orv
