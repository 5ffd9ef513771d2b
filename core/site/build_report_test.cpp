// The warnings of whole builds, line by line: every error comment a page
// gets and every failed command, at the line of the file where its markup
// was written however earlier expansions moved it; the project file's
// problems; strict builds; and script errors at the page's line.
#include "core/site/build_report.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/script/compiler_error.h"
#include "core/site/build_driver.h"
#include "core/site/build_test_support.h"
#include "core/site/core_startup.h"
#include "core/site/page_stages.h"
#include "platform/exception.h"
#include "platform/files.h"
#include "platform/folders.h"

namespace orv {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

class BuildReportTest : public test::ReportedBuildTest {
 protected:
  BuildReportTest() : ReportedBuildTest("build report") {}
};

TEST_F(BuildReportTest, AnUnknownVariableIsReportedAtItsLine) {
  OnePage("one\n<%Titel%>\n");
  Build();
  EXPECT_EQ(lines_, std::vector<std::string>{A() + ":2: warning: unknown variable \"Titel\""});
  EXPECT_EQ(Page(), "one\r\n<!-- ERROR: Titel -->\r\n") << "the page is as without the report";
}

// Defines removed, script output, a define's value and an include put text
// before later markup; each warning still names the line where the markup
// was written, and markup of an included file names that file's line and
// where it was included.
TEST_F(BuildReportTest, LinesStayThoseOfTheSourceThroughEveryExpansion) {
  WriteFileBytes(dir_ + "src/h.hsn", "h1\n<%InHeader%>\n");
  OnePage(
      "<+ WriteLn('a'); WriteLn('b'); WriteLn('c') +>\n"
      "<&h.hsn&>\n"
      "{$DEFINE type=\"ZZ\" value=\"<%Nope1%>\"}\n"
      "x ZZ\n"
      "<%Nope2%>\n");
  Build();
  EXPECT_EQ(lines_, (std::vector<std::string>{
                        A() + ":4: warning: unknown variable \"Nope1\"",
                        A() + ":5: warning: unknown variable \"Nope2\"",
                        dir_ + "src/h.hsn:2: warning: unknown variable \"InHeader\"",
                        A() + ":2: note: included from here",
                    }));
}

TEST_F(BuildReportTest, IncludesAndImagesThatGiveErrorComments) {
  WriteFileBytes(dir_ + "img/bad.gif", "not a picture");
  WriteFileBytes(dir_ + "img/bad.svg", "<svg width=\"50%\"/>");
  OnePage("<&nothere.hsn&>\n<&style.css&>\n<&pics/gone.gif&>\n<&bad.gif&>\n<&bad.svg&>\n");
  Build();
  EXPECT_EQ(lines_, (std::vector<std::string>{
                        A() + ":1: warning: include \"nothere.hsn\" not found; looked in " + dir_ +
                            "src/nothere.hsn, nothere.hsn, " + DataDir() + "snippets/nothere.hsn, " +
                            SharedDataDir() + "snippets/nothere.hsn",
                        A() + ":2: warning: \"style.css\" is not included: only the text kinds .htm .html .txt "
                              ".htf .hsn .ops .hts .js .vbs and the images .gif .jpg .jpeg .png .webp .svg .avif are",
                        A() + ":3: warning: image \"pics/gone.gif\" not found; looked for " + dir_ + "img/gone.gif",
                        A() + ":4: warning: image " + dir_ + "img/bad.gif cannot be measured (Gif Version must be "
                              "87a or 89a); its tag has no width and height",
                        A() + ":5: warning: image " + dir_ + "img/bad.svg cannot be measured (SVG image gives no "
                              "size: no absolute width and height and no viewBox); its tag has no width and height",
                    }));
  EXPECT_EQ(Page(),
            "<!-- ERROR: nothere.hsn -->\r\n<!-- ERROR: style.css -->\r\n<!-- ERROR: pics/gone.gif -->\r\n"
            "<img src=\"bad.gif\" alt=\"bad.gif\">\r\n<img src=\"bad.svg\" alt=\"bad.svg\">\r\n");
}

TEST_F(BuildReportTest, AnImageRoutineGivenAMissingFile) {
  OnePage("a\n<+ WriteLn('x');\n  InsertImage('gone.gif', 1, '') +>\n");
  Build();
  EXPECT_EQ(lines_, std::vector<std::string>{A() + ":2: warning: InsertImage: image \"gone.gif\" does not exist"});
  EXPECT_EQ(Page(), "a\r\nx\r\n<!-- File does not exist -->\r\n\r\n");
}

TEST_F(BuildReportTest, CommandsThatFailOrEndBadly) {
  WriteFileBytes(dir_ + "notexec", "echo x\n");
  OnePage(
      "<*printf kept; exit 3*>\n"
      "<*orv-no-such-command-zz 2>/dev/null*>\n"
      "<*./notexec 2>/dev/null*>\n"
      "<*kill -9 $$*>\n"
      "<*true*>\n");
  Build();
  // Reports come in the order the markup is expanded: the second command is
  // skipped by the scan that replaced the first, and run by the nested pass.
  EXPECT_EQ(lines_, (std::vector<std::string>{
                        A() + ":1: warning: the command \"printf kept; exit 3\" exited with status 3",
                        A() + ":3: warning: the command \"./notexec 2>/dev/null\" could not be started: not "
                              "executable (exit status 126)",
                        A() + ":4: warning: the command \"kill -9 $$\" was ended by signal 9",
                        A() + ":2: warning: the command \"orv-no-such-command-zz 2>/dev/null\" could not be started: "
                              "not found (exit status 127)",
                    }));
  EXPECT_EQ(Page(),
            "kept\r\n\r\n<!-- ERROR: orv-no-such-command-zz 2>/dev/null-->\r\n<!-- ERROR: ./notexec 2>/dev/null-->\r\n"
            "\r\n\r\n");
}

TEST_F(BuildReportTest, AProjectFilesUnreadPartsAndMissingPages) {
  WriteFileBytes(dir_ + "src/a.hts", "a\n");
  WriteFileBytes(dir_ + "p.orv",
                 "[directory]\nsrc=src\n[directories]\nsrc=src\nout=out\nsource=x\nsrc=again\n[Compiler]\n"
                 "vars=1\n[files]\n0=src/a.hts\n1=src/gone.hts\nhome=src/b.hts\n[files]\n0=x\n");
  Build();
  const std::string p = dir_ + "p.orv";
  EXPECT_EQ(lines_, (std::vector<std::string>{
                        p + ":1: warning: unknown section [directory]",
                        p + ":6: warning: unknown key \"source\" in [directories]",
                        p + ":7: warning: key \"src\" repeats in [directories]; only the first is read",
                        p + ":13: warning: key \"home\" of [files] is never read: pages are read from the keys 0 to 2",
                        p + ":14: warning: section [files] repeats; only its first occurrence is read",
                        p + ":12: warning: page \"" + dir_ + "src/gone.hts\" does not exist",
                    }));
  EXPECT_EQ(Page(), "a\r\n");
}

TEST_F(BuildReportTest, AKeyOnlyOfFilesAndAnEmptyEntry) {
  WriteFileBytes(dir_ + "p.orv", "[directories]\nsrc=src\n[files]\nhome=src/a.hts\n1=\n");
  Build();
  const std::string p = dir_ + "p.orv";
  EXPECT_EQ(lines_, (std::vector<std::string>{
                        p + ":4: warning: key \"home\" of [files] is never read: pages are read from the keys 0 to 1",
                        p + ":5: warning: key \"1\" of [files] names no page",
                    }));
}

// A pattern's pages take the line of its key; a pattern that matches
// nothing and a line-end form ORV does not know are warnings too.
TEST_F(BuildReportTest, PatternsAndLineEnds) {
  WriteFileBytes(dir_ + "src/a.hts", "a\n");
  WriteFileBytes(dir_ + "src/b.hts", "b\n");
  WriteFileBytes(dir_ + "p.orv",
                 "[directories]\nsrc=src\nout=out\n[other]\nlineends=unix\n"
                 "[files]\n0=src/*.hts\n1=src/*.htm\n2=\n3=src/gone.hts\n");
  Build();
  const std::string p = dir_ + "p.orv";
  EXPECT_EQ(lines_, (std::vector<std::string>{
                        p + ":5: warning: lineends \"unix\" in [other] is neither crlf nor lf; pages get CR LF "
                            "line ends",
                        p + ":8: warning: pattern \"src/*.htm\" matches no file",
                        p + ":9: warning: key \"2\" of [files] names no page",
                        p + ":10: warning: page \"" + dir_ + "src/gone.hts\" does not exist",
                    }));
  EXPECT_EQ(Page(), "a\r\n");
  EXPECT_EQ(ReadFileBytes(dir_ + "out/b.html"), "b\r\n");
}

TEST_F(BuildReportTest, AStrictBuildFailsOnceEveryPageIsBuilt) {
  OnePage("<%Titel%>\n");
  Build();
  const std::string page = Page();
  fs::remove_all(dir_ + "out");
  SetStrictBuildDefault(true);
  try {
    Build();
    ADD_FAILURE() << "a strict build with a warning fails";
  } catch (const Exception& e) {
    EXPECT_EQ(std::string(e.what()), "Strict build: 1 warning (see above)");
  }
  EXPECT_EQ(Page(), page) << "the page is written as without --strict";
  OnePage("fine\n");
  EXPECT_NO_THROW(Build()) << "a strict build without warnings succeeds";
}

TEST_F(BuildReportTest, APageFullOfProblemsReportsTheFirstFifty) {
  std::string page;
  for (int i = 0; i < 60; ++i) page += "<%X" + std::to_string(i) + "%>\n";
  OnePage(page);
  SetStrictBuildDefault(true);
  try {
    Build();
    ADD_FAILURE();
  } catch (const Exception& e) {
    EXPECT_EQ(std::string(e.what()), "Strict build: 60 warnings (see above)") << "every warning counts";
  }
  ASSERT_EQ(lines_.size(), 51u);
  EXPECT_EQ(lines_[49], A() + ":50: warning: unknown variable \"X49\"");
  EXPECT_EQ(lines_[50], A() + ": note: more warnings in this page are not shown");
}

// Every opening delimiter without its closing one is a warning at its line,
// once however many passes meet it; the page keeps the text as written.
TEST_F(BuildReportTest, UnclosedMarkupIsReportedAtItsLine) {
  OnePage("<%Title%>\n<&footer.hsn>\n<% open\n<+ WriteLn('x')\n{$DEFINE type=\"Q\" value=\"1\"\n", "Title=T\n");
  SetStrictBuildDefault(true);
  try {
    Build();
    ADD_FAILURE() << "unclosed markup fails a strict build";
  } catch (const Exception& e) {
    EXPECT_EQ(std::string(e.what()), "Strict build: 4 warnings (see above)");
  }
  const std::string after = "\" after it; ";
  EXPECT_EQ(lines_, (std::vector<std::string>{
                        A() + ":5: warning: \"{$DEFINE\" has no closing \"}" + after +
                            "the line stays in the page and defines nothing",
                        A() + ":4: warning: \"<+\" has no closing \"+>" + after +
                            "it and the script after it are published as text",
                        A() + ":3: warning: \"<%\" has no closing \"%>" + after + "it stays in the page as written",
                        A() + ":2: warning: \"<&\" has no closing \"&>" + after + "it stays in the page as written",
                    }));
  EXPECT_EQ(Page(), "T\r\n<&footer.hsn>\r\n<% open\r\n<+ WriteLn('x')\r\n{$DEFINE type=\"Q\" value=\"1\"\r\n");
}

// Markup not closed before the next of its kind takes all up to the next
// closing delimiter as its content, as the page rules say; the warning says
// why.
TEST_F(BuildReportTest, MarkupNotClosedBeforeTheNextIsNamed) {
  WriteFileBytes(dir_ + "src/h.hsn", "header");
  OnePage("<&footer.hsn>\nmid\n<&h.hsn&>\n<%Title\n<%Title%>\n", "Title=T\n");
  Build();
  ASSERT_EQ(lines_.size(), 2u);
  EXPECT_EQ(lines_[0].rfind(A() + ":4: warning: \"<%\" has no closing \"%>\" before the next \"<%\", so the text up "
                                  "to the next \"%>\" was taken as one markup: unknown variable \"Title <%Title\"",
                            0),
            0u)
      << lines_[0];
  EXPECT_EQ(lines_[1].rfind(A() + ":1: warning: \"<&\" has no closing \"&>\" before the next \"<&\", so the text up "
                                  "to the next \"&>\" was taken as one markup: include \"footer.hsn> mid <&h.hsn\" "
                                  "not found",
                            0),
            0u)
      << lines_[1];
  EXPECT_EQ(Page(), "<!-- ERROR: footer.hsn>\r\nmid\r\n<&h.hsn -->\r\n<!-- ERROR: Title\r\n<%Title -->\r\n");
}

// A name that holds a NUL byte would be cut short where the system reads
// it: an include or image of such a name is not read, a command not run.
TEST_F(BuildReportTest, NamesWithNulBytesAreRefused) {
  WriteFileBytes(dir_ + "src/x", "the part before the NUL byte");
  WriteFileBytes(dir_ + "img/y", "GIF89a");
  OnePage("<&x\0.txt&>\n<&y\0.gif&>\n<*echo a\0b*>\n"s);
  Build();
  EXPECT_EQ(lines_, (std::vector<std::string>{
                        A() + ":1: warning: include \"x\\0.txt\" is not read: a file name cannot hold a NUL byte",
                        A() + ":2: warning: include \"y\\0.gif\" is not read: a file name cannot hold a NUL byte",
                        A() + ":3: warning: the command \"echo a\\0b\" is not run: it holds a NUL byte",
                    }));
  EXPECT_EQ(Page(), "<!-- ERROR: x\0.txt -->\r\n<!-- ERROR: y\0.gif -->\r\n<!-- ERROR: echo a\0b-->\r\n"s);
}

TEST_F(BuildReportTest, ScriptFileRoutinesRefuseNulBytes) {
  for (const char* call : {"DeleteFile", "BuildFile", "DelQueue", "ForceDirectories", "CreateDir"}) {
    SCOPED_TRACE(call);
    OnePage(std::string("x\n<+ ") + call + "('a'#0'b') +>\n");
    try {
      Build();
      ADD_FAILURE() << "the build should fail";
    } catch (const Exception& e) {
      EXPECT_EQ(std::string(e.what()),
                A() + ":2: " + call + " \"a\\0b\": a file name cannot hold a NUL byte");
    }
  }
}

// Script errors name the line of the page (or of the included file) where
// the failing statement stands: the block's first line plus the line within
// the block, less one; lines the define stage removed before still count.
TEST_F(BuildReportTest, ScriptErrorsNameThePagesLine) {
  const struct {
    std::string page;
    std::string error;
  } cases[] = {
      {"{$DEFINE type=\"Q\" value=\"1\"}\nx\n<+\nvar I: Integer;\nbegin\n  I := 0;\n  WriteLn(IntToStr(Q div I));\n"
       "end.\n+>\n",
       A() + ":7: Division by zero"},
      {"x\n<+ WriteLn('a');\n  WriteLn(StrToInt('abc')) +>\n", A() + ":3: 'abc' is not a valid integer value"},
      {"a\nb\n<+\nbegin\n  x := ;\nend.\n+>\n", A() + ":5: Syntax error in  (3): \r\nVariable <X> not defined."},
      {"<&s.hsn&>\n", dir_ + "src/s.hsn:3: 'q' is not a valid integer value"},
  };
  WriteFileBytes(dir_ + "src/s.hsn", "one\n<+ WriteLn('x');\n  WriteLn(StrToInt('q')) +>\n");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.page);
    OnePage(c.page);
    try {
      Build();
      ADD_FAILURE() << "the build should fail";
    } catch (const ECompilerError& e) {
      EXPECT_EQ(std::string(e.what()), c.error);
    }
  }
}

}  // namespace
}  // namespace orv
