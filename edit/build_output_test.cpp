#include "edit/build_output.h"

#include <gtest/gtest.h>

namespace orv::edit {
namespace {

using Kind = BuildLine::Kind;

TEST(BuildOutputTest, LinesOfOrvcc) {
  const struct {
    std::string line;
    Kind kind;
    std::string file;
    int line_number;
    std::string message;
    int page, pages;
  } cases[] = {
      {"Compiling /s/src/index.hts (1 of 3)", Kind::Progress, "/s/src/index.hts", 0, "", 1, 3},
      {"Compiling /s/a (b)/x.hts (12 of 40)", Kind::Progress, "/s/a (b)/x.hts", 0, "", 12, 40},
      {"src/index.hts:7: warning: unknown variable <%Nope%>", Kind::Warning, "src/index.hts", 7,
       "unknown variable <%Nope%>", 0, 0},
      {"site.orv: warning: [other] lineendz is never read", Kind::Warning, "site.orv", 0,
       "[other] lineendz is never read", 0, 0},
      {"/s/header.hsn:2: note: included from here", Kind::Note, "/s/header.hsn", 2, "included from here", 0, 0},
      {"/s/x.hts:3: error: script failed: x: warning: y", Kind::Error, "/s/x.hts", 3, "script failed: x: warning: y",
       0, 0},
      {"C:/odd:name.hts:12: warning: m", Kind::Warning, "C:/odd:name.hts", 12, "m", 0, 0},
      {"a.hts:0: warning: m", Kind::Warning, "a.hts:0", 0, "m", 0, 0},
      {"4 pages: 1 built, 3 up to date", Kind::Other, "", 0, "4 pages: 1 built, 3 up to date", 0, 0},
      {"Compiling nothing", Kind::Other, "", 0, "Compiling nothing", 0, 0},
      {"Compiling x (one of 3)", Kind::Other, "", 0, "Compiling x (one of 3)", 0, 0},
      {": warning: no place", Kind::Other, "", 0, ": warning: no place", 0, 0},
      {"", Kind::Other, "", 0, "", 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const BuildLine parsed = ParseBuildLine(c.line);
    EXPECT_EQ(parsed.What, c.kind);
    EXPECT_EQ(parsed.File, c.file);
    EXPECT_EQ(parsed.Line, c.line_number);
    EXPECT_EQ(parsed.Message, c.message);
    EXPECT_EQ(parsed.Page, c.page);
    EXPECT_EQ(parsed.Pages, c.pages);
  }
}

TEST(BuildOutputTest, AddressOfTheServer) {
  const struct {
    std::string line;
    std::string address;
  } cases[] = {
      {"orvcc: serving out/ at http://127.0.0.1:8080/ (Ctrl-C to stop)", "http://127.0.0.1:8080/"},
      {"orvcc: serving /s/o at http://x/ at http://127.0.0.1:41234/ (Ctrl-C to stop)", "http://127.0.0.1:41234/"},
      {"orvcc: serving out/ at http://[::1]:8080/ (Ctrl-C to stop)", "http://[::1]:8080/"},
      {"orvcc: serving out/ at http://127.0.0.1:0/ (Ctrl-C to stop)", ""},
      {"orvcc: serving out/ at http://127.0.0.1:port/ (Ctrl-C to stop)", ""},
      {"orvcc: serving out/ at http://127.0.0.1/ (Ctrl-C to stop)", ""},
      {"orvcc: serving out/ at http://:80/ (Ctrl-C to stop)", ""},
      {"orvcc: serving out/ at http://127.0.0.1:8080/x/ (Ctrl-C to stop)", ""},
      {"orvcc: serving out/ at http://127.0.0.1:8080/", ""},
      {"orvcc: watching for changes (Ctrl-C to stop)", ""},
      {"orvcc: serving at http://127.0.0.1:8080/ (Ctrl-C to stop)", ""},
      {"Compiling /s/src/index.hts (1 of 3)", ""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ServedAddress(c.line), c.address) << c.line;
}

}  // namespace
}  // namespace orv::edit
